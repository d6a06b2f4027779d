// What the dialogue kit asks of the main window once an answer or a typed
// value has been taken. The main window implements it; the kit's tests use a
// recorder. Every call is made on the GUI thread and returns when done.
#pragma once

namespace balancer {

class MainWindowActions {
 public:
  virtual ~MainWindowActions() = default;

  // Runs the main window's command `id` as if its button had been pressed
  // (135, Save Final, after the overwrite question was answered yes).
  virtual void SendCommand(int id) = 0;

  // Clears the "final condition saved" flag; called just before command 135
  // is sent again after the overwrite question.
  virtual void ClearFinalSaved() = 0;

  // Recomputes the corrections and repaints the main window's areas and the
  // open child screen. Called after a stored value, a toggled suspension and
  // a configuration loaded from the control.
  virtual void RecomputeAndRepaint() = 0;

  // Opens the calibration window (yes to the calibration warning, 23). The
  // window it opens becomes the kit's child screen.
  virtual void OpenCalibrationWindow() = 0;

  // Answers owned by screens of their own: print (11), presets (20),
  // software update (180, also `accepted` false to close the update screen)
  // and zone (316). The kit has already closed the message.
  virtual void RunAnsweredAction(int actionCode, bool accepted) {
    (void)actionCode;
    (void)accepted;
  }

  // The bobweight screen's answers: save its file (yes/OK) or drop its
  // pending result (any other answer).
  virtual void BobweightAnswer(bool save) { (void)save; }
};

}  // namespace balancer
