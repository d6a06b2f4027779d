#include "correction/reluctor_screen.h"

#include <cstdio>

#include "base/field_codes.h"
#include "base/unit_text.h"
#include "correction/screen_ids.h"
#include "records/number_text.h"

namespace balancer {

namespace {}  // namespace

const char* ReluctorAmountUnit(int weightUnit, int lengthUnit) {
  if (weightUnit == 1) return lengthUnit == 1 ? "ounce/mm" : "ounce/inch";
  return lengthUnit == 1 ? "gram/mm" : "gram/inch";
}

std::vector<ScreenItem> ReluctorScreen::Items() const {
  const MachineSettings& s = settings_;
  std::vector<ScreenItem> items;
  for (int type = 0; type < kReluctorTypeCount; ++type) {
    ScreenItem radio;
    radio.id = kIdReluctorFirst + type;
    radio.label = ReluctorName(type);
    radio.checked = s.reluctorType == type;
    radio.place = {20, 20 + 42 * type, 150, 36};
    items.push_back(radio);
  }
  ScreenItem side;
  side.id = kIdReluctorSide;
  side.label = "Side";
  side.value = s.reluctorSide == 1 ? "Right" : "Left";
  side.place = {330, 20, 100, 36};
  items.push_back(side);

  const bool custom = s.reluctorType == kReluctorCustom;
  ScreenItem amount;
  amount.id = kFieldReluctorAmount;
  amount.label = ReluctorAmountUnit(s.weightUnit, s.lengthUnit);
  amount.value = FormatNumber(
      "%1.2f", s.customReluctorWeight / WeightDivisor(s.weightUnit) * LengthFactor(s.lengthUnit));
  amount.shown = custom;
  amount.place = {330, 104, 100, 36};
  items.push_back(amount);
  ScreenItem angle;
  angle.id = kFieldReluctorAngle;
  angle.label = "degree offset";
  angle.value = FormatNumber("%1.1f", s.customReluctorAngle);
  angle.shown = custom;
  angle.place = {330, 146, 100, 36};
  items.push_back(angle);

  ScreenItem ok;
  ok.id = kIdOk;
  ok.label = "OK";
  ok.place = {560, 400, 80, 40};
  items.push_back(ok);
  return items;
}

ScreenPress ReluctorScreen::Press(int id) {
  ScreenPress p;
  if (id >= kIdReluctorFirst && id < kIdReluctorFirst + kReluctorTypeCount) {
    settings_.reluctorType = id - kIdReluctorFirst;
    SetSimulatedReluctor(settings_);
    p.handled = p.recompute = p.writeSettings = p.repaint = true;
  } else if (id == kIdReluctorSide) {
    settings_.reluctorSide = settings_.reluctorSide == 1 ? 0 : 1;
    p.handled = p.recompute = p.writeSettings = p.repaint = true;
  } else if ((id == kFieldReluctorAmount || id == kFieldReluctorAngle) &&
             settings_.reluctorType == kReluctorCustom) {
    p.handled = true;
    p.entryCode = id;
  } else if (id == kIdOk) {
    p.handled = p.close = true;
  }
  return p;
}

ScreenPress ReluctorScreen::Key(int character) {
  if (character >= '0' && character < '0' + kReluctorTypeCount) {
    return Press(kIdReluctorFirst + character - '0');
  }
  int id = KeyedButton(character, kIdOk, {{'S', kIdReluctorSide}, {'O', kIdOk}});
  return id != 0 ? Press(id) : ScreenPress{};
}

}  // namespace balancer
