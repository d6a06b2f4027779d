#include "bobweight/bobweight_print.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/machine_settings.h"
#include "correction/tolerance.h"
#include "records/history.h"

namespace balancer {
namespace {

std::vector<std::string> Texts(const PrintPage& page) {
  std::vector<std::string> texts;
  for (const PrintItem& item : page.items) {
    if (item.kind == PrintItem::Kind::kText) texts.push_back(item.text);
  }
  return texts;
}

const PrintItem* FindText(const PrintPage& page, const std::string& text) {
  for (const PrintItem& item : page.items) {
    if (item.kind == PrintItem::Kind::kText && item.text == text) return &item;
  }
  return nullptr;
}

TEST(WrapPrintText, BreaksAtTheLastBlankAndAtLineEnds) {
  std::string words;
  while (words.size() < 200) words += "crank ";
  words.resize(200);
  std::vector<std::string> lines = WrapPrintText(words);
  ASSERT_EQ(lines.size(), 3u);
  for (const std::string& line : lines) {
    EXPECT_LE(line.size(), kWrapLineChars);
    EXPECT_NE(line.front(), ' ');
  }
  EXPECT_EQ(lines[0].size(), 83u);  // "crank " * 14 less the blank it broke at
  EXPECT_EQ(lines[0] + " " + lines[1] + " " + lines[2], words);

  EXPECT_EQ(WrapPrintText("one\r\ntwo\r\n\r\nfour\r\n"),
            (std::vector<std::string>{"one", "two", "", "four"}));
  std::vector<std::string> solid = WrapPrintText(std::string(200, 'x'));
  ASSERT_EQ(solid.size(), 3u);
  EXPECT_EQ(solid[0].size(), 85u);
  EXPECT_EQ(solid[2].size(), 30u);
  EXPECT_EQ(WrapPrintText("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8").size(), 6u);
  EXPECT_EQ(WrapPrintText(std::string(600, 'y')).size(), 6u);
  EXPECT_TRUE(WrapPrintText("").empty());
}

TEST(ForceTable, KeepsItsConstant) {
  EXPECT_NEAR(ForceAtRpm(2.0, 10, 1000), 1.252989, 1e-6);
  char text[16];
  std::snprintf(text, sizeof text, "%1.1f", ForceAtRpm(2.0, 10, 1000));
  EXPECT_STREQ(text, "1.3");
  std::snprintf(text, sizeof text, "%1.1f", ForceAtRpm(2.0, 10, 12000));
  EXPECT_STREQ(text, "180.4");
}

TEST(CardPages, PrintOptionDecidesThePages) {
  EXPECT_EQ(CardPageCount(0), 1);
  EXPECT_EQ(CardPageCount(kPrintForceTable), 2);
  PrintPageChoice both = ChooseCardPages(kPrintPartData, 1, 2);
  EXPECT_TRUE(both.page1);
  EXPECT_TRUE(both.page2);
  PrintPageChoice onlySecond = ChooseCardPages(kPrintForceTable, 2, 2);
  EXPECT_FALSE(onlySecond.page1);
  EXPECT_TRUE(onlySecond.page2);
  EXPECT_FALSE(ChooseCardPages(0, 1, 2).page2);
  EXPECT_TRUE(PrintNeedsJobName(BobweightCard{}));
}

TEST(JobNameFirst, CardAsksOnlyWithoutANameTheReportAlways) {
  BobweightCard card;
  card.savedJobName = "smith 350";
  JobNameQuestion q = CardJobNameQuestion(card, 0);
  EXPECT_TRUE(q.ask);
  EXPECT_STREQ(q.heading, "Enter job name before printing");
  EXPECT_EQ(q.prefill, "smith 350");
  EXPECT_FALSE(q.keyboard);
  EXPECT_TRUE(CardJobNameQuestion(card, 1).keyboard);

  EXPECT_FALSE(TakePrintJobName(card, "   \r\n"));
  EXPECT_TRUE(card.jobName.empty());
  EXPECT_FALSE(card.changed);
  EXPECT_TRUE(TakePrintJobName(card, "jones 454\r\n"));
  EXPECT_EQ(card.jobName, "jones 454");
  EXPECT_TRUE(card.changed);
  EXPECT_FALSE(CardJobNameQuestion(card, 0).ask);
  JobNameQuestion report = ReportJobNameQuestion(card, 1);
  EXPECT_TRUE(report.ask);
  EXPECT_TRUE(report.keyboard);
  EXPECT_EQ(report.prefill, "smith 350");

  TakePrintJobName(card, std::string(300, 'j'));
  EXPECT_EQ(card.jobName.size(), kJobNameMax);

  // A name typed on the keyboard becomes a file name: no line break inside,
  // nothing that would point the silent save elsewhere.
  EXPECT_TRUE(TakePrintJobName(card, " smith\r\n350 "));
  EXPECT_EQ(card.jobName, "smith350");
  EXPECT_TRUE(TakePrintJobName(card, "a/b:c*.bwi"));
  EXPECT_EQ(card.jobName, "abc");
  EXPECT_FALSE(TakePrintJobName(card, "\\??\r\n"));
  EXPECT_EQ(card.jobName, "abc");
}

TEST(CardPages, InputFollowsTheSettings) {
  MachineSettings settings;
  settings.printOption = kPrintForceTable;
  settings.weightUnit = 1;
  settings.lengthUnit = 1;
  settings.leftPhotoPath = "C:\\balancer\\l.png";
  BobweightCard card;
  RodPistonSet set;
  CardPrintInput input = CardInputOf(card, set, settings, "Works");
  EXPECT_EQ(input.card, &card);
  EXPECT_EQ(input.set, &set);
  EXPECT_EQ(input.printOption, kPrintForceTable);
  EXPECT_EQ(input.weightUnit, 1);
  EXPECT_EQ(input.lengthUnit, 1);
  EXPECT_EQ(input.companyText, "Works");
  EXPECT_EQ(PicturePathsOf(settings).left, "C:\\balancer\\l.png");
  EXPECT_EQ(PicturePathsOf(settings).bottom, settings.bottomPhotoPath);
}

TEST(CardPages, PrintDialogOffersOnePageWithoutOptions) {
  PrintDialogPages plain = CardPrintDialogPages(0);
  EXPECT_EQ(plain.minPage, 1);
  EXPECT_EQ(plain.maxPage, 1);  // no empty page 2 to choose
  EXPECT_EQ(plain.fromPage, 1);
  EXPECT_EQ(plain.toPage, 1);
  EXPECT_EQ(plain.copies, 1);
  for (int option : {1, 2, 3}) {  // either bit or both
    EXPECT_EQ(CardPrintDialogPages(option).maxPage, 2) << option;
    EXPECT_EQ(CardPrintDialogPages(option).toPage, 2) << option;
  }
  // A bit page 2 does not print offers no page 2 either.
  EXPECT_EQ(CardPrintDialogPages(4).maxPage, 1);
  EXPECT_FALSE(ChooseCardPages(4, 1, 2).page2);
}

TEST(PrintGeometry, ItemsScaleToThePrintableArea) {
  EXPECT_DOUBLE_EQ(PrintDeviceX(0.5, 4800), 2400);
  EXPECT_DOUBLE_EQ(PrintDeviceY(33, 6600), 3300);
  EXPECT_EQ(PrintFontHeight(PrintFont::kCard, 6600), 110);
  EXPECT_EQ(PrintFontHeight(PrintFont::kCardLarge, 6600), 137);
  EXPECT_EQ(PrintFontHeight(PrintFont::kReport, 6600), 103);
  EXPECT_EQ(PrintFontHeight(PrintFont::kCard, 10), 1);
  PrintPicturePaths paths{"l.bmp", "r.png", "b.jpg"};
  EXPECT_EQ(PicturePath(paths, PrintPicture::kLeft), "l.bmp");
  EXPECT_EQ(PicturePath(paths, PrintPicture::kRight), "r.png");
  EXPECT_EQ(PicturePath(paths, PrintPicture::kBottom), "b.jpg");
}

BobweightCard PrintedCard() {
  BobweightCard card;
  card.jobName = "smith 350";
  card.engineName = "350";
  card.jobDate = "12/7/2026";
  card.rodTotalWeight = 600;
  card.oilWeight = 5;
  card.overbalancePercent = 2;
  card.initialConditionText = "Left 12.3 grams      Right 4.56 grams";
  card.initialLeft = 10;
  card.initialRight = 4.56;
  card.finalLeft = 0.42;
  card.leftRadius = 2.0;
  card.rightRadius = 4.0;
  card.tolerance = 2.0;
  card.jobNotes = "Line one\r\nLine two";
  computeBobweight(card);
  return card;
}

TEST(CardPage1, CarriesTheCardInOrder) {
  BobweightCard card = PrintedCard();
  RodPistonSet set;
  CardPrintInput input{&card, &set, "Northside Engine Works\r\nMain Street 1", 0, 0, 0};
  PrintPage page = ComposeCardPage1(input);
  std::vector<std::string> texts = Texts(page);
  std::vector<std::string> expectedOrder = {
      "Job: smith 350",
      "Engine: 350    12/7/2026",
      "Rod total weight",
      "600.0",
      "Oil weight",
      "  5.0",
      "Reciprocating weight  50.0%",
      "Rotating weight 100.0%",
      "Overbalance   2.0%",
      "Bobweight total 617.1 grams",
      "Initial unbalance   Left 12.3 grams      Right 4.56 grams",
      "Final unbalance   ",
      "Line one",
      "Line two",
      "Northside Engine Works",
      "Main Street 1"};
  auto at = texts.begin();
  for (const std::string& expected : expectedOrder) {
    at = std::find(at, texts.end(), expected);
    ASSERT_NE(at, texts.end()) << expected;
  }
  EXPECT_TRUE(FindText(page, "Job: smith 350")->companyColour);
  EXPECT_EQ(FindText(page, "Job: smith 350")->font, PrintFont::kCardLarge);
  EXPECT_TRUE(FindText(page, "Main Street 1")->companyColour);
  EXPECT_EQ(FindText(page, "600.0")->align, PrintAlign::kRight);
  EXPECT_EQ(std::count(texts.begin(), texts.end(), std::string("External unbalance   ")), 0);
  int pictures = 0;
  for (const PrintItem& item : page.items) pictures += item.kind == PrintItem::Kind::kPicture;
  EXPECT_EQ(pictures, 3);

  card.engineName = " none";
  card.externalWeightText = "Front: 28 g      Rear: 14 g";
  PrintPage second = ComposeCardPage1(input);
  EXPECT_NE(FindText(second, "12/7/2026"), nullptr);
  EXPECT_NE(FindText(second, "External unbalance   Front: 28 g      Rear: 14 g"), nullptr);
}

TEST(CardPage2, PartTableForceTableAndTolerance) {
  BobweightCard card = PrintedCard();
  RodPistonSet set;
  CardPrintInput input{&card, &set, "", kPrintPartData | kPrintForceTable, 0, 0};
  // Nothing weighed: no part table, the force table starts at the top.
  PrintPage page = ComposeCardPage2(input);
  EXPECT_NE(FindText(page, "Job: smith 350   Engine: 350   12/7/2026"), nullptr);
  EXPECT_EQ(FindText(page, "Rod Total"), nullptr);
  const PrintItem* title = FindText(page, "Pounds of Force");
  ASSERT_NE(title, nullptr);
  double topWithoutParts = title->y;
  EXPECT_NE(FindText(page, "Initial Unbalance Grams"), nullptr);
  EXPECT_NE(FindText(page, "10.0gm"), nullptr);
  EXPECT_NE(FindText(page, "0.42gm"), nullptr);
  EXPECT_NE(FindText(page, "12,000"), nullptr);
  EXPECT_NE(FindText(page, "180.4"), nullptr);  // 10 g at 2 in, 12,000 rpm
  EXPECT_NE(FindText(page, "Tolerance 2.0 grams/inch"), nullptr);
  EXPECT_NE(FindText(page, "1.0 grams Left"), nullptr);
  EXPECT_NE(FindText(page, "0.5 grams Right"), nullptr);

  set.rodTotals[2] = 600;
  set.rodBigEnds[2] = 400;
  set.pins[0] = 120;
  EXPECT_EQ(WeighedRowCount(set), 3);
  page = ComposeCardPage2(input);
  EXPECT_NE(FindText(page, "Small End"), nullptr);
  EXPECT_NE(FindText(page, "200.0"), nullptr);
  EXPECT_NE(FindText(page, "3"), nullptr);
  EXPECT_EQ(FindText(page, "4"), nullptr);
  EXPECT_GT(FindText(page, "Pounds of Force")->y, topWithoutParts);

  std::vector<PrintPage> chosen = ComposeCardPages(input, ChooseCardPages(input.printOption, 2, 2));
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_NE(FindText(chosen[0], "Pounds of Force"), nullptr);
  EXPECT_EQ(ComposeCardPages(input, ChooseCardPages(input.printOption, 1, 2)).size(), 2u);

  input.printOption = kPrintPartData;
  input.weightUnit = 1;
  input.lengthUnit = 1;
  page = ComposeCardPage2(input);
  EXPECT_EQ(FindText(page, "Pounds of Force"), nullptr);
  input.printOption = kPrintForceTable;
  page = ComposeCardPage2(input);
  EXPECT_EQ(FindText(page, "Small End"), nullptr);
  EXPECT_NE(FindText(page, "Final Unbalance Ounces"), nullptr);
  EXPECT_NE(FindText(page, "0.35oz"), nullptr);
  EXPECT_NE(FindText(page, "Tolerance 1.79 ounces/mm"), nullptr);
  EXPECT_NE(FindText(page, "0.04 ounces Left"), nullptr);
}

TEST(PrintPictures, KeepTheirProportionsWhereTheCardPutsThem) {
  PictureBox left = PlacePrintPicture(PrintPicture::kLeft, 400, 300, 1000, 1320);
  EXPECT_DOUBLE_EQ(left.left, 0);
  EXPECT_DOUBLE_EQ(left.width, 290);
  EXPECT_DOUBLE_EQ(left.height, 217.5);
  EXPECT_DOUBLE_EQ(left.top, 110);
  PictureBox right = PlacePrintPicture(PrintPicture::kRight, 400, 300, 1000, 1320);
  EXPECT_DOUBLE_EQ(right.left, 710);
  PictureBox banner = PlacePrintPicture(PrintPicture::kBottom, 1000, 100, 1000, 1320);
  EXPECT_DOUBLE_EQ(banner.width, 1000);
  EXPECT_DOUBLE_EQ(banner.top + banner.height / 2, 58.95 * 20);
  PictureBox tall = PlacePrintPicture(PrintPicture::kBottom, 500, 500, 1000, 1320);
  EXPECT_DOUBLE_EQ(tall.height, 240);
  EXPECT_DOUBLE_EQ(tall.left, 380);
  EXPECT_DOUBLE_EQ(PlacePrintPicture(PrintPicture::kLeft, 0, 10, 1000, 1320).width, 0);
}

TEST(PrintOptions, EntriesInDisplayUnitsRebuildTheConditionTexts) {
  BobweightCard card;
  StorePrintOptionEntry(PrintOptionField::kInitialLeft, 12.34, 0, 0, card);
  EXPECT_DOUBLE_EQ(card.initialLeft, 12.34);
  EXPECT_EQ(card.initialConditionText, "Left 12.3 grams      Right 0.00 grams");
  EXPECT_TRUE(card.changed);
  StorePrintOptionEntry(PrintOptionField::kFinalRight, 1.0, 1, 0, card);  // ounces
  EXPECT_DOUBLE_EQ(card.finalRight, 28.349525);
  EXPECT_EQ(card.finalConditionText, "Left 0.000 ounces      Right 1.000 ounces");
  StorePrintOptionEntry(PrintOptionField::kLeftRadius, 88.9, 0, 1, card);  // millimetres
  EXPECT_DOUBLE_EQ(card.leftRadius, 3.5);
  StorePrintOptionEntry(PrintOptionField::kRightRadius, 0, 0, 0, card);
  EXPECT_DOUBLE_EQ(card.rightRadius, 0.001);
  StorePrintOptionEntry(PrintOptionField::kTolerance, 25.4, 0, 1, card);  // gram-millimetres
  EXPECT_DOUBLE_EQ(card.tolerance, 1.0);
  EXPECT_DOUBLE_EQ(card.initialRight, 0);  // only the entered field is held above 0.001
}

TEST(PrintOptions, ToleranceBoxShowsWhatWasTypedAndWhatPage2Prints) {
  const struct {
    int weightUnit, lengthUnit;
    double typed;
    const char* box;
    const char* printed;
  } cases[] = {
      {0, 0, 2.5, "2.5", "Tolerance 2.5 grams/inch"},
      {0, 1, 63.5, "63.5", "Tolerance 63.5 grams/mm"},
      {1, 0, 0.35, "0.35", "Tolerance 0.35 ounces/inch"},
      {1, 1, 2.25, "2.25", "Tolerance 2.25 ounces/mm"},
  };
  for (const auto& c : cases) {
    BobweightCard card;
    StorePrintOptionEntry(PrintOptionField::kTolerance, c.typed, c.weightUnit, c.lengthUnit, card);
    EXPECT_EQ(PrintOptionBoxText(PrintOptionField::kTolerance, card, c.weightUnit, c.lengthUnit),
              c.box);
    RodPistonSet set;
    CardPrintInput input{&card, &set, "", kPrintForceTable, c.weightUnit, c.lengthUnit};
    bool found = false;
    for (const PrintItem& item : ComposeCardPage2(input).items) found |= item.text == c.printed;
    EXPECT_TRUE(found) << c.printed;
  }
  // The other boxes in the display units too.
  BobweightCard card;
  card.finalLeft = 28.349525;
  card.rightRadius = 2.0;
  EXPECT_EQ(PrintOptionBoxText(PrintOptionField::kFinalLeft, card, 1, 0), "1.00");
  EXPECT_EQ(PrintOptionBoxText(PrintOptionField::kFinalLeft, card, 0, 0), "28.3");
  EXPECT_EQ(PrintOptionBoxText(PrintOptionField::kRightRadius, card, 0, 1), "50.80");
  EXPECT_EQ(PrintOptionBoxText(PrintOptionField::kRightRadius, card, 0, 0), "2.000");
}

TEST(ShaftReport, RowsReadAsTheHistoryWindowShowsThem) {
  History history;
  history.records[0] = {kHistoryInitial, 35, 90, 3.5, 7, 271, 3.5};
  history.records[1] = {kHistorySpin, 4, 12, 2.0, 2, 180, 4.0};
  history.records[2] = {kHistoryFinal, kNoLeftMoment, 0, 3.5, 1, 45, 3.5};
  history.historyCount = 3;
  std::vector<ShaftReportRow> rows = ShaftReportRows(history, 0, 0);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].label, "Initial");
  EXPECT_EQ(rows[0].left, "10.0 grams at 90\xB0 & 3.50\" radius");
  EXPECT_EQ(rows[1].label, "1");
  EXPECT_EQ(rows[1].left, "2.00 grams at 12\xB0 & 2.00\" radius");
  EXPECT_EQ(rows[1].right, "0.50 grams at 180\xB0 & 4.00\" radius");
  EXPECT_EQ(rows[2].label, "Final");
  EXPECT_EQ(rows[2].left, "");
  for (int i = 0; i < 3; ++i) {
    HistoryRow shown = HistoryRowText(history, i, 1, 1);
    ShaftReportRow printed = ShaftReportRows(history, 1, 1)[i];
    EXPECT_EQ(printed.label, shown.label);
    EXPECT_EQ(printed.left, shown.left);
    EXPECT_EQ(printed.right, shown.right);
  }

