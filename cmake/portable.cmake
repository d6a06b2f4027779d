# One static library per folder, declared from the ground floor up; each links
# only the floors below it, so a reference that climbs a floor fails to link.
#
# In the Windows build a folder's win32/ files join its library, except its
# windows (win32/*_window.cpp): they stand above the operator's program and the
# dialogue kit and are built by cmake/windows.cmake.
set(BALANCER_WINDOW_FILE_REGEX "/win32/[^/]*_window\\.cpp$")

if(WIN32)
  set(BALANCER_WIN32_SYSTEM_LIBS
    setupapi ws2_32 gdiplus comctl32 comdlg32 gdi32 user32 shell32 ole32 uuid winspool urlmon
    wininet version)
endif()

function(balancer_floor_library folder)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  # app/win32 is the windows floor itself (cmake/windows.cmake).
  if(WIN32 AND NOT folder STREQUAL "app")
    file(GLOB platform CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/win32/*.cpp)
    list(FILTER platform EXCLUDE REGEX "${BALANCER_WINDOW_FILE_REGEX}")
    list(APPEND sources ${platform})
  endif()
  list(FILTER sources EXCLUDE REGEX "_main\\.cpp$")
  if(NOT sources)
    return()
  endif()
  add_library(balancer_${folder} STATIC ${sources})
  target_include_directories(balancer_${folder} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(balancer_${folder} PUBLIC ${ARGN})
endfunction()

balancer_floor_library(base)
balancer_floor_library(device balancer_base)
balancer_floor_library(records balancer_device)
balancer_floor_library(measure balancer_records)
balancer_floor_library(correction balancer_measure)
balancer_floor_library(bobweight balancer_correction)
balancer_floor_library(app balancer_bobweight)
if(EXISTS ${PROJECT_SOURCE_DIR}/update)
  balancer_floor_library(update balancer_bobweight)
endif()
# The installer and the driver pre-installer stand beside the operator's
# program; the installer shows the pre-installer's safety notice.
balancer_floor_library(usbprep balancer_base)
balancer_floor_library(setup balancer_usbprep)

if(WIN32)
  target_link_options(balancer_base INTERFACE -static)
  target_link_libraries(balancer_base PUBLIC ${BALANCER_WIN32_SYSTEM_LIBS})
endif()

# Everything below the windows: what the CLI, the simulator, the benchmarks
# and the tests link.
add_library(balancer_portable INTERFACE)
target_link_libraries(balancer_portable INTERFACE balancer_app)
if(TARGET balancer_update)
  target_link_libraries(balancer_portable INTERFACE balancer_update)
endif()
target_link_libraries(balancer_portable INTERFACE balancer_setup)
