// OperatorUi over the Win32 windows: messages open the MessageWindow,
// repaint requests invalidate the main window's areas.
#pragma once

#include <deque>

#include "app/win32/kit/message_window.h"
#include "app/win32/main_window.h"
#include "base/operator_ui.h"

namespace balancer {

class Win32OperatorUi : public OperatorUi {
 public:
  Win32OperatorUi(MainWindowState& main, MessageWindowState& message);

  // Opens the message, or, while another one is open, shows it once that one
  // has closed, so that no message goes unseen.
  void ShowMessage(const OperatorMessage& message) override;
  bool MessageWindowOpen() const override { return message_.open; }
  // Takes one message off the queue without dispatching it: a key, a click
  // or a touch on the spin button cancels.
  bool PollCancel() override;
  void ShowSpinStatus(int code) override;
  void DrawSpeedBar(int value) override;
  void RequestRepaint(RepaintArea area) override;
  void FocusMainWindow() override;

  size_t PendingMessages() const { return pending_.size(); }

 private:
  MainWindowState& main_;
  MessageWindowState& message_;
  std::deque<OperatorMessage> pending_;
};

}  // namespace balancer
