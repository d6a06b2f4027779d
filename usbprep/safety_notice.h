// The safety notice both installers end with: "WARNING" and nine lines the
// operator must read before the first spin.
#pragma once

#include <string>
#include <vector>

#include "base/operator_message.h"

namespace balancer {

// One text of a fixed-size installer window, in pixels of that window.
struct InstallerText {
  std::string text;
  int x = 0;  // the centre when `centred`, else the left edge
  int y = 0;
  bool centred = false;
  Rgb colour;
  int fontHeight = 24;  // one of the three bold ARIAL fonts: 28, 20, 24
};

constexpr Rgb kInstallerRed = kRedText;
constexpr Rgb kInstallerDarkBlue = kDarkBlueText;

// Fonts of the installer windows: bold ARIAL at these heights.
constexpr int kInstallerFontWeight = 600;
constexpr int kInstallerLargeFont = 28;
constexpr int kInstallerSmallFont = 20;
constexpr int kInstallerMediumFont = 24;

std::vector<InstallerText> SafetyNoticeTexts();

}  // namespace balancer
