#include "app/win32/zero_shaft_window.h"

#include <memory>

#include "app/zero_shaft.h"

namespace balancer {

namespace {

// Zeroes the shaft and recomputes; the caller's window may already be gone.
void ZeroAndRecompute(const ScreenContext& context, bool sync) {
  ZeroTheShaft(*context.kit.link, sync, context.left, context.right, context.zones);
  context.host.RecomputeAndRepaint();
}

class ZeroShaftScreen : public ChildScreen {
 public:
  using ChildScreen::ChildScreen;
  char Code() const override { return kZeroShaftScreenCode; }

 protected:
  void OnCreate() override {
    using L = ZeroShaftLayout;
    font_ = Font(L::kFontHeight, L::kFontWeight);
    AddButton(kZeroShaftZeroId, "&Zero", L::kZeroX, L::kButtonY, L::kButtonWidth, L::kButtonHeight,
              font_);
    AddButton(kZeroShaftSyncId, "&Sync", L::kSyncX, L::kButtonY, L::kButtonWidth, L::kButtonHeight,
              font_);
  }
  void OnCommand(int id) override { Press(ZeroShaftButton(id)); }
  void OnChar(int character) override { Press(ZeroShaftKey(character)); }

 private:
  void Press(ZeroShaftPress press) {
    if (press == ZeroShaftPress::kNone) return;
    const ScreenContext context = this->context();
    const int softZero = context.kit.link->SoftZeroActive;
    const ZeroShaftOutcome outcome = DecideZeroShaftPress(press, softZero);
    // Close first: the screen is gone after this line, the main window is
    // back, and what follows works on the context alone.
    Close();
    if (outcome.zero) ZeroAndRecompute(context, outcome.sync);
    if (outcome.syncMessage) context.kit.ui->ShowMessage(PhotoEyeSyncMessage());
  }

  HFONT font_ = nullptr;
};

}  // namespace

HWND OpenZeroShaftWindow(const ScreenContext& context) {
  if (!ZeroShaftNeedsWindow(context.zones)) {
    ZeroAndRecompute(context, false);
    return nullptr;
  }
  using L = ZeroShaftLayout;
  return OpenChildScreen(std::make_unique<ZeroShaftScreen>(context), "Zero Shaft Position",
                         WS_CAPTION | WS_SYSMENU, L::kX, L::kY, L::kWidth, L::kHeight);
}

}  // namespace balancer
