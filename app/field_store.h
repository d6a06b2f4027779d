// The field store: where a typed value goes, by ActionCode, for the machine
// settings, calibration, upright geometry, dimension preset and shaft
// condition fields. The entry window calls it after ReadTypedNumber and then
// carries out the follow-up the outcome asks for.
#pragma once

#include <string>

#include "app/value_box_text.h"
#include "base/machine_settings.h"
#include "base/operator_message.h"
#include "base/operator_ui.h"
#include "base/program_folder.h"
#include "base/screen_model.h"
#include "correction/correction_pass.h"
#include "device/control_link.h"
#include "records/history.h"
#include "records/side_files.h"

namespace balancer {

struct FieldStoreContext {
  MachineSettings& settings;
  OperatorUi* ui = nullptr;
  // The condition boxes (kFieldInitialConditionLeft..kFieldConditionRadiusRight) need the history;
  // null skips them.
  History* history = nullptr;
  // The desired readings (kFieldDesiredReadingLeft, -Right) need the calibration window's state and
  // the current correction moments (and the measured readings, below).
  KnownWeightCalibration* calibration = nullptr;
  double leftMoment = 0.0;
  double rightMoment = 0.0;
  // The option port type (kFieldOptionPortType) lives in the link; null skips it.
  ControlLink* link = nullptr;
  // The run's correction state: drill and slug entries reach the planned
  // holes and slugs (held holes, slug diameters, tip allowance). Null skips
  // those effects.
  CorrectionState* correction = nullptr;
  // The open child screen's own fields, asked first; may be null.
  ScreenEntryStore* screen = nullptr;
  // Whether each side holds a reading measured by a spin or loaded from
  // preload.txt: a desired reading needs one.
  bool leftMeasured = false;
  bool rightMeasured = false;
  // The sides whose main-screen radius box (kFieldRadiusLeft, -Right) showed the slug
  // installation radius when the entry opened: the entry edits that radius.
  // Clear for the radius boxes of other screens, which show the drill or
  // correction radius.
  ValueBoxSides radiusBoxSides;
};

struct FieldStoreOutcome {
  bool handled = false;        // the code is one of this store's fields
  bool stored = false;         // a value changed (or was re-limited)
  bool writeSettings = false;  // write balsetup.dta and balsetup.bak
  bool recompute = false;      // recompute the corrections and refresh the main window
};

// Display unit conversions of the settings' unit switches.
double LengthFactor(const MachineSettings& s);   // 1.0 or 25.4
double WeightDivisor(const MachineSettings& s);  // 1.0 or 28.349525

// Stores `value` (in display units) into the field `actionCode`, applies the
// field's limits and the range limiter. Unknown codes come back unhandled.
FieldStoreOutcome StoreFieldValue(int actionCode, double value, FieldStoreContext& context);

// What became of a typed entry.
struct EntryCommit {
  bool closeWindow = true;       // always, after Enter: stored, refused or empty
  FieldStoreOutcome outcome;     // what the store did
  bool settingsWritten = false;  // balsetup.dta and .bak were written
};

// Enter in an entry window: reads the typed text for the field, stores it and
// writes the settings files when the field belongs to them. The caller then
// recomputes and repaints as the outcome asks.
EntryCommit CommitTypedEntry(const std::string& text, int actionCode, FieldStoreContext& context,
                             const ProgramFolder& folder);

// The refusal of a desired reading without a measured one to calibrate
// against, or a second one in the same opening of the window.
OperatorMessage SpinFirstAlert();

}  // namespace balancer
