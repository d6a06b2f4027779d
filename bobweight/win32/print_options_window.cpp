#include "bobweight/win32/print_options_window.h"

#include <cstring>
#include <memory>

#include "app/win32/kit/file_dialog.h"
#include "app/win32/kit/value_box.h"
#include "bobweight/bobweight_files.h"
#include "bobweight/bobweight_screen.h"

namespace balancer {

namespace {

struct Layout {
  static constexpr int kX = 290, kY = 60, kWidth = 700, kHeight = 580;
  static constexpr int kLabelX = 24, kLeftBoxX = 280, kRightBoxX = 460, kBoxW = 160, kBoxH = 40;
  static constexpr int kHeadY = 196;
  static constexpr int kRowY[5] = {228, 284, 340, 396, 452};
};

class PrintOptionsScreen : public ChildScreen {
 public:
  using ChildScreen::ChildScreen;
  char Code() const override { return kPrintOptionsScreenCode; }

 protected:
  void OnCreate() override {
    using L = Layout;
    font_ = Font(20, 600);
    AddButton(kPrintLeftImage, "Left Print Image", 24, 16, 200, 56, font_);
    AddButton(kPrintRightImage, "Right Print Image", 244, 16, 200, 56, font_);
    HWND banner = AddButton(kPrintBottomBanner, "Bottom\nPrint Banner", 464, 16, 200, 56, font_);
    SetWindowLongPtrA(banner, GWL_STYLE, GetWindowLongPtrA(banner, GWL_STYLE) | BS_MULTILINE);
    const int checks[] = {kPrintMultiplePartData, kPrintForceTable};
    const char* texts[] = {"Print Multiple Part Data", "Print Force at RPM Table"};
    for (int i = 0; i < 2; ++i) {
      HWND box = CreateWindowExA(0, "BUTTON", texts[i], WS_CHILD | WS_VISIBLE | BS_CHECKBOX, S(24),
                                 S(90 + 40 * i), S(400), S(32), hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(checks[i])),
                                 context().kit.instance, nullptr);
      SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    }
    SyncChecks();
    const auto& codes = PrintOptionBoxCodes();
    CreateValueBox(hwnd(), codes[0], L::kLeftBoxX, L::kRowY[0], L::kBoxW, L::kBoxH, scale());
    CreateValueBox(hwnd(), codes[1], L::kRightBoxX, L::kRowY[0], L::kBoxW, L::kBoxH, scale());
    CreateValueBox(hwnd(), codes[2], L::kLeftBoxX, L::kRowY[1], L::kBoxW, L::kBoxH, scale());
    CreateValueBox(hwnd(), codes[3], L::kRightBoxX, L::kRowY[1], L::kBoxW, L::kBoxH, scale());
    for (int i = 4; i < 7; ++i) {
      CreateValueBox(hwnd(), codes[i], L::kLeftBoxX, L::kRowY[i - 2], L::kBoxW, L::kBoxH, scale());
    }
    AddButton(kPrintSaveChanges, "Save Changes", 460, 400, 180, 40, font_);
    AddButton(kPrintExit, "Exit", 460, 460, 180, 40, font_);
  }

  void OnPaint(HDC dc) override {
    using L = Layout;
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, font_);
    SetTextColor(dc, RGB(0, 0, 104));
    Text(dc, L::kLeftBoxX + 50, L::kHeadY, "Left");
    Text(dc, L::kRightBoxX + 50, L::kHeadY, "Right");
    const char* labels[] = {"Initial Shaft Condition", "Final Shaft Condition", "Left Radius",
                            "Right Radius", "Tolerance"};
    for (int i = 0; i < 5; ++i) Text(dc, L::kLabelX, L::kRowY[i] + 8, labels[i]);
    SelectObject(dc, old);
  }

  void OnCommand(int id) override {
    const ScreenContext c = context();
    MachineSettings& settings = *c.kit.settings;
    const PrintOptionsDecision d = PrintOptionsPress(id, settings);
    if (d.chooseImage) {
      const std::optional<std::string> path = RunFileDialog(c.kit, hwnd(), PrintImageRequest());
      if (path) StorePrintImage(id, *path, settings);
    }
    if (d.repaint) SyncChecks();
    if (d.save && c.card != nullptr && c.rodPistonSet != nullptr && !c.card->jobName.empty()) {
      SaveCardSilently(*c.card, *c.rodPistonSet, settings.bobweightFolder, c.kit.ui);
    }
    if (d.close) OnCloseRequest();
  }

  void OnCloseRequest() override {
    const ScreenContext c = context();
    Close();
    c.host.SettingsChanged();
  }

  // A box entry committed: the boxes show the new values.
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT&) override {
    if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
      RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return false;
  }

 private:
  void Text(HDC dc, int x, int y, const char* text) {
    TextOutA(dc, S(x), S(y), text, static_cast<int>(strlen(text)));
  }
  void SyncChecks() {
    for (int id : {kPrintMultiplePartData, kPrintForceTable}) {
      SendDlgItemMessageA(
          hwnd(), id, BM_SETCHECK,
          PrintOptionChecked(id, *context().kit.settings) ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }

  HFONT font_ = nullptr;
};

}  // namespace

HWND OpenPrintOptionsWindow(ChildScreen& parent) {
  const ScreenContext& c = parent.context();
  if (c.kit.settings == nullptr || c.card == nullptr) return nullptr;
  using L = Layout;
  return OpenSubScreen(parent, std::make_unique<PrintOptionsScreen>(c), "Bobweight Print Options",
                       WS_CAPTION | WS_SYSMENU, L::kX, L::kY, L::kWidth, L::kHeight);
}

}  // namespace balancer
