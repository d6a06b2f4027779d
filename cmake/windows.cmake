# Windows deliverables (cross build only): the windows floor above the
# operator's program.
#
#   balancer_kit            app/win32/kit: the dialogue kit every window uses
#   balancer_<folder>_windows  <folder>/win32/*_window.cpp: a subsystem's screens
#   balancer_shell          app/win32: the main window and the rest of the
#                           program, which opens the screens
#
# The two front ends are built from the same sources; the demo swaps the
# WinUSB transport for the simulated control.
enable_language(RC)

file(GLOB kit_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/app/win32/kit/*.cpp)
add_library(balancer_kit STATIC ${kit_sources})
target_link_libraries(balancer_kit PUBLIC balancer_app ${BALANCER_WIN32_SYSTEM_LIBS})

set(BALANCER_WINDOW_LIBS "")
foreach(folder device records measure correction bobweight update setup usbprep)
  file(GLOB windows CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/win32/*_window.cpp)
  if(windows)
    add_library(balancer_${folder}_windows STATIC ${windows})
    target_link_libraries(balancer_${folder}_windows PUBLIC balancer_kit balancer_${folder})
    # The installer and the pre-installer are programs of their own.
    if(NOT folder MATCHES "^(setup|usbprep)$")
      list(APPEND BALANCER_WINDOW_LIBS balancer_${folder}_windows)
    endif()
  endif()
endforeach()

file(GLOB shell_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/app/win32/*.cpp)
list(FILTER shell_sources EXCLUDE REGEX "_main\\.cpp$")
add_library(balancer_shell STATIC ${shell_sources})
# The screen libraries go in whole: a window opened by its letter registers
# itself (app/win32/kit/screen_registry.h) and nothing else refers to it, so a
# plain static link would leave it out.
list(JOIN BALANCER_WINDOW_LIBS "," BALANCER_WINDOW_LIBS_LISTED)
target_link_libraries(balancer_shell PUBLIC balancer_kit
                      "$<LINK_LIBRARY:WHOLE_ARCHIVE,${BALANCER_WINDOW_LIBS_LISTED}>"
                      balancer_portable)

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
  target_link_libraries(${name} PRIVATE balancer_shell)
  target_link_options(${name} PRIVATE -mwindows -static)
endfunction()

balancer_gui_program(balancer)
balancer_gui_program(balancer-demo)
target_compile_definitions(balancer-demo PRIVATE BALANCER_DEMO=1)
target_link_libraries(balancer-demo PRIVATE balancer_sim)

# The installer and the driver pre-installer: one window each. The
# pre-installer's one source is usbprep64.exe here and usbprep32.exe in the
# 32-bit build (cmake/mingw-i686.cmake).
function(balancer_installer_program name main rc)
  add_executable(${name} WIN32 ${PROJECT_SOURCE_DIR}/${main} ${PROJECT_SOURCE_DIR}/resources/${rc})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/resources)
  target_link_options(${name} PRIVATE -mwindows -static)
endfunction()

set_property(SOURCE ${PROJECT_SOURCE_DIR}/resources/setup.rc APPEND PROPERTY OBJECT_DEPENDS
  ${PROJECT_SOURCE_DIR}/resources/splash.bmp)
balancer_installer_program(setup setup/win32/setup_main.cpp setup.rc)
target_link_libraries(setup PRIVATE balancer_setup_windows)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(BALANCER_USBPREP usbprep64)
else()
  set(BALANCER_USBPREP usbprep32)
endif()
balancer_installer_program(${BALANCER_USBPREP} usbprep/win32/usbprep_main.cpp usbprep.rc)
target_link_libraries(${BALANCER_USBPREP} PRIVATE balancer_usbprep_windows)
