// Printing on a device context: a composed page drawn into a memory bitmap
// (ink where the layout puts text, rules and pictures), and the print path of
// the card and the shaft report through the main window's host with the
// print dialog replaced by a memory device context.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/win32/kit/entry_window.h"
#include "app/win32/kit/message_window.h"
#include "bobweight/bobweight_files.h"
#include "bobweight/win32/print_job_window.h"
#include "records/history.h"
#include "records/side_files.h"
#include "screen_fixture.h"

namespace balancer {
namespace {

constexpr int kPageWidth = 850;
constexpr int kPageHeight = 1100;

// A white 32-bit top-down bitmap on a memory device context.
struct PaperBitmap {
  PaperBitmap(int w, int h) : width(w), height(h) {
    dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = static_cast<DWORD*>(bits);
    old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, w, h, WHITENESS);
  }
  ~PaperBitmap() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  COLORREF At(int x, int y) const {
    DWORD p = pixels[y * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Pixels in [x0, x1) x [y0, y1) that match.
  template <typename Match>
  int Count(int x0, int y0, int x1, int y1, Match match) const {
    GdiFlush();
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += match(At(x, y)) ? 1 : 0;
    return n;
  }
  int Ink(int x0, int y0, int x1, int y1) const {
    return Count(x0, y0, x1, y1, [](COLORREF c) { return c != RGB(255, 255, 255); });
  }
  int Colour(int x0, int y0, int x1, int y1, COLORREF colour) const {
    return Count(x0, y0, x1, y1, [colour](COLORREF c) {
      return std::abs(GetRValue(c) - GetRValue(colour)) < 40 &&
             std::abs(GetGValue(c) - GetGValue(colour)) < 40 &&
             std::abs(GetBValue(c) - GetBValue(colour)) < 40;
    });
  }
  std::vector<DWORD> Copy() const {
    GdiFlush();
    return std::vector<DWORD>(pixels, pixels + width * height);
  }

  int width, height;
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  DWORD* pixels = nullptr;
};

// A 24-bit bitmap file of one colour.
std::string WriteBmp(const std::string& path, int w, int h, COLORREF colour) {
  const int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + stride * h;
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  std::vector<unsigned char> row(stride, 0);
  for (int x = 0; x < w; ++x) {
    row[x * 3] = GetBValue(colour);
    row[x * 3 + 1] = GetGValue(colour);
    row[x * 3 + 2] = GetRValue(colour);
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return path;
  std::fwrite(&file, sizeof file, 1, f);
  std::fwrite(&info, sizeof info, 1, f);
  for (int y = 0; y < h; ++y) std::fwrite(row.data(), 1, row.size(), f);
  std::fclose(f);
  return path;
}

BobweightCard NamedCard() {
  BobweightCard card;
  card.jobName = "smith 350";
  card.engineName = "350";
  card.jobDate = "12/7/2026";
  card.rodTotalWeight = 600;
  card.pistonWeight = 480;
  card.initialLeft = 10;
  card.initialRight = 4;
  card.leftRadius = 2;
  card.rightRadius = 2;
  card.tolerance = 2;
  computeBobweight(card);
  return card;
}

TEST(DrawPrintPage, InkWhereTheCardLayoutPutsIt) {
  const std::string folder = testmain::FreshTempFolder("print_gdi").path;
  BobweightCard card = NamedCard();
  RodPistonSet set;
  CardPrintInput input{&card, &set, "Northside Engine Works", 0, 0, 0};
  PrintPage page = ComposeCardPage1(input);
  PrintPageStyle style;
  style.pictures.left = WriteBmp(folder + "\\left.bmp", 40, 30, RGB(0, 0, 255));
  style.pictures.right = WriteBmp(folder + "\\right.bmp", 30, 30, RGB(0, 160, 0));
  style.pictures.bottom = folder + "\\missing.png";
  style.companyColour = RGB(255, 0, 0);

  PaperBitmap paper(kPageWidth, kPageHeight);
  EXPECT_EQ(DrawPrintPage(paper.dc, kPageWidth, kPageHeight, page, style), 2);
  const double line = kPageHeight / 66.0;

  // The job line: centred at the top, in the company colour.
  EXPECT_GT(
      paper.Colour(300, static_cast<int>(line), 550, static_cast<int>(2.6 * line), RGB(255, 0, 0)),
      50);
  EXPECT_EQ(paper.Ink(0, 0, kPageWidth, static_cast<int>(0.8 * line)), 0);
  // The component box: its left rule runs down between the pictures.
  const int boxLeft = static_cast<int>(0.31 * kPageWidth);
  EXPECT_GT(
      paper.Ink(boxLeft - 1, static_cast<int>(6 * line), boxLeft + 2, static_cast<int>(14 * line)),
      static_cast<int>(7 * line));
  // Black text in the box ("Rod total weight" row), none in the margin beside it.
  EXPECT_GT(paper.Colour(boxLeft + 5, static_cast<int>(5.6 * line), boxLeft + 150,
                         static_cast<int>(6.9 * line), RGB(0, 0, 0)),
            30);
  // The left picture scaled to 0.29 of the width from 5.5 lines down, the
  // right one against the right edge; the missing banner left out.
  const int pictureTop = static_cast<int>(5.5 * line);
  const int pictureWidth = static_cast<int>(0.29 * kPageWidth);
  EXPECT_EQ(paper.At(pictureWidth / 2, pictureTop + 60), RGB(0, 0, 255));
  EXPECT_EQ(paper.At(kPageWidth - pictureWidth / 2, pictureTop + 60), RGB(0, 160, 0));
  EXPECT_EQ(paper.At(pictureWidth / 2, pictureTop - 3), RGB(255, 255, 255));
  EXPECT_EQ(paper.Colour(0, pictureTop, pictureWidth, pictureTop + 190, RGB(0, 0, 255)),
            paper.Colour(0, 0, kPageWidth, kPageHeight, RGB(0, 0, 255)));
  EXPECT_EQ(paper.Ink(0, static_cast<int>(62 * line), kPageWidth, kPageHeight), 0);
}

TEST(DrawPrintPage, ShaftReportTableAndNothingOnBadInput) {
  History history;
  history.records[0] = {kHistoryInitial, 35, 90, 3.5, 7, 271, 3.5};
  history.records[1] = {kHistorySpin, 4, 12, 2.0, 2, 180, 4.0};
  history.historyCount = 2;
  PrintPage page = ComposeShaftReport("smith 350", ShaftReportRows(history, 0, 0));
  PaperBitmap paper(kPageWidth, kPageHeight);
  EXPECT_EQ(DrawPrintPage(paper.dc, kPageWidth, kPageHeight, page), 0);
  const double line = kPageHeight / 66.0;
  // Rows of the table end after the second record; below it the page is blank.
  EXPECT_GT(paper.Ink(40, static_cast<int>(3.4 * line), 810, static_cast<int>(9.2 * line)), 500);
  EXPECT_EQ(paper.Ink(0, static_cast<int>(10 * line), kPageWidth, kPageHeight), 0);

  PaperBitmap blank(100, 100);
  EXPECT_EQ(DrawPrintPage(blank.dc, 0, 100, page), 0);
  EXPECT_EQ(DrawPrintPage(nullptr, 100, 100, page), 0);
  EXPECT_EQ(blank.Ink(0, 0, 100, 100), 0);
}

// The card and the report from a screen, printed through the main window's
// host with the print dialog standing in.
class PrintScreen : public ChildScreen {
 public:
  using ChildScreen::ChildScreen;
  char Code() const override { return 'b'; }
  // The screen's own entries, told apart from the job-name answers.
  void TextEntered(int code, const std::string& text) override {
    if (received != nullptr) received->push_back({code, text});
  }
  std::vector<std::pair<int, std::string>>* received = nullptr;
};

struct PrintPathFixture : testmain::ScreenFixture {
  void SetUp() override {
    ScreenFixture::SetUp();
    main.bobweightCard = &card;
    main.rodPistonSet = &parts;
    CreateMain();
    ScreenContext context{kit,        *kit.screenHost, main.left,   main.right,
                          main.zones, main.correction, main.result, main.indicatorReading,
                          &card,      &parts};
    screenWindow = OpenChildScreen(std::make_unique<PrintScreen>(context), "Bobweight", WS_CAPTION,
                                   0, 0, 400, 300);
    ASSERT_NE(screenWindow, nullptr);
    kit.printDialogStandIn =
        [this](HWND owner, const PrintDialogRequest& request) -> std::optional<PrintDialogResult> {
      ++dialogs;
      lastRequest = request;
      dialogOwner = owner;
      if (cancel) return std::nullopt;
      PrintDialogResult result;
      if (noPrinter) {
        result.failure = PrintDialogFailure::kNoPrinter;
        return result;
      }
      if (refusingPrinter) {
        result.dc = CreateCompatibleDC(nullptr);  // no document starts on it
        return result;
      }
      result.dc = paper.dc;
      result.printer = false;
      result.width = kPageWidth;  // a memory DC reports the screen's size
      result.height = kPageHeight;
      result.fromPage = chosenFrom;
      result.toPage = chosenTo;
      result.pageDone = [this](int index) {
        if (index == failingPage) return false;
        pages.push_back(paper.Copy());
        return true;
      };
      return result;
    };
  }
  ChildScreen& Screen() { return *ChildScreenOf(screenWindow); }
  // Types Enter into the open line entry.
  void AnswerEntry(const std::string& text) {
    ASSERT_NE(kit.entry.hwnd, nullptr);
    SetWindowTextA(kit.entry.edit, text.c_str());
    SendMessageA(kit.entry.edit, WM_CHAR, VK_RETURN, 0);
  }
  ScreenContext Context() {
    return ScreenContext{kit,        *kit.screenHost, main.left,   main.right,
                         main.zones, main.correction, main.result, main.indicatorReading,
                         &card,      &parts};
  }
  std::string MessageText() const {
    char text[400] = {};
    GetWindowTextA(FindWindowExA(message.hwnd, nullptr, "STATIC", nullptr), text, sizeof text);
    return text;
  }
  static std::string ReadFile(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
      char buffer[4096];
      size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
      std::fclose(f);
    }
    return text;
  }
  std::string EntryText() {
    char text[200] = {};
    GetWindowTextA(kit.entry.edit, text, sizeof text);
    return text;
  }

  BobweightCard card = NamedCard();
  RodPistonSet parts;
  HWND screenWindow = nullptr;
  PaperBitmap paper{kPageWidth, kPageHeight};
  int dialogs = 0;
  PrintDialogRequest lastRequest;
  HWND dialogOwner = nullptr;
  bool cancel = false;
  bool noPrinter = false;
  bool refusingPrinter = false;
  int failingPage = -1;  // page index the stand-in's printer fails
  int chosenFrom = 1, chosenTo = 1;
  std::vector<std::vector<DWORD>> pages;
};

TEST_F(PrintPathFixture, CardWithoutJobNameAsksFirstAndPrintsOnTheNextPress) {
  card.jobName.clear();
  card.savedJobName = "smith 350";
  kit.screenHost->PrintBobweightCard(Screen());
  EXPECT_EQ(dialogs, 0);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  EXPECT_EQ(kit.entry.kind, EntryKind::kLine);
  EXPECT_EQ(Title(kit.entry.hwnd), "Enter job name before printing");
  EXPECT_EQ(EntryText(), "smith 350");
  AnswerEntry("jones 454");
  EXPECT_EQ(card.jobName, "jones 454");
  EXPECT_EQ(dialogs, 0);  // Print is pressed again
  EXPECT_TRUE(pages.empty());

  kit.screenHost->PrintBobweightCard(Screen());
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(dialogOwner, screenWindow);
  EXPECT_EQ(lastRequest.minPage, 1);
  EXPECT_EQ(lastRequest.maxPage, 1);  // no print options: one page to offer
  EXPECT_EQ(lastRequest.toPage, 1);
  EXPECT_EQ(lastRequest.copies, 1);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_GT(paper.Ink(0, 0, kPageWidth, kPageHeight), 1000);
}

TEST_F(PrintPathFixture, OnTheKeyboardWhenTouchscreen) {
  card.jobName.clear();
  settings.touchscreen = 1;
  kit.screenHost->PrintBobweightCard(Screen());
  ASSERT_NE(kit.entry.hwnd, nullptr);
  EXPECT_EQ(kit.entry.kind, EntryKind::kText);
  EXPECT_EQ(kit.entry.fieldCode, kPrintJobNameEntry);
}

TEST_F(PrintPathFixture, OptionsPrintTheChosenPagesAndCancelPrintsNothing) {
  settings.printOption = kPrintPartData | kPrintForceTable;
  parts.rodTotals[0] = 600;
  chosenFrom = 1;
  chosenTo = 2;
  kit.screenHost->PrintBobweightCard(Screen());
  EXPECT_EQ(lastRequest.maxPage, 2);
  EXPECT_EQ(lastRequest.toPage, 2);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_NE(pages[0], pages[1]);

  pages.clear();
  chosenFrom = 2;
  kit.screenHost->PrintBobweightCard(Screen());
  ASSERT_EQ(pages.size(), 1u);
  // Page 2 only: the force table down the page, no component box.
  const double line = kPageHeight / 66.0;
  EXPECT_GT(paper.Ink(0, static_cast<int>(20 * line), kPageWidth, static_cast<int>(40 * line)),
            1000);

  pages.clear();
  cancel = true;
  kit.screenHost->PrintBobweightCard(Screen());
  EXPECT_TRUE(pages.empty());
  EXPECT_EQ(message.hwnd, nullptr);  // a cancel says nothing
}

TEST_F(PrintPathFixture, ShaftReportAsksTheJobNameEveryTime) {
  main.history.records[0] = {kHistoryInitial, 35, 90, 3.5, 7, 271, 3.5};
  main.history.records[1] = {kHistorySpin, 4, 12, 2.0, 2, 180, 4.0};
  main.history.historyCount = 2;
  card.savedJobName = "smith 350";
  kit.screenHost->PrintShaftReport(Screen());
  EXPECT_EQ(dialogs, 0);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  EXPECT_EQ(EntryText(), "smith 350");
  AnswerEntry("report job");
  EXPECT_EQ(dialogs, 1);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(card.jobName, "smith 350");  // the card keeps its own name
  const double line = kPageHeight / 66.0;
  EXPECT_GT(paper.Ink(0, static_cast<int>(3.4 * line), kPageWidth, static_cast<int>(9.2 * line)),
            500);

  // Escape ends the question without printing.
  kit.screenHost->PrintShaftReport(Screen());
  ASSERT_NE(kit.entry.hwnd, nullptr);
  SendMessageA(kit.entry.edit, WM_CHAR, VK_ESCAPE, 0);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  EXPECT_EQ(dialogs, 1);
}

// Every job-name question gives the screen its own text handler back, so a
// second print (after an answer or an Esc) behaves as the first did and the
// screen's own entries still reach it once each.
TEST_F(PrintPathFixture, EachPrintGivesTheScreenItsTextHandlerBack) {
  main.history.records[0] = {kHistoryInitial, 35, 90, 3.5, 7, 271, 3.5};
  main.history.historyCount = 1;
  std::vector<std::pair<int, std::string>> received;
  static_cast<PrintScreen&>(Screen()).received = &received;
  // Nothing left waiting in front of the screen's own entries.
  auto screenHandlerInPlace = [&] { return !Screen().AwaitsText(); };

  for (int print = 1; print <= 2; ++print) {
    SCOPED_TRACE(print);
    pages.clear();
    kit.screenHost->PrintShaftReport(Screen());
    AnswerEntry("report job");
    EXPECT_EQ(dialogs, print);
    EXPECT_EQ(pages.size(), 1u);
    EXPECT_TRUE(screenHandlerInPlace());
  }

  // A question ended with Esc is not stacked under the next one.
  kit.screenHost->PrintShaftReport(Screen());
  SendMessageA(kit.entry.edit, WM_CHAR, VK_ESCAPE, 0);
  kit.screenHost->PrintShaftReport(Screen());
  AnswerEntry("report job");
  EXPECT_EQ(dialogs, 3);
  EXPECT_TRUE(screenHandlerInPlace());

  // The card's question too; then the screen's own entry reaches it once.
  card.jobName.clear();
  kit.screenHost->PrintBobweightCard(Screen());
  AnswerEntry("jones 454");
  EXPECT_EQ(card.jobName, "jones 454");
  EXPECT_TRUE(screenHandlerInPlace());
  EXPECT_TRUE(received.empty());
  kit.actionCode = 22;
  ASSERT_NE(OpenLineEntry(kit, 256, 250, "Job Name"), nullptr);
  AnswerEntry("smith 350");
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].first, 22);
  EXPECT_EQ(received[0].second, "smith 350");
}

TEST(PrintDocument, NotStartedOnADeviceThatIsNoPrinter) {
  PaperBitmap paper(200, 200);
  PrintDialogResult target;
  target.dc = CreateCompatibleDC(nullptr);  // freed by PrintDocument
  PrintPage page;
  PrintRun run = PrintDocument(target, "job", {page}, PrintPageStyle());
  EXPECT_FALSE(run.started);
  EXPECT_FALSE(run.complete);
  EXPECT_EQ(target.dc, nullptr);
  PrintDialogResult none;
  EXPECT_FALSE(PrintDocument(none, "job", {page}, PrintPageStyle()).started);
}

// A printout that does not come out tells the operator so (a cancel does
// not), and the card, its part weights and its files stay as they were.
TEST_F(PrintPathFixture, FailedCardPrintsAreToldAndKeepTheCard) {
  settings.printOption = kPrintPartData | kPrintForceTable;
  parts.rodTotals[0] = 600;
  card.changed = true;
  const std::string cardPath = folder.path + "\\smith.bwi";
  ASSERT_TRUE(WriteCardFiles(cardPath, card, parts, nullptr));
  card.changed = true;  // edited since
  const std::string cardText = FormatBwi(card), partsText = FormatBme(parts);
  const std::string fileBefore = ReadFile(cardPath),
                    partsFileBefore = ReadFile(BmePathFor(cardPath));
  chosenTo = 2;

  struct Case {
    const char* name;
    bool noPrinter, refusing;
    int failingPage;
    PrintOutcome outcome;
    const char* text;
    size_t pagesOut;
  } cases[] = {
      {"no printer", true, false, -1, PrintOutcome::kNoPrinter,
       "No printer is installed, so the bobweight card was not printed.", 0},
      {"refused", false, true, -1, PrintOutcome::kNotStarted,
       "The printer could not print the bobweight card.", 0},
      {"page 2 fails", false, false, 1, PrintOutcome::kInterrupted,
       "The printer stopped while printing the bobweight card; the printout is incomplete.", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    noPrinter = c.noPrinter;
    refusingPrinter = c.refusing;
    failingPage = c.failingPage;
    pages.clear();
    EXPECT_EQ(PrintBobweightCard(Context(), Screen()), c.outcome);
    EXPECT_EQ(pages.size(), c.pagesOut);
    ASSERT_NE(message.hwnd, nullptr);
    EXPECT_EQ(Title(message.hwnd), "Error");
    const std::string text = MessageText();
    EXPECT_EQ(text.rfind(c.text, 0), 0u) << text;
    EXPECT_NE(text.find("The card is kept as it is."), std::string::npos) << text;
    AnswerMessageWindow(message, 1);
    EXPECT_EQ(message.hwnd, nullptr);

    EXPECT_EQ(FormatBwi(card), cardText);
    EXPECT_EQ(FormatBme(parts), partsText);
    EXPECT_TRUE(card.changed);  // still to be saved
    EXPECT_EQ(ReadFile(cardPath), fileBefore);
    EXPECT_EQ(ReadFile(BmePathFor(cardPath)), partsFileBefore);
  }

  // A printer that works again prints, and says nothing.
  noPrinter = refusingPrinter = false;
  failingPage = -1;
  pages.clear();
  EXPECT_EQ(PrintBobweightCard(Context(), Screen()), PrintOutcome::kPrinted);
  EXPECT_EQ(pages.size(), 2u);
  EXPECT_EQ(message.hwnd, nullptr);
}

TEST_F(PrintPathFixture, FailedShaftReportIsToldAndKeepsTheHistory) {
  main.history.records[0] = {kHistoryInitial, 35, 90, 3.5, 7, 271, 3.5};
  main.history.historyCount = 1;
  const std::string historyText = FormatHistory(main.history);
  failingPage = 0;
  kit.screenHost->PrintShaftReport(Screen());
  AnswerEntry("report job");
  EXPECT_EQ(dialogs, 1);
  EXPECT_TRUE(pages.empty());
  ASSERT_NE(message.hwnd, nullptr);
  const std::string text = MessageText();
  EXPECT_EQ(text.rfind("The printer stopped while printing the shaft report", 0), 0u) << text;
  EXPECT_NE(text.find("The history is kept as it is."), std::string::npos) << text;
  EXPECT_EQ(FormatHistory(main.history), historyText);
}

}  // namespace
}  // namespace balancer