  // Records past historyCount are not part of the job.
  history.historyCount = 2;
  EXPECT_EQ(ShaftReportRows(history, 0, 0).size(), 2u);
  History none;
  EXPECT_TRUE(ShaftReportRows(none, 0, 0).empty());

  // A full history still fits on one page.
  History full;
  full.records[0] = {kHistoryInitial, 35, 90, 3.5, 7, 271, 3.5};
  for (int i = 1; i < kHistorySize; ++i) full.records[i] = {kHistorySpin, 4, 12, 2.0, 2, 180, 4.0};
  full.historyCount = kHistorySize;
  std::vector<ShaftReportRow> fullRows = ShaftReportRows(full, 0, 0);
  EXPECT_EQ(fullRows.back().label, "23");
  for (const PrintItem& item : ComposeShaftReport("job", fullRows).items) {
    EXPECT_LE(std::max(item.y, item.y2), kPrintLinesPerPage);
  }

  PrintPage page = ComposeShaftReport("smith 350", rows);
  std::vector<std::string> texts = Texts(page);
  ASSERT_GE(texts.size(), 4u);
  EXPECT_EQ(texts[0], "smith 350");
  EXPECT_EQ(texts[1], "Spin");
  EXPECT_EQ(FindText(page, "Final")->font, PrintFont::kReport);
}

