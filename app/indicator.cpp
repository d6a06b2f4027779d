#include "app/indicator.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "app/status_field.h"
#include "base/unit_text.h"

namespace balancer {

IndicatorPlace IndicatorPlaceFor(bool twoPlaneMode) {
  if (twoPlaneMode) return {IndicatorLayout::kTwoPlaneX, kStatusFieldY + kStatusFieldHeight + 6};
  return {IndicatorLayout::kSinglePlaneX, IndicatorLayout::kSinglePlaneY};
}

IndicatorPress IndicatorKey(int character, bool twoPlaneMode) {
  switch (std::toupper(character & 0xFF)) {
    case 'L':
      return twoPlaneMode ? IndicatorPress::kLeft : IndicatorPress::kNone;
    case 'R':
      return twoPlaneMode ? IndicatorPress::kRight : IndicatorPress::kNone;
    case 'Z':
      return IndicatorPress::kZero;
    case 'E':
      return IndicatorPress::kExit;
    default:
      return IndicatorPress::kNone;
  }
}

IndicatorPress IndicatorButton(int id, bool twoPlaneMode) {
  switch (id) {
    case kIndicatorLeftId:
      return twoPlaneMode ? IndicatorPress::kLeft : IndicatorPress::kNone;
    case kIndicatorRightId:
      return twoPlaneMode ? IndicatorPress::kRight : IndicatorPress::kNone;
    case kIndicatorZeroId:
      return IndicatorPress::kZero;
    case kIndicatorExitId:
      return IndicatorPress::kExit;
    default:
      return IndicatorPress::kNone;
  }
}

int InitialIndicatorSide(bool twoPlaneMode) {
  return twoPlaneMode ? 1 : 0;
}

double IndicatorInches(int reading, double countsPerInch) {
  if (!std::isfinite(countsPerInch) || countsPerInch <= 0.0) return 0.0;
  return reading / countsPerInch;
}

std::string IndicatorReadingText(int reading, const MachineSettings& settings) {
  if (reading == kIndicatorError) return "ERROR";
  return LengthText(IndicatorInches(reading, settings.optionEncoderResolution), settings.lengthUnit,
                    true);
}

std::vector<double> PlannedDepths(const SideCorrection& side) {
  std::vector<double> depths;
  if (side.method == CorrectionMethod::kDrill) {
    for (const DrillHole& hole : side.drill.holes) {
      if (hole.diameter > 0.0 && hole.depth > 0.0) depths.push_back(hole.depth);
    }
  } else if (side.method == CorrectionMethod::kSlug) {
    for (const SlugRecord& slug : side.slugs.slugs) {
      if (slug.diameter > 0.0 && slug.length > 0.0) depths.push_back(slug.length);
    }
    // The remainder is drilled in the same run, with the same head.
    if (!side.remainderText.empty() && !side.remainder.capacityOverflow) {
      for (const DrillHole& hole : side.remainder.holes) {
        if (hole.diameter > 0.0 && hole.depth > 0.0) depths.push_back(hole.depth);
      }
    }
  }
  std::sort(depths.begin(), depths.end());
  // Depths that print alike are one mark.
  depths.erase(std::unique(depths.begin(), depths.end(),
                           [](double a, double b) { return std::fabs(a - b) < 0.0005; }),
               depths.end());
  return depths;
}

IndicatorView BuildIndicatorView(int reading, const MachineSettings& settings,
                                 const SideCorrection& side, int indicatorSide) {
  using L = IndicatorLayout;
  IndicatorView view;
  view.readingText = IndicatorReadingText(reading, settings);
  view.error = reading == kIndicatorError;
  view.rightAligned = indicatorSide == 0;

  const std::vector<double> depths = PlannedDepths(side);
  const double inches =
      view.error ? 0.0 : IndicatorInches(reading, settings.optionEncoderResolution);
  double deepest = std::max(1.0, std::fabs(inches));
  if (!depths.empty()) deepest = std::max(deepest, depths.back());
  // The ruler ends at the next whole inch (or 25 mm) past everything shown.
  const double step = settings.lengthUnit == 1 ? 25.0 / kMillimetresPerInch : 1.0;
  view.fullScale = std::ceil(deepest / step - 1e-9) * step;
  view.fullScaleText = LengthText(view.fullScale, settings.lengthUnit, false);

  const int span = L::kRulerBottom - L::kRulerTop;
  auto yOf = [&](double depth) {
    double share = std::clamp(depth / view.fullScale, 0.0, 1.0);
    return L::kRulerTop + static_cast<int>(std::lround(share * span));
  };
  // A tick every tenth of an inch, or every 5 mm.
  const int divisions =
      static_cast<int>(std::lround(view.fullScale / step)) * (settings.lengthUnit == 1 ? 5 : 10);
  for (int i = 0; i <= divisions; ++i) {
    IndicatorTick tick;
    tick.y =
        L::kRulerTop + static_cast<int>(std::lround(static_cast<double>(i) * span / divisions));
    tick.major = i % (settings.lengthUnit == 1 ? 5 : 10) == 0;
    view.ticks.push_back(tick);
  }
  for (double depth : depths) {
    view.marks.push_back({yOf(depth), LengthText(depth, settings.lengthUnit, true)});
  }
  if (!view.error) {
    view.pointerShown = true;
    view.pointerY = yOf(inches);
  }
  return view;
}

}  // namespace balancer
