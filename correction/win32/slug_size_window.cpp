// The "Heavy Metal Size Selection" window (class "smsclass", ScreenCode "p"),
// opened over Heavy Metal Setup by its letter.
#include <memory>
#include <vector>

#include "app/win32/kit/model_screen.h"
#include "app/win32/kit/screen_registry.h"
#include "base/field_codes.h"
#include "correction/heavy_metal.h"
#include "correction/screen_ids.h"
#include "correction/slug_size_screen.h"

namespace balancer {

namespace {

constexpr const char* kSlugSizeWindowClass = "smsclass";

// Check boxes: three columns of eleven rows from (20, 20).
constexpr int kCheckX = 20;
constexpr int kCheckY = 20;
constexpr int kColumnStep = 220;
constexpr int kRowStep = 34;
constexpr int kCheckWidth = 200;
constexpr int kCheckHeight = 30;

class SlugSizeWindow : public ModelScreen {
 public:
  explicit SlugSizeWindow(const ScreenContext& context)
      : ModelScreen(context), model_(*context.kit.settings, context.correction) {}
  char Code() const override { return kScreenSlugSize; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }

  void OnCreate() override {
    ModelScreen::OnCreate();
    checkFont_ = Font(18, 400);
    for (const ScreenItem& item : model_.Items()) {
      const int index = item.id - kIdSlugSizeFirst;
      if (index < 0 || index >= kSlugTableSize) continue;
      const int x = kCheckX + SlugSizeScreen::ColumnOf(index) * kColumnStep;
      const int y = kCheckY + SlugSizeScreen::RowOf(index) * kRowStep;
      HWND box = CreateWindowExA(
          0, "BUTTON", item.label.c_str(), WS_CHILD | WS_VISIBLE | BS_CHECKBOX, S(x), S(y),
          S(kCheckWidth), S(kCheckHeight), hwnd(),
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), context().kit.instance, nullptr);
      if (box != nullptr) SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(checkFont_), TRUE);
    }
    SyncChecks();
  }
  // Check boxes and BS_CHECKBOX statics colour their background like the window.
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) {
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      if (background_ == nullptr) background_ = CreateSolidBrush(RGB(216, 220, 228));
      result = reinterpret_cast<LRESULT>(background_);
      return true;
    }
    if (msg == WM_NCDESTROY && background_ != nullptr) {
      DeleteObject(background_);
      background_ = nullptr;
    }
    return ModelScreen::OnMessage(msg, wParam, lParam, result);
  }
  ScreenPress Press(int id) override { return model_.Press(id); }
  ScreenPress Key(int character) override { return model_.Key(character); }
  ScreenPress CloseRequested() override { return model_.Press(kIdExit); }
  void OnCommand(int id) override {
    if (CarryOut(Press(id))) SyncChecks();
  }
  void OnChar(int character) override {
    if (CarryOut(Key(character))) SyncChecks();
  }

 private:
  void SyncChecks() {
    for (const ScreenItem& item : model_.Items()) {
      const int index = item.id - kIdSlugSizeFirst;
      if (index < 0 || index >= kSlugTableSize) continue;
      HWND box = GetDlgItem(hwnd(), item.id);
      if (box != nullptr) {
        SendMessageA(box, BM_SETCHECK, item.checked ? BST_CHECKED : BST_UNCHECKED, 0);
      }
    }
  }

  SlugSizeScreen model_;
  HFONT checkFont_ = nullptr;
  HBRUSH background_ = nullptr;
};

// Over the open screen, Heavy Metal Setup (the `parent` it is opened over).
HWND OpenSlugSizeWindow(const ScreenContext& context, ChildScreen* /*parent*/) {
  return OpenScreenOver(std::make_unique<SlugSizeWindow>(context), kSlugSizeWindowClass,
                        "Heavy Metal Size Selection", WS_CAPTION | WS_SYSMENU, 300, 70, 680, 550);
}

}  // namespace

REGISTER_SCREEN(kScreenSlugSize, OpenSlugSizeWindow);

}  // namespace balancer
