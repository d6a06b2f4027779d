// The printouts as PNG: the page renderer on composed pages (ink where the
// layout puts text, rules and pictures) and `balancer-cli print` end to end.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>

#include "bobweight/bobweight_files.h"
#include "cli/print_png.h"
#include "records/history.h"
#include "records/settings_startup.h"
#include "support/cli_runner.h"

namespace balancer {
namespace {

using test::CliRun;
using test::RunCli;

// Pixels in [x0, x1) x [y0, y1) other than white, or of one colour.
int Ink(const Raster& r, int x0, int y0, int x1, int y1, uint32_t only = 0x1000000) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      uint32_t p = r.At(x, y);
      n += only == 0x1000000 ? p != 0xFFFFFF : p == only;
    }
  return n;
}

Raster Solid(int w, int h, uint8_t red, uint8_t green, uint8_t blue) {
  Raster r;
  r.width = w;
  r.height = h;
  for (int i = 0; i < w * h; ++i) r.rgb.insert(r.rgb.end(), {red, green, blue});
  return r;
}

class PrintPngTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/print_png_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf " + folder_).c_str()); }

  BobweightCard Card() {
    BobweightCard card;
    card.jobName = "smith 350";
    card.engineName = "350";
    card.jobDate = "12/7/2026";
    card.rodTotalWeight = 600;
    card.pistonWeight = 480;
    card.initialLeft = 10;
    card.leftRadius = 2;
    card.rightRadius = 2;
    card.tolerance = 2;
    computeBobweight(card);
    return card;
  }
  std::string folder_;
};

TEST_F(PrintPngTest, CardPageInkFollowsTheLayout) {
  ASSERT_FALSE(FindPrintFontFile().empty());
  BobweightCard card = Card();
  RodPistonSet set;
  CardPrintInput input{&card, &set, "Northside Engine Works", 0, 0, 0};
  PngPageStyle style;
  style.pictures.left = folder_ + "/left.png";
  ASSERT_TRUE(WritePng(Solid(40, 30, 0, 0, 255), style.pictures.left));
  style.pictures.right = folder_ + "/right.jpg";
  std::ofstream(style.pictures.right) << "\xFF\xD8\xFF\xE0 not a picture read here";
  style.pictures.bottom = folder_ + "/missing.bmp";
  style.companyRed = 255;

  Raster page;
  int drawn = -1;
  std::string error;
  ASSERT_TRUE(RenderPrintPage(ComposeCardPage1(input), 850, 1100, style, page, drawn, error))
      << error;
  EXPECT_EQ(drawn, 1);
  const double line = 1100 / 66.0;
  // The job line in the company colour, centred, nothing above it.
  EXPECT_GT(Ink(page, 300, static_cast<int>(line), 550, static_cast<int>(2.6 * line), 0xFF0000),
            50);
  EXPECT_EQ(Ink(page, 0, 0, 850, static_cast<int>(0.8 * line)), 0);
  EXPECT_EQ(Ink(page, 0, static_cast<int>(line), 280, static_cast<int>(2.6 * line)), 0);
  // The component box's left rule, black text inside it.
  const int boxLeft = static_cast<int>(0.31 * 850);
  EXPECT_GT(
      Ink(page, boxLeft - 1, static_cast<int>(6 * line), boxLeft + 2, static_cast<int>(14 * line)),
      static_cast<int>(7 * line));
  EXPECT_GT(Ink(page, boxLeft + 5, static_cast<int>(5.6 * line), boxLeft + 150,
                static_cast<int>(6.9 * line), 0x000000),
            30);
  // The left picture 0.29 of the width wide from 5.5 lines down; the right
  // one (unreadable) and the banner (missing) left out.
  const int top = static_cast<int>(5.5 * line);
  EXPECT_EQ(page.At(120, top + 60), 0x0000FFu);
  EXPECT_EQ(Ink(page, 0, 0, 850, 1100, 0x0000FF), Ink(page, 0, top, 247, top + 186, 0x0000FF));
  EXPECT_GT(Ink(page, 0, top, 247, top + 186, 0x0000FF), 246 * 183);
  EXPECT_EQ(Ink(page, 610, top, 850, top + 150), 0);
  EXPECT_EQ(Ink(page, 0, static_cast<int>(62 * line), 850, 1100), 0);
}

