#include "setup/win32/setup_window.h"

#include <shlobj.h>

#include <fstream>

#include "base/program_identity.h"
#include "base/win32/colour.h"
#include "base/win32/window_base.h"
#include "base/win32/window_class.h"
#include "setup/setup_screen.h"
#include "setup/win32/setup_disk.h"

namespace balancer {

namespace {

using L = SetupLayout;

// How long a running balancer gets to write its settings and end.
constexpr DWORD kBalancerCloseWaitMs = 10000;

// A running balancer ends first, so it writes its settings and lets go of
// the files about to be replaced.
void CloseRunningBalancer() {
  HWND running = FindWindowA(kMainWindowClass, kMainWindowTitle);
  if (running == nullptr) return;
  DWORD processId = 0;
  GetWindowThreadProcessId(running, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(running, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_NORMAL, kBalancerCloseWaitMs,
                      &ignored);
  if (process != nullptr) {
    WaitForSingleObject(process, kBalancerCloseWaitMs);
    CloseHandle(process);
  }
}

HWND MakeButton(SetupWindowState& s, HWND parent, int id, const char* text, int x, int y, int w,
                int h, HFONT font) {
  HWND button =
      CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, y, w, h, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), s.instance, nullptr);
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return button;
}

void CloseSetup(SetupWindowState& s) {
  if (s.hwnd != nullptr) DestroyWindow(s.hwnd);
}

// The "Warning" or "Please Wait" window over the installer.
HWND OpenSetupChild(SetupWindowState& s, const char* title, bool warning) {
  const POINT at = CentredOnScreen(L::kWidth, L::kHeight);
  s.child = CreateWindowExA(0, kSetupChildClass, title, WS_POPUP | WS_CAPTION | WS_SYSMENU, at.x,
                            at.y, L::kWidth, L::kHeight, s.hwnd, nullptr, s.instance, &s);
  if (s.child == nullptr) return nullptr;
  if (warning) {
    MakeButton(s, s.child, L::kWarningOkId, "OK", L::kWarningOkX, L::kWarningOkY,
               L::kWarningOkWidth, L::kWarningOkHeight, s.fonts.small);
  }
  ShowWindow(s.child, SW_SHOWNORMAL);
  UpdateWindow(s.child);
  return s.child;
}

void StartPreinstaller(SetupWindowState& s) {
  OpenSetupChild(s, kSetupWaitTitle, false);
  const bool program64 = sizeof(void*) == 8;
  BOOL underWow64 = FALSE;
  bool found = false;
  bool called = false;
  using IsWow64Function = BOOL(WINAPI*)(HANDLE, PBOOL);
  HMODULE kernel = GetModuleHandleA("kernel32");
  auto isWow64 = kernel != nullptr
                     ? reinterpret_cast<IsWow64Function>(GetProcAddress(kernel, "IsWow64Process"))
                     : nullptr;
  if (isWow64 != nullptr) {
    found = true;
    called = isWow64(GetCurrentProcess(), &underWow64) != FALSE;
  }
  const char* program =
      PreinstallerPath(SystemIs64Bit(program64, found, called, underWow64 != FALSE));
  const auto started = reinterpret_cast<intptr_t>(
      ShellExecuteA(s.child, "runas", program, nullptr, nullptr, SW_SHOWNORMAL));
  if (!PreinstallerStarted(started)) ShowInstallerMessage(s.child, PreinstallerFailedMessage());
  CloseSetup(s);
}

std::string DesktopFolder(const SetupWindowState& s) {
  if (auto fixed = FixedDesktopPath(s.windowsMajor, s.windowsMinor)) return *fixed;
  char path[MAX_PATH] = {};
  if (SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path) !=
      S_OK) {
    return std::string();
  }
  return path;
}

void Install(SetupWindowState& s) {
  if (s.versionChoice == 0) {
    ShowInstallerMessage(s.hwnd, NoVersionMessage());
    return;
  }
  s.installing = true;
  InvalidateRect(s.hwnd, nullptr, FALSE);
  UpdateWindow(s.hwnd);

  std::ifstream in(kSetupListFile, std::ios::binary);
  if (!in) {
    ShowInstallerMessage(s.hwnd, ListMissingMessage());
    CloseSetup(s);
    return;
  }
  SetupList list;
  if (ReadSetupList(in, list) != SetupListStatus::kOk) {
    ShowInstallerMessage(s.hwnd, ListBrokenMessage());
    CloseSetup(s);
    return;
  }
  in.close();
  DiskInstallTarget disk;
  InstallListed(list, InstallChoice{s.versionChoice, s.windowsMajor, DesktopFolder(s)}, disk);

  if (EndOfInstall(s.windowsMajor) == InstallEnd::kWarning) {
    OpenSetupChild(s, kSetupWarningTitle, true);
  } else {
    StartPreinstaller(s);
  }
}

