#include "app/proving_screen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <string>

#include "base/field_table.h"
#include "records/atomic_file.h"
#include "support/field_rows_check.h"
#include "support/temp_folder.h"

namespace balancer {
namespace {

std::tm When() {
  std::tm when{};
  when.tm_year = 2026 - 1900;
  when.tm_mon = 11;
  when.tm_mday = 9;
  when.tm_hour = 5;
  when.tm_min = 6;
  when.tm_sec = 7;
  return when;
}

// The pass's result for a spin whose test plane shows `moment` at `angle`
// and the other plane `other` at the same angle.
CorrectionResult Pass(int testSide, double moment, double angle, double other = 0.0) {
  CorrectionResult pass;
  SideCorrection& test = testSide == 0 ? pass.left : pass.right;
  SideCorrection& rest = testSide == 0 ? pass.right : pass.left;
  test.plane.moment = moment;
  test.plane.angle = angle;
  test.plane.displayAngle = angle;
  test.text = "Add 10.0 g at 0\xB0";
  rest.plane.moment = other;
  rest.plane.angle = angle;
  return pass;
}

const ScreenItem* Item(const std::vector<ScreenItem>& items, int id) {
  return FindItem(items, id);
}

// The text item with this label, if shown.
std::optional<ScreenItem> Line(const std::vector<ScreenItem>& items, const std::string& label) {
  for (const ScreenItem& item : items) {
    if (item.id == 0 && item.label == label) return item;
  }
  return std::nullopt;
}

class ProvingScreenTest : public ::testing::Test {
 protected:
  void SetUp() override { folder.path = temp.Path(); }

  // Spins every step with a machine that sees the test mass where it sits:
  // `scale` times its moment, `offset` degrees off, `cross` of it on the
  // other plane. The URR's residual is `residual` of the initial.
  ScreenPress RunAll(double scale = 1.0, double offset = 0.0, double cross = 0.0,
                     double residual = 0.01) {
    EXPECT_FALSE(screen.SpinPressed().has_value());
    const ProvingSetup& s = screen.Setup();
    const int side = s.plane == ProvingPlane::kRight ? 1 : 0;
    const double moment = s.massGrams * s.radiusInches * scale;
    ScreenPress last;
    for (int guard = 0; guard < 40 && screen.Test() && !screen.Test()->Done(); ++guard) {
      const ProvingStep step = screen.Test()->Current();
      switch (step.kind) {
        case ProvingStepKind::kBaseline:
          last = screen.SpinTaken(true, Pass(side, 0.002, 0.0), When());
          break;
        case ProvingStepKind::kPosition:
        case ProvingStepKind::kUrrInitial:
          last = screen.SpinTaken(
              true,
              Pass(side, moment, std::fmod(step.massAngle + offset + 360.0, 360.0), moment * cross),
              When());
          break;
        case ProvingStepKind::kUrrCorrect:
          last = screen.Corrected();
          break;
        case ProvingStepKind::kUrrResidual:
          last = screen.SpinTaken(true, Pass(side, moment * residual, 180.0), When());
          break;
        case ProvingStepKind::kDone:
          break;
      }
    }
    return last;
  }

