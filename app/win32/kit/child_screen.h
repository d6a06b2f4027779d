// The setup and job screens. Each is a window of the one class "childclass"
// whose procedure keeps the screen object handed over at creation, passes the
// window's messages to its On... handlers and deletes it when the window is
// gone. A new screen is a ChildScreen subclass in its own file (its state and
// its handlers) over a portable model: copy the Zero Shaft Position window.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/win32/kit/kit_context.h"
#include "app/win32/kit/screen_host.h"
#include "bobweight/bobweight_card.h"
#include "correction/correction_pass.h"
#include "correction/zones.h"
#include "measure/plane_reading.h"

namespace balancer {

// What the main window hands every screen it opens: the kit (instance,
// scale, settings, control, folder, operator UI, message window), the host
// the screen reaches the main window by, and the run's measurement records.
struct ScreenContext {
  KitContext& kit;
  ScreenHost& host;
  PlaneReading& left;
  PlaneReading& right;
  CorrectionZones& zones;
  CorrectionState& correction;
  const CorrectionResult& result;
  const int& indicatorReading;  // the option encoder, as the main window's timer read it
  // The bobweight job of the run (null in windows opened without one).
  BobweightCard* card = nullptr;
  RodPistonSet* rodPistonSet = nullptr;
  // The name of the dimension preset in use (null in windows opened without
  // one).
  std::string* presetName = nullptr;
};

// Sent by the main window to the open screen after each timer tick, so a
// screen can follow live values (the shaft angle, the indicator reading).
constexpr UINT kScreenLiveUpdate = WM_APP + 20;

// Sent by the main window to the open screen when a question the screen asked
// was answered and the message has closed: wParam the ActionCode, lParam 1
// when accepted (yes, or OK where the question takes it), else 0.
constexpr UINT kScreenAnswer = WM_APP + 21;

class ChildScreen {
 public:
  explicit ChildScreen(const ScreenContext& context) : context_(context) {}
  // Deletes the fonts of Font(); the window and its controls are gone by then.
  virtual ~ChildScreen();
  ChildScreen(const ChildScreen&) = delete;
  ChildScreen& operator=(const ChildScreen&) = delete;

  // The screen's ScreenCode letter, set while it is open.
  virtual char Code() const = 0;

  HWND hwnd() const { return hwnd_; }
  const ScreenContext& context() const { return context_; }

  // Closes the window; the screen object is deleted with it.
  void Close();

  // What the kit asks of the open screen (kit.childScreen), the one route by
  // which an answer reaches the screen that asked. The defaults hand the
  // question to the screen under this one (a sub-screen works on its parent's
  // job), else it is nobody's business.
  // A text or note entry ended with `text` (ActionCode `actionCode`).
  virtual void TextEntered(int actionCode, const std::string& text);
  // The screen's own value for the value box of field `code`; false: not its
  // field.
  virtual bool BoxText(int code, std::string& text);
  // Transfer From Scale: one weight read into field `fieldCode` as a typed
  // value would go; false when nothing was stored.
  virtual bool TransferScale(int fieldCode);
  // The serial scale is open for Transfer From Scale (the bobweight screen,
  // whenever a scale model is set, found or not).
  virtual bool ScaleAvailable() const {
    const ChildScreen* under = Under();
    return under != nullptr && under->ScaleAvailable();
  }
  // Code 19: the font colour changed.
  virtual void FontColourChanged(int colourIndex);
  // The screen's own fields that typed values may go to, or null.
  virtual ScreenEntryStore* EntryStore();
  // The known-weight calibration the desired readings (127, 128) work on,
  // or null.
  virtual KnownWeightCalibration* Calibration();

  // A question asked for this screen (the print job name): the next text
  // entry of `actionCode` goes to `answered` instead of TextEntered. Asking
  // again replaces a question still open (one ended with Esc).
  void AwaitText(int actionCode, std::function<void(const std::string&)> answered);
  // Hands a finished text entry to the question waiting for it, else to
  // TextEntered. Any text ends a waiting question: one entry at a time.
  void DeliverText(int actionCode, const std::string& text);
  bool AwaitsText() const { return static_cast<bool>(awaited_); }

