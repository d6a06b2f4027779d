#include "correction/adjust_screen.h"

#include <cmath>
#include <cstdio>

#include "base/field_codes.h"
#include "base/unit_text.h"
#include "correction/screen_ids.h"
#include "records/number_text.h"

namespace balancer {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308;

ScreenItem Button(int id, const std::string& label, DesignBox place, bool shown = true) {
  ScreenItem item = PlacedItem(id, label, "", place);
  item.shown = shown;
  return item;
}

ScreenPress Changed() {
  ScreenPress p;
  p.handled = p.recompute = p.repaint = true;
  return p;
}

int DegreesOf(double radians) {
  int d = static_cast<int>(std::lround(radians * kDegreesPerRadian));
  return ((d % 360) + 360) % 360;
}

const PlaneCorrection& PlaneOf(const CorrectionState& state, Side side) {
  return side == kLeftSide ? state.left : state.right;
}

}  // namespace

Side AdjustSideFor(const CorrectionState& state, bool twoPlaneMode) {
  if (!twoPlaneMode) return kRightSide;
  if (state.selectedSlugSide == kLeftSide || state.selectedSlugSide == kRightSide) {
    return static_cast<Side>(state.selectedSlugSide);
  }
  auto items = [&](Side s) {
    return (PlaneOf(state, s).outsideZone ? state.slugs[s].SlugCount() : state.drill[s].holeCount);
  };
  return items(kLeftSide) == 0 && items(kRightSide) > 0 ? kRightSide : kLeftSide;
}

bool PressGoesToDial(double x, double y, double cx, double cy, double r, bool insideAdjustWindow) {
  return !insideAdjustWindow && x >= cx - r && x <= cx + r && y >= cy - r && y <= cy + r;
}

AdjustScreen::AdjustScreen(MachineSettings& settings, CorrectionState& state,
                           const CorrectionZones& zones, Side side)
    : settings_(settings), state_(state), side_(side) {
  item_ = PlaneOf(state, side).outsideZone ? AdjustItem::kSlug : AdjustItem::kHole;
  if (item_ == AdjustItem::kHole) OpenAdjust(settings, state, zones, side);
  if (item_ == AdjustItem::kSlug && state.selectedSlugSide == side &&
      state.selectedSlugIndex >= 0 && state.selectedSlugIndex < ItemCount()) {
    index_ = state.selectedSlugIndex;
  }
}

int AdjustScreen::ItemCount() const {
  return item_ == AdjustItem::kSlug ? state_.slugs[side_].SlugCount()
                                    : state_.drill[side_].holeCount;
}

