// Heavy Metal Setup and the two windows it opens, over the main window: opened
// by button and key, driven by presses, keys and typed values, each change
// reaching the corrections, the settings file and the main screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_commands.h"
#include "app/win32/kit/child_screen.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/kit/value_box.h"
#include "correction/adjustment.h"
#include "correction/screen_ids.h"
#include "records/settings_file.h"
#include "screen_fixture.h"

namespace balancer {
namespace {

// Both sides outside their zones: the left heavy spot at 90 with its zone
// 180-300, the right at 270 with its zone 0-120; the light sides lie inside.
struct HeavyMetalWindows : testmain::ScreenFixture {
  void SetUp() override {
    ScreenFixture::SetUp();
    CreateMain();
    main.zones = {180, 300, 0, 120};
    main.left = {150.0, 90.0};
    main.right = {150.0, 270.0};
    main.correction.readingsPresent = true;
    RecomputeCorrections(main);
  }
  void TearDown() override {
    if (message.hwnd != nullptr) AnswerMessageWindow(message, kMessageOkId);
    // Screens opened over another close first, handing the kit back.
    for (int i = 0; i < 3 && kit.childScreen != nullptr; ++i) DestroyWindow(kit.childScreen);
    ScreenFixture::TearDown();
  }
  void Key(int character) { SendMessageA(kit.childScreen, WM_CHAR, character, 0); }
  void Click(int id) {
    HWND button = GetDlgItem(kit.childScreen, id);
    ASSERT_NE(button, nullptr) << id;
    SendMessageA(button, BM_CLICK, 0, 0);
  }
  void Type(const char* text) {
    ASSERT_NE(kit.entry.edit, nullptr) << text;
    for (const char* c = text; *c != '\0'; ++c) SendMessageA(kit.entry.edit, WM_CHAR, *c, 0);
  }
  static std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
  }
  std::string MessageText() const {
    char text[512] = {};
    HWND child = GetWindow(message.hwnd, GW_CHILD);
    while (child != nullptr) {
      char cls[32] = {};
      GetClassNameA(child, cls, sizeof cls);
      if (std::string(cls) == "Static") {
        GetWindowTextA(child, text, sizeof text);
        return text;
      }
      child = GetWindow(child, GW_HWNDNEXT);
    }
    return "";
  }
  MachineSettings Written() {
    MachineSettings read;
    EXPECT_TRUE(readSettings(folder.File("balsetup.dta"), read, nullptr, false));
    return read;
  }
  HWND OpenSetup() {
    RunMainCommand(main, kCmdHeavyMetal);
    return kit.childScreen;
  }
};

TEST_F(HeavyMetalWindows, SetupOpensByButtonAndKeyAndClosesByEscAndExit) {
  HWND setup = OpenSetup();
  ASSERT_NE(setup, nullptr);
  EXPECT_EQ(ClassOf(setup), "childclass");
  EXPECT_EQ(Title(setup), "Heavy Metal Setup");
  EXPECT_EQ(kit.screenCode, 'h');
  EXPECT_FALSE(IsWindowEnabled(main.hwnd));
  EXPECT_EQ(Title(GetDlgItem(setup, 149)), "Slug diameter");
  EXPECT_EQ(Title(GetDlgItem(setup, 153)), "Thickness between slugs");
  EXPECT_EQ(Title(GetDlgItem(setup, kIdAutoSelect)), "Auto Select");
  Key(27);
  EXPECT_FALSE(IsWindow(setup));
  EXPECT_EQ(kit.childScreen, nullptr);
  EXPECT_EQ(kit.screenCode, 0);
  EXPECT_TRUE(IsWindowEnabled(main.hwnd));

  SendMessageA(main.hwnd, WM_CHAR, 'v', 0);
  ASSERT_NE(kit.childScreen, nullptr);
  EXPECT_EQ(kit.screenCode, 'h');
  Key('e');
  EXPECT_EQ(kit.childScreen, nullptr);
  EXPECT_TRUE(IsWindowEnabled(main.hwnd));
}

TEST_F(HeavyMetalWindows, DuringAFreeRunTheButtonBrakesAndTheKeyStillOpens) {
  main.freeRun = true;
  RunMainCommand(main, kCmdHeavyMetal);
  EXPECT_EQ(kit.childScreen, nullptr);
  SendMessageA(main.hwnd, WM_CHAR, 'V', 0);
  EXPECT_EQ(kit.screenCode, 'h');
}

TEST_F(HeavyMetalWindows, SinglePlaneHidesTheLeftColumn) {
  SendMessageA(main.hwnd, WM_CHAR, 'l', 0);  // Planes
  ASSERT_EQ(settings.twoPlaneMode, 0);
  HWND setup = OpenSetup();
  ASSERT_NE(setup, nullptr);
  UpdateWindow(setup);
  for (int id : {149, 151, 147, 154}) EXPECT_FALSE(IsWindowVisible(GetDlgItem(setup, id))) << id;
  for (int id : {150, 152, 148, 155, 153})
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(setup, id))) << id;
  Click(149);  // hidden: no entry for the left side
  EXPECT_EQ(kit.entry.hwnd, nullptr);
}

