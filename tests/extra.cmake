# The Windows-side tests exercise the Win32 adapters, with the program's own
# resources (icons) linked in.
if(WIN32 AND TARGET win32_tests)
  target_sources(win32_tests PRIVATE ${PROJECT_SOURCE_DIR}/resources/balancer.rc)
  target_link_libraries(win32_tests PRIVATE balancer_shell)
  target_link_options(win32_tests PRIVATE -static)
endif()
