#include "app/win32/kit/model_screen.h"

#include "app/win32/kit/entry_window.h"
#include "app/win32/kit/file_dialog.h"
#include "base/help_file.h"
#include "base/win32/colour.h"

namespace balancer {

namespace {

HWND OpenNameEntry(KitContext& kit, const NameEntry& e) {
  switch (e.kind) {
    case TextEntryKind::kKeyboard:
      break;
    case TextEntryKind::kLine:
      return OpenLineEntry(kit, e.x, e.y, e.heading.c_str());
    case TextEntryKind::kNote:
      return OpenNoteEntry(kit, e.x, e.y, e.heading.c_str());
    case TextEntryKind::kKeypad:
      return OpenKeypadEntry(kit, e.x, e.y);
  }
  return OpenTextEntry(kit, e.x, e.y, e.heading.c_str());
}

void ShowChecked(HWND box, bool checked) {
  SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

void ModelScreen::OnCreate() {
  buttonFont_ = Font(look_.buttonFontHeight, 600);
  valueFont_ = Font(look_.valueFontHeight, look_.valueFontWeight);
  const DesignBox client = ClientBox();
  if (client.width > 0) FitClient(client.width, client.height, GetWindowLongA(hwnd(), GWL_STYLE));
  for (const ScreenItem& item : Items()) {
    if (item.id == 0 || item.place.width <= 0) continue;
    const DesignBox& p = item.place;
    HWND b = nullptr;
    if (item.checkBox) {
      b = CreateWindowExA(0, "BUTTON", item.label.c_str(), WS_CHILD | WS_VISIBLE | BS_CHECKBOX,
                          S(p.x), S(p.y), S(p.width), S(p.height), hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)),
                          context().kit.instance, nullptr);
      if (b != nullptr) SendMessageA(b, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), TRUE);
    } else {
      b = AddButton(item.id, item.label.c_str(), p.x, p.y, p.width, p.height, buttonFont_);
      // A face of two lines.
      if (b != nullptr && item.label.find('\n') != std::string::npos) {
        SetWindowLongPtrA(b, GWL_STYLE, GetWindowLongPtrA(b, GWL_STYLE) | BS_MULTILINE);
      }
    }
    if (b == nullptr) continue;
    if (item.checkBox) ShowChecked(b, item.checked);
    if (!item.shown) ShowWindow(b, SW_HIDE);
  }
}

void ModelScreen::TextEntered(int actionCode, const std::string& text) {
  if (nameCode_ == 0 || actionCode != nameCode_) {
    ChildScreen::TextEntered(actionCode, text);
    return;
  }
  nameCode_ = 0;
  CarryOut(NameEntered(text));
}

void ModelScreen::OnPaint(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ old = SelectObject(dc, valueFont_);
  for (const ScreenItem& item : Items()) {
    if (item.id == 0) {
      if (!item.shown) continue;
      const std::string line = item.value.empty() ? item.label : item.label + "  " + item.value;
      SetTextColor(dc, item.value.empty() ? RGB(0, 0, 104) : ColourRef(item.colour));
      TextOutA(dc, S(item.place.x), S(item.place.y), line.c_str(), static_cast<int>(line.size()));
      continue;
    }
    // Items without a button of their own (drawn by the window), and rows
    // that came after the window was made, have nothing to sit by.
    HWND button = GetDlgItem(hwnd(), item.id);
    if (item.place.width <= 0 || button == nullptr) continue;
    ShowWindow(button, item.shown ? SW_SHOW : SW_HIDE);
    if (item.checkBox) {
      ShowChecked(button, item.checked);
      continue;
    }
    if (!item.shown) continue;
    const std::string value = item.checked ? std::string("\x95 ") + item.value : item.value;
    if (value.empty()) continue;
    SetTextColor(dc, ColourRef(item.colour));
    const DesignBox& v = item.valueBox;
    if (v.width > 0 && v.height == 0) {
      TextOutA(dc, S(v.x), S(v.y), value.c_str(), static_cast<int>(value.size()));
    } else if (v.width > 0) {
      RECT r = {S(v.x), S(v.y), S(v.x + v.width), S(v.y + v.height)};
      DrawTextA(dc, value.c_str(), -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    } else {
      const DesignBox& p = item.place;
      TextOutA(dc, S(p.x + p.width + 10), S(p.y + p.height / 2 - 11), value.c_str(),
               static_cast<int>(value.size()));
    }
  }
  PaintMore(dc);
  SelectObject(dc, old);
}

bool ModelScreen::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == kScreenAnswer) {
    CarryOut(Answered(static_cast<int>(wParam), lParam != 0));
    result = 0;
    return true;
  }
  // Back from an entry window or a question: show what it changed.
  if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) RepaintAll();
  return false;
}

void ModelScreen::RepaintAll() {
  // Check boxes show their state at once, not at the next paint.
  for (const ScreenItem& item : Items()) {
    if (item.checkBox) ShowChecked(GetDlgItem(hwnd(), item.id), item.checked);
  }
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ModelScreen::OpenOver(char code) {
  context().host.OpenScreenOver(*this, code);
}

bool ModelScreen::CarryOut(const ScreenPress& press) {
  if (!press.handled) return true;
  // The context outlives the screen; a copy stays usable after Close().
  const ScreenContext c = context();
  // Closing first lets what the corrections report come up over the screen
  // underneath, and the settings are written after them with what they chose.
  if (press.close) Close();
  if (press.recompute) {
    c.host.RecomputeAndRepaint();
  } else if (press.repaintMain) {
    c.host.Repaint(RepaintArea::kWholeMainWindow);
  } else if (press.repaintReadings) {
    c.host.Repaint(RepaintArea::kReadings);
  }
  if (press.spinFaceChanged) c.host.SpeedControlChanged();
  if (press.writeSettings) c.host.SettingsChanged();
  if (press.close) return false;

  if (press.repaint) RepaintAll();
  if (press.updateCheck) c.host.StartSoftwareUpdateCheck();
  if (press.print) c.host.PrintShaftReport(*this);
  if (press.printCard) c.host.PrintBobweightCard(*this);
  if (press.openScreen != 0) OpenOver(press.openScreen);
  if (!press.helpTopic.empty()) {
    ShellExecuteA(nullptr, "open", kHelpProgram, press.helpTopic.c_str(), nullptr, SW_SHOWNORMAL);
  }
  if (press.message) {
    c.kit.actionCode = press.message->actionCode;
    c.kit.ui->ShowMessage(*press.message);
  }
  if (press.nameEntry) {
    const NameEntry& e = *press.nameEntry;
    nameCode_ = e.code;
    c.kit.actionCode = e.code;
    c.kit.entry.text = e.prefill;
    if (OpenNameEntry(c.kit, e) == nullptr) nameCode_ = 0;
  }
  if (press.entryCode != 0) {
    BeforeEntry(press.entryCode);
    OpenEntryForField(c.kit, press.entryCode);
  }
  if (press.dialog) {
    const HWND self = hwnd();
    const std::optional<std::string> path = RunFileDialog(c.kit, self, *press.dialog);
    // The dialog ran its own message loop; the screen may be gone.
    if (ChildScreenOf(self) != this) return false;
    return CarryOut(FileChosen(*press.dialog, path));
  }
  return true;
}

}  // namespace balancer
