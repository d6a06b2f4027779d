// What a screen asks of the window that opened it. The main window implements
// it and hands it to every screen it opens; a screen includes this header and
// never the main window, and screens never know each other. Every call is
// made on the GUI thread and returns when done.
#pragma once

#include "base/operator_ui.h"
#include "correction/correction_pass.h"
#include "measure/plane_reading.h"

namespace balancer {

class ChildScreen;

// A spin a screen asked for (the proving test): what the spin measured and
// what the correction pass makes of it, worked out on copies of the run's
// records, so the job, its history and the settings never see it.
struct ScreenSpin {
  bool completed = false;  // ran to its end: not failed, not cancelled
  PlaneReading left;
  PlaneReading right;
  CorrectionResult correction;  // only when completed
};

class ScreenHost {
 public:
  virtual ~ScreenHost() = default;

  // A value the corrections depend on has changed: recompute them and repaint
  // the main screen.
  virtual void RecomputeAndRepaint() = 0;

  // Repaints one area of the main screen.
  virtual void Repaint(RepaintArea area) = 0;

  // The settings were changed by the screen: write balsetup.dta and .bak now.
  // False when a file could not be written; the operator has been told.
  virtual bool SettingsChanged() = 0;

  // The screen's window is gone; the main window takes the focus back and
  // forgets the screen.
  virtual void ScreenClosed() = 0;

  // speedControl changed: the Spin button reads "Spin" in Auto and "Acquire"
  // otherwise.
  virtual void SpeedControlChanged() {}

  // "Update Software" in Machine Setup: the software update check. The
  // answer to its offer comes back through MainWindowActions::RunAnsweredAction.
  virtual void StartSoftwareUpdateCheck() {}

  // Opens the screen with ScreenCode `code` over `parent` (screens of other
  // subsystems, such as the calculators Machine Setup offers). False when
  // there is no such screen or its window could not be made.
  virtual bool OpenScreenOver(ChildScreen& parent, char code) {
    (void)parent, (void)code;
    return false;
  }

  // Spins as Spin / Acquire does (its progress, its cancel by any key or
  // click, its messages) for the screen that asks, then runs the correction
  // pass on copies. Nothing of the job changes: readings, corrections,
  // history, Save Initial / Final, settings and calibration stay. Blocks for
  // the spin; false (and `spin.completed` false) when the spin failed, was
  // cancelled or could not start.
  virtual bool SpinForScreen(ScreenSpin& spin) {
    spin = ScreenSpin{};
    return false;
  }

  // "Print" of the Bobweight Calculation window: the bobweight card.
  virtual void PrintBobweightCard(ChildScreen& from) { (void)from; }
  // "Print" of the Unbalance History window: the shaft report.
  virtual void PrintShaftReport(ChildScreen& from) { (void)from; }
};

}  // namespace balancer
