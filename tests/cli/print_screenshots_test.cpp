// Every printout variant drawn by `balancer-cli print` into
// build/screenshots/print-*.png, so a person can look at the pages: the card
// with and without the detail page, the force table alone, the shaft report
// of a short job (its final record within and outside the tolerance, and
// single-plane) and of a full history.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>

#include "bobweight/bobweight_files.h"
#include "cli/print_png.h"
#include "records/history.h"
#include "support/cli_runner.h"

namespace balancer {
namespace {

const std::string kShots = BALANCER_BINARY_DIR "/../screenshots";

nlohmann::json Cli(const std::string& arguments, int& status) {
  test::CliRun run = test::RunCli(arguments);
  status = run.status;
  return run.out;
}

// A picture with some shape to it: a diagonal blend with a dark frame.
Raster Picture(int w, int h, uint8_t red, uint8_t green, uint8_t blue) {
  Raster r;
  r.width = w;
  r.height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool frame = x < 4 || y < 4 || x >= w - 4 || y >= h - 4;
      const double t = 0.35 + 0.65 * (x + y) / static_cast<double>(w + h);
      r.rgb.push_back(frame ? 40 : static_cast<uint8_t>(red * t + 255 * (1 - t)));
      r.rgb.push_back(frame ? 40 : static_cast<uint8_t>(green * t + 255 * (1 - t)));
      r.rgb.push_back(frame ? 40 : static_cast<uint8_t>(blue * t + 255 * (1 - t)));
    }
  return r;
}

void Copy(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  std::ofstream(to, std::ios::binary) << in.rdbuf();
}

TEST(PrintScreenshots, EveryPageVariant) {
  char pattern[] = "/tmp/print_shots_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string folder = pattern;
  mkdir((BALANCER_BINARY_DIR "/.."), 0755);
  mkdir(kShots.c_str(), 0755);

  // The settings name C:\balancer\photo*.bmp; the CLI finds them in --folder.
  ASSERT_TRUE(WritePng(Picture(400, 300, 30, 90, 200), folder + "/photoleft.bmp"));
  ASSERT_TRUE(WritePng(Picture(300, 300, 20, 150, 60), folder + "/photoright.bmp"));
  ASSERT_TRUE(WritePng(Picture(1600, 200, 200, 60, 30), folder + "/photobottom.bmp"));
  std::ofstream(folder + "/company.txt")
      << "Northside Engine Works\r\n1200 Main Street, Springfield\r\nBalanced while you wait";

  BobweightCard card;
  card.jobName = "smith 350";
  card.engineName = "350 small block";
  card.jobDate = "12/7/2026";
  card.rodTotalWeight = 612.4;
  card.rodBigEndWeight = 441.0;
  card.rodBearingWeight = 48.2;
  card.pistonWeight = 478.5;
  card.pinWeight = 121.3;
  card.pinLockWeight = 2.1;
  card.ringWeight = 38.6;
  card.supportRailWeight = 0;
  card.overbalancePercent = 2;
  card.externalWeightText = "Front: 28.0 g      Rear: 14.0 g";
  card.initialConditionText = "Left 24.6 grams      Right 18.2 grams";
  card.finalConditionText = "Left 0.42 grams      Right 0.61 grams";
  card.initialLeft = 24.6;
  card.initialRight = 18.2;
  card.finalLeft = 0.42;
  card.finalRight = 0.61;
  card.leftRadius = 3.5;
  card.rightRadius = 3.5;
  card.tolerance = 3.0;
  std::string notes;
  while (notes.size() < 200) notes += "Rods resized and balanced end to end. ";
  card.jobNotes = notes.substr(0, 200) + "\r\nCustomer pick-up Friday.";
  RodPistonSet set;
  for (int i = 0; i < 8; ++i) {
    set.rodTotals[i] = 610 + i * 0.7;
    set.rodBigEnds[i] = 440 + (i % 3) * 0.5;
    set.pistons[i] = 478 + (i % 4) * 0.3;
    set.pins[i] = 121 + (i % 2) * 0.2;
  }
  const std::string bwi = "'" + folder + "/smith 350.bwi'";
  ASSERT_TRUE(WriteCardFiles(folder + "/smith 350.bwi", card, set, nullptr));

  struct Variant {
    const char* name;
    std::string arguments;
    size_t pages;
  };
  const std::string base = "--folder " + folder + " print ";
  History job;
  job.records[0] = {kHistoryInitial, 86.1, 212, 3.5, 63.7, 48, 3.5};
  job.records[1] = {kHistorySpin, 12.2, 201, 3.5, 8.4, 55, 3.5};
  job.records[2] = {kHistorySpin, 3.1, 190, 3.5, 2.2, 61, 3.5};
  job.records[3] = {kHistoryFinal, 1.47, 188, 3.5, 2.14, 64, 3.5};
  job.historyCount = 4;
  std::ofstream(folder + "/job.hst") << FormatHistory(job);
  History full;
  full.records[0] = {kHistoryInitial, 86.1, 212, 3.5, 63.7, 48, 3.5};
  for (int i = 1; i < kHistorySize; ++i) {
    full.records[i] = {kHistorySpin, 80.0 / (i + 1), 200.0 + i, 3.5, 60.0 / (i + 1), 50.0 + i, 3.5};
  }
  full.historyCount = kHistorySize;
  std::ofstream(folder + "/full.hst") << FormatHistory(full);
  // A final record the tolerance (13.64 gram-inches by default) fails on the
  // left, and a single-plane job.
  History outside = job;
  outside.records[3] = {kHistoryFinal, 25.3, 188, 3.5, 2.14, 64, 3.5};
  std::ofstream(folder + "/outside.hst") << FormatHistory(outside);
  History single;
  single.records[0] = {kHistoryInitial, kNoLeftMoment, 0, 3.0, 52.0, 133, 3.0};
  single.records[1] = {kHistorySpin, kNoLeftMoment, 0, 3.0, 18.5, 140, 3.0};
  single.records[2] = {kHistoryFinal, kNoLeftMoment, 0, 3.0, 14.2, 141, 3.0};
  single.historyCount = 3;
  std::ofstream(folder + "/single.hst") << FormatHistory(single);

  const Variant variants[] = {
      {"print-card", "card " + bwi + " --print-option 0", 1},
      {"print-card-detail", "card " + bwi + " --print-option 3", 2},
      {"print-card-force", "card " + bwi + " --print-option 2", 2},
      {"print-report", "report --history " + folder + "/job.hst --job 'smith 350'", 1},
      {"print-history", "report --history " + folder + "/full.hst --job 'jones 454'", 1},
      {"print-report-outside", "report --history " + folder + "/outside.hst --job 'smith 350'", 1},
      {"print-report-single", "report --history " + folder + "/single.hst --job 'brown 302'", 1},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.name);
    int status = -1;
    const std::string out = folder + "/" + v.name;
    nlohmann::json result = Cli(base + v.arguments + " --out " + out, status);
    ASSERT_EQ(status, 0) << result.dump();
    ASSERT_EQ(result["pages"].size(), v.pages);
    for (size_t i = 0; i < v.pages; ++i) {
      const std::string shot =
          kShots + "/" + v.name + (v.pages > 1 ? "-" + std::to_string(i + 1) : "") + ".png";
      Copy(result["pages"][i].get<std::string>(), shot);
      Raster page;
      ASSERT_TRUE(ReadPicture(shot, page));
      EXPECT_EQ(page.width, 1700);
    }
    if (std::string(v.name).rfind("print-report", 0) == 0) {
      const std::string verdict = result["tolerance"]["rightVerdict"];
      EXPECT_EQ(verdict, std::string(v.name) == "print-report-single" ? "Outside tolerance"
                                                                      : "Within tolerance");
    }
    if (std::string(v.name).rfind("print-card", 0) == 0) {
      EXPECT_EQ(result["picturesDrawn"][0], 3) << "the card's three pictures";
    }
  }
  std::system(("rm -rf " + folder).c_str());
}

}  // namespace
}  // namespace balancer
