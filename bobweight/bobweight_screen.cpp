#include "bobweight/bobweight_screen.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>

#include "base/field_codes.h"
#include "base/field_table.h"
#include "bobweight/bobweight_files.h"
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

// Design units of the Bobweight Calculation client area.
constexpr int kToolX = 8, kToolY = 4, kToolW = 104, kToolH = 34, kToolStep = 110;
constexpr int kRowY = 84, kRowStep = 50, kButtonW = 250, kButtonH = 40;
constexpr int kLeftX = 20, kRightX = 560, kValueGap = 20, kValueW = 260;

// A weight or setting button with its value right of it.
ScreenItem RowItem(int code, int x, int row, std::string value) {
  ScreenItem item = PlacedItem(code, FieldLabel(code), std::move(value),
                               {x, kRowY + row * kRowStep, kButtonW, kButtonH});
  item.valueBox = {x + kButtonW + kValueGap, kRowY + 8 + row * kRowStep, kValueW, 0};
  return item;
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

ScreenPress TextPress(int code, const std::string& heading, const std::string& prefill,
                      TextEntryKind kind, int x, int y) {
  ScreenPress press = HandledPress();
  press.nameEntry = NameEntry{code, heading, prefill, kind, x, y};
  return press;
}

// The keyboard, or a line or several lines of text.
ScreenPress TextEntryPress(int code, const std::string& heading, const std::string& prefill,
                           bool keyboard, bool note) {
  if (keyboard) return TextPress(code, heading, prefill, TextEntryKind::kKeyboard, 130, 20);
  if (note) return TextPress(code, heading, prefill, TextEntryKind::kNote, 256, 200);
  return TextPress(code, heading, prefill, TextEntryKind::kLine, 256, 250);
}

}  // namespace

std::vector<ScreenItem> BobweightItems(BobweightCard& card, double emptyBobweight) {
  const BobweightScreenTexts t = ComposeBobweightScreen(card, emptyBobweight);
  std::vector<ScreenItem> items;
  int x = kToolX;
  for (const BobweightButton& b : BobweightToolbar()) {
    items.push_back(PlacedItem(b.id, b.text, "", {x, kToolY, kToolW, kToolH}));
    x += kToolStep;
  }
  for (int i = 0; i < 9; ++i) {
    items.push_back(RowItem(BobweightWeightCodes()[i], kLeftX, i, t.weights[i]));
  }
  const std::string right[] = {card.engineName, t.reciprocating, t.rotating,
                               t.cylinders,     t.overbalance,   t.emptyBobweight};
  for (int i = 0; i < 6; ++i) {
    items.push_back(RowItem(BobweightSettingCodes()[i], kRightX, i, right[i]));
  }
  // The window centres the date right of its button.
  items.push_back(RowItem(kBobDate, kRightX, 6, ""));
  items.push_back(PlacedItem(kBobPrintOptions, "Print Options", "",
                             {kRightX, kRowY + 7 * kRowStep, kButtonW, kButtonH}));
  return items;
}

BobweightAnswerStep PlanBobweightAnswer(bool accepted, int actionCode) {
  switch (actionCode) {
    case kWarnEmptyCard:
      return BobweightAnswerStep::kStoreAfterWarning;
    case kAskNewJob:
      return accepted ? BobweightAnswerStep::kNewJob : BobweightAnswerStep::kNone;
    case kAskUnsavedChanges:
      return accepted ? BobweightAnswerStep::kSaveAndClose : BobweightAnswerStep::kDropAndClose;
    default:
      return BobweightAnswerStep::kNone;
  }
}

ScreenPress AskJobName(int code, const MachineSettings& settings, const BobweightCard& card) {
  if (code == kTextSaveName) return TextEntryPress(code, kEnterJobName, card.jobName, true, false);
  return TextEntryPress(kTextJobName, kEnterJobName, "", settings.touchscreen == 1, false);
}