std::vector<ScreenItem> AdjustScreen::Items() const {
  const bool slug = item_ == AdjustItem::kSlug;
  const int count = ItemCount();
  ScreenItem current;
  if (count == 0) {
    current.value = slug ? "No slugs" : "No holes";
  } else if (slug) {
    const SlugRecord& s = state_.slugs[side_].slugs[index_];
    current.value = FormatText("Slug %d of %d at %d\xB0", index_ + 1, count, DegreesOf(s.angle));
  } else {
    const DrillHole& h = state_.drill[side_].holes[index_];
    current.value = FormatText("Hole %d of %d at %d\xB0, ", index_ + 1, count, DegreesOf(h.angle)) +
                    LengthText(h.depth, settings_.lengthUnit, true) + " deep";
  }
  current.label = side_ == kLeftSide ? "Left" : "Right";
  current.place = {15, 10, 0, 0};
  std::vector<ScreenItem> items{current};
  items.push_back(Button(kIdCcw5, "CCW 5", {15, 40, 90, 40}));
  items.push_back(Button(kIdCcw1, "CCW 1", {115, 40, 90, 40}));
  items.push_back(Button(kIdCw1, "CW 1", {215, 40, 90, 40}));
  items.push_back(Button(kIdCw5, "CW 5", {315, 40, 90, 40}));
  items.push_back(Button(kIdSet, "Set", {15, 95, 120, 40}));
  items.push_back(Button(kIdDelete, "Delete", {145, 95, 120, 40}));
  items.push_back(Button(kIdAddSlug, "Add Slug", {275, 95, 130, 40}, slug));

  const SlugPlan& plan = state_.slugs[side_];
  const bool haveSlug = slug && count > 0;
  const SlugRecord none;
  const SlugRecord& s = haveSlug ? plan.slugs[index_] : none;
  const double sideRadius =
      side_ == kLeftSide ? settings_.slugRadiusLeft : settings_.slugRadiusRight;
  ScreenItem radius =
      Button(kFieldSlugInstallationRadius, "Slug Installation Radius", {15, 150, 280, 36}, slug);
  radius.value =
      LengthText(s.installRadius > 0.0 ? s.installRadius : sideRadius, settings_.lengthUnit, true);
  items.push_back(radius);
  ScreenItem diameter = Button(kFieldSlugDiameter, "Slug Diameter", {15, 195, 280, 36}, slug);
  diameter.value = LengthText(s.diameter, settings_.lengthUnit, true);
  items.push_back(diameter);
  ScreenItem length = Button(kFieldSlugLength, "Slug Length", {15, 240, 280, 36}, slug);
  length.value = LengthText(s.length, settings_.lengthUnit, true);
  items.push_back(length);
  ScreenItem weight =
      Button(kFieldActualSlugWeight, "Actual Slug Weight in Grams", {15, 285, 280, 36}, slug);
  weight.value = FormatText("%1.1f", Printable(haveSlug ? plan.actualSlugWeight[index_] : 0.0));
  items.push_back(weight);

  // The slugs' remainder is drilled with them; it follows every slug change.
  const DrillPlan& remainder = state_.remainder[side_];
  if (slug && (remainder.capacityOverflow || remainder.holeCount > 0)) {
    ScreenItem line;
    line.label = "Projection";
    if (remainder.capacityOverflow) {
      line.value = "Increase drill size or max drill depth";
      line.colour = kValueRedText;
    } else {
      line.value = DrillText(remainder.holeDepth, plan.extraAngle, settings_.lengthUnit);
    }
    line.place = {15, 324, 0, 0};
    items.push_back(line);
  }

  items.push_back(Button(kIdResetAll, "Reset All", {15, 350, 140, 40}));
  items.push_back(Button(kIdOk, "OK", {305, 350, 100, 40}));
  return items;
}

ScreenPress AdjustScreen::Press(int id, int shaftPosition) {
  ScreenPress p;
  const bool slug = item_ == AdjustItem::kSlug;
  auto withMessage = [](std::optional<OperatorMessage> m) {
    ScreenPress r = Changed();
    r.message = m;
    return r;
  };
  switch (id) {
    case kIdCcw5:
    case kIdCcw1:
    case kIdCw1:
    case kIdCw5: {
      static const int kSteps[] = {kCcw5, kCcw1, kCw1, kCw5};
      if (ItemCount() == 0) return p;
      return withMessage(MoveItem(settings_, state_, side_, item_, index_, kSteps[id - kIdCcw5]));
    }
    case kIdSet:
      if (ItemCount() == 0) return p;
      return withMessage(SetItemAt(settings_, state_, side_, item_, index_, shaftPosition));
    case kIdDelete: {
      if (ItemCount() == 0) return p;
      ScreenPress r = withMessage(DeleteItem(settings_, state_, side_, item_, index_));
      if (index_ >= ItemCount()) index_ = ItemCount() - 1;
      if (index_ < 0) index_ = 0;
      return r;
    }
    case kIdAddSlug: {
      if (!slug) return p;
      p.handled = true;
      OperatorMessage question = AddSlugQuestion();
      question.actionCode = kAddSlugActionCode;
      p.message = question;
      return p;
    }
    case kFieldSlugDiameter:
    case kFieldSlugLength:
    case kFieldActualSlugWeight:
    case kFieldSlugInstallationRadius:
      if (!slug || ItemCount() == 0) return p;
      p.handled = true;
      p.entryCode = id;
      return p;
    case kIdResetAll:
      ResetAll(state_, side_);
      index_ = 0;
      return Changed();
    case kIdOk:
      p.handled = p.close = true;
      return p;
  }
  return p;
}

