// The decisions of the bobweight windows: which entry or window a button or
// key opens, what typed texts and values do to the card, the component
// buttons and the print options.
#include "bobweight/bobweight_screen.h"

#include <gtest/gtest.h>

#include <cmath>

namespace balancer {
namespace {

struct BobweightScreenTest : ::testing::Test {
  MachineSettings settings;
  BobweightCard card;
  RodPistonSet set;
  std::string front, company = "Shop";
};

TEST_F(BobweightScreenTest, ToolbarTextsAndOrder) {
  const char* texts[] = {" New Job ", "Open",  "Save",    "Print",
                         "External",  "Notes", "Company", "Exit"};
  for (size_t i = 0; i < 8; ++i) EXPECT_STREQ(BobweightToolbar()[i].text, texts[i]);
}

TEST_F(BobweightScreenTest, RodAndPistonButtonsOpenTheComponentWindowOnlyWhenMultiple) {
  settings.bobweightDetail = 1;
  EXPECT_EQ(BobweightPress(103, settings, card, company).step, BobweightStep::kComponentRods);
  EXPECT_EQ(BobweightKey('e', settings, card).step, BobweightStep::kComponentRods);
  EXPECT_EQ(BobweightKey('P', settings, card).step, BobweightStep::kComponentPistons);
  EXPECT_EQ(BobweightKey('n', settings, card).step, BobweightStep::kComponentPistons);
  // Bearing is always a single value.
  BobweightDecision bearing = BobweightKey('b', settings, card);
  EXPECT_EQ(bearing.step, BobweightStep::kNumberEntry);
  EXPECT_EQ(bearing.entryCode, 105);

  settings.bobweightDetail = 0;
  BobweightDecision rod = BobweightKey('t', settings, card);
  EXPECT_EQ(rod.step, BobweightStep::kNumberEntry);
  EXPECT_EQ(rod.entryCode, 103);
  EXPECT_EQ(BobweightPress(107, settings, card, company).entryCode, 107);
}

TEST_F(BobweightScreenTest, AccessKeysNameTheirFields) {
  settings.bobweightDetail = 0;
  const std::pair<char, int> keys[] = {{'L', 108}, {'r', 109}, {'U', 110}, {'o', 111}, {'a', 137},
                                       {'W', 138}, {'c', 139}, {'V', 140}, {'m', 119}};
  for (auto [key, code] : keys) {
    BobweightDecision d = BobweightKey(key, settings, card);
    EXPECT_EQ(d.step, BobweightStep::kNumberEntry) << key;
    EXPECT_EQ(d.entryCode, code) << key;
  }
  EXPECT_EQ(BobweightKey('s', settings, card).step, BobweightStep::kSelectEngine);
  EXPECT_EQ(BobweightKey('X', settings, card).step, BobweightStep::kNone);
  EXPECT_EQ(BobweightKey(-5, settings, card).step, BobweightStep::kNone);
  EXPECT_EQ(BobweightKey(0x1234, settings, card).step, BobweightStep::kNone);
}

TEST_F(BobweightScreenTest, DateIsATextEntryPrefilledWithTheDate) {
  card.jobDate = "3/4/2026";
  BobweightDecision d = BobweightKey('d', settings, card);
  EXPECT_EQ(d.step, BobweightStep::kTextEntry);
  EXPECT_EQ(d.entryCode, kTextDate);
  EXPECT_EQ(d.prefill, "3/4/2026");
  EXPECT_FALSE(d.keyboard);
  BobweightTextOutcome out =
      ApplyBobweightText(kTextDate, "12/31/2026 and more", card, settings, front, company);
  EXPECT_TRUE(out.repaint);
  EXPECT_EQ(card.jobDate, "12/31/2026 ");  // cut to 11 characters
  EXPECT_TRUE(card.changed);

  // The typewriter has no slash: a touch screen takes the keypad for the date.
  settings.touchscreen = 1;
  d = BobweightKey('d', settings, card);
  EXPECT_TRUE(d.keypad);
  EXPECT_FALSE(d.keyboard);
  EXPECT_EQ(d.entryCode, kTextDate);
  EXPECT_EQ(d.prefill, card.jobDate);
}

TEST_F(BobweightScreenTest, ExternalAsksFrontThenRearAndBuildsTheLine) {
  BobweightDecision d = BobweightPress(kBobExternal, settings, card, company);
  EXPECT_EQ(d.step, BobweightStep::kTextEntry);
  EXPECT_EQ(d.heading, "Enter front external weight");
  BobweightTextOutcome out =
      ApplyBobweightText(d.entryCode, "12 g at 90", card, settings, front, company);
  EXPECT_EQ(out.next.step, BobweightStep::kTextEntry);
  EXPECT_EQ(out.next.heading, "Enter rear external weight");
  EXPECT_TRUE(card.externalWeightText.empty());  // not before the rear weight
  ApplyBobweightText(out.next.entryCode, "8 g at 270", card, settings, front, company);
  EXPECT_EQ(card.externalWeightText, "Front: 12 g at 90      Rear: 8 g at 270");
  EXPECT_TRUE(card.changed);
}

TEST_F(BobweightScreenTest, TouchScreenTakesTheKeyboardForTexts) {
  settings.touchscreen = 1;
  EXPECT_TRUE(BobweightPress(kBobExternal, settings, card, company).keyboard);
  BobweightDecision notes = BobweightPress(kBobNotes, settings, card, company);
  EXPECT_TRUE(notes.keyboard);
  EXPECT_FALSE(notes.note);
  EXPECT_TRUE(AskJobName(kTextJobName, settings, card).keyboard);
  settings.touchscreen = 0;
  notes = BobweightPress(kBobNotes, settings, card, company);
  EXPECT_TRUE(notes.note);
  EXPECT_FALSE(AskJobName(kTextJobName, settings, card).keyboard);
  EXPECT_EQ(AskJobName(kTextJobName, settings, card).heading, "Enter a job name");
}

TEST_F(BobweightScreenTest, SaveOnATouchScreenAsksTheNameFirstThenSaves) {
  settings.touchscreen = 1;
  card.jobName = "smith";
  BobweightDecision d = BobweightPress(kBobSave, settings, card, company);
  EXPECT_EQ(d.step, BobweightStep::kTextEntry);
  EXPECT_EQ(d.heading, "Enter a job name");
  EXPECT_EQ(d.prefill, "smith");
  EXPECT_TRUE(d.keyboard);
  BobweightTextOutcome out =
      ApplyBobweightText(d.entryCode, "jones 383", card, settings, front, company);
  EXPECT_TRUE(out.save);
  EXPECT_EQ(card.jobName, "jones 383");
  // The typewriter's Enter is no part of the name the silent saves use.
  ApplyBobweightText(d.entryCode, "jones 383\r\n", card, settings, front, company);
  EXPECT_EQ(card.jobName, "jones 383");
  ApplyBobweightText(kTextJobName, "\r\nsmith\r\n", card, settings, front, company);
  EXPECT_EQ(card.jobName, "smith");

  settings.touchscreen = 0;
  EXPECT_EQ(BobweightPress(kBobSave, settings, card, company).step, BobweightStep::kSave);
}

TEST_F(BobweightScreenTest, NotesAndCompanyArePrefilledAndStored) {
  card.jobNotes = "old";
  BobweightDecision notes = BobweightPress(kBobNotes, settings, card, company);
  EXPECT_EQ(notes.heading, "Enter Job Notes");
  EXPECT_EQ(notes.prefill, "old");
  ApplyBobweightText(kTextNotes, "line one\r\nline \x1btwo", card, settings, front, company);
  EXPECT_EQ(card.jobNotes, "line one\r\nline two");

  BobweightDecision comp = BobweightPress(kBobCompany, settings, card, company);
  EXPECT_EQ(comp.heading, "Enter Your Company Information");
  EXPECT_EQ(comp.entryCode, 19);  // the entry window with the colour tiles
  EXPECT_EQ(comp.prefill, "Shop");
  EXPECT_TRUE(comp.keyboard);
  BobweightTextOutcome out =
      ApplyBobweightText(19, std::string(900, 'x'), card, settings, front, company);
  EXPECT_TRUE(out.writeCompany);
  EXPECT_EQ(company.size(), 667u);
}

TEST_F(BobweightScreenTest, JobNameAnswerNamesTheJobWithoutMarkingItChanged) {
  ApplyBobweightText(kTextJobName, "smith 350", card, settings, front, company);
  EXPECT_EQ(card.jobName, "smith 350");
  EXPECT_FALSE(card.changed);
  EXPECT_FALSE(ApplyBobweightText(999, "x", card, settings, front, company).handled);
}

TEST_F(BobweightScreenTest, EnterAnswersYesToTheWindowsQuestions) {
  EXPECT_EQ(PlanBobweightAnswer(1, kAskUnsavedChanges), BobweightAnswerStep::kSaveAndClose);
  EXPECT_EQ(PlanBobweightAnswer(6, kAskUnsavedChanges), BobweightAnswerStep::kSaveAndClose);
  EXPECT_EQ(PlanBobweightAnswer(7, kAskUnsavedChanges), BobweightAnswerStep::kDropAndClose);
  EXPECT_EQ(PlanBobweightAnswer(1, kAskNewJob), BobweightAnswerStep::kNewJob);
  EXPECT_EQ(PlanBobweightAnswer(6, kAskNewJob), BobweightAnswerStep::kNewJob);
  EXPECT_EQ(PlanBobweightAnswer(7, kAskNewJob), BobweightAnswerStep::kNone);
  EXPECT_EQ(PlanBobweightAnswer(7, kWarnEmptyCard), BobweightAnswerStep::kStoreAfterWarning);
  EXPECT_EQ(PlanBobweightAnswer(1, 11), BobweightAnswerStep::kNone);  // not this window's
}

TEST_F(BobweightScreenTest, CardDialogsStartInTheBobweightFolder) {
  FileRequest open = CardDialogFor(false, card, settings);
  EXPECT_EQ(open.title, "Retrieve Bobweight Data");
  EXPECT_EQ(open.filterName, "Bobweight Files (.bwi files)");
  EXPECT_EQ(open.patterns, "*.bwi");
  EXPECT_EQ(open.defaultExtension, "bwi");
  EXPECT_EQ(open.folder, "C:\\balancer");
  EXPECT_EQ(open.proposedName, "");
  settings.bobweightFolder = "D:\\jobs";
  card.jobName = "smith 350";
  FileRequest save = CardDialogFor(true, card, settings);
  EXPECT_TRUE(save.save);
  EXPECT_EQ(save.title, "Store Bobweight Data");
  EXPECT_EQ(save.folder, "D:\\jobs");
  EXPECT_EQ(save.proposedName, "smith 350.bwi");
}

TEST_F(BobweightScreenTest, StoreTakesCardComponentAndEmptyBobweightValues) {
  BobweightEntryStore store(card, set, settings);
  ScreenEntryEffect e = store.StoreEntry(105, 60.0);
  EXPECT_TRUE(e.handled && e.stored);
  EXPECT_FALSE(e.writeSettings);
  EXPECT_DOUBLE_EQ(card.rodBearingWeight, 60.0);
  EXPECT_TRUE(card.changed);

  e = store.StoreEntry(119, 1500.0);
  EXPECT_TRUE(e.writeSettings);
  EXPECT_DOUBLE_EQ(settings.emptyBobweight, 1500.0);

  e = store.StoreEntry(213, 498.0);  // piston #3
  EXPECT_TRUE(e.stored);
  EXPECT_DOUBLE_EQ(set.pistons[2], 498.0);
  std::string text;
  ASSERT_TRUE(store.BoxText(213, text));
  EXPECT_EQ(text, "498.0");

  e = store.StoreEntry(140, -2.0);
  EXPECT_TRUE(e.handled);
  EXPECT_FALSE(e.stored);
  EXPECT_DOUBLE_EQ(card.overbalancePercent, 0.0);
  EXPECT_FALSE(store.StoreEntry(112, 500.0).handled);  // a setting, not the card's
  EXPECT_FALSE(store.BoxText(112, text));
}

TEST_F(BobweightScreenTest, PrintOptionBoxesConvertUnitsAndKeepAFloor) {
  settings.weightUnit = 1;  // ounces
  settings.lengthUnit = 1;  // millimetres
  BobweightEntryStore store(card, set, settings);
  EXPECT_TRUE(store.StoreEntry(270, 2.0).stored);
  EXPECT_NEAR(card.initialLeft, 56.69905, 1e-9);
  EXPECT_FALSE(card.initialConditionText.empty());
  store.StoreEntry(274, 50.8);
  EXPECT_NEAR(card.leftRadius, 2.0, 1e-12);
  store.StoreEntry(276, 0.0);
  EXPECT_DOUBLE_EQ(card.tolerance, 0.001);
  store.StoreEntry(273, 0.0);
  EXPECT_DOUBLE_EQ(card.finalRight, 0.001);
  std::string text;
  store.BoxText(270, text);
  EXPECT_EQ(text, "2.00");
  store.BoxText(274, text);
  EXPECT_EQ(text, "50.80");
  // The tolerance too is typed and shown in ounce-millimetres.
  store.StoreEntry(276, 1.25);
  EXPECT_NEAR(card.tolerance, 1.25 * 28.349525 / 25.4, 1e-12);
  store.BoxText(276, text);
  EXPECT_EQ(text, "1.25");
  const double before = card.rightRadius;
  EXPECT_TRUE(store.StoreEntry(275, std::nan("")).handled);
  EXPECT_DOUBLE_EQ(card.rightRadius, before);
}

TEST_F(BobweightScreenTest, ComponentButtons) {
  set.rodTotals = {600, 0, 610};
  set.rodBigEnds = {400, 0, 390};
  ComponentDecision d = ComponentPress(kComponentAverage, ComponentMode::kRods, card, set);
  EXPECT_TRUE(d.close);
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, 605.0);
  EXPECT_DOUBLE_EQ(card.rodBigEndWeight, 395.0);

