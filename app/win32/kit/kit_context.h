// The dialogue kit's program-wide state: ActionCode, the open child screen,
// the one entry window, and the records a typed value or an answer reaches.
// The main window owns one KitContext for the whole run.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

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

struct KitContext {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  float screenScale = 1.0f;

  int actionCode = 0;          // ActionCode
  char screenCode = 0;         // letter of the open child screen, 0 for none
  HWND childScreen = nullptr;  // open child screen
  HWND listWindow = nullptr;   // the list window of the screens i, p, t and o

  MessageWindowState* message = nullptr;
  MainWindowActions* actions = nullptr;
  ScreenHost* screenHost = nullptr;  // what an open screen reaches the main window by

  MachineSettings* settings = nullptr;
  const ProgramFolder* folder = nullptr;
  OperatorUi* ui = nullptr;
  ControlLink* link = nullptr;
  History* history = nullptr;
  // The run's correction state (held holes and slugs follow drill and slug
  // entries).
  CorrectionState* correction = nullptr;
  double leftMoment = 0.0;  // current correction moments, for 127 and 128
  double rightMoment = 0.0;
  bool leftMeasured = false;  // the sides hold readings measured by a spin
  bool rightMeasured = false;

  // Which sides the radius boxes show the slug installation radius for.
  ValueBoxSides radiusBoxSides;

  int hintTop = 100;   // design units: top of the hint under the entry field
  int fontColour = 1;  // 0-5, the font colour setting (code 19)

  // The serial scale, while the bobweight screen has it open (whenever a
  // scale model is set, found or not); the open screen reads it
  // (ChildScreen::TransferScale).
  bool scaleOpen = false;
  // Test stand-ins for the common dialogs, used in place of them when set
  // (injection points, not routes: answers go to the open screen).
  // The open/save dialog.
  std::function<std::optional<std::string>(HWND owner, const FileRequest& request)>
      fileDialogStandIn;
  // The print dialog: a memory device context to print on, or nothing for a
  // cancel.
  std::function<std::optional<PrintDialogResult>(HWND owner, const PrintDialogRequest& request)>
      printDialogStandIn;

  EntryWindowState entry;
};

// The font colour in force: the settings' header text colour when the kit
// has the settings, else its own copy.
inline int CurrentFontColour(const KitContext& kit) {
  return kit.settings != nullptr ? kit.settings->headerTextColor : kit.fontColour;
}

}  // namespace balancer

namespace balancer {

// Registers the kit's window classes: "TextBoxClass", "entryclass" and
// "boxclass". Safe to call more than once.
bool RegisterKitWindowClasses(HINSTANCE instance);

}  // namespace balancer
