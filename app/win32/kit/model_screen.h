// The one window over a portable screen model: it makes a button for each
// item with a place (a check box where the item says), draws the values and
// texts where the items say, and
// carries out every ScreenPress the model returns (repaints, recompute,
// settings, close, entry windows, screens over it, help, messages, typed
// texts, file dialogs, printing). A screen window gives its model's items
// and presses and only its own special drawing.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/win32/kit/child_screen.h"
#include "base/screen_model.h"

namespace balancer {

// How the values beside the buttons are drawn.
struct ModelScreenLook {
  int buttonFontHeight = 20;
  int valueFontHeight = 20;
  int valueFontWeight = 400;
};

class ModelScreen : public ChildScreen {
 public:
  explicit ModelScreen(const ScreenContext& context, ModelScreenLook look = {})
      : ChildScreen(context), look_(look) {}

  // The model's own fields, even none: a sub-screen's typed values never
  // reach the fields of the screen under it.
  ScreenEntryStore* EntryStore() override { return Store(); }
  // A typed name for the text entry this screen waits for goes to
  // NameEntered; any other text to the screen under it.
  void TextEntered(int actionCode, const std::string& text) override;

 protected:
  // The items as they stand now.
  virtual std::vector<ScreenItem> Items() const = 0;
  // A press of button `id`, a character key, and the close box or Esc.
  virtual ScreenPress Press(int id) = 0;
  virtual ScreenPress Key(int character) {
    (void)character;
    return ScreenPress{};
  }
  virtual ScreenPress CloseRequested() = 0;
  // What the model makes of a name typed on the keyboard, a file chosen in
  // the dialog (nothing: cancelled) and the answer to one of its questions.
  virtual ScreenPress NameEntered(const std::string& typed) {
    (void)typed;
    return ScreenPress{};
  }
  virtual ScreenPress FileChosen(const FileRequest& request,
                                 const std::optional<std::string>& path) {
    (void)request, (void)path;
    return ScreenPress{};
  }
  virtual ScreenPress Answered(int actionCode, bool accepted) {
    (void)actionCode, (void)accepted;
    return ScreenPress{};
  }
  // The model's own fields, or null.
  virtual ScreenEntryStore* Store() { return nullptr; }
  // The client area in design units to fit the window around; width 0
  // keeps the window's size.
  virtual DesignBox ClientBox() const { return DesignBox{}; }
  // Just before an entry window opens for `code`.
  virtual void BeforeEntry(int code) { (void)code; }
  // Opens the screen `code` over this one; the default asks the host.
  virtual void OpenOver(char code);
  // Extra drawing after the items (explanations, tables and the like).
  virtual void PaintMore(HDC dc) { (void)dc; }

  void OnCreate() override;
  void OnPaint(HDC dc) override;
  void OnCommand(int id) override { CarryOut(Press(id)); }
  void OnChar(int character) override { CarryOut(Key(character)); }
  void OnCloseRequest() override { CarryOut(CloseRequested()); }
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  // Carries out a decision of the model. False when the screen is gone.
  bool CarryOut(const ScreenPress& press);
  // This window and its child boxes.
  void RepaintAll();

  HFONT ButtonFont() const { return buttonFont_; }
  HFONT ValueFont() const { return valueFont_; }

 private:
  ModelScreenLook look_;
  HFONT buttonFont_ = nullptr;
  HFONT valueFont_ = nullptr;
  int nameCode_ = 0;  // the text entry this screen waits for, 0 for none
};

}  // namespace balancer