TEST_F(HeavyMetalWindows, MaterialCyclesBothMaterialsRecomputesAndWritesTheSettings) {
  ASSERT_EQ(main.result.left.method, CorrectionMethod::kSlug);
  const double extraBefore = main.result.left.slugs.extraWeight;
  OpenSetup();
  Click(kIdMaterial);
  EXPECT_EQ(settings.counterweightMaterial, kMaterialSteel);
  EXPECT_EQ(settings.drillMaterial, kMaterialSteel);
  // Denser counterweight: each bore takes out more, the remainder changes.
  EXPECT_NE(main.result.left.slugs.extraWeight, extraBefore);
  EXPECT_EQ(Written().counterweightMaterial, kMaterialSteel);
  Key('m');
  EXPECT_EQ(settings.counterweightMaterial, kMaterialCastNodular);
  EXPECT_EQ(Written().drillMaterial, kMaterialCastNodular);
  EXPECT_EQ(kit.childScreen != nullptr, true);  // stays open
}

TEST_F(HeavyMetalWindows, ALargerSlugIsTypedInAndTheLimitedRadiusIsTold) {
  const std::string before = main.result.left.text;
  HWND setup = OpenSetup();
  Click(149);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  EXPECT_EQ(kit.actionCode, 149);
  ValidateRect(setup, nullptr);
  Type("1 1/4\r");
  // The setup shows the new value at once, under the message.
  RECT client, update;
  GetClientRect(setup, &client);
  ASSERT_TRUE(GetUpdateRect(setup, &update, FALSE));
  EXPECT_TRUE(EqualRect(&client, &update));
  EXPECT_DOUBLE_EQ(settings.slugDiameterLeft, 1.25);
  // 3.5 - 0.15 - 0.625
  EXPECT_NEAR(settings.slugRadiusLeft, 2.725, 1e-12);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "Alert");
  EXPECT_EQ(
      MessageText(),
      "The correction radius has been limited by the counterweight radius, slug diameter, and the thickness between slugs setting.");
  AnswerMessageWindow(message, kMessageOkId);
  EXPECT_EQ(kit.childScreen, setup);
  EXPECT_TRUE(IsWindowEnabled(setup));
  EXPECT_NE(main.result.left.text, before);
  EXPECT_NE(main.result.left.text.find("1.250\"D"), std::string::npos) << main.result.left.text;
  EXPECT_DOUBLE_EQ(Written().slugDiameterLeft, 1.25);

  // Millimetres: the web thickness typed in mm is kept in inches.
  settings.lengthUnit = 1;
  Click(153);
  Type("5.08\r");
  EXPECT_NEAR(settings.slugWebThickness, 0.2, 1e-12);
  if (message.hwnd != nullptr) AnswerMessageWindow(message, kMessageOkId);
}

// The main screen's Radius box on a heavy-metal side shows the slug radius, so
// typing into it edits that radius; Drill Setup's box keeps the drill radius.
TEST_F(HeavyMetalWindows, TheMainRadiusBoxOnASlugSideEditsTheInstallationRadius) {
  ASSERT_TRUE(main.result.left.plane.outsideZone);
  const double drillRadius = settings.drillRadiusLeft;
  HWND box = GetDlgItem(main.hwnd, 100);
  ASSERT_NE(box, nullptr);
  SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  Type("2.5\r");
  EXPECT_DOUBLE_EQ(settings.slugRadiusLeft, 2.5);
  EXPECT_DOUBLE_EQ(settings.drillRadiusLeft, drillRadius);
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_DOUBLE_EQ(Written().slugRadiusLeft, 2.5);
  EXPECT_DOUBLE_EQ(main.result.left.radius, 2.5);  // the grams now refer to it

  SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  Type("3.4\r");
  EXPECT_NEAR(settings.slugRadiusLeft, 3.5 - 0.15 - 0.5, 1e-12);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "Alert");
  EXPECT_EQ(
      MessageText(),
      "The correction radius has been limited by the counterweight radius, slug diameter, and the thickness between slugs setting.");
  // All of its lines fit the message's text area.
  HWND text = FindWindowExA(message.hwnd, nullptr, "Static", nullptr);
  ASSERT_NE(text, nullptr);
  RECT area, needed;
  GetClientRect(text, &area);
  needed = area;
  HDC dc = GetDC(text);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(text, WM_GETFONT, 0, 0)));
  const std::string shown = MessageText();
  DrawTextA(dc, shown.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK);
  SelectObject(dc, old);
  ReleaseDC(text, dc);
  EXPECT_LE(needed.bottom, area.bottom);
  AnswerMessageWindow(message, kMessageOkId);
  EXPECT_TRUE(IsWindowEnabled(main.hwnd));

  RunMainCommand(main, kCmdDrillSetup);
  ASSERT_EQ(kit.screenCode, 'd');
  Click(100);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  Type("2.9\r");
  EXPECT_DOUBLE_EQ(settings.drillRadiusLeft, 2.9);
  EXPECT_NEAR(settings.slugRadiusLeft, 2.85, 1e-12);
  EXPECT_EQ(message.hwnd, nullptr);
}

