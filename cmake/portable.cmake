# One static library per portable folder. They refer to each other freely, so
# everything links through balancer_portable, which rescans the group.
set(BALANCER_PORTABLE_FOLDERS app device measure correction bobweight records update setup)
set(BALANCER_PORTABLE_LIBS "")
foreach(folder IN LISTS BALANCER_PORTABLE_FOLDERS)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "_main\\.cpp$")
  if(sources)
    add_library(balancer_${folder} STATIC ${sources})
    target_include_directories(balancer_${folder} PUBLIC ${PROJECT_SOURCE_DIR})
    list(APPEND BALANCER_PORTABLE_LIBS balancer_${folder})
  endif()
endforeach()

add_library(balancer_portable INTERFACE)
target_include_directories(balancer_portable INTERFACE ${PROJECT_SOURCE_DIR})
target_link_libraries(balancer_portable INTERFACE "$<LINK_GROUP:RESCAN,${BALANCER_PORTABLE_LIBS}>")
if(WIN32)
  # std::thread/std::mutex come from the -posix runtime; link it in statically.
  target_link_options(balancer_portable INTERFACE -static)
endif()