 protected:
  // Called once the window exists (children are made here).
  virtual void OnCreate() {}
  virtual void OnPaint(HDC dc) { (void)dc; }
  // A button (id) was pressed.
  virtual void OnCommand(int id) { (void)id; }
  // A character key (already what WM_CHAR carries; upper-case it to compare).
  virtual void OnChar(int character) { (void)character; }
  // Esc and the system menu's Close both end here; the default closes.
  virtual void OnCloseRequest() { Close(); }
  virtual void OnLiveUpdate() {}
  // The window is about to go: release what OnCreate made. The kit then
  // tells the host, gives the main window back and deletes the screen.
  virtual void OnDestroy() {}
  // Anything else; return true when handled (then `result` is returned).
  virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)msg, (void)wParam, (void)lParam, (void)result;
    return false;
  }

  float scale() const { return context_.kit.screenScale; }
  int S(double design) const;  // a design value in pixels
  // A push button (BUTTON with a client edge) in design units, in `font`.
  HWND AddButton(int id, const char* text, int x, int y, int width, int height, HFONT font);
  // A font of `designHeight` design units, kept until the screen is deleted.
  HFONT Font(int designHeight, int weight);
  // Sizes the window (of `style`) so that its client area is `width` by
  // `height` design units; its place stays.
  void FitClient(int width, int height, DWORD style);

 private:
  friend LRESULT HandleChildScreen(HWND, ChildScreen&, UINT, WPARAM, LPARAM);
  friend HWND OpenScreenWindow(std::unique_ptr<ChildScreen>, ChildScreen*, const char*, const char*,
                               DWORD, int, int, int, int);
  friend HWND OpenScreenOver(std::unique_ptr<ChildScreen>, const char*, const char*, DWORD, int,
                             int, int, int);

  // The screen this one was opened over, or null.
  ChildScreen* Under() const;

  ScreenContext context_;
  HWND hwnd_ = nullptr;
  // Set while the window is being made: told at WM_NCCREATE that the window
  // owns the screen from then on (and frees it even if creation fails).
  bool* takenByWindow_ = nullptr;
  int awaitedCode_ = 0;
  std::function<void(const std::string&)> awaited_;
  std::vector<HFONT> fonts_;
  bool closing_ = false;
  // A screen opened over another screen gives that one back when it goes.
  HWND parent_ = nullptr;
  char parentCode_ = 0;
};

// Registers "childclass" (background (216,220,228)). Safe to call again.
bool RegisterChildScreenClass(HINSTANCE instance);

// Opens the screen: a layered "childclass" window with `title` and `style`,
// owned by the main window, at (x, y) with size (width, height) in design
// units, alpha 255. The window owns the screen from then on. The kit's
// ScreenCode and child screen are set, the main window is disabled, and the
// window is shown, activated and focused. Null when the window could not be
// made (the screen is deleted).
HWND OpenChildScreen(std::unique_ptr<ChildScreen> screen, const char* title, DWORD style, int x,
                     int y, int width, int height);

// Opens a screen over `parent` (a window the parent screen opens, such as
// Tolerance Calculation over Machine Setup): owned by and disabling the
// parent instead of the main window. While it is open the kit's ScreenCode
// and child screen are its own; when it closes they are the parent's again
// and the parent is enabled and activated. Null when the window could not be
// made (the screen is deleted).
HWND OpenSubScreen(ChildScreen& parent, std::unique_ptr<ChildScreen> screen, const char* title,
                   DWORD style, int x, int y, int width, int height);
// OpenSubScreen over `parent` when there is one, else OpenChildScreen.
HWND OpenScreenOn(ChildScreen* parent, std::unique_ptr<ChildScreen> screen, const char* title,
                  DWORD style, int x, int y, int width, int height);
// Registers a window class of its own for screens opened over another one
// (the same procedure and background as "childclass"). Safe to call again.
bool RegisterScreenClass(HINSTANCE instance, const char* className);

// Opens `screen` over the open child screen, in a window of `className`
// (registered with RegisterScreenClass) owned by that screen. The screen
// under it stays open but disabled; this one is the kit's child screen and
// ScreenCode until it closes, then the one under it is again, enabled,
// activated and repainted. Without an open child screen it opens like
// OpenChildScreen. Null when the window could not be made.
HWND OpenScreenOver(std::unique_ptr<ChildScreen> screen, const char* className, const char* title,
                    DWORD style, int x, int y, int width, int height);

// The open screen of a "childclass" window, or null.
ChildScreen* ChildScreenOf(HWND hwnd);
// The kit's open child screen, or null.
ChildScreen* OpenScreenOf(const KitContext& kit);
// Transfer From Scale is offered: the open screen has the scale (or a test
// says so through the kit).
inline bool ScaleOpen(const KitContext& kit) {
  const ChildScreen* screen = OpenScreenOf(kit);
  return kit.scaleStandIn || (screen != nullptr && screen->ScaleAvailable());
}

}  // namespace balancer
