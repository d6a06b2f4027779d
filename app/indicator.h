// The Indicator: the option encoder's linear position (the drill or boring
// head's depth) as a number and against a ruler, with the planned depths of
// one side, and its Zero. Opened with the Indicator command or the C key
// while an option encoder is present.
#pragma once

#include <string>
#include <vector>

#include "base/field_codes.h"
#include "base/machine_settings.h"
#include "base/operator_message.h"
#include "correction/correction_pass.h"

namespace balancer {

constexpr char kIndicatorScreenCode = kScreenIndicator;
constexpr int kIndicatorLeftId = kFieldIndicatorLeft;
constexpr int kIndicatorRightId = kFieldIndicatorRight;
constexpr int kIndicatorZeroId = 51;          // "&Zero"
constexpr int kIndicatorExitId = kFieldExit;  // "&Exit"
// The control's word for "no valid position".
constexpr int kIndicatorError = -32768;

// Design units. The window is as wide as its two button columns need.
struct IndicatorLayout {
  static constexpr int kWidth = 168, kHeight = 381;
  static constexpr int kTwoPlaneX = 485;  // y: just below the status field
  static constexpr int kSinglePlaneX = 710, kSinglePlaneY = 80;
  static constexpr int kRulerLeft = 21, kRulerTop = 51, kRulerRight = 61, kRulerBottom = 245;
  static constexpr int kButtonWidth = 64, kButtonHeight = 35;
  static constexpr int kLeftX = 10, kRightX = 93, kSideY = 8, kZeroY = 312;
  static constexpr int kReadingX = 85, kReadingY = 278;
  static constexpr int kCaptionY = 250;
  static constexpr int kLeftTextX = 66, kRightTextX = 158;  // depth texts
};

// Where the window opens (design units).
struct IndicatorPlace {
  int x, y;
};
IndicatorPlace IndicatorPlaceFor(bool twoPlaneMode);

enum class IndicatorPress { kNone, kLeft, kRight, kZero, kExit };
// Keys L and R only in two-plane mode (the buttons exist only there).
IndicatorPress IndicatorKey(int character, bool twoPlaneMode);
IndicatorPress IndicatorButton(int id, bool twoPlaneMode);

// The side shown at opening: the left one in two-plane mode, else the right.
int InitialIndicatorSide(bool twoPlaneMode);  // 1 left, 0 right

// The reading in the fine length format ("%1.3f\"" or "%1.1fmm"), or
// "ERROR" for the control's error word.
std::string IndicatorReadingText(int reading, const MachineSettings& settings);
// Counts to inches; 0 when the resolution is not a usable number.
double IndicatorInches(int reading, double countsPerInch);

// The planned depths of one side, inches, deepest last: the drill's hole
// depths, or the slugs' lengths with the depths of the holes that drill away
// their remainder; each depth once.
std::vector<double> PlannedDepths(const SideCorrection& side);

struct IndicatorMark {
  int y = 0;  // design units
  std::string text;
};
struct IndicatorTick {
  int y = 0;
  bool major = false;
};

// Everything painted in the window.
struct IndicatorView {
  std::string caption = "Absolute Position";
  std::string readingText;
  bool error = false;  // "ERROR" in red; otherwise green (0,128,0)
  bool pointerShown = false;
  int pointerY = 0;
  double fullScale = 1.0;  // inches at the ruler's foot
  std::string fullScaleText;
  std::vector<IndicatorTick> ticks;
  std::vector<IndicatorMark> marks;  // the planned depths
  bool rightAligned = false;         // right side: texts end at kRightTextX
};
IndicatorView BuildIndicatorView(int reading, const MachineSettings& settings,
                                 const SideCorrection& side, int indicatorSide);

}  // namespace balancer