TEST_F(PrintPngTest, PicturesBmpAndPngReadBack) {
  Raster solid = Solid(5, 3, 10, 20, 30);
  ASSERT_TRUE(WritePng(solid, folder_ + "/p.png"));
  Raster back;
  ASSERT_TRUE(ReadPicture(folder_ + "/p.png", back));
  EXPECT_EQ(back.width, 5);
  EXPECT_EQ(back.height, 3);
  EXPECT_EQ(back.At(4, 2), 0x0A141Eu);

  // A bottom-up 24-bit bitmap: the first row in the file is the bottom one.
  std::vector<uint8_t> bmp(54 + 2 * 4, 0);
  bmp[0] = 'B', bmp[1] = 'M', bmp[10] = 54, bmp[14] = 40, bmp[18] = 1, bmp[22] = 2;
  bmp[26] = 1, bmp[28] = 24;
  bmp[54] = 0xFF;      // bottom: blue
  bmp[58 + 2] = 0xFF;  // top: red
  std::ofstream(folder_ + "/p.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  ASSERT_TRUE(ReadPicture(folder_ + "/p.bmp", back));
  EXPECT_EQ(back.At(0, 0), 0xFF0000u);
  EXPECT_EQ(back.At(0, 1), 0x0000FFu);
  // Cut short, or not a picture: refused, not read past the end.
  bmp.resize(56);
  std::ofstream(folder_ + "/short.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  EXPECT_FALSE(ReadPicture(folder_ + "/short.bmp", back));
  EXPECT_FALSE(ReadPicture(folder_ + "/none.bmp", back));

  Raster page;
  int drawn = 0;
  std::string error;
  PngPageStyle noFont;
  noFont.fontFile = folder_ + "/none.ttf";
  EXPECT_FALSE(RenderPrintPage(PrintPage(), 850, 1100, noFont, page, drawn, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(RenderPrintPage(PrintPage(), 0, 1100, PngPageStyle(), page, drawn, error));
}

TEST_F(PrintPngTest, CliPrintsTheCardPagesAndTheReport) {
  BobweightCard card = Card();
  RodPistonSet set;
  set.rodTotals[0] = 600;
  ASSERT_TRUE(WriteCardFiles(folder_ + "/smith 350.bwi", card, set, nullptr));
  const std::string base = "--folder " + folder_ + " print card '" + folder_ + "/smith 350.bwi'";

  CliRun r = RunCli(base + " --out " + folder_ + "/out");
  ASSERT_EQ(r.status, 0) << r.raw;
  ASSERT_EQ(r.out["pages"].size(), 1u);
  EXPECT_EQ(r.out["jobName"], "smith 350");
  Raster page;
  ASSERT_TRUE(ReadPicture(r.out["pages"][0].get<std::string>(), page));
  EXPECT_EQ(page.width, 1700);
  EXPECT_EQ(page.height, 2200);
  EXPECT_GT(Ink(page, 0, 0, 1700, 2200), 5000);

  r = RunCli(base + " --print-option 3 --width 850 --height 1100 --out " + folder_ + "/two");
  ASSERT_EQ(r.status, 0) << r.raw;
  ASSERT_EQ(r.out["pages"].size(), 2u);
  Raster second;
  ASSERT_TRUE(ReadPicture(r.out["pages"][1].get<std::string>(), second));
  EXPECT_EQ(second.width, 850);
  EXPECT_GT(Ink(second, 0, 0, 850, 1100), 3000);
  // Where each text went, for holding a printed page against this one.
  ASSERT_EQ(r.out["texts"].size(), 2u);
  auto findText = [&](size_t page, const std::string& text) {
    for (const auto& item : r.out["texts"][page]) {
      if (item["text"] == text) return item;
    }
    return nlohmann::json();
  };
  nlohmann::json job = findText(0, "Job: smith 350");
  ASSERT_FALSE(job.is_null()) << r.out["texts"][0].dump();
  EXPECT_EQ(job["align"], "centre");
  EXPECT_DOUBLE_EQ(job["x"].get<double>(), 0.5);
  EXPECT_EQ(job["fontDivisor"], 48);
  nlohmann::json label = findText(0, "Piston weight");
  ASSERT_FALSE(label.is_null());
  EXPECT_EQ(label["align"], "left");
  EXPECT_GT(label["y"].get<double>(), job["y"].get<double>());
  EXPECT_FALSE(findText(1, "Pounds of Force").is_null()) << r.out["texts"][1].dump();
  EXPECT_TRUE(findText(1, "Piston weight").is_null());

  for (const char* bad : {" --print-option 4", " --width 50", " --width x", " --height 1e9"}) {
    SCOPED_TRACE(bad);
    r = RunCli(base + bad + " --out " + folder_ + "/bad");
    EXPECT_EQ(r.status, 2) << r.raw;
  }
  EXPECT_EQ(RunCli(base).status, 2);  // no --out
  r = RunCli("--folder " + folder_ + " print card " + folder_ + "/none.bwi --out " + folder_);
  EXPECT_EQ(r.status, 1);

  History history;
  history.records[0] = {kHistoryInitial, 35, 90, 3.5, 7, 271, 3.5};
  history.records[1] = {kHistorySpin, 4, 12, 2.0, 2, 180, 4.0};
  history.historyCount = 2;
  std::ofstream(folder_ + "/job.hst") << FormatHistory(history);
  r = RunCli("--folder " + folder_ + " print report --history " + folder_ +
             "/job.hst --job 'smith 350' --out " + folder_ + "/report");
  ASSERT_EQ(r.status, 0) << r.raw;
  ASSERT_EQ(r.out["pages"].size(), 1u);
  ASSERT_EQ(r.out["rows"].size(), 2u);
  EXPECT_EQ(r.out["rows"][0]["label"], "Initial");
  EXPECT_EQ(r.out["rows"][0]["left"], "10.0 grams at 90\u00B0 & 3.50\" radius");
  EXPECT_EQ(r.out["rows"][1]["label"], "1");
  ASSERT_EQ(r.out["texts"].size(), 1u);
  EXPECT_EQ(r.out["texts"][0][0]["text"], "smith 350");
  EXPECT_EQ(r.out["texts"][0][0]["fontDivisor"], 64);
  EXPECT_EQ(RunCli("--folder " + folder_ + " print report --history " + folder_ +
                   "/job.hst --out " + folder_)
                .status,
            2);
  EXPECT_EQ(RunCli("--folder " + folder_ + " print report --history " + folder_ +
                   "/job.hst --job '  ' --out " + folder_)
                .status,
            2);
  EXPECT_EQ(RunCli("--folder " + folder_ + " print report --history " + folder_ +
                   "/none.hst --job j --out " + folder_)
                .status,
            1);
}

// The report judges the final record by the folder's tolerance, in its units,
// as the printer gets it from the history window.
TEST_F(PrintPngTest, TheReportJudgesTheFinalRecordByTheSettingsTolerance) {
  MachineSettings settings;
  settings.toleranceMoment = 7.0;
  settings.weightUnit = 1;
  ASSERT_TRUE(WriteSettingsFiles(ProgramFolder{folder_}, settings, nullptr));
  History history;
  history.records[0] = {kHistoryInitial, 35, 90, 3.5, 7, 271, 3.5};
  history.records[1] = {kHistoryFinal, 6.9, 12, 2.0, 7.2, 180, 4.0};
  history.historyCount = 2;
  std::ofstream(folder_ + "/job.hst") << FormatHistory(history);
  CliRun r = RunCli("--folder " + folder_ + " print report --history " + folder_ +
                    "/job.hst --job 'smith 350' --out " + folder_ + "/report");
  ASSERT_EQ(r.status, 0) << r.raw;
  EXPECT_EQ(r.out["tolerance"]["left"], "0.123 ounces & 2.00\" radius");
  EXPECT_EQ(r.out["tolerance"]["right"], "0.062 ounces & 4.00\" radius");
  EXPECT_EQ(r.out["tolerance"]["leftVerdict"], "Within tolerance");
  EXPECT_EQ(r.out["tolerance"]["rightVerdict"], "Outside tolerance");
  std::vector<std::string> texts;
  for (const auto& item : r.out["texts"][0]) texts.push_back(item["text"]);
  ASSERT_GE(texts.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(texts.end() - 6, texts.end()),
            (std::vector<std::string>{"Tolerance", "0.123 ounces & 2.00\" radius",
                                      "0.062 ounces & 4.00\" radius", "Final condition",
                                      "Within tolerance", "Outside tolerance"}));
}

}  // namespace
}  // namespace balancer
