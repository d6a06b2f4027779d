#include "base/operator_message.h"

namespace balancer {

OperatorMessage MakeOkMessage(const std::string& caption, const std::string& text, Rgb colour,
                              uint32_t beep, int x, int y, int width, int height) {
  OperatorMessage m;
  m.buttonMode = kOneButton;
  m.caption = caption;
  m.text = text;
  m.colour = colour;
  m.beep = beep;
  m.x = x;
  m.y = y;
  m.width = width;
  m.height = height;
  return m;
}

OperatorMessage MakeQuestion(const std::string& caption, const std::string& text, Rgb colour,
                             uint32_t beep, int x, int y, int width, int height,
                             const std::string& yesText, int yesWidth, const std::string& noText,
                             int noWidth, int actionCode) {
  OperatorMessage m = MakeOkMessage(caption, text, colour, beep, x, y, width, height);
  m.buttonMode = kTwoButtons;
  m.firstButtonText = yesText;
  m.firstButtonWidth = yesWidth;
  m.secondButtonText = noText;
  m.secondButtonWidth = noWidth;
  m.actionCode = actionCode;
  return m;
}

}  // namespace balancer
