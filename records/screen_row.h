// What the settings screens (Machine Setup, Machine Calibration) decide for
// their windows: the rows of buttons with the value drawn beside each, and
// what a press changes. The windows only place and draw what is decided here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/machine_settings.h"
#include "base/operator_message.h"
#include "base/operator_ui.h"
#include "base/screen_model.h"
#include "device/control_link.h"

namespace balancer {

// Colours of the value texts beside the buttons.
constexpr Rgb kValueText{0, 0, 128};
constexpr Rgb kValueRedText{221, 0, 0};

// The close button both screens share.
constexpr int kExitButton = 141;

// Design units of the button column layout.
struct DesignBox {
  int x = 0, y = 0, width = 0, height = 0;
};

struct ScreenRow {
  int id = 0;         // field code, also the button's control id
  std::string label;  // the button text, with its access-key ampersand
  std::string value;  // drawn beside the button; "" for none
  Rgb colour = kValueText;
  bool enabled = true;  // false: a press does nothing now
  DesignBox button;     // inside the screen's client area
  DesignBox valueBox;   // where the value is drawn
};

// The effect of one press (or key) on a settings screen.
struct SetupPress {
  bool handled = false;    // the id is one of the screen's buttons
  bool changed = false;    // a shown value changed: repaint the screen
  int openEntry = 0;       // field code of the entry window to open, 0 for none
  bool recompute = false;  // recompute the corrections and repaint the main screen
  bool repaintMain = false;
  bool spinFaceChanged = false;  // the Spin / Acquire face of the main window follows
  bool writeSettings = false;    // write balsetup.dta and .bak now
  bool close = false;            // the screen closes (the settings are written then)
  bool updateCheck = false;      // "Update Software": the software update check
  char openScreen = 0;           // ScreenCode of a screen to open over this one, 0 for none
  // A question to ask; its actionCode is set. The answer comes back through
  // the message routing.
  std::optional<OperatorMessage> question;
  // Bytes sent to the control with the photo-eye / configuration command, in
  // order (for the operator's record and the tests).
  std::vector<int> sentBytes;
};

// The records a settings screen works on; the application owns them.
struct SetupRecords {
  MachineSettings& settings;
  ControlLink& link;
  OperatorUi* ui = nullptr;
};

// A press the screen knows that changes nothing (yet).
inline SetupPress HandledPress() {
  SetupPress press;
  press.handled = true;
  return press;
}

// The row with this id, or nullptr.
const ScreenRow* FindRow(const std::vector<ScreenRow>& rows, int id);

}  // namespace balancer
