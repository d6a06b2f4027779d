#include "app/win32/kit/entry_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "app/field_store.h"
#include "app/keypad_layout.h"
#include "app/screen_scale.h"
#include "app/win32/kit/child_screen.h"
#include "app/win32/kit/design_font.h"
#include "base/field_table.h"
#include "base/help_file.h"
#include "base/win32/window_base.h"
#include "base/win32/window_class.h"

namespace balancer {

namespace {

constexpr UINT_PTR kCommitSubclassId = 1;

// The colour choice is the typewriter window's, for the company name only.
bool ShowsColourTiles(const EntryWindowState& entry) {
  return entry.kind == EntryKind::kText && entry.fieldCode == kFieldCompanyName;
}

std::string EditText(HWND edit) {
  int length = GetWindowTextLengthA(edit);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int got = GetWindowTextA(edit, &text[0], length + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

void ReleaseFonts(EntryWindowState& entry) {
  for (HFONT* font : {&entry.messageFont, &entry.editFont, &entry.keyFont}) {
    if (*font != nullptr) DeleteObject(*font);
    *font = nullptr;
  }
}

// The typed value goes to the field store; then the follow-up its outcome
// asks for, and the window closes.
void CommitNumber(KitContext& kit) {
  EntryWindowState& entry = kit.entry;
  entry.text = EditText(entry.edit);
  FieldStoreContext store{*kit.settings};
  store.ui = kit.ui;
  store.history = kit.history;
  ChildScreen* screen = OpenScreenOf(kit);
  store.calibration = screen != nullptr ? screen->Calibration() : nullptr;
  store.leftMoment = kit.leftMoment;
  store.rightMoment = kit.rightMoment;
  store.leftMeasured = kit.leftMeasured;
  store.rightMeasured = kit.rightMeasured;
  store.link = kit.link;
  store.correction = kit.correction;
  store.screen = screen != nullptr ? screen->EntryStore() : nullptr;
  store.radiusBoxSides = entry.boxSides;
  EntryCommit commit = CommitTypedEntry(entry.text, entry.fieldCode, store, *kit.folder);
  if (commit.outcome.stored) kit.actions->RecomputeAndRepaint();
  CloseEntryWindow(kit);
}

void CommitText(KitContext& kit) {
  EntryWindowState& entry = kit.entry;
  entry.text = EditText(entry.edit);
  const int code = entry.fieldCode;
  const std::string text = entry.text;
  CloseEntryWindow(kit);
  if (ChildScreen* screen = OpenScreenOf(kit)) screen->DeliverText(code, text);
}

// Reads the scale into the field being entered; a weight stored closes the
// window as Enter does, anything else leaves it open.
void TransferFromScale(KitContext& kit) {
  EntryWindowState& entry = kit.entry;
  if (entry.prompt != nullptr) ShowWindow(entry.prompt, SW_HIDE);
  ChildScreen* screen = OpenScreenOf(kit);
  if (screen == nullptr || !screen->TransferScale(entry.fieldCode)) return;
  kit.actions->RecomputeAndRepaint();
  CloseEntryWindow(kit);
}

LRESULT CALLBACK CommitProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR refData) {
  KitContext& kit = *reinterpret_cast<KitContext*>(refData);
  if (msg == WM_CHAR) {
    const EntryKind kind = kit.entry.kind;
    const bool multiLine = kind == EntryKind::kText || kind == EntryKind::kNote;
    if (wParam == VK_ESCAPE) {
      kit.entry.text.clear();
      if (kit.actionCode == kFieldFrontExternalText) kit.actionCode = 0;
      CloseEntryWindow(kit);
      return 0;
    }
    if (wParam == VK_RETURN && !multiLine) {
      if (GetWindowTextLengthA(edit) == 0) {
        CloseEntryWindow(kit);
      } else if (kind == EntryKind::kLine ||
                 (kind == EntryKind::kKeypad && KeypadTakesText(kit.entry.fieldCode))) {
        CommitText(kit);
      } else {
        CommitNumber(kit);
      }
      return 0;
    }
    if ((wParam == 'T' || wParam == 't') && ScaleOpen(kit) && ScaleKeyField(kit.entry.fieldCode) &&
        (kind == EntryKind::kNumber || kind == EntryKind::kKeypad)) {
      TransferFromScale(kit);
      return 0;
    }
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(edit, CommitProc, kCommitSubclassId);
  }
  return DefSubclassProc(edit, msg, wParam, lParam);
}

void OnButton(HWND hwnd, KitContext& kit, int id) {
  EntryWindowState& entry = kit.entry;
  switch (ClassifyEntryButton(id)) {
    case EntryButton::kType: {
      const int ch = TypedCharacter(id, entry.shift, entry.capsLock);
      entry.shift = false;
      SendMessageA(entry.edit, WM_CHAR, static_cast<WPARAM>(ch), 0);
      break;
    }
    case EntryButton::kCapsLock:
      entry.capsLock = !entry.capsLock;
      break;
    case EntryButton::kShift:
      entry.shift = true;
      break;
    case EntryButton::kClear:
      SetWindowTextA(entry.edit, "");
      break;
    case EntryButton::kCancel:
      if (kit.actionCode == kFieldFrontExternalText) kit.actionCode = 0;
      entry.text.clear();
      CloseEntryWindow(kit);
      break;
    case EntryButton::kHelp: {
      std::string topic = HelpTopic(entry.fieldCode);
      if (!topic.empty())
        ShellExecuteA(hwnd, "open", kHelpProgram, topic.c_str(), nullptr, SW_SHOWNORMAL);
      break;
    }
    case EntryButton::kTransfer:
      TransferFromScale(kit);
      break;
    case EntryButton::kNoteOk:
      CommitText(kit);
      break;
  }
  // The window may have closed (Enter, Cancel, a commit).
  if (entry.hwnd == hwnd && entry.edit != nullptr) SetFocus(entry.edit);
}

void OnPaint(HWND hwnd, KitContext& kit) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (ShowsColourTiles(kit.entry)) {
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
    for (int i = 0; i < 6; ++i) {
      SetDCBrushColor(dc, FontColour(i));
      FillRect(dc, &kit.entry.colourTiles[i], static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    SelectObject(dc, oldBrush);
    HGDIOBJ oldFont = SelectObject(dc, kit.entry.messageFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, FontColour(CurrentFontColour(kit)));
    const float s = kit.screenScale;
    TextOutA(dc, Scaled(160, s), Scaled(22, s), "Font Color", 10);
    SelectObject(dc, oldFont);
  }
  EndPaint(hwnd, &ps);
}

void OnColourClick(HWND hwnd, KitContext& kit, POINT point) {
  for (int i = 0; i < 6; ++i) {
    if (PtInRect(&kit.entry.colourTiles[i], point)) {
      // The colour is the settings' header text colour, kept in balsetup.dta.
      kit.settings->headerTextColor = i;
      if (ChildScreen* screen = OpenScreenOf(kit)) screen->FontColourChanged(i);
      InvalidateRect(hwnd, nullptr, TRUE);
      if (kit.entry.edit != nullptr) InvalidateRect(kit.entry.edit, nullptr, TRUE);
      if (kit.childScreen != nullptr) InvalidateRect(kit.childScreen, nullptr, TRUE);
      return;
    }
  }
}

// The entry window's state is the program's kit.
LRESULT HandleEntryWindow(HWND hwnd, KitContext& kit, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && reinterpret_cast<HWND>(lParam) != kit.entry.edit &&
          lParam != 0) {
        OnButton(hwnd, kit, LOWORD(wParam));
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
      if (ShowsColourTiles(kit.entry)) {
        OnColourClick(
            hwnd, kit,
            POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
      }
      break;
    case WM_CTLCOLOREDIT:
      if (ShowsColourTiles(kit.entry)) {
        SetTextColor(reinterpret_cast<HDC>(wParam), FontColour(CurrentFontColour(kit)));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
      }
      break;
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_PAINT:
      OnPaint(hwnd, kit);
      return 0;
    case WM_CLOSE:
      if (kit.entry.hwnd == hwnd) {
        CloseEntryWindow(kit);
      } else {
        DestroyWindow(hwnd);
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

COLORREF FontColour(int index) {
  static const COLORREF kColours[6] = {RGB(0, 0, 0),     RGB(255, 0, 0),  RGB(0, 136, 34),
                                       RGB(51, 51, 255), RGB(224, 96, 0), RGB(148, 32, 132)};
  return kColours[index >= 0 && index < 6 ? index : 1];
}

bool RegisterEntryWindowClass(HINSTANCE instance) {
  WindowClassInfo info;
  info.name = kEntryWindowClass;
  info.proc = StateWindowProc<KitContext, HandleEntryWindow>;
  info.background = GetSysColorBrush(COLOR_BTNFACE);
  info.style = CS_HREDRAW | CS_VREDRAW;
  return RegisterClassOnce(instance, info);
}

void CloseEntryWindow(KitContext& kit) {
  EntryWindowState& entry = kit.entry;
  if (entry.hwnd == nullptr) return;
  HWND hwnd = entry.hwnd;
  // The window focus goes back to: the child screen, else the main window.
  HWND back = kit.childScreen != nullptr ? kit.childScreen : kit.mainWindow;
  // A message opened during the commit took this window as its return
  // window; hand it the window that gets focus instead, still disabled, so
  // that closing the message gives it back.
  MessageWindowState& message = *kit.message;
  const bool messageHoldsBack = message.hwnd != nullptr && message.returnWindow == hwnd;
  if (messageHoldsBack) message.returnWindow = back;
  for (HWND& w : entry.disabled) {
    if (w != nullptr && IsWindow(w) && !(messageHoldsBack && w == back)) EnableWindow(w, TRUE);
    w = nullptr;
  }
  entry.hwnd = nullptr;
  entry.edit = entry.heading = entry.prompt = nullptr;
  entry.kind = EntryKind::kNone;
  entry.shift = entry.capsLock = false;
  // The next window starts empty unless its opener puts a text in.
  entry.text.clear();
  DestroyWindow(hwnd);
  ReleaseFonts(entry);
  const bool messageOpen = message.hwnd != nullptr;
  if (!messageOpen && back != nullptr && IsWindow(back)) {
    SetActiveWindow(back);
    SetFocus(back);
  }
}

HWND OpenEntryForField(KitContext& kit, int fieldCode) {
  kit.actionCode = fieldCode;
  kit.entry.text.clear();
  const bool touch = kit.settings->touchscreen == 1;
  return touch ? OpenKeypadEntry(kit, 302, 15) : OpenNumberEntry(kit, 402, 178);
}

namespace entry_detail {

HWND CreateEntryFrame(KitContext& kit, EntryKind kind, const char* title, int x, int y, int width,
                      int height) {
  EntryWindowState& entry = kit.entry;
  // One entry window at a time: a second open is refused, the first keeps
  // its typed text.
  if (entry.hwnd != nullptr) return nullptr;
  const float s = kit.screenScale;
  entry.kind = kind;
  entry.fieldCode = kit.actionCode;
  entry.boxSides = ValueBoxSides{};
  entry.shift = entry.capsLock = false;
  ReleaseFonts(entry);
  entry.messageFont = CreateDesignFont(22, 300, s);
  entry.editFont = CreateDesignFont(25, 600, s);
  entry.keyFont = CreateDesignFont(22, 600, s);
  DWORD style = WS_CAPTION | WS_VISIBLE;
  // The window is still empty here; it is shown once its children exist.
  style &= ~WS_VISIBLE;
  HWND hwnd = CreateWindowExA(WS_EX_LAYERED, kEntryWindowClass, title, style, Scaled(x, s),
                              Scaled(y, s), Scaled(width, s), Scaled(height, s), kit.mainWindow,
                              nullptr, kit.instance, &kit);
  if (hwnd == nullptr) {
    entry.kind = EntryKind::kNone;
    ReleaseFonts(entry);
    return nullptr;
  }
  SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA);
  entry.hwnd = hwnd;
  return hwnd;
}

HWND AddChild(KitContext& kit, const char* cls, const char* text, DWORD style, DWORD exStyle, int x,
              int y, int w, int h, int id, HFONT font) {
  const float s = kit.screenScale;
  HWND child =
      CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, Scaled(x, s), Scaled(y, s),
                      Scaled(w, s), Scaled(h, s), kit.entry.hwnd,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), kit.instance, nullptr);
  if (child != nullptr && font != nullptr) {
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  return child;
}

void AddHeadingAndHint(KitContext& kit, int width) {
  EntryWindowState& entry = kit.entry;
  const int code = entry.fieldCode;
  entry.heading = AddChild(kit, "STATIC", FieldLabel(code), SS_CENTER, 0, 8, 16, width - 24, 40, -1,
                           entry.messageFont);
  entry.prompt = AddChild(kit, "STATIC", FieldHint(code), SS_CENTER, 0, 11, kit.hintTop, width - 32,
                          144, -1, entry.messageFont);
}

void AttachCommit(KitContext& kit, HWND edit) {
  SetWindowSubclass(edit, CommitProc, kCommitSubclassId, reinterpret_cast<DWORD_PTR>(&kit));
}

void AddHelpAndTransfer(KitContext& kit, int helpX, int helpY, int transferX, int transferY) {
  const int code = kit.entry.fieldCode;
  if (HasHelpButton(code)) {
    AddChild(kit, "BUTTON", FieldLabel(kFieldHelp), 0, 0, helpX, helpY, 60, 34, kKeyHelp,
             kit.entry.messageFont);
  }
  if (ScaleOpen(kit) && ScaleButtonField(code)) {
    AddChild(kit, "BUTTON", FieldLabel(kFieldTransferFromScale), 0, 0, transferX, transferY, 240,
             38, kKeyTransfer, kit.entry.messageFont);
  }
}

bool RefusedBeforeSpin(KitContext& kit) {
  const int code = kit.actionCode;
  if (code != kFieldDesiredReadingLeft && code != kFieldDesiredReadingRight) return false;
  ChildScreen* screen = OpenScreenOf(kit);
  KnownWeightCalibration* calibration = screen != nullptr ? screen->Calibration() : nullptr;
  if (calibration == nullptr) return false;
  const bool takes = code == kFieldDesiredReadingLeft ? calibration->TakesLeft(kit.leftMeasured)
                                                      : calibration->TakesRight(kit.rightMeasured);
  if (takes) return false;
  kit.ui->ShowMessage(SpinFirstAlert());
  return true;
}

void Finish(KitContext& kit) {
  EntryWindowState& entry = kit.entry;
  HWND candidates[3] = {
      kit.childScreen, kit.mainWindow,
      (kit.screenCode == kScreenComponentEntry || kit.screenCode == kScreenSlugSize ||
       kit.screenCode == kScreenTolerance || kit.screenCode == kScreenPrintOptions)
          ? kit.listWindow
          : nullptr};
  // Only what was enabled is disabled here, so closing gives back no more
  // than it took (a child screen keeps the main window disabled itself).
  for (int i = 0; i < 3; ++i) {
    HWND w = candidates[i];
    entry.disabled[i] = nullptr;
    if (w != nullptr && IsWindow(w) && IsWindowEnabled(w)) {
      EnableWindow(w, FALSE);
      entry.disabled[i] = w;
    }
  }
  ShowWindow(entry.hwnd, SW_SHOW);
  SetActiveWindow(entry.hwnd);
  if (entry.edit != nullptr) SetFocus(entry.edit);
}

}  // namespace entry_detail

const char* EntryFieldLabel(int code) {
  return FieldLabel(code);
}

}  // namespace balancer
