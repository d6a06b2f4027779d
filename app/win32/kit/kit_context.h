// The dialogue kit's program-wide state: ActionCode, the open child screen,
// the one entry window, and the services (records and the main window's
// actions) a typed value or an answer reaches. The program owns one
// KitContext for the whole run, made with all its services.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/proving_test.h"
#include "app/value_box_text.h"
#include "app/win32/kit/file_dialog.h"
#include "app/win32/kit/main_window_actions.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/kit/print_dialog.h"
#include "app/win32/kit/screen_host.h"
#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "base/program_folder.h"
#include "base/screen_model.h"
#include "correction/correction_pass.h"
#include "device/control_link.h"
#include "records/history.h"
#include "records/side_files.h"

namespace balancer {

enum class EntryKind { kNone, kNumber, kKeypad, kText, kLine, kNote };

// The one open entry window (class "entryclass") and its children.
struct EntryWindowState {
  EntryKind kind = EntryKind::kNone;
  HWND hwnd = nullptr;
  HWND edit = nullptr;
  HWND heading = nullptr;
  HWND prompt = nullptr;  // the hint
  std::string text;       // the entry text; also receives a scale reading
  int fieldCode = 0;      // ActionCode when the window opened
  // What the main screen's radius boxes showed when one of them opened this
  // window (clear for any other opener).
  ValueBoxSides boxSides;
  bool shift = false;
  bool capsLock = false;
  HFONT messageFont = nullptr;  // 22 / 300
  HFONT editFont = nullptr;     // 25 / 600
  HFONT keyFont = nullptr;      // the key faces
  // Windows disabled while the entry window is open (re-enabled on close).
  HWND disabled[3] = {nullptr, nullptr, nullptr};
  RECT colourTiles[6] = {};  // code 19: font colour tiles (client coordinates)
};

// What every window of the kit works with, for the kit's whole life: the
// run's records and what the main window does for the kit and its screens.
// Whoever makes the kit hands over all of them; none is optional.
struct KitServices {
  MachineSettings& settings;
  const ProgramFolder& folder;
  OperatorUi& ui;
  ControlLink& link;
  History& history;
  // The run's correction state (held holes and slugs follow drill and slug
  // entries).
  CorrectionState& correction;
  MessageWindowState& message;
  MainWindowActions& actions;
  ScreenHost& screenHost;  // what an open screen reaches the main window by
};

struct KitContext {
  explicit KitContext(const KitServices& services)
      : message(&services.message),
        actions(&services.actions),
        screenHost(&services.screenHost),
        settings(&services.settings),
        folder(&services.folder),
        ui(&services.ui),
        link(&services.link),
        history(&services.history),
        correction(&services.correction) {}

  HINSTANCE instance = nullptr;
  // The main window while it exists; null before it is made and once it is
  // gone (then `actions` and `screenHost` do nothing).
  HWND mainWindow = nullptr;
  float screenScale = 1.0f;

  int actionCode = 0;          // ActionCode
  char screenCode = 0;         // letter of the open child screen, 0 for none
  HWND childScreen = nullptr;  // open child screen
  HWND listWindow = nullptr;   // the list window of the screens i, p, t and o

  // The services, never null, fixed when the kit is made.
  MessageWindowState* const message;
  MainWindowActions* const actions;
  ScreenHost* const screenHost;
  MachineSettings* const settings;
  const ProgramFolder* const folder;
  OperatorUi* const ui;
  ControlLink* const link;
  History* const history;
  CorrectionState* const correction;
  double leftMoment = 0.0;  // current correction moments, for 127 and 128
  double rightMoment = 0.0;
  bool leftMeasured = false;  // the sides hold readings measured by a spin
  bool rightMeasured = false;

  // Which sides the radius boxes show the slug installation radius for.
  ValueBoxSides radiusBoxSides;

  int hintTop = 100;  // design units: top of the hint under the entry field

  // Test stand-in: entries offer Transfer From Scale without a screen that
  // has the scale open (the program asks the open screen,
  // ChildScreen::ScaleAvailable).
  bool scaleStandIn = false;
  // Test stand-ins for the common dialogs, used in place of them when set
  // (injection points, not routes: answers go to the open screen).
  // The open/save dialog.
  std::function<std::optional<std::string>(HWND owner, const FileRequest& request)>
      fileDialogStandIn;
  // The print dialog: a memory device context to print on, or nothing for a
  // cancel.
  std::function<std::optional<PrintDialogResult>(HWND owner, const PrintDialogRequest& request)>
      printDialogStandIn;

  // The demo build's stand-in for the operator's hands in the proving test:
  // before a step's spin the simulated machine fits (or takes off) the test
  // mass the step names; at the correction step (`plan` given) it carries
  // out the program's plan exactly. Unset in balancer.exe, where the
  // operator does it.
  std::function<void(const ProvingSetup& setup, const ProvingStep& step,
                     const CorrectionResult* plan)>
      provingStandIn;

  EntryWindowState entry;
};

// The font colour in force: the settings' header text colour.
inline int CurrentFontColour(const KitContext& kit) {
  return kit.settings->headerTextColor;
}

// The main window the kit was made for is gone (or not made yet): its
// actions and screen host do nothing.
inline bool MainWindowGone(const KitContext& kit) {
  return kit.mainWindow == nullptr;
}

}  // namespace balancer

namespace balancer {

// Registers the kit's window classes: "TextBoxClass", "entryclass" and
// "boxclass". Safe to call more than once.
bool RegisterKitWindowClasses(HINSTANCE instance);

}  // namespace balancer