BobweightScreen::BobweightScreen(BobweightCard& card, RodPistonSet& set, MachineSettings& settings,
                                 const ProgramFolder* folder, OperatorUi* ui)
    : card_(card),
      set_(set),
      settings_(settings),
      folder_(folder),
      ui_(ui),
      store_(card, set, settings) {
  if (folder_ != nullptr) company_ = ReadCompanyText(*folder_);
}

ScreenPress BobweightScreen::Text(int code, const std::string& heading, const std::string& prefill,
                                  bool keyboard, bool note) {
  awaiting_ = code;
  return TextEntryPress(code, heading, prefill, keyboard, note && !keyboard);
}

ScreenPress BobweightScreen::FieldPress(int code) {
  ScreenPress press = HandledPress();
  const bool multiple = settings_.bobweightDetail == 1;
  if (multiple && (code == kFieldRodTotalWeight || code == kFieldRodBigEndWeight)) {
    component_ = ComponentMode::kRods;
    press.openScreen = kComponentScreenCode;
  } else if (multiple && (code == kFieldPistonWeight || code == kFieldPistonPinWeight)) {
    component_ = ComponentMode::kPistons;
    press.openScreen = kComponentScreenCode;
  } else if (code == kBobSelectEngine) {
    press.openScreen = kEngineListCode;
  } else if (code == kBobDate) {
    // The typewriter has no slash: on a touch screen the date takes the keypad.
    if (settings_.touchscreen == 1) {
      awaiting_ = kTextDate;
      return TextPress(kTextDate, "Date", card_.jobDate, TextEntryKind::kKeypad, 302, 15);
    }
    return Text(kTextDate, "Date", card_.jobDate, false);
  } else {
    press.entryCode = code;
  }
  return press;
}

ScreenPress BobweightScreen::Press(int id) {
  const bool touch = settings_.touchscreen == 1;
  if (IsCardField(id)) return FieldPress(id);
  ScreenPress press = HandledPress();
  switch (id) {
    case kBobNewJob:
      press.message = NewJobQuestion(kAskNewJob);
      return press;
    case kBobOpen:
      press.dialog = CardDialogFor(false, card_, settings_);
      return press;
    case kBobSave:
      if (touch) {
        awaiting_ = kTextSaveName;
        return AskJobName(kTextSaveName, settings_, card_);
      }
      return Save();
    case kBobPrint:
      press.printCard = true;
      return press;
    case kBobPrintOptions:
      press.openScreen = kPrintOptionsScreenCode;
      return press;
    case kBobExternal:
      return Text(kTextFrontExternal, kEnterFrontExternalWeight, "", touch);
    case kBobNotes:
      return Text(kTextNotes, kEnterJobNotes, card_.jobNotes, touch, true);
    case kBobCompany:
      // Always the keyboard window: it carries the font colour tiles.
      return Text(kTextCompany, kEnterCompanyInformation, company_, true);
    case kBobExit:
      return CloseRequested();
    default:
      return ScreenPress{};
  }
}

ScreenPress BobweightScreen::Key(int character) {
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
  if (character == kEscapeCharacter) return CloseRequested();
  if (character < 0 || character > 255) return {};
  const int upper = std::toupper(character);
  for (const auto& k : keys) {
    if (k.key == upper) return FieldPress(k.code);
  }
  return {};
}

ScreenPress BobweightScreen::CloseRequested() {
  ScreenPress press = HandledPress();
  if (AsksToSaveOnClose(card_) && ui_ != nullptr) {
    press.message = UnsavedChangesQuestion(kAskUnsavedChanges);
  } else {
    press.close = true;
  }
  return press;
}

ScreenPress BobweightScreen::Save() {
  ScreenPress press = HandledPress();
  if (CardIsEmpty(card_)) {
    OperatorMessage warning = EmptyCardWarning();
    warning.actionCode = kWarnEmptyCard;
    press.message = warning;
  } else {
    press.dialog = CardDialogFor(true, card_, settings_);
  }
  return press;
}

