// The status field of the main window: the live shaft angle, or "No Hardware"
// while no control is connected.
#pragma once

#include <string>

namespace balancer {

// Design rectangle of the field and the anchor of its text (centred, bottom).
constexpr int kStatusFieldX = 464;
constexpr int kStatusFieldY = 84;
constexpr int kStatusFieldWidth = 212;
constexpr int kStatusFieldHeight = 67;
constexpr int kStatusTextX = 570;
constexpr int kStatusTextY = kStatusFieldY + 33;
constexpr int kStatusFontHeight = 27;
constexpr int kStatusFontWeight = 600;

// In single-plane mode the one dial sits in the middle under the field, so the
// field moves left with the logo (the logo's view offset), clear of the dial.
constexpr int kSinglePlaneStatusShift = -366;
inline int StatusFieldShift(bool twoPlane) { return twoPlane ? 0 : kSinglePlaneStatusShift; }

struct StatusFieldView {
  bool drawText = false;
  bool red = false;  // the quarter positions and "No Hardware" are red
  std::string text;  // ANSI; the degree sign is '\xB0'
};

// What the field shows. No text during a spin or while the shaft runs free
// (the speed display has the operator's attention then).
StatusFieldView DecideStatusField(bool connected, int angle, bool spinRunning, bool freeRun);

}  // namespace balancer
