// What a screen asks of the window that opened it. The main window implements
// it and hands it to every screen it opens; a screen includes this header and
// never the main window, and screens never know each other. Every call is
// made on the GUI thread and returns when done.
#pragma once

#include "base/operator_ui.h"

namespace balancer {

class ChildScreen;

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

  // "Print" of the Bobweight Calculation window: the bobweight card.
  virtual void PrintBobweightCard(ChildScreen& from) { (void)from; }
  // "Print" of the Unbalance History window: the shaft report.
  virtual void PrintShaftReport(ChildScreen& from) { (void)from; }
};

}  // namespace balancer
