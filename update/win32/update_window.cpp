#include "update/win32/update_window.h"

#include <shellapi.h>

#include "app/win32/kit/design_font.h"
#include "base/win32/window_base.h"
#include "base/win32/window_class.h"
#include "update/update_check.h"
#include "update/win32/url_downloader.h"

namespace balancer {

namespace {

// The progress window, design units.
constexpr int kProgressX = 440, kProgressY = 280, kProgressWidth = 400, kProgressHeight = 110;

// The progress window's state is the main window's update session.
LRESULT HandleUpdateProgress(HWND hwnd, UpdateSession& session, UINT msg, WPARAM wParam,
                             LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      HGDIOBJ old = SelectObject(dc, session.font);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(0, 0, 104));
      DrawTextA(dc, ProgressText(session.connecting), -1, &client,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      SelectObject(dc, old);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_CLOSE:
      // Only the check itself closes it.
      return 0;
    case WM_NCDESTROY:
      if (session.font != nullptr) DeleteObject(session.font);
      session.font = nullptr;
      session.progress = nullptr;
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void OpenProgress(KitContext& kit, UpdateSession& session) {
  WindowClassInfo info;
  info.name = kUpdateWindowClass;
  info.proc = StateWindowProc<UpdateSession, HandleUpdateProgress>;
  info.solid = RGB(240, 240, 240);
  if (!RegisterClassOnce(kit.instance, info)) return;
  if (session.progress != nullptr) return;
  const float s = kit.screenScale;
  session.font = CreateDesignFont(22, 600, s);
  HWND owner = kit.childScreen != nullptr ? kit.childScreen : kit.mainWindow;
  session.progress =
      CreateWindowExA(0, kUpdateWindowClass, kUpdateWindowTitle, WS_POPUP | WS_CAPTION | WS_BORDER,
                      static_cast<int>(kProgressX * s), static_cast<int>(kProgressY * s),
                      static_cast<int>(kProgressWidth * s), static_cast<int>(kProgressHeight * s),
                      owner, nullptr, kit.instance, &session);
  if (session.progress == nullptr) return;
  ShowWindow(session.progress, SW_SHOWNORMAL);
  UpdateWindow(session.progress);
}

void CloseProgress(UpdateSession& session) {
  if (session.progress != nullptr) DestroyWindow(session.progress);
}

void Tell(KitContext& kit, const OperatorMessage& message) {
  kit.actionCode = message.actionCode;
  if (kit.ui != nullptr) kit.ui->ShowMessage(message);
}

Downloader& DownloaderOf(UpdateSession& session) {
  if (!session.downloader) session.downloader = std::make_unique<UrlDownloader>();
  return *session.downloader;
}

bool ShellStart(const std::string& path) {
  const auto result = reinterpret_cast<intptr_t>(
      ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

}  // namespace

void StartUpdateCheck(KitContext& kit, UpdateSession& session) {
  if (kit.folder == nullptr) return;
  OpenProgress(kit, session);
  const UpdateCheckResult check =
      CheckForUpdate(DownloaderOf(session), *kit.folder, session.server);
  Tell(kit, check.message);
  // The offer keeps the progress window until it is answered.
  if (check.outcome != UpdateCheckResult::Outcome::kOffer) CloseProgress(session);
}

void AnswerUpdateOffer(KitContext& kit, UpdateSession& session, bool accepted) {
  if (kit.message != nullptr) CloseMessageWindow(*kit.message);
  if (!accepted || kit.folder == nullptr) {
    CloseProgress(session);
    if (kit.childScreen != nullptr) {
      SetActiveWindow(kit.childScreen);
      SetFocus(kit.childScreen);
    }
    return;
  }
  session.connecting = false;
  if (session.progress != nullptr) {
    InvalidateRect(session.progress, nullptr, TRUE);
    UpdateWindow(session.progress);
  }
  const UpdateDownloadResult download =
      DownloadUpdate(DownloaderOf(session), *kit.folder, session.server);
  if (!download.start) {
    if (download.message) Tell(kit, *download.message);
    CloseProgress(session);
    return;
  }
  CloseProgress(session);
  // The settings window goes too; the program itself runs on.
  if (kit.childScreen != nullptr) DestroyWindow(kit.childScreen);
  (session.startInstaller != nullptr ? session.startInstaller : ShellStart)(download.installer);
}

}  // namespace balancer