// The verdict lines below the report's table: the tolerance at the radii of
// the final record (else the latest), and the final record judged as the
// main screen judges a side.
TEST(ShaftReport, ToleranceAndVerdictBelowAnUnchangedTable) {
  History history;
  history.records[0] = {kHistoryInitial, 35, 90, 3.5, 7, 271, 3.5};
  history.records[1] = {kHistorySpin, 4, 12, 2.0, 2, 180, 4.0};
  history.historyCount = 2;
  // 10 gram-inches per side; the latest record's radii without a final one.
  ShaftReportTolerance t = ShaftReportToleranceOf(history, 10.0, 0, 0);
  EXPECT_TRUE(t.shown);
  EXPECT_EQ(t.left, "5.00 grams & 2.00\" radius");
  EXPECT_EQ(t.right, "2.50 grams & 4.00\" radius");
  EXPECT_FALSE(t.verdict);
  EXPECT_EQ(t.leftVerdict, "");

  // The final record's radii; its moments on either side of the tolerance,
  // the tolerance itself counting as within.
  history.records[2] = {kHistoryFinal, 10.0, 200, 1.0, 10.01, 95, 3.5};
  history.historyCount = 3;
  t = ShaftReportToleranceOf(history, 10.0, 0, 0);
  EXPECT_EQ(t.left, "10.0 grams & 1.00\" radius");
  EXPECT_EQ(t.right, "2.86 grams & 3.50\" radius");
  ASSERT_TRUE(t.verdict);
  EXPECT_EQ(t.leftVerdict, "Within tolerance");
  EXPECT_EQ(t.rightVerdict, "Outside tolerance");
  EXPECT_EQ(t.leftVerdict, WithinTolerance(10.0, 10.0) ? "Within tolerance" : "Outside tolerance");
  t = ShaftReportToleranceOf(history, 28.35 * 1.0, 1, 1);
  EXPECT_EQ(t.left, "1.00 ounces & 25mm radius");
  EXPECT_EQ(t.right, "0.286 ounces & 89mm radius");
  EXPECT_EQ(t.rightVerdict, "Within tolerance");

  // The page: the table's items come first and are those of a report
  // without the lines; the lines follow under the table.
  MachineSettings settings;
  settings.toleranceMoment = 10.0;
  const std::vector<ShaftReportRow> rows = ShaftReportRows(history, 0, 0);
  const PrintPage plain = ComposeShaftReport("smith 350", rows);
  const PrintPage page = ShaftReportPage("smith 350", history, settings);
  ASSERT_EQ(page.items.size(), plain.items.size() + 6);
  double tableBottom = 0;
  for (size_t i = 0; i < plain.items.size(); ++i) {
    EXPECT_EQ(page.items[i].text, plain.items[i].text) << i;
    EXPECT_EQ(page.items[i].y, plain.items[i].y) << i;
    EXPECT_EQ(page.items[i].kind, plain.items[i].kind) << i;
    tableBottom = std::max({tableBottom, plain.items[i].y, plain.items[i].y2});
  }
  const std::vector<std::string> texts = Texts(page);
  const std::vector<std::string> lines(texts.end() - 6, texts.end());
  EXPECT_EQ(lines, (std::vector<std::string>{"Tolerance", "10.0 grams & 1.00\" radius",
                                             "2.86 grams & 3.50\" radius", "Final condition",
                                             "Within tolerance", "Outside tolerance"}));
  const PrintItem* verdictLine = FindText(page, "Outside tolerance");
  EXPECT_GT(FindText(page, "Tolerance")->y, tableBottom);
  EXPECT_GT(verdictLine->y, FindText(page, "Tolerance")->y);
  EXPECT_EQ(verdictLine->x, FindText(page, "Right")->x);
  EXPECT_EQ(verdictLine->font, PrintFont::kReport);
}