ScreenPress AdjustScreen::Key(int character, int shaftPosition) {
  if (character >= '1' && character <= '4') return Press(kIdCcw5 + character - '1', shaftPosition);
  if (character == 'n' || character == 'N') {
    // The next planned hole or slug of the side.
    ScreenPress p;
    if (ItemCount() == 0) return p;
    index_ = (index_ + 1) % ItemCount();
    p.handled = p.repaint = true;
    return p;
  }
  int id = KeyedButton(
      character, kIdOk,
      {{'S', kIdSet}, {'D', kIdDelete}, {'A', kIdAddSlug}, {'R', kIdResetAll}, {'O', kIdOk}});
  return id != 0 ? Press(id, shaftPosition) : ScreenPress{};
}

ScreenPress AdjustScreen::AnswerAddSlug(bool add, int shaftPosition) {
  ScreenPress p;
  p.handled = true;
  if (!add || item_ != AdjustItem::kSlug) return p;
  if (AddSlugAt(settings_, state_, side_, shaftPosition)) {
    index_ = ItemCount() - 1;
    return Changed();
  }
  return p;
}

ScreenPress AdjustScreen::DialClick(int angle) {
  ScreenPress p;
  const int count = ItemCount();
  int best = -1;
  int bestDistance = 361;
  for (int i = 0; i < count; ++i) {
    double radians = item_ == AdjustItem::kSlug ? state_.slugs[side_].slugs[i].angle
                                                : state_.drill[side_].holes[i].angle;
    int d = std::abs(DegreesOf(radians) - ((angle % 360) + 360) % 360);
    if (d > 180) d = 360 - d;
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  if (best < 0) return p;
  index_ = best;
  p.handled = p.repaint = true;
  return p;
}

ScreenEntryEffect AdjustScreen::StoreEntry(int actionCode, double value) {
  ScreenEntryEffect effect;
  const bool ownField = actionCode == kFieldSlugDiameter || actionCode == kFieldSlugLength ||
                        actionCode == kFieldActualSlugWeight ||
                        actionCode == kFieldSlugInstallationRadius;
  if (!ownField || item_ != AdjustItem::kSlug || ItemCount() == 0 || !std::isfinite(value)) {
    return effect;
  }
  // Below zero reads as 0: the software's own weight or radius again; a slug
  // keeps its size.
  if (value < 0.0) value = 0.0;
  const double length = value / LengthFactor(settings_.lengthUnit);
  switch (actionCode) {
    case kFieldSlugDiameter:
      SetSlugDiameter(state_, side_, index_, length);
      break;
    case kFieldSlugLength:
      SetSlugLength(state_, side_, index_, length);
      break;
    case kFieldActualSlugWeight:
      SetActualSlugWeight(state_, side_, index_, value);
      break;
    case kFieldSlugInstallationRadius: {
      const SlugRecord& s = state_.slugs[side_].slugs[index_];
      double shaft = side_ == kLeftSide ? settings_.shaftRadiusLeft : settings_.shaftRadiusRight;
      double limit = CounterweightSlugRadius(shaft, settings_.slugWebThickness, s.diameter);
      if (length > limit) effect.message = SlugRadiusLimitedMessage();
      SetSlugInstallRadius(state_, side_, index_, std::fmin(length, limit));
      break;
    }
    default:
      return effect;
  }
  effect.handled = effect.stored = effect.recompute = true;
  return effect;
}

}  // namespace balancer
