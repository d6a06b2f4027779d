#include "bobweight/bobweight_screen.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>

#include "base/field_codes.h"
#include "bobweight/print_options.h"
#include "bobweight/scale.h"
#include "records/history.h"
#include "records/number_text.h"
#include "records/side_files.h"

namespace balancer {

namespace {

std::string Format(const char* format, double value) {
  return FormatText(format, value);
}

ComponentCell Computed(bool shown, double value, int row, int lightest, int heaviest) {
  ComponentCell cell;
  if (!shown) return cell;
  cell.text = Format("%1.1f g", value);
  if (row == lightest) {
    cell.colour = CellColour::kLightest;
  } else if (row == heaviest) {
    cell.colour = CellColour::kHeaviest;
  }
  return cell;
}

}  // namespace

BobweightScreenTexts ComposeBobweightScreen(BobweightCard& card, double emptyBobweight) {
  computeBobweight(card);
  BobweightScreenTexts t;
  const double weights[] = {card.rodTotalWeight, card.rodBigEndWeight,   card.rodBearingWeight,
                            card.pistonWeight,   card.pinWeight,         card.pinLockWeight,
                            card.ringWeight,     card.supportRailWeight, card.oilWeight};
  for (int i = 0; i < 9; ++i) t.weights[i] = Format("%5.1f", weights[i]);
  t.reciprocating = Format("%1.1f %%", card.reciprocatingPercent);
  t.rotating = Format("%1.1f %%", card.rotatingPercent);
  t.cylinders = Format("%1.0f", card.cylindersPerBobweight);
  t.overbalance = Format("   %1.1f %%", card.overbalancePercent);
  t.emptyBobweight = Format("%1.1f grams", emptyBobweight);
  t.total = BobweightTotalText(card.bobweightTotal);
  t.perSide = PerSideLine(PerSide(card, emptyBobweight), emptyBobweight);
  t.jobLine = card.jobName + "   " + card.engineName;
  return t;
}

ComponentRow ComposeComponentRow(const RodPistonSet& set, const BobweightCard& card,
                                 ComponentMode mode, int row) {
  const RodPistonExtremes& x = set.extremes;
  ComponentRow r;
  if (mode == ComponentMode::kRods) {
    r.first.text = Format("%1.1f", set.rodTotals[row]);
    r.second.text = Format("%1.1f", set.rodBigEnds[row]);
    r.computed = Computed(ShowsSmallEnd(set, row), SmallEnd(set, row), row, x.lightSmallEnd,
                          x.heavySmallEnd);
  } else {
    r.first.text = Format("%1.1f", set.pistons[row]);
    r.second.text = Format("%1.1f", set.pins[row]);
    r.computed = Computed(ShowsPistonPinTotal(set, row), PistonPinTotal(set, row), row,
                          x.lightPistonPin, x.heavyPistonPin);
    if (set.pinNumbers[row] >= 1) r.pinNumber = std::to_string(set.pinNumbers[row]);
  }
  r.recip = Computed(ShowsRecipTotal(set, row), RecipTotal(set, card, row), row, x.lightRecip,
                     x.heavyRecip);
  return r;
}

std::string ComponentBoxTitle(ComponentMode mode, int column, int row) {
  char text[48];
  if (mode == ComponentMode::kRods) {
    std::snprintf(text, sizeof text,
                  column == 0 ? "Rod #%d Total Weight" : "Rod #%d Big End Weight", row + 1);
  } else if (column == 0) {
    std::snprintf(text, sizeof text, "Piston #%d Weight", row + 1);
  } else {
    return "Pin Weight";
  }
  return text;
}

int NextScaleType(int scaleType) {
  int next = scaleType + 1;
  return next > kScaleModelCount || next < 0 ? 0 : next;
}

const std::array<BobweightButton, 8>& BobweightToolbar() {
  static const std::array<BobweightButton, 8> buttons = {{{kBobNewJob, " New Job "},
                                                          {kBobOpen, "Open"},
                                                          {kBobSave, "Save"},
                                                          {kBobPrint, "Print"},
                                                          {kBobExternal, "External"},
                                                          {kBobNotes, "Notes"},
                                                          {kBobCompany, "Company"},
                                                          {kBobExit, "Exit"}}};
  return buttons;
}

const std::array<int, 9>& BobweightWeightCodes() {
  static const std::array<int, 9> codes = {
      kFieldRodTotalWeight,   kFieldRodBigEndWeight,   kFieldRodBearingWeight,
      kFieldPistonWeight,     kFieldPistonPinWeight,   kFieldPinLockWeight,
      kFieldPistonRingWeight, kFieldSupportRailWeight, kFieldOilWeight};
  return codes;
}

const std::array<int, 6>& BobweightSettingCodes() {
  static const std::array<int, 6> codes = {kFieldSelectEngine,    kFieldReciprocatingPercent,
                                           kFieldRotatingPercent, kFieldCylindersPerBobweight,
                                           kFieldOverbalance,     kFieldEmptyBobweight};
  return codes;
}

namespace {

BobweightDecision TextEntry(int code, const std::string& heading, const std::string& prefill,
                            bool keyboard, bool note = false) {
  BobweightDecision d;
  d.step = BobweightStep::kTextEntry;
  d.entryCode = code;
  d.heading = heading;
  d.prefill = prefill;
  d.keyboard = keyboard;
  d.note = note && !keyboard;
  return d;
}

BobweightDecision FieldPress(int code, const MachineSettings& settings, const BobweightCard& card) {
  BobweightDecision d;
  const bool multiple = settings.bobweightDetail == 1;
  if (multiple && (code == kFieldRodTotalWeight || code == kFieldRodBigEndWeight)) {
    d.step = BobweightStep::kComponentRods;
  } else if (multiple && (code == kFieldPistonWeight || code == kFieldPistonPinWeight)) {
    d.step = BobweightStep::kComponentPistons;
  } else if (code == kBobSelectEngine) {
    d.step = BobweightStep::kSelectEngine;
  } else if (code == kBobDate) {
    // The typewriter has no slash: on a touch screen the date takes the keypad.
    d = TextEntry(kTextDate, "Date", card.jobDate, false);
    d.keypad = settings.touchscreen == 1;
  } else {
    d.step = BobweightStep::kNumberEntry;
    d.entryCode = code;
  }
  return d;
}

bool IsCardField(int id) {
  for (int code : BobweightWeightCodes()) {
    if (code == id) return true;
  }
  for (int code : BobweightSettingCodes()) {
    if (code == id) return true;
  }
  return id == kBobDate;
}

}  // namespace

BobweightDecision AskJobName(int code, const MachineSettings& settings, const BobweightCard& card) {
  if (code == kTextSaveName) return TextEntry(code, kEnterJobName, card.jobName, true);
  return TextEntry(kTextJobName, kEnterJobName, "", settings.touchscreen == 1);
}

BobweightDecision BobweightPress(int id, const MachineSettings& settings, const BobweightCard& card,
                                 const std::string& companyText) {
  const bool touch = settings.touchscreen == 1;
  BobweightDecision d;
  if (IsCardField(id)) return FieldPress(id, settings, card);
  switch (id) {
    case kBobNewJob:
      d.step = BobweightStep::kAskNewJob;
      break;
    case kBobOpen:
      d.step = BobweightStep::kOpen;
      break;
    case kBobSave:
      if (touch) return AskJobName(kTextSaveName, settings, card);
      d.step = BobweightStep::kSave;
      break;
    case kBobPrint:
      d.step = BobweightStep::kPrint;
      break;
    case kBobPrintOptions:
      d.step = BobweightStep::kPrintOptions;
      break;
    case kBobExternal:
      return TextEntry(kTextFrontExternal, kEnterFrontExternalWeight, "", touch);
    case kBobNotes:
      return TextEntry(kTextNotes, kEnterJobNotes, card.jobNotes, touch, true);
    case kBobCompany:
      // Always the keyboard window: it carries the font colour tiles.
      return TextEntry(kTextCompany, kEnterCompanyInformation, companyText, true);
    case kBobExit:
      d.step = BobweightStep::kClose;
      break;
    default:
      break;
  }
  return d;
}

BobweightDecision BobweightKey(int character, const MachineSettings& settings,
                               const BobweightCard& card) {
  static const struct {
    char key;
    int code;
  } keys[] = {{'T', kFieldRodTotalWeight},
              {'E', kFieldRodBigEndWeight},
              {'B', kFieldRodBearingWeight},
              {'P', kFieldPistonWeight},
              {'N', kFieldPistonPinWeight},
              {'L', kFieldPinLockWeight},
              {'R', kFieldPistonRingWeight},
              {'U', kFieldSupportRailWeight},
              {'O', kFieldOilWeight},
              {'S', kFieldSelectEngine},
              {'A', kFieldReciprocatingPercent},
              {'W', kFieldRotatingPercent},
              {'C', kFieldCylindersPerBobweight},
              {'V', kFieldOverbalance},
              {'M', kFieldEmptyBobweight},
              {'D', kFieldDate}};
  if (character < 0 || character > 255) return {};
  const int upper = std::toupper(character);
  for (const auto& k : keys) {
    if (k.key == upper) return FieldPress(k.code, settings, card);
  }
  return {};
}

BobweightTextOutcome ApplyBobweightText(int code, const std::string& text, BobweightCard& card,
                                        const MachineSettings& settings, std::string& frontExternal,
                                        std::string& companyText) {
  BobweightTextOutcome out;
  out.handled = true;
  out.repaint = true;
  switch (code) {
    case kTextFrontExternal:
      frontExternal = text;
      out.repaint = false;
      out.next =
          TextEntry(kTextRearExternal, kEnterRearExternalWeight, "", settings.touchscreen == 1);
      break;
    case kTextRearExternal:
      SetExternalWeights(card, frontExternal, text);
      card.changed = true;
      break;
    case kTextNotes:
      SetJobNotes(card, text);
      card.changed = true;
      break;
    case kTextCompany:
      companyText = CutText(text, kCompanyTextMax);
      out.writeCompany = true;
      break;
    case kTextJobName:
      SetJobName(card, CleanJobName(text));
      break;
    case kTextSaveName:
      SetJobName(card, CleanJobName(text));
      out.save = true;
      break;
    case kTextDate:
      SetJobDate(card, text);
      card.changed = true;
      break;
    default:
      out = BobweightTextOutcome{};
      break;
  }
  return out;
}

BobweightAnswerStep PlanBobweightAnswer(int answer, int actionCode) {
  const bool yes = answer == 1 || answer == 6;
  switch (actionCode) {
    case kWarnEmptyCard:
      return BobweightAnswerStep::kStoreAfterWarning;
    case kAskNewJob:
      return yes ? BobweightAnswerStep::kNewJob : BobweightAnswerStep::kNone;
    case kAskUnsavedChanges:
      return yes ? BobweightAnswerStep::kSaveAndClose : BobweightAnswerStep::kDropAndClose;
    default:
      return BobweightAnswerStep::kNone;
  }
}

FileRequest CardDialogFor(bool save, const BobweightCard& card, const MachineSettings& settings) {
  FileRequest d = JobFileRequest(
      save, save ? "Store Bobweight Data" : "Retrieve Bobweight Data",
      "Bobweight Files (.bwi files)", "bwi",
      settings.bobweightFolder.empty() ? "C:\\balancer" : settings.bobweightFolder, "");
  // The open dialog too starts on the job's card.
  if (!card.jobName.empty()) d.proposedName = card.jobName + ".bwi";
  return d;
}

FileRequest PrintImageRequest() {
  FileRequest d;
  d.title = "Select Print Image";
  d.filterName = "Images (bmp, jpg, png, or gif)";
  d.patterns = "*.bmp;*.gif;*.jpg;*.jpeg;*.png";
  d.folder = "C:\\balancer";
  return d;
}

namespace {

// The Print Options box of a field code, if it is one.
std::optional<PrintOptionField> PrintOptionFieldOf(int code) {
  const int first = PrintOptionBoxCodes().front();
  if (code < first || code > PrintOptionBoxCodes().back()) return std::nullopt;
  return static_cast<PrintOptionField>(code - first);
}

}  // namespace

ScreenEntryEffect BobweightEntryStore::StoreEntry(int actionCode, double value) {
  ScreenEntryEffect effect;
  if (const std::optional<PrintOptionField> field = PrintOptionFieldOf(actionCode)) {
    effect.handled = true;
    if (!std::isfinite(value)) return effect;
    StorePrintOptionEntry(*field, value, settings_.weightUnit, settings_.lengthUnit, card_);
    effect.stored = true;
    return effect;
  }
  switch (StoreBobweightEntry(actionCode, value, card_, set_, settings_.emptyBobweight)) {
    case EntryResult::kNotBobweightField:
      return effect;
    case EntryResult::kRejected:
      effect.handled = true;
      return effect;
    case EntryResult::kStoredSettings:
      effect.writeSettings = true;
      [[fallthrough]];
    case EntryResult::kStored:
    case EntryResult::kStoredComponent:
      effect.handled = true;
      effect.stored = true;
      return effect;
  }
  return effect;
}

bool BobweightEntryStore::BoxText(int code, std::string& text) const {
  if (code >= kEntryRodTotals && code <= kEntryLastComponent) {
    const int offset = code - kEntryRodTotals;
    const int row = offset % kRodPistonRows;
    const std::array<double, kRodPistonRows>* columns[] = {&set_.rodTotals, &set_.rodBigEnds,
                                                           &set_.pistons, &set_.pins};
    text = Format("%1.1f", (*columns[offset / kRodPistonRows])[row]);
    return true;
  }
  const std::optional<PrintOptionField> field = PrintOptionFieldOf(code);
  if (!field) return false;
  text = PrintOptionBoxText(*field, card_, settings_.weightUnit, settings_.lengthUnit);
  return true;
}

std::array<const char*, 4> ComponentHeadings(ComponentMode mode) {
  if (mode == ComponentMode::kRods) return {"Rod Total", "Big End", "Small End", "Recip. Total"};
  return {"Piston", "Pin", "Total", "Recip. Total"};
}

int ComponentBoxCode(ComponentMode mode, int column, int row) {
  const int base = mode == ComponentMode::kRods ? kEntryRodTotals : kEntryPistons;
  return base + column * kRodPistonRows + row;
}

Rgb ComponentColour(CellColour colour) {
  switch (colour) {
    case CellColour::kLightest:
      return Rgb{255, 0, 0};
    case CellColour::kHeaviest:
      return Rgb{0, 136, 34};
    default:
      return Rgb{0, 0, 128};
  }
}

ComponentDecision ComponentPress(int id, ComponentMode mode, BobweightCard& card,
                                 RodPistonSet& set) {
  ComponentDecision d;
  switch (id) {
    case kComponentAverage:
      UseAverage(card, set, mode);
      d.handled = d.close = true;
      break;
    case kComponentLightest:
      UseLightest(card, set, mode);
      d.handled = d.close = true;
      break;
    case kComponentMatchPins:
      if (mode != ComponentMode::kPistons) break;
      MatchPins(card, set);
      d.handled = d.repaint = true;
      break;
    case kComponentCancel:
      d.handled = d.close = true;
      break;
    default:
      break;
  }
  return d;
}

const std::array<int, 7>& PrintOptionBoxCodes() {
  static const std::array<int, 7> codes = {kFieldInitialConditionLeft, kFieldInitialConditionRight,
                                           kFieldFinalConditionLeft,   kFieldFinalConditionRight,
                                           kFieldConditionRadiusLeft,  kFieldConditionRadiusRight,
                                           kFieldConditionTolerance};
  return codes;
}

PrintOptionsDecision PrintOptionsPress(int id, MachineSettings& settings) {
  PrintOptionsDecision d;
  d.handled = true;
  switch (id) {
    case kPrintLeftImage:
    case kPrintRightImage:
    case kPrintBottomBanner:
      d.chooseImage = true;
      break;
    case kPrintMultiplePartData:
      settings.printOption ^= 1;
      d.repaint = true;
      break;
    case kPrintForceTable:
      settings.printOption ^= 2;
      d.repaint = true;
      break;
    case kPrintSaveChanges:
      d.save = true;
      break;
    case kPrintExit:
      d.close = true;
      break;
    default:
      d.handled = false;
      break;
  }
  return d;
}

void StorePrintImage(int id, const std::string& path, MachineSettings& settings) {
  const std::string cut = CutText(path, kPhotoPathMax);
  if (id == kPrintLeftImage) settings.leftPhotoPath = cut;
  if (id == kPrintRightImage) settings.rightPhotoPath = cut;
  if (id == kPrintBottomBanner) settings.bottomPhotoPath = cut;
}

bool PrintOptionChecked(int id, const MachineSettings& settings) {
  if (id == kPrintMultiplePartData) return (settings.printOption & 1) != 0;
  if (id == kPrintForceTable) return (settings.printOption & 2) != 0;
  return false;
}

}  // namespace balancer
