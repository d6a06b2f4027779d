// The operator-facing seam. The core calls it to tell the operator something
// or to learn whether the operator wants to stop; the Win32 front end, the CLI
// and the test recorder implement it.
#pragma once

#include <string>
#include <vector>

#include "base/operator_message.h"

namespace balancer {

// Areas the core may ask to be redrawn.
enum class RepaintArea {
  kWholeMainWindow,    // e.g. after the control has gone ("No Hardware")
  kHardwareStatus,     // the area where "No Hardware" is shown
  kReadings,           // dials, amounts and corrections
  kCalibrationScreen,  // the open calibration screen (ScreenCode 'c')
};

class OperatorUi {
 public:
  virtual ~OperatorUi() = default;

  // Opens the MessageWindow for this message. Does not block: answers come
  // back later through the front end's ActionCode routing.
  virtual void ShowMessage(const OperatorMessage& message) = 0;

  // True while a MessageWindow is open (MessageWindowOpen).
  virtual bool MessageWindowOpen() const = 0;

  // Takes one input message off the queue without dispatching it; true when
  // it cancels a spin (key down, left click, touch on the spin button).
  // Called from the spin and acquisition loops; never blocks.
  virtual bool PollCancel() = 0;

  // Status line of the spin: 0 "Press Any Key To Cancel", 1 "Safety Check",
  // 2 blank, 3 "Acquiring Data", 4 "Adjusting Motor Power", 5 "Stabilizing".
  virtual void ShowSpinStatus(int code) = 0;

  // Speed bar: rpm, or the acquisition progress scaled to 1055.
  virtual void DrawSpeedBar(int value) = 0;

  // Asks for a redraw of an area; never blocks.
  virtual void RequestRepaint(RepaintArea area) = 0;

  // Gives keyboard focus back to the main window (after the brake pulse).
  virtual void FocusMainWindow() {}
};

// Records everything it is asked; used by the CLI and by tests. PollCancel
// answers from a script: cancelAfterPolls < 0 never cancels, otherwise the
// poll with that index (0-based) and every later one cancel.
class RecordingOperatorUi : public OperatorUi {
 public:
  void ShowMessage(const OperatorMessage& message) override { messages.push_back(message); }
  bool MessageWindowOpen() const override { return messageWindowOpen; }
  bool PollCancel() override {
    long index = polls++;
    return cancelAfterPolls >= 0 && index >= cancelAfterPolls;
  }
  void ShowSpinStatus(int code) override { statuses.push_back(code); }
  void DrawSpeedBar(int value) override { speedBar.push_back(value); }
  void RequestRepaint(RepaintArea area) override { repaints.push_back(area); }
  void FocusMainWindow() override { ++focusRequests; }

  std::vector<OperatorMessage> messages;
  std::vector<int> statuses;
  std::vector<int> speedBar;
  std::vector<RepaintArea> repaints;
  bool messageWindowOpen = false;
  long polls = 0;
  long cancelAfterPolls = -1;
  int focusRequests = 0;
};

}  // namespace balancer
