#include "records/win32/file_screen_window.h"

#include "app/win32/kit/entry_window.h"
#include "app/win32/kit/file_dialog.h"

namespace balancer {

namespace {

FileDialogRequest DialogOf(const FileRequest& r) {
  return FileDialogRequest{r.save,   r.title,       r.filterName, r.patterns, r.defaultExtension,
                           r.folder, r.proposedName};
}

}  // namespace

void FileScreenWindow::ListenForNames() {
  const HWND self = hwnd();
  // Looked up by window: the entry may outlive nothing, but a stale screen
  // must never be reached.
  context().kit.onTextEntered = [self](int code, const std::string& text) {
    auto* screen = dynamic_cast<FileScreenWindow*>(ChildScreenOf(self));
    if (screen == nullptr || code != screen->nameCode_) return;
    screen->nameCode_ = 0;
    screen->CarryOut(screen->NameEntered(text));
  };
}

void FileScreenWindow::OnDestroy() {
  context().kit.onTextEntered = nullptr;
}

bool FileScreenWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == kScreenAnswer) {
    CarryOut(Answered(static_cast<int>(wParam), lParam != 0));
    result = 0;
    return true;
  }
  // Back from an entry window: a box's value may have changed.
  if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) RepaintAll();
  return false;
}

void FileScreenWindow::RepaintAll() {
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool FileScreenWindow::CarryOut(const FileScreenPress& press) {
  if (!press.handled) return true;
  const ScreenContext c = context();
  if (press.recompute) {
    c.host.RecomputeAndRepaint();
  } else if (press.repaintMain) {
    c.host.Repaint(RepaintArea::kReadings);
  }
  if (press.close) {
    Close();
    if (press.writeSettings) c.host.SettingsChanged();
    return false;
  }
  if (press.writeSettings) c.host.SettingsChanged();
  if (press.repaint) RepaintAll();
  if (press.print) c.host.PrintShaftReport(*this);
  if (press.question && c.kit.ui != nullptr) {
    c.kit.actionCode = press.question->actionCode;
    c.kit.ui->ShowMessage(*press.question);
  }
  if (press.nameEntry) {
    nameCode_ = press.nameEntry->code;
    c.kit.actionCode = press.nameEntry->code;
    c.kit.entry.text = press.nameEntry->prefill;
    if (OpenTextEntry(c.kit, kNameEntryX, kNameEntryY, press.nameEntry->heading.c_str()) ==
        nullptr) {
      nameCode_ = 0;
    }
  }
  if (press.dialog) {
    const HWND self = hwnd();
    const std::optional<std::string> path = RunFileDialog(c.kit, self, DialogOf(*press.dialog));
    // The dialog ran its own message loop; the screen may be gone.
    if (ChildScreenOf(self) != this) return false;
    return CarryOut(FileChosen(*press.dialog, path));
  }
  return true;
}

}  // namespace balancer