TEST(ShaftReport, SinglePlaneAndEmptyHistories) {
  History single;
  single.records[0] = {kHistoryInitial, kNoLeftMoment, 0, 3.0, 40, 90, 3.0};
  single.records[1] = {kHistoryFinal, kNoLeftMoment, 0, 3.0, 3, 91, 3.0};
  single.historyCount = 2;
  ShaftReportTolerance t = ShaftReportToleranceOf(single, 6.0, 0, 0);
  EXPECT_EQ(t.left, "");
  EXPECT_EQ(t.right, "2.00 grams & 3.00\" radius");
  EXPECT_EQ(t.leftVerdict, "");
  EXPECT_EQ(t.rightVerdict, "Within tolerance");
  MachineSettings settings;
  settings.toleranceMoment = 6.0;
  const std::vector<std::string> texts = Texts(ShaftReportPage("job", single, settings));
  EXPECT_EQ(std::count(texts.begin(), texts.end(), std::string()), 2)
      << "only the table's own empty left cells, none of the verdict lines";

  // No record, no line: the page is the bare table.
  History none;
  EXPECT_FALSE(ShaftReportToleranceOf(none, 6.0, 0, 0).shown);
  EXPECT_EQ(ShaftReportPage("job", none, settings).items.size(),
            ComposeShaftReport("job", {}).items.size());

  // A full history keeps its lines on the page.
  History full;
  full.records[0] = {kHistoryInitial, 35, 90, 3.5, 7, 271, 3.5};
  for (int i = 1; i < kHistorySize; ++i) full.records[i] = {kHistorySpin, 4, 12, 2.0, 2, 180, 4.0};
  full.records[kHistorySize - 1].kind = kHistoryFinal;
  full.historyCount = kHistorySize;
  for (const PrintItem& item : ShaftReportPage("job", full, settings).items) {
    EXPECT_LE(std::max(item.y, item.y2) + 1.0, kPrintLinesPerPage) << item.text;
  }
}

}  // namespace
}  // namespace balancer