ScreenPress BobweightScreen::NameEntered(const std::string& text) {
  ScreenPress press = HandledPress();
  press.repaint = true;
  const int code = awaiting_;
  awaiting_ = 0;
  switch (code) {
    case kTextFrontExternal:
      frontExternal_ = text;
      return Text(kTextRearExternal, kEnterRearExternalWeight, "", settings_.touchscreen == 1);
    case kTextRearExternal:
      SetExternalWeights(card_, frontExternal_, text);
      card_.changed = true;
      break;
    case kTextNotes:
      SetJobNotes(card_, text);
      card_.changed = true;
      break;
    case kTextCompany:
      company_ = CutText(text, kCompanyTextMax);
      if (folder_ != nullptr) WriteCompanyText(*folder_, company_, ui_);
      break;
    case kTextJobName:
      SetJobName(card_, CleanJobName(text));
      break;
    case kTextSaveName: {
      SetJobName(card_, CleanJobName(text));
      ScreenPress save = Save();
      save.repaint = true;
      return save;
    }
    case kTextDate:
      SetJobDate(card_, text);
      card_.changed = true;
      break;
    default:
      return ScreenPress{};
  }
  return press;
}

ScreenPress BobweightScreen::Saved(const std::optional<std::string>& path) {
  ScreenPress press = HandledPress();
  press.repaint = true;
  if (!path) {
    if (ui_ != nullptr) SaveDialogFailed(card_, settings_.touchscreen, *ui_);
  } else if (SaveCardAs(*path, card_, set_, settings_.bobweightFolder, ui_)) {
    press.writeSettings = true;
  }
  return press;
}

ScreenPress BobweightScreen::FileChosen(const FileRequest& request,
                                        const std::optional<std::string>& path) {
  if (request.save) return Saved(path);
  ScreenPress press = HandledPress();
  if (!path) return press;
  // The bobweight folder follows the card.
  press.writeSettings = LoadCardFile(*path, card_, set_, settings_.bobweightFolder);
  press.repaint = true;
  return press;
}