TEST_F(HeavyMetalWindows, SizeSelectionOpensOverTheSetupAndItsChecksBecomeTheSelection) {
  HWND setup = OpenSetup();
  Click(kIdAutoSelect);
  HWND sizes = kit.childScreen;
  ASSERT_NE(sizes, setup);
  EXPECT_EQ(ClassOf(sizes), "smsclass");
  EXPECT_EQ(Title(sizes), "Heavy Metal Size Selection");
  EXPECT_EQ(kit.screenCode, 'p');
  EXPECT_FALSE(IsWindowEnabled(setup));
  EXPECT_EQ(Title(GetDlgItem(sizes, kIdSlugSizeFirst)), "0.438 x 0.875");
  EXPECT_EQ(Title(GetDlgItem(sizes, kIdSlugSizeFirst + 30)), "1.250 x 1.000");
  Click(kIdSlugSizeFirst + 3);
  EXPECT_EQ(SendMessageA(GetDlgItem(sizes, kIdSlugSizeFirst + 3), BM_GETCHECK, 0, 0), BST_CHECKED);
  // Esc drops the checks.
  Key(27);
  EXPECT_FALSE(IsWindow(sizes));
  EXPECT_EQ(kit.childScreen, setup);
  EXPECT_EQ(kit.screenCode, 'h');
  EXPECT_TRUE(IsWindowEnabled(setup));
  EXPECT_FALSE(settings.slugSizeSelected[3]);

  // Extra weight in ounces, stored in grams.
  settings.weightUnit = 1;
  Key('a');
  sizes = kit.childScreen;
  Click(176);
  EXPECT_EQ(kit.actionCode, 176);
  Type("1\r");
  EXPECT_NEAR(settings.maxExtraWeight, 28.349525, 1e-9);
  EXPECT_EQ(kit.childScreen, sizes);
  EXPECT_TRUE(IsWindowEnabled(sizes));
  Key('e');
  EXPECT_EQ(kit.childScreen, setup);
}

TEST_F(HeavyMetalWindows, SelectNowWithNoSizeTellsBothSidesOverTheSetup) {
  HWND setup = OpenSetup();
  const double diameter = settings.slugDiameterLeft;
  Key('a');
  Click(kIdSelectNow);
  EXPECT_EQ(kit.screenCode, 'h');
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "Attention");
  EXPECT_EQ(MessageText(),
            "No selected slug sizes fall in range for the\nLeft side and Right side.");
  EXPECT_EQ(message.returnWindow, setup);
  EXPECT_DOUBLE_EQ(settings.slugDiameterLeft, diameter);
  EXPECT_FALSE(main.correction.autoSelectRequested);
  AnswerMessageWindow(message, kMessageOkId);
  EXPECT_TRUE(IsWindowEnabled(setup));
  EXPECT_FALSE(IsWindowEnabled(main.hwnd));
}

TEST_F(HeavyMetalWindows, AFittingSizeIsTakenShownAndWrittenWithoutAMessage) {
  HWND setup = OpenSetup();
  Key('a');
  Click(kIdSlugSizeFirst + 24);  // 1.0 x 0.85
  Key('s');
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_EQ(kit.childScreen, setup);
  EXPECT_DOUBLE_EQ(settings.slugLengthLeft, 0.85);
  EXPECT_DOUBLE_EQ(settings.slugLengthRight, 0.85);
  EXPECT_NE(main.result.left.text.find("0.850\"L slug"), std::string::npos)
      << main.result.left.text;
  // Written with the size the corrections chose, not only the checks.
  MachineSettings written = Written();
  EXPECT_TRUE(written.slugSizeSelected[24]);
  EXPECT_NEAR(written.slugLengthLeft, 0.85, 1e-9);
  EXPECT_NEAR(written.slugLengthRight, 0.85, 1e-9);
}