void PaintSetup(SetupWindowState& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(s.hwnd, &ps);
  RECT client;
  GetClientRect(s.hwnd, &client);
  if (s.splash != nullptr) {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, s.splash);
    BITMAP info = {};
    GetObjectA(s.splash, sizeof info, &info);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  } else {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  if (auto frame = VersionFrame(s.versionChoice)) {
    HGDIOBJ oldPen = SelectObject(dc, s.framePen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, frame->left, frame->top, frame->right, frame->bottom, L::kFrameCorner,
              L::kFrameCorner);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
  }
  if (s.installing) {
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 255, 255));
    const InstallerText text = InstallingText();
    HGDIOBJ old = SelectObject(dc, s.fonts.ForHeight(text.fontHeight));
    SetTextColor(dc, ColourRef(text.colour));
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    TextOutA(dc, text.x, text.y, text.text.c_str(), static_cast<int>(text.text.size()));
    SelectObject(dc, old);
  }
  EndPaint(s.hwnd, &ps);
}

// Both windows' state is the installer's, kept by its entry point.
LRESULT HandleSetup(HWND hwnd, SetupWindowState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      s.hwnd = hwnd;
      CloseRunningBalancer();
      s.fonts.Create();
      s.framePen = CreatePen(PS_SOLID, L::kFramePen, RGB(255, 0, 0));
      MakeButton(s, hwnd, L::kInstallId, "Install", L::kInstallX, L::kButtonY, L::kButtonWidth,
                 L::kButtonHeight, s.fonts.large);
      MakeButton(s, hwnd, L::kCancelId, "Cancel", L::kCancelX, L::kButtonY, L::kButtonWidth,
                 L::kButtonHeight, s.fonts.large);
      return 0;
    case WM_LBUTTONDOWN: {
      if (s.installing) return 0;
      const VersionClick click =
          ClickVersion(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)),
                       s.versionChoice, s.windowsMajor);
      if (click.choice != s.versionChoice) {
        s.versionChoice = click.choice;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      if (click.message) ShowInstallerMessage(hwnd, *click.message);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == L::kInstallId && !s.installing) Install(s);
      if (LOWORD(wParam) == L::kCancelId) CloseSetup(s);
      return 0;
    case WM_PAINT:
      PaintSetup(s);
      return 0;
    case WM_DESTROY:
      s.fonts.Delete();
      if (s.framePen != nullptr) DeleteObject(s.framePen);
      s.framePen = nullptr;
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      s.hwnd = nullptr;
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// "Warning" (the safety notice and OK) or "Please Wait".
LRESULT HandleSetupChild(HWND hwnd, SetupWindowState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      const bool warning = GetDlgItem(hwnd, L::kWarningOkId) != nullptr;
      DrawInstallerTexts(dc, warning ? SafetyNoticeTexts() : SetupWaitTexts(), s.fonts);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == L::kWarningOkId) {
        ShowInstallerMessage(hwnd, SetupSuccessMessage());
        CloseSetup(s);
      }
      return 0;
    case WM_CLOSE:
      CloseSetup(s);
      return 0;
    case WM_NCDESTROY:
      if (s.child == hwnd) s.child = nullptr;
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void ReadWindowsVersion(SetupWindowState& s) {
  // The true version, whatever the program's manifest says.
  struct VersionInfo {
    ULONG size, major, minor, build, platform;
    WCHAR servicePack[128];
  } info = {};
  info.size = sizeof info;
  using RtlGetVersionFunction = LONG(WINAPI*)(VersionInfo*);
  HMODULE ntdll = GetModuleHandleA("ntdll");
  auto rtlGetVersion =
      ntdll != nullptr
          ? reinterpret_cast<RtlGetVersionFunction>(GetProcAddress(ntdll, "RtlGetVersion"))
          : nullptr;
  if (rtlGetVersion != nullptr && rtlGetVersion(&info) == 0) {
    s.windowsMajor = static_cast<int>(info.major);
    s.windowsMinor = static_cast<int>(info.minor);
    return;
  }
  OSVERSIONINFOA legacy = {};
  legacy.dwOSVersionInfoSize = sizeof legacy;
  if (GetVersionExA(&legacy)) {
    s.windowsMajor = static_cast<int>(legacy.dwMajorVersion);
    s.windowsMinor = static_cast<int>(legacy.dwMinorVersion);
  }
}

}  // namespace

bool RegisterSetupWindowClasses(HINSTANCE instance) {
  WindowClassInfo main;
  main.name = kSetupWindowClass;
  main.proc = StateWindowProc<SetupWindowState, HandleSetup>;
  main.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  WindowClassInfo child;
  child.name = kSetupChildClass;
  child.proc = StateWindowProc<SetupWindowState, HandleSetupChild>;
  child.solid = RGB(240, 240, 240);
  return RegisterClassOnce(instance, main) && RegisterClassOnce(instance, child);
}

HWND CreateSetupWindow(SetupWindowState& state) {
  state.splash = static_cast<HBITMAP>(
      LoadImageA(state.instance, "splash", IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  ReadWindowsVersion(state);
  const POINT at = CentredOnScreen(L::kWidth, L::kHeight);
  HWND hwnd = CreateWindowExA(0, kSetupWindowClass, kSetupTitle, WS_POPUP, at.x, at.y, L::kWidth,
                              L::kHeight, nullptr, nullptr, state.instance, &state);
  if (hwnd == nullptr) return nullptr;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  return hwnd;
}

}  // namespace balancer