  d = ComponentPress(kComponentLightest, ComponentMode::kRods, card, set);
  EXPECT_TRUE(d.close);
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, 600.0);
  EXPECT_DOUBLE_EQ(card.rodBigEndWeight, 390.0);

  // Match Pins belongs to the piston mode only and keeps the window open.
  EXPECT_FALSE(ComponentPress(kComponentMatchPins, ComponentMode::kRods, card, set).handled);
  set.pistons = {500, 502, 498};
  set.pins = {120, 121, 119};
  d = ComponentPress(kComponentMatchPins, ComponentMode::kPistons, card, set);
  EXPECT_TRUE(d.repaint);
  EXPECT_FALSE(d.close);
  EXPECT_DOUBLE_EQ(set.pins[2], 121.0);
  EXPECT_EQ(set.pinNumbers[2], 2);

  card.changed = false;
  const double pin = card.pinWeight;
  EXPECT_TRUE(ComponentPress(kComponentCancel, ComponentMode::kPistons, card, set).close);
  EXPECT_FALSE(card.changed);
  EXPECT_DOUBLE_EQ(card.pinWeight, pin);
}

TEST_F(BobweightScreenTest, ComponentBoxCodesAndHeadings) {
  EXPECT_EQ(ComponentBoxCode(ComponentMode::kRods, 0, 0), 187);
  EXPECT_EQ(ComponentBoxCode(ComponentMode::kRods, 1, 11), 210);
  EXPECT_EQ(ComponentBoxCode(ComponentMode::kPistons, 0, 0), 211);
  EXPECT_EQ(ComponentBoxCode(ComponentMode::kPistons, 1, 11), 234);
  EXPECT_STREQ(ComponentHeadings(ComponentMode::kRods)[2], "Small End");
  EXPECT_STREQ(ComponentHeadings(ComponentMode::kPistons)[2], "Total");
  EXPECT_EQ(ComponentColour(CellColour::kLightest).r, 255);
  EXPECT_EQ(ComponentColour(CellColour::kHeaviest).g, 136);
}

