// Operator messages as data: every message, warning and question the program
// shows is built by portable code as an OperatorMessage and handed to the
// OperatorUi. The Win32 front end scales and opens its MessageWindow from it,
// the CLI prints it, tests compare it.
#pragma once

#include <cstdint>
#include <string>

namespace balancer {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// Colours the messages use.
constexpr Rgb kDarkBlueText{0, 0, 104};
constexpr Rgb kRedText{221, 0, 0};

// Beep types, the values MessageBeep takes.
enum : uint32_t {
  kBeepNone = 0,
  kBeepHand = 0x10,      // MB_ICONHAND
  kBeepAsterisk = 0x40,  // MB_ICONASTERISK
};

// Button modes of the MessageWindow.
enum : int {
  kOneButton = 0,   // button id 1 ("OK")
  kTwoButtons = 4,  // button ids 6 (yes) and 7 (no)
  kNoButton = 1,
};

// Answers that come back through ActionCode handling.
enum : int {
  kAnswerOk = 1,
  kAnswerYes = 6,
  kAnswerNo = 7,
};

struct OperatorMessage {
  int buttonMode = kOneButton;
  // Position and size in design units (1280 x 680); the front end multiplies
  // by ScreenScale.
  int x = 0, y = 0, width = 0, height = 0;
  // Font in design units; the message font is ARIAL 22 / weight 300.
  int fontHeight = 22;
  int fontWeight = 300;
  Rgb colour = kDarkBlueText;
  std::string caption;
  std::string text;  // Windows ANSI code page (degree sign is '\xB0')
  int firstButtonWidth = 60;
  std::string firstButtonText = "OK";
  int secondButtonWidth = 0;
  std::string secondButtonText;
  uint32_t beep = kBeepNone;
  // The ActionCode the opener sets before opening (0 for plain notices).
  int actionCode = 0;
};

// The common shape: one "OK" button 60 units wide, message font.
OperatorMessage MakeOkMessage(const std::string& caption, const std::string& text, Rgb colour,
                              uint32_t beep, int x, int y, int width, int height);

// Two-button question (button mode 4).
OperatorMessage MakeQuestion(const std::string& caption, const std::string& text, Rgb colour,
                             uint32_t beep, int x, int y, int width, int height,
                             const std::string& yesText, int yesWidth, const std::string& noText,
                             int noWidth, int actionCode);

}  // namespace balancer
