// The correction screens that take presses on the main screen's dials (Zone
// Setup, Adjust): a model screen with the dial press hook.
#pragma once

#include <windows.h>

#include "app/win32/kit/model_screen.h"
#include "correction/win32/dial_press_hook.h"
#include "device/control_commands.h"

namespace balancer {

// A correction screen that takes presses on the main screen's dials through
// the hook, which goes with the window on every way it closes (its own
// buttons, Esc, the close box, a screen opened in its place, the main window
// going).
class DialScreen : public ModelScreen {
 public:
  DialScreen(const ScreenContext& context, UINT pressMessage)
      : ModelScreen(context), pressMessage_(pressMessage) {}

 protected:
  // The shaft's angle now; 0 without the control.
  int ShaftPosition() const {
    ControlLink& link = *context().kit.link;
    return link.connected ? ReadShaftAngle(link) : 0;
  }
  // A question or an entry window waits for the operator.
  bool AnswerAwaited() const {
    const KitContext& kit = context().kit;
    return kit.entry.hwnd != nullptr || kit.message->hwnd != nullptr;
  }

  // A left press anywhere, in screen pixels, while the main window is there
  // and no question or entry window waits for an answer.
  virtual void OnDialPress(POINT screenPoint) = 0;

  void OnCreate() override {
    ModelScreen::OnCreate();
    DialPressHook::Install(hwnd(), pressMessage_);
  }
  void OnDestroy() override {
    DialPressHook::Remove(hwnd());
    ModelScreen::OnDestroy();
  }
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (msg == pressMessage_) {
      if (context().kit.mainWindow != nullptr && !AnswerAwaited()) {
        OnDialPress(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      }
      return true;
    }
    return ModelScreen::OnMessage(msg, wParam, lParam, result);
  }

 private:
  UINT pressMessage_;
};

}  // namespace balancer