TEST_F(BobweightScreenTest, PrintOptionsToggleBitsAndChoosePictures) {
  PrintOptionsDecision d = PrintOptionsPress(kPrintMultiplePartData, settings);
  EXPECT_TRUE(d.repaint);
  EXPECT_EQ(settings.printOption, 1);
  EXPECT_TRUE(PrintOptionChecked(kPrintMultiplePartData, settings));
  PrintOptionsPress(kPrintForceTable, settings);
  EXPECT_EQ(settings.printOption, 3);
  PrintOptionsPress(kPrintMultiplePartData, settings);
  EXPECT_EQ(settings.printOption, 2);
  EXPECT_FALSE(PrintOptionChecked(kPrintMultiplePartData, settings));

  EXPECT_TRUE(PrintOptionsPress(kPrintBottomBanner, settings).chooseImage);
  StorePrintImage(kPrintBottomBanner, "C:\\balancer\\logo.png", settings);
  EXPECT_EQ(settings.bottomPhotoPath, "C:\\balancer\\logo.png");
  StorePrintImage(kPrintLeftImage, std::string(300, 'p'), settings);
  EXPECT_EQ(settings.leftPhotoPath.size(), kPhotoPathMax);
  EXPECT_TRUE(PrintOptionsPress(kPrintSaveChanges, settings).save);
  EXPECT_TRUE(PrintOptionsPress(kPrintExit, settings).close);
  FileRequest dialog = PrintImageRequest();
  EXPECT_EQ(dialog.title, "Select Print Image");
  EXPECT_EQ(dialog.filterName, "Images (bmp, jpg, png, or gif)");
}

}  // namespace
}  // namespace balancer