ScreenPress BobweightScreen::Answered(int actionCode, bool accepted) {
  const BobweightAnswerStep step = PlanBobweightAnswer(accepted, actionCode);
  ScreenPress press = HandledPress();
  switch (step) {
    case BobweightAnswerStep::kNone:
      return ScreenPress{};
    case BobweightAnswerStep::kStoreAfterWarning:
      press.dialog = CardDialogFor(true, card_, settings_);
      return press;
    case BobweightAnswerStep::kNewJob:
      newJob(card_, set_, NewJobDefaultsFrom(settings_), TodayJobDate());
      awaiting_ = kTextJobName;
      press = AskJobName(kTextJobName, settings_, card_);
      press.repaint = true;
      return press;
    case BobweightAnswerStep::kSaveAndClose:
    case BobweightAnswerStep::kDropAndClose:
      // A save that failed has been told; the window stays so nothing is lost.
      press.close = AnswerUnsavedChanges(step == BobweightAnswerStep::kSaveAndClose, card_, set_,
                                         settings_.bobweightFolder, ui_);
      return press;
  }
  return ScreenPress{};
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

ScreenPress ComponentPress(int id, ComponentMode mode, BobweightCard& card, RodPistonSet& set) {
  ScreenPress press = HandledPress();
  switch (id) {
    case kComponentAverage:
      UseAverage(card, set, mode);
      press.close = true;
      break;
    case kComponentLightest:
      UseLightest(card, set, mode);
      press.close = true;
      break;
    case kComponentMatchPins:
      if (mode != ComponentMode::kPistons) return ScreenPress{};
      MatchPins(card, set);
      press.repaint = true;
      break;
    case kComponentCancel:
      press.close = true;
      break;
    default:
      return ScreenPress{};
  }
  return press;
}

std::vector<ScreenItem> ComponentItems(ComponentMode mode) {
  constexpr int kButtonY = 540, kButtonH = 40;
  std::vector<ScreenItem> items;
  items.push_back(PlacedItem(kComponentAverage, FieldLabel(kComponentAverage), "",
                             {40, kButtonY, 170, kButtonH}));
  items.push_back(PlacedItem(kComponentLightest, FieldLabel(kComponentLightest), "",
                             {230, kButtonY, 170, kButtonH}));
  if (mode == ComponentMode::kPistons) {
    items.push_back(PlacedItem(kComponentMatchPins, FieldLabel(kComponentMatchPins), "",
                               {420, kButtonY, 170, kButtonH}));
  }
  items.push_back(PlacedItem(kComponentCancel, "Cancel", "", {640, kButtonY, 130, kButtonH}));
  return items;
}

const std::array<int, 7>& PrintOptionBoxCodes() {
  static const std::array<int, 7> codes = {kFieldInitialConditionLeft, kFieldInitialConditionRight,
                                           kFieldFinalConditionLeft,   kFieldFinalConditionRight,
                                           kFieldConditionRadiusLeft,  kFieldConditionRadiusRight,
                                           kFieldConditionTolerance};
  return codes;
}

std::vector<ScreenItem> PrintOptionsItems(const MachineSettings& settings) {
  std::vector<ScreenItem> items;
  items.push_back(PlacedItem(kPrintLeftImage, "Left Print Image", "", {24, 16, 200, 56}));
  items.push_back(PlacedItem(kPrintRightImage, "Right Print Image", "", {244, 16, 200, 56}));
  items.push_back(PlacedItem(kPrintBottomBanner, "Bottom\nPrint Banner", "", {464, 16, 200, 56}));
  const int checks[] = {kPrintMultiplePartData, kPrintForceTable};
  const char* texts[] = {"Print Multiple Part Data", "Print Force at RPM Table"};
  for (int i = 0; i < 2; ++i) {
    ScreenItem box = PlacedItem(checks[i], texts[i], "", {24, 90 + 40 * i, 400, 32});
    box.checkBox = true;
    box.checked = PrintOptionChecked(checks[i], settings);
    items.push_back(box);
  }
  // The labels of the value boxes: the columns, then one a row.
  constexpr int kLabelX = 24, kLeftBoxX = 280, kRightBoxX = 460, kHeadY = 196;
  items.push_back(PlacedItem(0, "Left", "", {kLeftBoxX + 50, kHeadY, 0, 0}));
  items.push_back(PlacedItem(0, "Right", "", {kRightBoxX + 50, kHeadY, 0, 0}));
  const char* labels[] = {"Initial Shaft Condition", "Final Shaft Condition", "Left Radius",
                          "Right Radius", "Tolerance"};
  for (int i = 0; i < 5; ++i) {
    items.push_back(PlacedItem(0, labels[i], "", {kLabelX, PrintOptionRowY(i) + 8, 0, 0}));
  }
  items.push_back(PlacedItem(kPrintSaveChanges, "Save Changes", "", {460, 400, 180, 40}));
  items.push_back(PlacedItem(kPrintExit, "Exit", "", {460, 460, 180, 40}));
  return items;
}

int PrintOptionRowY(int row) {
  static const int rows[5] = {228, 284, 340, 396, 452};
  return rows[row];
}

ScreenPress PrintOptionsScreen::Press(int id) {
  ScreenPress press = HandledPress();
  switch (id) {
    case kPrintLeftImage:
    case kPrintRightImage:
    case kPrintBottomBanner:
      imageButton_ = id;
      press.dialog = PrintImageRequest();
      break;
    case kPrintMultiplePartData:
      settings_.printOption ^= 1;
      press.repaint = true;
      break;
    case kPrintForceTable:
      settings_.printOption ^= 2;
      press.repaint = true;
      break;
    case kPrintSaveChanges:
      if (!card_.jobName.empty()) SaveCardSilently(card_, set_, settings_.bobweightFolder, ui_);
      break;
    case kPrintExit:
      press.close = press.writeSettings = true;
      break;
    default:
      return ScreenPress{};
  }
  return press;
}

ScreenPress PrintOptionsScreen::FileChosen(const FileRequest&,
                                           const std::optional<std::string>& path) {
  if (path) StorePrintImage(imageButton_, *path, settings_);
  imageButton_ = 0;
  return HandledPress();
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
