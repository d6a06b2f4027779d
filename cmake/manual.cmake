# The operator's manual: the HTML pages in manual/ compiled into balancer.chm
# in the build folder. The Windows build ships it; the native build compiles
# it too, for the test that reads it back. A failing compile fails the build.
find_program(BALANCER_CHMCMD chmcmd REQUIRED)

set(BALANCER_MANUAL_SOURCE ${PROJECT_SOURCE_DIR}/manual)
set(BALANCER_MANUAL_STAGE ${CMAKE_BINARY_DIR}/manual)
set(BALANCER_MANUAL_CHM ${CMAKE_BINARY_DIR}/balancer.chm)
file(GLOB_RECURSE BALANCER_MANUAL_FILES CONFIGURE_DEPENDS ${BALANCER_MANUAL_SOURCE}/*)

# chmcmd writes next to the project file, so it compiles a copy; a compile
# that leaves no file, or warns of a page it could not find, counts as failed.
add_custom_command(
  OUTPUT ${BALANCER_MANUAL_CHM}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${BALANCER_MANUAL_STAGE} ${BALANCER_MANUAL_CHM}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${BALANCER_MANUAL_SOURCE} ${BALANCER_MANUAL_STAGE}
  COMMAND ${CMAKE_COMMAND} -DCHMCMD=${BALANCER_CHMCMD} -DSTAGE=${BALANCER_MANUAL_STAGE}
          -DOUTPUT=${BALANCER_MANUAL_CHM} -P ${PROJECT_SOURCE_DIR}/cmake/compile_manual.cmake
  DEPENDS ${BALANCER_MANUAL_FILES} ${PROJECT_SOURCE_DIR}/cmake/compile_manual.cmake
  COMMENT "Compiling the operator's manual balancer.chm"
  VERBATIM)
add_custom_target(balancer_manual ALL DEPENDS ${BALANCER_MANUAL_CHM})