  test::TempFolder temp;
  ProgramFolder folder;
  ProvingScreen screen{folder};
};

TEST_F(ProvingScreenTest, ItemsAreTheirFieldRowsAndTheEntriesWaitWhileATestRuns) {
  const std::vector<ScreenItem> items = screen.Items();
  EXPECT_EQ(Item(items, kProvingMass)->label, FieldLabel(kFieldProvingMass));
  EXPECT_EQ(Item(items, kProvingMass)->value, "10.0 g");
  EXPECT_EQ(Item(items, kProvingRadius)->value, "2.000 in");
  EXPECT_EQ(Item(items, kProvingPlane)->value, "Left");
  EXPECT_TRUE(Item(items, kProvingUrr)->checked);
  EXPECT_FALSE(Item(items, kProvingCancel)->enabled);
  EXPECT_FALSE(Item(items, kProvingPrint)->enabled);
  EXPECT_TRUE(Line(items, kProvingStartText));

  // Nothing overlaps, and all sits inside the window.
  const DesignBox window = ProvingWindowBox();
  for (const ScreenItem& a : items) {
    if (a.place.width == 0) continue;
    EXPECT_LE(a.place.x + a.place.width, window.width) << a.id;
    EXPECT_LE(a.place.y + a.place.height, window.height) << a.id;
    for (const ScreenItem& b : items) {
      if (&a == &b || b.place.width == 0) continue;
      const bool apart =
          a.place.x + a.place.width <= b.place.x || b.place.x + b.place.width <= a.place.x ||
          a.place.y + a.place.height <= b.place.y || b.place.y + b.place.height <= a.place.y;
      EXPECT_TRUE(apart) << a.id << " and " << b.id;
    }
  }

  // Every press of the walk (the toggles among them) comes after the looks.
  test::FieldRowWalk walk;
  walk.CollectItems(screen.Items(), [this](int id) { return screen.Press(id); });
  walk.ExpectRows();
  EXPECT_EQ(walk.Entries(), (std::set<int>{kFieldProvingMass, kFieldProvingRadius}));

  ASSERT_FALSE(screen.SpinPressed().has_value());
  const ProvingPlane plane = screen.Setup().plane;
  const std::vector<ScreenItem> running = screen.Items();
  EXPECT_FALSE(Item(running, kProvingMass)->enabled);
  EXPECT_FALSE(Item(running, kProvingPlane)->enabled);
  EXPECT_TRUE(Item(running, kProvingCancel)->enabled);
  EXPECT_EQ(screen.Press(kProvingMass).entryCode, 0);
  screen.Press(kProvingPlane);
  EXPECT_EQ(screen.Setup().plane, plane);
  EXPECT_FALSE(screen.StoreEntry(kProvingMass, 50.0).stored);
  EXPECT_EQ(screen.Setup().massGrams, 10.0);
  EXPECT_TRUE(Line(running, screen.Test()->Instruction()));
}

TEST_F(ProvingScreenTest, EntriesPlaneAndUrrSwitchSetTheTestAndBadValuesAreRefused) {
  ScreenEntryEffect mass = screen.StoreEntry(kProvingMass, 25.5);
  EXPECT_TRUE(mass.handled && mass.stored);
  EXPECT_FALSE(mass.writeSettings) << "the test's values are not settings";
  EXPECT_TRUE(screen.StoreEntry(kProvingRadius, 3.25).stored);
  EXPECT_TRUE(screen.Press(kProvingPlane).repaint);
  screen.Press(kProvingUrr);
  EXPECT_EQ(screen.Setup().massGrams, 25.5);
  EXPECT_EQ(screen.Setup().radiusInches, 3.25);
  EXPECT_EQ(screen.Setup().plane, ProvingPlane::kRight);
  EXPECT_FALSE(screen.Setup().urr);
  EXPECT_EQ(Item(screen.Items(), kProvingPlane)->value, "Right");

  for (double bad : {0.0, -1.0, 10000.5, std::nan("")}) {
    ScreenEntryEffect refused = screen.StoreEntry(kProvingMass, bad);
    EXPECT_TRUE(refused.handled);
    EXPECT_FALSE(refused.stored) << bad;
    ASSERT_TRUE(refused.message.has_value()) << bad;
    EXPECT_EQ(refused.message->caption, "Error");
  }
  EXPECT_FALSE(screen.StoreEntry(kProvingRadius, 40.5).stored);
  EXPECT_EQ(screen.Setup().massGrams, 25.5);
  EXPECT_EQ(screen.Setup().radiusInches, 3.25);
  // Other fields are not the screen's.
  EXPECT_FALSE(screen.StoreEntry(kFieldTolerance, 1.0).handled);
}

TEST_F(ProvingScreenTest, KeysPressTheirButtons) {
  EXPECT_EQ(screen.KeyButton('s'), kProvingSpin);
  EXPECT_EQ(screen.KeyButton('M'), kProvingMass);
  EXPECT_EQ(screen.KeyButton('c'), kProvingCancel);
  EXPECT_EQ(screen.KeyButton('k'), kProvingShowKept);
  EXPECT_EQ(screen.KeyButton(kEscapeCharacter), kProvingExit);
  EXPECT_EQ(screen.KeyButton('z'), 0);
  EXPECT_EQ(screen.Key('r').entryCode, kProvingRadius);
  EXPECT_TRUE(screen.Key(kEscapeCharacter).close);
}

TEST_F(ProvingScreenTest, AGoodMachinePassesAndTheResultIsKeptUnderItsDatedName) {
  ScreenPress end = RunAll();
  ASSERT_TRUE(screen.Test() && screen.Test()->Done());
  ASSERT_TRUE(end.message.has_value());
  EXPECT_EQ(end.message->caption, "Attention");
  const std::string name = ProvingReportFileName(When());
  EXPECT_NE(end.message->text.find("PASSED"), std::string::npos) << end.message->text;
  EXPECT_NE(end.message->text.find(name), std::string::npos);
  EXPECT_EQ(screen.KeptName(), name);

  std::optional<std::string> kept = ReadWholeFile(folder.File(name));
  ASSERT_TRUE(kept.has_value());
  EXPECT_EQ(*kept, ProvingReportText(screen.Setup(), screen.Test()->Result(), When(), 0, 0));
  EXPECT_EQ(screen.PrintText(), *kept);
  const PrintPage page = screen.Page();
  const PrintPage composed =
      ComposeProvingPage(screen.Setup(), screen.Test()->Result(), When(), 0, 0);
  ASSERT_EQ(page.items.size(), composed.items.size());
  EXPECT_FALSE(page.items.empty());

  const std::vector<ScreenItem> items = screen.Items();
  ASSERT_TRUE(Line(items, "Result:"));
  EXPECT_EQ(Line(items, "Result:")->value, "PASSED");
  EXPECT_EQ(Line(items, "Mean:")->value, "10.00 g");
  EXPECT_EQ(Line(items, "Spread:")->value, "0.0 %");
  EXPECT_EQ(Line(items, "Angle error:")->value, "0.0\xB0");
  EXPECT_EQ(Line(items, "Crosstalk:")->value, "0.0 %");
  EXPECT_EQ(Line(items, "URR:")->value, "99.0 %");
  EXPECT_EQ(Line(items, "Positions:")->value, "12 of 12");
  EXPECT_TRUE(Item(items, kProvingPrint)->enabled);
  EXPECT_FALSE(Item(items, kProvingCancel)->enabled);

  // The plot has a point per position on the mean circle.
  const ProvingPlot plot = screen.Plot();
  ASSERT_EQ(plot.points.size(), static_cast<size_t>(kProvingPositions));
  EXPECT_TRUE(plot.meanKnown);
  EXPECT_NEAR(plot.mean, 10.0, 1e-3);
  EXPECT_NEAR(plot.points[3].angle, 90.0, 0.05);
}

TEST_F(ProvingScreenTest, AnAngleOffsetFailsInRedAndTheUrrPlanIsShownAtItsStep) {
  RunAll(1.0, 10.0);
  const std::vector<ScreenItem> items = screen.Items();
  ASSERT_TRUE(Line(items, "Result:"));
  EXPECT_EQ(Line(items, "Result:")->value, "FAILED");
  EXPECT_EQ(Line(items, "Result:")->colour, kValueRedText);
  EXPECT_EQ(Line(items, "Angle error:")->value, "10.0\xB0");

  // A second run on the right plane without the URR step.
  screen.Press(kProvingPlane);
  screen.Press(kProvingUrr);
  ASSERT_FALSE(screen.SpinPressed().has_value());
  EXPECT_TRUE(screen.KeptName().empty()) << "a new run forgets the last one's file";
  EXPECT_TRUE(screen.PrintText().empty());
  // Take the baseline and stop at position 0 of the plot.
  screen.SpinTaken(true, Pass(1, 0.002, 0.0), When());
  screen.SpinTaken(true, Pass(1, 20.0, 0.0), When());
  EXPECT_EQ(Line(screen.Items(), "Positions:")->value, "1 of 12");
  ASSERT_EQ(screen.Plot().points.size(), 1u);
}

TEST_F(ProvingScreenTest, TheCorrectionStepShowsTheProgramsPlan) {
  ASSERT_FALSE(screen.SpinPressed().has_value());
  int guard = 0;
  while (screen.Test()->Current().kind != ProvingStepKind::kUrrCorrect && guard++ < 20) {
    const ProvingStep step = screen.Test()->Current();
    screen.SpinTaken(
        true, Pass(0, step.kind == ProvingStepKind::kBaseline ? 0.002 : 20.0, step.massAngle),
        When());
  }
  ASSERT_EQ(screen.Test()->Current().kind, ProvingStepKind::kUrrCorrect);
  ASSERT_TRUE(screen.Plan().has_value());
  const std::optional<ScreenItem> plan = Line(screen.Items(), "The program's plan, left plane:");
  ASSERT_TRUE(plan);
  EXPECT_EQ(plan->value, "Add 10.0 g at 0\xB0");
  // A spin while the correction is due takes nothing; Corrected moves on.
  screen.SpinTaken(true, Pass(0, 1.0, 0.0), When());
  EXPECT_EQ(screen.Test()->Current().kind, ProvingStepKind::kUrrCorrect);
  screen.Corrected();
  EXPECT_EQ(screen.Test()->Current().kind, ProvingStepKind::kUrrResidual);
}

TEST_F(ProvingScreenTest, FailedSpinsAndBadReadingsLeaveTheStepWhereItWas) {
  ASSERT_FALSE(screen.SpinPressed().has_value());
  screen.SpinTaken(true, Pass(0, 0.002, 0.0), When());
  const ProvingStep step = screen.Test()->Current();
  ASSERT_EQ(step.kind, ProvingStepKind::kPosition);
  // While the spin runs the instruction gives way to how to cancel it.
  screen.SpinStarting();
  ASSERT_TRUE(Line(screen.Items(), "Spinning:"));
  EXPECT_EQ(Line(screen.Items(), "Spinning:")->colour, kValueRedText);
  ScreenPress cancelled = screen.SpinTaken(false, Pass(0, 20.0, 0.0), When());
  EXPECT_FALSE(cancelled.message.has_value());
  EXPECT_FALSE(Line(screen.Items(), "Spinning:"));
  EXPECT_TRUE(Line(screen.Items(), screen.Test()->Instruction()));
  ScreenPress bad = screen.SpinTaken(true, Pass(0, std::nan(""), 0.0), When());
  ASSERT_TRUE(bad.message.has_value());
  EXPECT_EQ(bad.message->caption, "Warning");
  EXPECT_EQ(screen.Test()->Current().kind, step.kind);
  EXPECT_EQ(screen.Test()->Current().position, step.position);
  EXPECT_TRUE(screen.Test()->Result().positions.empty());
}

TEST_F(ProvingScreenTest, CancelAndExitDropTheTestAndWriteNothing) {
  ASSERT_FALSE(screen.SpinPressed().has_value());
  screen.SpinTaken(true, Pass(0, 0.002, 0.0), When());
  screen.SpinTaken(true, Pass(0, 20.0, 0.0), When());
  ScreenPress cancel = screen.Press(kProvingCancel);
  ASSERT_TRUE(cancel.message.has_value());
  EXPECT_EQ(cancel.message->caption, "Attention");
  EXPECT_FALSE(cancel.writeSettings || cancel.close);
  EXPECT_EQ(screen.Test(), nullptr);
  EXPECT_TRUE(FileNamesIn(folder.path).empty());
  EXPECT_TRUE(Line(screen.Items(), kProvingStartText));
  // Cancel with no test says nothing.
  EXPECT_FALSE(screen.Press(kProvingCancel).message.has_value());

  ASSERT_FALSE(screen.SpinPressed().has_value());
  ScreenPress exit = screen.Press(kProvingExit);
  EXPECT_TRUE(exit.close);
  EXPECT_FALSE(exit.writeSettings);
  EXPECT_TRUE(FileNamesIn(folder.path).empty());
}

TEST_F(ProvingScreenTest, AResultThatCannotBeWrittenIsToldAsAnError) {
  folder.path = temp.Path() + "/no such folder";
  ScreenPress end = RunAll();
  ASSERT_TRUE(end.message.has_value());
  EXPECT_EQ(end.message->caption, "Error");
  EXPECT_TRUE(screen.KeptName().empty());
}

TEST_F(ProvingScreenTest, AKeptFileIsShownAgainBoundedAndPrintable) {
  ScreenPress show = screen.Press(kProvingShowKept);
  ASSERT_TRUE(show.dialog.has_value());
  EXPECT_FALSE(show.dialog->save);
  EXPECT_EQ(show.dialog->patterns, "proving-*.txt");
  EXPECT_EQ(show.dialog->folder, folder.path);

  RunAll();
  const std::string name = screen.KeptName();
  ScreenPress shown = screen.FileChosen(*show.dialog, folder.File(name));
  EXPECT_FALSE(shown.message.has_value());
  ASSERT_FALSE(screen.Kept().empty());
  EXPECT_EQ(screen.Kept(), KeptLines(*ReadWholeFile(folder.File(name))));
  EXPECT_FALSE(screen.PrintText().empty());
  // A kept result prints as the finished one did.
  EXPECT_EQ(screen.Page().items.size(),
            ComposeProvingPage(screen.Setup(), screen.Test()->Result(), When(), 0, 0).items.size());

  // A damaged, huge file: bounded lines, no control characters.
  std::string junk(200000, 'x');
  junk[5] = '\0';
  junk[10] = '\x1b';
  for (size_t i = 300; i < junk.size(); i += 300) junk[i] = '\n';
  ASSERT_TRUE(WriteFileAtomically(folder.File("proving-junk.txt"), junk));
  screen.FileChosen(*show.dialog, folder.File("proving-junk.txt"));
  ASSERT_EQ(screen.Kept().size(), kKeptMaxLines);
  // It does not read back as a result: its lines are what prints.
  EXPECT_EQ(screen.Page().items.size(), ProvingPrintPage(screen.PrintText()).items.size());
  for (const std::string& line : screen.Kept()) {
    EXPECT_LE(line.size(), kKeptMaxChars);
    for (char c : line) EXPECT_GE(static_cast<unsigned char>(c), 32u);
  }
  // A file that cannot be read is told; a cancelled dialog does nothing.
  ScreenPress missing = screen.FileChosen(*show.dialog, folder.File("proving-none.txt"));
  ASSERT_TRUE(missing.message.has_value());
  EXPECT_EQ(missing.message->caption, "Error");
  EXPECT_FALSE(screen.FileChosen(*show.dialog, std::nullopt).message.has_value());
}

TEST(ProvingPlotTest, PointsLieByAngleClockwiseFromTheTop) {
  ProvingPlot plot;
  plot.centreX = 500;
  plot.centreY = 300;
  plot.radius = 100;
  plot.fullScale = 20.0;
  DesignPoint top = PlotPlace(plot, 0.0, 20.0);
  EXPECT_NEAR(top.x, 500.0, 1e-9);
  EXPECT_NEAR(top.y, 200.0, 1e-9);
  DesignPoint right = PlotPlace(plot, 90.0, 10.0);
  EXPECT_NEAR(right.x, 550.0, 1e-9);
  EXPECT_NEAR(right.y, 300.0, 1e-9);
  DesignPoint bottom = PlotPlace(plot, 180.0, 10.0);
  EXPECT_NEAR(bottom.y, 350.0, 1e-9);
  // Beyond the scale stays on the rim; nonsense stays at the centre.
  EXPECT_NEAR(PlotRadius(plot, 45.0), 100.0, 1e-9);
  EXPECT_EQ(PlotRadius(plot, std::nan("")), 0.0);
  EXPECT_EQ(PlotRadius(plot, -3.0), 0.0);
}

TEST(ProvingPageTest, OneLinePerPrintedLineTitleCentred) {
  PrintPage page = ProvingPrintPage("Machine Proving Test\r\nMean 10.00 g\n\nPASSED\n");
  ASSERT_EQ(page.items.size(), 3u);
  EXPECT_EQ(page.items[0].align, PrintAlign::kCentre);
  EXPECT_EQ(page.items[1].text, "Mean 10.00 g");
  EXPECT_EQ(page.items[2].y - page.items[1].y, 2.0);
  std::string many;
  for (int i = 0; i < 100; ++i) many += "line\n";
  EXPECT_EQ(ProvingPrintPage(many).items.size(), static_cast<size_t>(kProvingPageMaxLines));
  EXPECT_LT(ProvingPrintPage(many).items.back().y, kPrintLinesPerPage);
}

}  // namespace
}  // namespace balancer
