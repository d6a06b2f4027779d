# Windows deliverables (cross build only).
#
# balancer_win32: every platform adapter (*/win32/*.cpp) except the programs'
# entry points (*_main.cpp) and the driver pre-installer, which is its own
# program. The two front ends are built from the same sources; the demo swaps
# the WinUSB transport for the simulated control.
enable_language(RC)

file(GLOB BALANCER_WIN32_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/*/win32/*.cpp)
list(FILTER BALANCER_WIN32_SOURCES EXCLUDE REGEX "_main\\.cpp$")
list(FILTER BALANCER_WIN32_SOURCES EXCLUDE REGEX "/usbprep/")
list(FILTER BALANCER_WIN32_SOURCES EXCLUDE REGEX "^${PROJECT_SOURCE_DIR}/(tests|build)/")

set(BALANCER_WIN32_SYSTEM_LIBS
  setupapi ws2_32 gdiplus comctl32 comdlg32 gdi32 user32 shell32 ole32 uuid winspool urlmon
  wininet version)

add_library(balancer_win32 STATIC ${BALANCER_WIN32_SOURCES})
target_include_directories(balancer_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(balancer_win32 PUBLIC ${BALANCER_WIN32_SYSTEM_LIBS})
# The portable code reaches its platform counterparts (sockets, file
# replacement) through plain functions that the win32/ files define, and the
# adapters call the portable code: on Windows the adapters join the portable
# libraries' rescanned link group, so anything linking balancer_portable gets
# both.
get_target_property(portable_links balancer_portable INTERFACE_LINK_LIBRARIES)
set(portable_group "$<LINK_GROUP:RESCAN,${BALANCER_PORTABLE_LIBS}>")
string(FIND "${portable_links}" "${portable_group}" group_at)
if(group_at EQUAL -1)
  message(FATAL_ERROR "balancer_portable no longer links the portable group; update windows.cmake")
endif()
string(REPLACE "${portable_group}" "$<LINK_GROUP:RESCAN,${BALANCER_PORTABLE_LIBS},balancer_win32>"
  portable_links "${portable_links}")
set_property(TARGET balancer_portable PROPERTY INTERFACE_LINK_LIBRARIES "${portable_links}")

set(BALANCER_RESOURCE_FILE ${PROJECT_SOURCE_DIR}/resources/balancer.rc)
file(GLOB BALANCER_RESOURCE_BITMAPS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/bitmaps/*.bmp)
set_property(SOURCE ${BALANCER_RESOURCE_FILE} APPEND PROPERTY OBJECT_DEPENDS
  ${PROJECT_SOURCE_DIR}/resources/lgicon.ico
  ${PROJECT_SOURCE_DIR}/resources/smicon.ico
  ${PROJECT_SOURCE_DIR}/resources/balancer.manifest
  ${PROJECT_SOURCE_DIR}/resources/resource_ids.h
  ${BALANCER_RESOURCE_BITMAPS})

function(balancer_gui_program name)
  add_executable(${name} WIN32 ${PROJECT_SOURCE_DIR}/app/win32/balancer_main.cpp
                 ${BALANCER_RESOURCE_FILE})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/resources)
  target_link_libraries(${name} PRIVATE balancer_portable)
  target_link_options(${name} PRIVATE -mwindows -static)
endfunction()

if(EXISTS ${PROJECT_SOURCE_DIR}/app/win32/balancer_main.cpp)
  balancer_gui_program(balancer)
  balancer_gui_program(balancer-demo)
  target_compile_definitions(balancer-demo PRIVATE BALANCER_DEMO=1)
  target_link_libraries(balancer-demo PRIVATE balancer_sim)
endif()
