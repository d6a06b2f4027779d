#include "records/win32/setup_screen_window.h"

#include "app/win32/kit/entry_window.h"

namespace balancer {

namespace {

constexpr int kButtonFontHeight = 20;
constexpr int kValueFontHeight = 22;

}  // namespace

bool SetupScreenWindow::HasRecords() const {
  return context().kit.settings != nullptr && context().kit.link != nullptr;
}

void SetupScreenWindow::Build(const DesignBox& client, DWORD style) {
  buttonFont_ = Font(kButtonFontHeight, 600);
  valueFont_ = Font(kValueFontHeight, 600);
  // The rows are laid out in client units; the frame comes around them.
  FitClient(client.width, client.height, style);
  if (!HasRecords()) return;
  for (const ScreenRow& row : CurrentRows()) {
    AddButton(row.id, row.label.c_str(), row.button.x, row.button.y, row.button.width,
              row.button.height, buttonFont_);
  }
}

void SetupScreenWindow::OnPaint(HDC dc) {
  if (!HasRecords()) return;
  HGDIOBJ old = SelectObject(dc, valueFont_);
  SetBkMode(dc, TRANSPARENT);
  for (const ScreenRow& row : CurrentRows()) {
    // Rows that came after the window was made have no button to sit by.
    if (row.value.empty() || GetDlgItem(hwnd(), row.id) == nullptr) continue;
    SetTextColor(dc, RGB(row.colour.r, row.colour.g, row.colour.b));
    RECT r = {S(row.valueBox.x), S(row.valueBox.y), S(row.valueBox.x + row.valueBox.width),
              S(row.valueBox.y + row.valueBox.height)};
    DrawTextA(dc, row.value.c_str(), -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  SelectObject(dc, old);
}

void SetupScreenWindow::OnCommand(int id) {
  if (!HasRecords()) {
    if (id == kExitButton) CloseAndWrite();
    return;
  }
  SetupRecords records{*context().kit.settings, *context().kit.link, context().kit.ui};
  CarryOut(PressButton(id, records));
}

void SetupScreenWindow::OnChar(int character) {
  const int id = ButtonForKey(character);
  if (id != 0) OnCommand(id);
}

bool SetupScreenWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  (void)lParam;
  (void)result;
  // Back from an entry window or a question: show what it changed.
  if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) InvalidateRect(hwnd(), nullptr, TRUE);
  return false;
}

void SetupScreenWindow::CarryOut(const SetupPress& press) {
  if (!press.handled) return;
  if (press.close) {
    CloseAndWrite();
    return;
  }
  const ScreenContext& c = context();
  if (press.recompute) {
    c.host.RecomputeAndRepaint();
  } else if (press.repaintMain) {
    c.host.Repaint(RepaintArea::kWholeMainWindow);
  }
  if (press.spinFaceChanged) c.host.SpeedControlChanged();
  if (press.writeSettings) c.host.SettingsChanged();
  if (press.changed) InvalidateRect(hwnd(), nullptr, TRUE);
  if (press.updateCheck) c.host.StartSoftwareUpdateCheck();
  if (press.openScreen != 0) c.host.OpenScreenOver(*this, press.openScreen);
  if (press.question && c.kit.ui != nullptr) {
    c.kit.actionCode = press.question->actionCode;
    c.kit.ui->ShowMessage(*press.question);
  }
  if (press.openEntry != 0) {
    BeforeEntry(press.openEntry);
    OpenEntryForField(c.kit, press.openEntry);
  }
}

void SetupScreenWindow::CloseAndWrite() {
  // The screen is gone after Close(); the host stays.
  ScreenHost& host = context().host;
  const bool write = HasRecords();
  Close();
  if (write) host.SettingsChanged();
}

}  // namespace balancer
