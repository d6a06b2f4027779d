# Runs chmcmd on the staged manual (cmake -P, from cmake/manual.cmake):
# CHMCMD, STAGE (the copy of manual/) and OUTPUT (the .chm to make).
execute_process(
  COMMAND ${CHMCMD} --html-scan balancer.hhp
  WORKING_DIRECTORY ${STAGE}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE log
  ERROR_VARIABLE log)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "chmcmd failed (${status}):\n${log}")
endif()
# chmcmd names a missing file or anchor and still ends with 0.
string(REGEX MATCH "[^\n]*(couldn.t find|does not exist|[Ee]xception)[^\n]*" problem "${log}")
if(problem)
  message(FATAL_ERROR "chmcmd: ${problem}\n${log}")
endif()
if(NOT EXISTS ${STAGE}/balancer.chm)
  message(FATAL_ERROR "chmcmd made no balancer.chm:\n${log}")
endif()
file(COPY_FILE ${STAGE}/balancer.chm ${OUTPUT})
