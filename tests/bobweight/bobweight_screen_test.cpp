// The models of the bobweight windows: which entry or window a button or
// key opens, what typed texts, answers and values do to the card, the
// component buttons and the print options.
#include "bobweight/bobweight_screen.h"

#include <gtest/gtest.h>

#include <cmath>

#include "records/side_files.h"
#include "support/temp_folder.h"

namespace balancer {
namespace {

struct BobweightScreenTest : ::testing::Test {
  MachineSettings settings;
  BobweightCard card;
  RodPistonSet set;
  BobweightScreen screen{card, set, settings, nullptr, nullptr};
  // A text entry asked and the text typed into it.
  ScreenPress Typed(const ScreenPress& asked, const std::string& text) {
    EXPECT_TRUE(asked.nameEntry);
    return screen.NameEntered(text);
  }
};

bool OpensComponent(const ScreenPress& p, const BobweightScreen& s, ComponentMode mode) {
  return p.openScreen == kComponentScreenCode && s.Component() == mode;
}

bool IsNumberEntry(const ScreenPress& p) {
  return p.handled && p.entryCode != 0 && !p.nameEntry && p.openScreen == 0;
}

bool Kind(const ScreenPress& p, TextEntryKind kind) {
  return p.nameEntry && p.nameEntry->kind == kind;
}

// The job name question as New Job asks it.
ScreenPress AskJobNameOf(BobweightScreen& screen) {
  return screen.Answered(kAskNewJob, true);
}

TEST_F(BobweightScreenTest, ToolbarTextsAndOrder) {
  const char* texts[] = {" New Job ", "Open",  "Save",    "Print",
                         "External",  "Notes", "Company", "Exit"};
  for (size_t i = 0; i < 8; ++i) EXPECT_STREQ(BobweightToolbar()[i].text, texts[i]);
}

TEST_F(BobweightScreenTest, RodAndPistonButtonsOpenTheComponentWindowOnlyWhenMultiple) {
  settings.bobweightDetail = 1;
  EXPECT_TRUE(OpensComponent(screen.Press(103), screen, ComponentMode::kRods));
  EXPECT_TRUE(OpensComponent(screen.Key('P'), screen, ComponentMode::kPistons));
  EXPECT_TRUE(OpensComponent(screen.Key('e'), screen, ComponentMode::kRods));
  EXPECT_TRUE(OpensComponent(screen.Key('n'), screen, ComponentMode::kPistons));
  // Bearing is always a single value.
  ScreenPress bearing = screen.Key('b');
  EXPECT_TRUE(IsNumberEntry(bearing));
  EXPECT_EQ(bearing.entryCode, 105);

  settings.bobweightDetail = 0;
  ScreenPress rod = screen.Key('t');
  EXPECT_TRUE(IsNumberEntry(rod));
  EXPECT_EQ(rod.entryCode, 103);
  EXPECT_EQ(screen.Press(107).entryCode, 107);
}

TEST_F(BobweightScreenTest, AccessKeysNameTheirFields) {
  settings.bobweightDetail = 0;
  const std::pair<char, int> keys[] = {{'L', 108}, {'r', 109}, {'U', 110}, {'o', 111}, {'a', 137},
                                       {'W', 138}, {'c', 139}, {'V', 140}, {'m', 119}};
  for (auto [key, code] : keys) {
    ScreenPress d = screen.Key(key);
    EXPECT_TRUE(IsNumberEntry(d)) << key;
    EXPECT_EQ(d.entryCode, code) << key;
  }
  EXPECT_EQ(screen.Key('s').openScreen, kEngineListCode);
  EXPECT_FALSE(screen.Key('X').handled);
  EXPECT_FALSE(screen.Key(-5).handled);
  EXPECT_FALSE(screen.Key(0x1234).handled);
}

TEST_F(BobweightScreenTest, DateIsATextEntryPrefilledWithTheDate) {
  card.jobDate = "3/4/2026";
  ScreenPress d = screen.Key('d');
  ASSERT_TRUE(d.nameEntry);
  EXPECT_EQ(d.nameEntry->code, kTextDate);
  EXPECT_EQ(d.nameEntry->prefill, "3/4/2026");
  EXPECT_FALSE(Kind(d, TextEntryKind::kKeyboard));
  ScreenPress out = Typed(d, "12/31/2026 and more");
  EXPECT_TRUE(out.repaint);
  EXPECT_EQ(card.jobDate, "12/31/2026 ");  // cut to 11 characters
  EXPECT_TRUE(card.changed);

  // The typewriter has no slash: a touch screen takes the keypad for the date.
  settings.touchscreen = 1;
  d = screen.Key('d');
  EXPECT_TRUE(Kind(d, TextEntryKind::kKeypad));
  EXPECT_FALSE(Kind(d, TextEntryKind::kKeyboard));
  EXPECT_EQ(d.nameEntry->code, kTextDate);
  EXPECT_EQ(d.nameEntry->prefill, card.jobDate);
}

TEST_F(BobweightScreenTest, ExternalAsksFrontThenRearAndBuildsTheLine) {
  ScreenPress d = screen.Press(kBobExternal);
  ASSERT_TRUE(d.nameEntry);
  EXPECT_EQ(d.nameEntry->heading, "Enter front external weight");
  ScreenPress out = Typed(d, "12 g at 90");
  ASSERT_TRUE(out.nameEntry);
  EXPECT_EQ(out.nameEntry->heading, "Enter rear external weight");
  EXPECT_TRUE(card.externalWeightText.empty());  // not before the rear weight
  Typed(out, "8 g at 270");
  EXPECT_EQ(card.externalWeightText, "Front: 12 g at 90      Rear: 8 g at 270");
  EXPECT_TRUE(card.changed);
}

TEST_F(BobweightScreenTest, TouchScreenTakesTheKeyboardForTexts) {
  settings.touchscreen = 1;
  EXPECT_TRUE(Kind(screen.Press(kBobExternal), TextEntryKind::kKeyboard));
  ScreenPress notes = screen.Press(kBobNotes);
  EXPECT_TRUE(Kind(notes, TextEntryKind::kKeyboard));
  EXPECT_FALSE(Kind(notes, TextEntryKind::kNote));
  EXPECT_TRUE(Kind(AskJobName(kTextJobName, settings, card), TextEntryKind::kKeyboard));
  settings.touchscreen = 0;
  notes = screen.Press(kBobNotes);
  EXPECT_TRUE(Kind(notes, TextEntryKind::kNote));
  EXPECT_FALSE(Kind(AskJobName(kTextJobName, settings, card), TextEntryKind::kKeyboard));
  EXPECT_EQ(AskJobName(kTextJobName, settings, card).nameEntry->heading, "Enter a job name");
}

TEST_F(BobweightScreenTest, SaveOnATouchScreenAsksTheNameFirstThenSaves) {
  settings.touchscreen = 1;
  card.jobName = "smith";
  card.pistonWeight = 500;  // not empty: the save goes on to its dialog
  ScreenPress d = screen.Press(kBobSave);
  ASSERT_TRUE(d.nameEntry);
  EXPECT_EQ(d.nameEntry->heading, "Enter a job name");
  EXPECT_EQ(d.nameEntry->prefill, "smith");
  EXPECT_TRUE(Kind(d, TextEntryKind::kKeyboard));
  ScreenPress out = Typed(d, "jones 383");
  EXPECT_TRUE(out.dialog && out.dialog->save);
  EXPECT_EQ(card.jobName, "jones 383");
  // The typewriter's Enter is no part of the name the silent saves use.
  Typed(screen.Press(kBobSave), "jones 383\r\n");
  EXPECT_EQ(card.jobName, "jones 383");
  Typed(AskJobNameOf(screen), "\r\nsmith\r\n");
  EXPECT_EQ(card.jobName, "smith");

  settings.touchscreen = 0;
  card.pistonWeight = 500;  // New Job above cleared it
  ScreenPress save = screen.Press(kBobSave);
  EXPECT_TRUE(save.dialog && save.dialog->save);
  // An empty card warns before the dialog.
  card.pistonWeight = 0;
  save = screen.Press(kBobSave);
  EXPECT_FALSE(save.dialog);
  ASSERT_TRUE(save.message);
  EXPECT_EQ(save.message->actionCode, kWarnEmptyCard);
}

TEST_F(BobweightScreenTest, NotesAndCompanyArePrefilledAndStored) {
  card.jobNotes = "old";
  ScreenPress notes = screen.Press(kBobNotes);
  ASSERT_TRUE(notes.nameEntry);
  EXPECT_EQ(notes.nameEntry->heading, "Enter Job Notes");
  EXPECT_EQ(notes.nameEntry->prefill, "old");
  Typed(notes, "line one\r\nline \x1btwo");
  EXPECT_EQ(card.jobNotes, "line one\r\nline two");

  // The company text is the program folder's company.txt.
  test::TempFolder temp;
  const ProgramFolder folder = temp.Folder();
  ASSERT_TRUE(WriteCompanyText(folder, "Shop", nullptr));
  BobweightScreen shop(card, set, settings, &folder, nullptr);
  ScreenPress comp = shop.Press(kBobCompany);
  ASSERT_TRUE(comp.nameEntry);
  EXPECT_EQ(comp.nameEntry->heading, "Enter Your Company Information");
  EXPECT_EQ(comp.nameEntry->code, 19);  // the entry window with the colour tiles
  EXPECT_EQ(comp.nameEntry->prefill, "Shop");
  EXPECT_TRUE(Kind(comp, TextEntryKind::kKeyboard));
  EXPECT_TRUE(shop.NameEntered(std::string(900, 'x')).handled);
  EXPECT_EQ(ReadCompanyText(folder).size(), 667u);
  EXPECT_EQ(shop.CompanyText().size(), 667u);
}

TEST_F(BobweightScreenTest, JobNameAnswerNamesTheJobWithoutMarkingItChanged) {
  Typed(AskJobNameOf(screen), "smith 350");
  EXPECT_EQ(card.jobName, "smith 350");
  EXPECT_FALSE(card.changed);
  // A text nobody asked for changes nothing.
  EXPECT_FALSE(screen.NameEntered("x").handled);
}

// Enter (OK, 1) and yes (6) come as accepted, no (7) as not.
TEST_F(BobweightScreenTest, EnterAnswersYesToTheWindowsQuestions) {
  auto plan = [](int answer, int code) {
    return PlanBobweightAnswer(answer == kAnswerOk || answer == kAnswerYes, code);
  };
  EXPECT_EQ(plan(1, kAskUnsavedChanges), BobweightAnswerStep::kSaveAndClose);
  EXPECT_EQ(plan(6, kAskUnsavedChanges), BobweightAnswerStep::kSaveAndClose);
  EXPECT_EQ(plan(7, kAskUnsavedChanges), BobweightAnswerStep::kDropAndClose);
  EXPECT_EQ(plan(1, kAskNewJob), BobweightAnswerStep::kNewJob);
  EXPECT_EQ(plan(6, kAskNewJob), BobweightAnswerStep::kNewJob);
  EXPECT_EQ(plan(7, kAskNewJob), BobweightAnswerStep::kNone);
  EXPECT_EQ(plan(7, kWarnEmptyCard), BobweightAnswerStep::kStoreAfterWarning);
  EXPECT_EQ(plan(1, 11), BobweightAnswerStep::kNone);  // not this window's

  // New Job clears the card and asks the name; the warning goes on to the
  // save dialog; another screen's question is not this one's.
  card.pistonWeight = 500;
  ScreenPress press = screen.Answered(kAskNewJob, true);
  EXPECT_DOUBLE_EQ(card.pistonWeight, 0.0);
  ASSERT_TRUE(press.nameEntry);
  EXPECT_EQ(press.nameEntry->code, kTextJobName);
  press = screen.Answered(kWarnEmptyCard, false);
  EXPECT_TRUE(press.dialog && press.dialog->save);
  EXPECT_FALSE(screen.Answered(11, true).handled);
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
  ScreenPress d = ComponentPress(kComponentAverage, ComponentMode::kRods, card, set);
  EXPECT_TRUE(d.close);
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, 605.0);
  EXPECT_DOUBLE_EQ(card.rodBigEndWeight, 395.0);