TEST_F(HeavyMetalWindows, DensityFromATestSlugReachesTheSettingsAndTheCorrections) {
  HWND setup = OpenSetup();
  const double extraBefore = main.result.left.slugs.extraWeight;
  Click(kIdDensity);
  HWND density = kit.childScreen;
  ASSERT_NE(density, setup);
  EXPECT_EQ(ClassOf(density), "HMDensityClass");
  EXPECT_EQ(Title(density), "Heavy Metal Density");
  EXPECT_EQ(kit.screenCode, 'D');
  ASSERT_NE(OpenScreenOf(kit), nullptr);
  EXPECT_NE(OpenScreenOf(kit)->EntryStore(), nullptr);
  Click(345);
  Type(".5\r");
  Key('l');
  Type("1\r");
  EXPECT_DOUBLE_EQ(settings.heavyMetalDensity, 278.6);  // not yet weighed
  Click(347);
  Type("60\r");  // 60 g / (pi/16 cubic inch) = 305.6
  EXPECT_NEAR(settings.heavyMetalDensity, 60.0 / (3.14159265358979 / 16.0), 1e-9);
  EXPECT_NEAR(Written().heavyMetalDensity, 305.6, 1e-9);
  EXPECT_NE(main.result.left.slugs.extraWeight, extraBefore);
  EXPECT_EQ(kit.childScreen, density);
  // Typed directly, held in 250..320.
  Key('g');
  Type("400\r");
  EXPECT_DOUBLE_EQ(settings.heavyMetalDensity, 320.0);
  Key(27);
  EXPECT_FALSE(IsWindow(density));
  EXPECT_EQ(kit.childScreen, setup);
  EXPECT_EQ(kit.screenCode, 'h');
  ASSERT_NE(OpenScreenOf(kit), nullptr);
  EXPECT_EQ(OpenScreenOf(kit)->EntryStore(), nullptr);
  Key(27);
  EXPECT_EQ(kit.childScreen, nullptr);
  EXPECT_TRUE(IsWindowEnabled(main.hwnd));
}

TEST_F(HeavyMetalWindows, DensityWeightInOuncesGivesTheSameDensity) {
  settings.weightUnit = 1;
  settings.lengthUnit = 1;
  OpenSetup();
  Key('h');
  ASSERT_EQ(kit.screenCode, 'D');
  Key('d');
  Type("12.7\r");
  Key('l');
  Type("25.4\r");
  Key('w');
  Type("2.116436\r");  // 60 g
  EXPECT_NEAR(settings.heavyMetalDensity, 305.58, 0.01);
}

// A screen that asks a question, as the adjustment window asks Add Slug.
class AskingScreen : public ChildScreen {
 public:
  AskingScreen(const ScreenContext& context, std::vector<int>& answers)
      : ChildScreen(context), answers_(answers) {}
  char Code() const override { return 'a'; }

 protected:
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) override {
    if (msg != kScreenAnswer) return false;
    answers_.push_back(lParam != 0 ? static_cast<int>(wParam) : -static_cast<int>(wParam));
    return true;
  }

 private:
  std::vector<int>& answers_;
};

struct ForgetfulHost : ScreenHost {
  explicit ForgetfulHost(KitContext& kit) : kit(kit) {}
  void RecomputeAndRepaint() override {}
  void Repaint(RepaintArea) override {}
  bool SettingsChanged() override { return true; }
  void ScreenClosed() override { kit.childScreen = nullptr; }
  KitContext& kit;
};

TEST_F(HeavyMetalWindows, TheAddSlugAnswerReachesTheScreenThatAskedOnlyWhenAccepted) {
  std::vector<int> answers;
  ForgetfulHost host(kit);
  ScreenContext context{kit,         host,
                        main.left,   main.right,
                        main.zones,  main.correction,
                        main.result, main.indicatorReading};
  HWND screen = OpenChildScreen(std::make_unique<AskingScreen>(context, answers), "Adjust",
                                WS_CAPTION, 300, 100, 400, 300);
  ASSERT_NE(screen, nullptr);
  OperatorMessage question = AddSlugQuestion();
  question.actionCode = 316;
  for (int button : {kMessageNoId, kMessageYesId}) {
    kit.actionCode = question.actionCode;
    ui.ShowMessage(question);
    ASSERT_NE(message.hwnd, nullptr);
    EXPECT_EQ(message.returnWindow, screen);
    AnswerMessageWindow(message, button);
  }
  // "Cancel" ran nothing; "Add" came back with the question's code.
  EXPECT_EQ(answers, (std::vector<int>{316}));
  EXPECT_TRUE(IsWindowEnabled(screen));
  DestroyWindow(screen);
}

}  // namespace
}  // namespace balancer
