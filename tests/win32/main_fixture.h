// Shared ground of the main-window tests: a fresh program folder under %TEMP%
// and the main window's state wired to records the test owns.
#pragma once

#include <windows.h>

#include <string>

#include "app/win32/kit/message_window.h"
#include "app/win32/main_window.h"
#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "base/program_folder.h"
#include "device/control_link.h"

namespace balancer {
namespace testmain {

inline HINSTANCE Instance() {
  return GetModuleHandleA(nullptr);
}

// Takes every queued message off without dispatching it.
inline void Drain() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

// %TEMP%\name, created if needed, without settings files.
inline ProgramFolder FreshTempFolder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  ProgramFolder folder;
  folder.path = std::string(temp) + name;
  CreateDirectoryA(folder.path.c_str(), nullptr);
  DeleteFileA(folder.File("balsetup.dta").c_str());
  DeleteFileA(folder.File("balsetup.bak").c_str());
  return folder;
}

// Points the link and the main window at the test's records.
inline void WireMainWindow(MainWindowState& main, ControlLink& link, ControlTransport& transport,
                           Clock& clock, MessageWindowState& message, ProgramFolder& folder,
                           MachineSettings& settings, OperatorUi& ui) {
  link.transport = &transport;
  link.clock = &clock;
  link.ui = &ui;
  main.instance = Instance();
  main.link = &link;
  main.message = &message;
  main.folder = &folder;
  main.settings = &settings;
  main.ui = &ui;
  message.instance = Instance();
}

// Closes what a test left open and drops the messages that queued up.
inline void CloseMainWindows(MainWindowState& main, MessageWindowState& message) {
  if (message.hwnd != nullptr) DestroyWindow(message.hwnd);
  if (main.hwnd != nullptr) DestroyWindow(main.hwnd);
  Drain();
}

// Opens the control and creates the main window; the settings notice of a
// fresh folder is answered, since it is not what these tests look at.
inline HWND CreateMainWindowPastNotice(MainWindowState& main, ControlLink& link,
                                       MessageWindowState& message) {
  OpenControl(link);
  HWND hwnd = CreateMainWindow(main);
  message.owner = hwnd;
  if (message.hwnd != nullptr) AnswerMessageWindow(message, kMessageOkId);
  return hwnd;
}

}  // namespace testmain
}  // namespace balancer