  d = ComponentPress(kComponentLightest, ComponentMode::kRods, card, set);
  EXPECT_TRUE(d.close);
  EXPECT_DOUBLE_EQ(card.rodTotalWeight, 600.0);
  EXPECT_DOUBLE_EQ(card.rodBigEndWeight, 390.0);

  // Match Pins belongs to the piston mode only and keeps the window open.
  EXPECT_FALSE(ComponentPress(kComponentMatchPins, ComponentMode::kRods, card, set).handled);
  EXPECT_EQ(FindItem(ComponentItems(ComponentMode::kRods), kComponentMatchPins), nullptr);
  EXPECT_NE(FindItem(ComponentItems(ComponentMode::kPistons), kComponentMatchPins), nullptr);
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
  PrintOptionsScreen options(card, set, settings, nullptr);
  ScreenPress d = options.Press(kPrintMultiplePartData);
  EXPECT_TRUE(d.repaint);
  EXPECT_EQ(settings.printOption, 1);
  EXPECT_TRUE(PrintOptionChecked(kPrintMultiplePartData, settings));
  EXPECT_TRUE(FindItem(options.Items(), kPrintMultiplePartData)->checked);
  options.Press(kPrintForceTable);
  EXPECT_EQ(settings.printOption, 3);
  options.Press(kPrintMultiplePartData);
  EXPECT_EQ(settings.printOption, 2);
  EXPECT_FALSE(PrintOptionChecked(kPrintMultiplePartData, settings));

  d = options.Press(kPrintBottomBanner);
  ASSERT_TRUE(d.dialog);
  options.FileChosen(*d.dialog, std::string("C:\\balancer\\logo.png"));
  EXPECT_EQ(settings.bottomPhotoPath, "C:\\balancer\\logo.png");
  d = options.Press(kPrintLeftImage);
  options.FileChosen(*d.dialog, std::string(300, 'p'));
  EXPECT_EQ(settings.leftPhotoPath.size(), kPhotoPathMax);
  // A cancelled dialog keeps the picture.
  d = options.Press(kPrintBottomBanner);
  options.FileChosen(*d.dialog, std::nullopt);
  EXPECT_EQ(settings.bottomPhotoPath, "C:\\balancer\\logo.png");
  EXPECT_TRUE(options.Press(kPrintSaveChanges).handled);
  d = options.Press(kPrintExit);
  EXPECT_TRUE(d.close);
  EXPECT_TRUE(d.writeSettings);
  FileRequest dialog = PrintImageRequest();
  EXPECT_EQ(dialog.title, "Select Print Image");
  EXPECT_EQ(dialog.filterName, "Images (bmp, jpg, png, or gif)");
}

}  // namespace
}  // namespace balancer
