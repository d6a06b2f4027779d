// The program's own message window (class "TextBoxClass"): a caption, a text
// and one or two buttons, answered by click or key. At most one is open.
#pragma once

#include <windows.h>

#include <functional>

#include "base/operator_message.h"

namespace balancer {

struct MessageWindowState {
  HINSTANCE instance = nullptr;
  HWND owner = nullptr;  // the main window
  float screenScale = 1.0f;

  HWND hwnd = nullptr;
  HWND returnWindow = nullptr;  // disabled while the message is open
  HFONT font = nullptr;
  COLORREF textColour = RGB(0, 0, 104);
  HBRUSH bandBrush = nullptr;
  bool open = false;   // MessageWindowOpen
  int actionCode = 0;  // ActionCode of the question on display
  int lastAnswer = 0;  // 1 OK, 6 yes, 7 no; 0 before the first answer

  // Runs with the answer and the action code before the window closes.
  std::function<void(int answer, int actionCode)> onAnswer;
  // Runs once the window has closed (answered or not) and the return window
  // has been given back; not when a new message replaces it.
  std::function<void()> onClosed;
  bool replacing = false;
};

// Button ids and answers.
constexpr int kMessageOkId = 1;
constexpr int kMessageYesId = 6;
constexpr int kMessageNoId = 7;

bool RegisterMessageWindowClass(HINSTANCE instance);

// Opens the window for `message` (design units scaled here). A message
// already open is destroyed first (there is only ever one) and the window it
// had disabled becomes the new one's return window. Null when the window
// could not be made (the return window is then enabled again).
HWND OpenMessageWindow(MessageWindowState& state, const OperatorMessage& message);

// Closes the open message (if any) without an answer; the return window is
// enabled, activated and focused again.
void CloseMessageWindow(MessageWindowState& state);

// Answers as if the operator did (1, 6 or 7), then closes the window.
void AnswerMessageWindow(MessageWindowState& state, int answer);

// The answer a key gives: Enter 1, Y 6, N or Esc 7; 0 for other keys.
int MessageAnswerForKey(WPARAM virtualKey);

}  // namespace balancer
