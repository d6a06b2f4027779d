// The "Adjust" window's model: the holes or slugs of one side, the current
// one of them, and what each button does to it. While the window is open its
// mouse hook forwards presses on the side's dial to the main window.
#pragma once

#include <vector>

#include "base/field_codes.h"
#include "base/machine_settings.h"
#include "base/screen_model.h"
#include "correction/adjustment.h"
#include "correction/correction_pass.h"

namespace balancer {

// ActionCode of the "Add Slug" question; its "Add" answers yes.
constexpr int kAddSlugActionCode = kFieldAddSlugQuestion;

class AdjustScreen : public ScreenEntryStore {
 public:
  // Opens on `side`: a drilled side with a single hole is split and held.
  AdjustScreen(MachineSettings& settings, CorrectionState& state, const CorrectionZones& zones,
               Side side);

  Side side() const { return side_; }
  AdjustItem item() const { return item_; }
  int index() const { return index_; }
  int ItemCount() const;

  // The moves, "Set", "Delete", "Add Slug" (slug sides only), "Reset All",
  // "OK", and for slugs the boxes 350, 345, 346 and 349; the current item's
  // description first (id 0).
  std::vector<ScreenItem> Items() const;

  // `shaftPosition`: the control's angle now, for "Set" and "Add Slug".
  ScreenPress Press(int id, int shaftPosition);
  // 1-4 the moves (CCW 5 .. CW 5), S set, D delete, A add slug, R reset all,
  // N next item, O or Esc close.
  ScreenPress Key(int character, int shaftPosition);
  // The "Add Slug" question answered: "Add" puts a slug at the shaft position.
  ScreenPress AnswerAddSlug(bool add, int shaftPosition);
  // A press on the dial at `angle` makes the nearest item current.
  ScreenPress DialClick(int angle);

  // 345, 346, 349 and 350 for the current slug; each holds the side's slugs.
  ScreenEntryEffect StoreEntry(int actionCode, double value) override;

 private:
  MachineSettings& settings_;
  CorrectionState& state_;
  Side side_;
  AdjustItem item_;
  int index_ = 0;
};

// The side the Adjust window opens on: the slug picked on a dial, else the
// right side in single-plane mode, else the left side unless only the right
// has holes or slugs.
Side AdjustSideFor(const CorrectionState& state, bool twoPlaneMode);

// The hook's test: a press outside the Adjust window and inside the square
// around the side's dial goes to the main window.
bool PressGoesToDial(double x, double y, double dialCentreX, double dialCentreY, double dialRadius,
                     bool insideAdjustWindow);

}  // namespace balancer
