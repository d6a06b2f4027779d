// The one window procedure: where a window's state is kept, who frees it,
// and the value boxes and main screen built on it.
#include "base/win32/window_base.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/kit/child_screen.h"
#include "app/win32/kit/value_box.h"
#include "app/win32/main_window_ids.h"
#include "base/win32/window_class.h"
#include "kit_fixture.h"
#include "screen_fixture.h"

namespace balancer {
namespace {

// What a probe's handler saw; kept outside the probe, which an owning
// window deletes.
struct ProbeRecord {
  std::vector<UINT> seen;
  bool storedAtNcDestroy = true;
  int deletions = 0;
};

struct Probe {
  ProbeRecord* record;
  ~Probe() { ++record->deletions; }
};

LRESULT HandleProbe(HWND hwnd, Probe& probe, UINT msg, WPARAM wParam, LPARAM lParam) {
  probe.record->seen.push_back(msg);
  if (msg == WM_NCDESTROY) probe.record->storedAtNcDestroy = WindowStateOf<Probe>(hwnd) != nullptr;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

constexpr char kBorrowingClass[] = "probeborrows";
constexpr char kOwningClass[] = "probeowns";

void RegisterProbeClasses() {
  WindowClassInfo borrows;
  borrows.name = kBorrowingClass;
  borrows.proc = StateWindowProc<Probe, HandleProbe>;
  borrows.icons = false;
  WindowClassInfo owns = borrows;
  owns.name = kOwningClass;
  owns.proc = StateWindowProc<Probe, HandleProbe, kWindowOwnsState>;
  ASSERT_TRUE(RegisterClassOnce(GetModuleHandleA(nullptr), borrows));
  ASSERT_TRUE(RegisterClassOnce(GetModuleHandleA(nullptr), owns));
  // A second registration finds the class there.
  ASSERT_TRUE(RegisterClassOnce(GetModuleHandleA(nullptr), owns));
}

HWND MakeProbeWindow(const char* className, Probe* probe) {
  return CreateWindowExA(0, className, "probe", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                         GetModuleHandleA(nullptr), probe);
}

bool Saw(const ProbeRecord& record, UINT msg) {
  return std::find(record.seen.begin(), record.seen.end(), msg) != record.seen.end();
}

TEST(StateWindowProc, TheCallersStateIsKeptFromNcCreateToNcDestroyAndNotFreed) {
  RegisterProbeClasses();
  ProbeRecord record;
  Probe probe{&record};
  HWND hwnd = MakeProbeWindow(kBorrowingClass, &probe);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(WindowStateOf<Probe>(hwnd), &probe);
  ASSERT_FALSE(record.seen.empty());
  EXPECT_EQ(record.seen.front(), static_cast<UINT>(WM_NCCREATE));
  EXPECT_TRUE(Saw(record, WM_CREATE));
  DestroyWindow(hwnd);
  EXPECT_EQ(record.seen.back(), static_cast<UINT>(WM_NCDESTROY));
  EXPECT_FALSE(record.storedAtNcDestroy);  // nothing reaches it from then on
  EXPECT_EQ(record.deletions, 0);
}

TEST(StateWindowProc, AnOwnedStateIsDeletedOnceAfterItsLastMessage) {
  RegisterProbeClasses();
  ProbeRecord record;
  HWND hwnd = MakeProbeWindow(kOwningClass, new Probe{&record});
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(record.deletions, 0);
  DestroyWindow(hwnd);
  EXPECT_EQ(record.seen.back(), static_cast<UINT>(WM_NCDESTROY));
  EXPECT_EQ(record.deletions, 1);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(StateWindowProc, AWindowMadeWithoutAStateIsLeftToTheSystem) {
  RegisterProbeClasses();
  HWND hwnd = MakeProbeWindow(kOwningClass, nullptr);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(WindowStateOf<Probe>(hwnd), nullptr);
  EXPECT_TRUE(DestroyWindow(hwnd));
}

using ValueBoxKits = kit_test::KitFixture;

// Each box reads and edits through the kit of the window it stands on; two
// kits in one process (two tests' windows, or a screen and a test owner)
// never see each other's boxes.
TEST_F(ValueBoxKits, EachBoxOpensItsEntryInTheKitOfItsWindow) {
  MachineSettings otherSettings;
  KitContext other{KitServices{otherSettings, folder, ui, link, history, correction, message,
                               actions, screenHost}};
  other.instance = kit.instance;
  other.screenScale = kit.screenScale;
  other.entry = EntryWindowState{};
  HWND otherOwner = CreateWindowExA(0, "kittestowner", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                    0, 640, 480, nullptr, nullptr, kit_test::Instance(), &other);
  ASSERT_NE(otherOwner, nullptr);
  other.mainWindow = otherOwner;
  // A box on a plain child of the owner finds the owner's kit.
  HWND panel = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, otherOwner,
                               nullptr, kit_test::Instance(), nullptr);
  HWND mine = CreateValueBox(main, 132, 10, 10, 100, 40, 1.0f);
  HWND theirs = CreateValueBox(panel, 131, 10, 10, 100, 40, 1.0f);
  ASSERT_NE(mine, nullptr);
  ASSERT_NE(theirs, nullptr);

  SendMessageA(theirs, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_NE(other.entry.hwnd, nullptr);
  EXPECT_EQ(other.entry.fieldCode, 131);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  CloseEntryWindow(other);

  // The radius boxes' sides are the kit's: one kit's heavy-metal side leaves
  // the other's boxes on the drill radius.
  SetValueBoxSides(other, true, false);
  EXPECT_TRUE(other.radiusBoxSides.outsideZoneLeft);
  EXPECT_FALSE(kit.radiusBoxSides.outsideZoneLeft);
  SendMessageA(mine, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_NE(kit.entry.hwnd, nullptr);
  EXPECT_EQ(kit.entry.fieldCode, 132);
  EXPECT_FALSE(kit.entry.boxSides.outsideZoneLeft);
  EXPECT_EQ(other.entry.hwnd, nullptr);
  CloseEntryWindow(kit);
  DestroyWindow(otherOwner);
}

TEST_F(ValueBoxKits, ABoxNoWindowAnswersForShowsAndOpensNothing) {
  HWND stray = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                               kit_test::Instance(), nullptr);
  HWND box = CreateValueBox(stray, 132, 10, 10, 100, 40, 1.0f);
  ASSERT_NE(box, nullptr);
  UpdateWindow(box);
  SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_EQ(kit.entry.hwnd, nullptr);
  DestroyWindow(stray);
}

// A screen that refuses its window at WM_NCCREATE, after the window has
// taken it. Its memory comes from one slot that is kept, and cleared when
// freed (all but the pointer to its own class's table, put back), so a read
// of the screen after the window freed it sees nothing handed over and shows
// as a second free instead of going unnoticed.
class RefusingScreen : public ChildScreen {
 public:
  explicit RefusingScreen(const ScreenContext& context) : ChildScreen(context) {
    std::memcpy(&table, static_cast<void*>(this), sizeof table);
  }
  ~RefusingScreen() override { ++deletions; }
  char Code() const override { return 'r'; }
  static void* operator new(size_t size) {
    EXPECT_LE(size, sizeof slot);
    return slot;
  }
  static void operator delete(void* p, size_t size) {
    auto* bytes = static_cast<unsigned char*>(p);
    std::fill(bytes, bytes + size, 0);
    std::memcpy(bytes, &table, sizeof table);
  }
  static int deletions;
  static void* table;

 protected:
  bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
    if (msg != WM_NCCREATE) return false;
    result = FALSE;
    return true;
  }

 private:
  alignas(16) static unsigned char slot[4096];
};
int RefusingScreen::deletions = 0;
void* RefusingScreen::table = nullptr;
alignas(16) unsigned char RefusingScreen::slot[4096];

using FailedCreation = kit_test::KitFixture;

// Creation that fails after WM_NCCREATE frees the screen once, by the window.
TEST_F(FailedCreation, AScreenRefusedAfterNcCreateIsFreedOnce) {
  ASSERT_TRUE(RegisterChildScreenClass(kit_test::Instance()));
  ScreenContext context{kit, screenHost, left, right, zones, correction, result, indicatorReading};
  RefusingScreen::deletions = 0;
  EXPECT_EQ(OpenChildScreen(std::make_unique<RefusingScreen>(context), "refused", WS_POPUP, 0, 0,
                            100, 100),
            nullptr);
  EXPECT_EQ(RefusingScreen::deletions, 1);
  EXPECT_EQ(kit.childScreen, nullptr);
  EXPECT_EQ(OpenScreenOf(kit), nullptr);
}

WNDPROC boxProc = nullptr;
int boxesRefused = 0;
// Runs the value box's own procedure, then refuses the window at WM_NCCREATE.
LRESULT CALLBACK RefusingBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcA(boxProc, hwnd, msg, wParam, lParam);
  if (msg != WM_NCCREATE) return result;
  ++boxesRefused;
  return FALSE;
}

// A box whose window is refused after WM_NCCREATE is gone without a second
// free of its data or font, and the next box is made as before.
TEST_F(FailedCreation, ABoxRefusedAfterNcCreateLeavesNoBoxBehind) {
  HWND first = CreateValueBox(main, 132, 10, 10, 100, 40, 1.0f);
  ASSERT_NE(first, nullptr);
  boxProc = reinterpret_cast<WNDPROC>(GetClassLongPtrA(first, GCLP_WNDPROC));
  SetClassLongPtrA(first, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefusingBoxProc));
  boxesRefused = 0;
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(CreateValueBox(main, 131, 10, 60, 100, 40, 1.0f), nullptr);
  }
  SetClassLongPtrA(first, GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(boxProc));
  EXPECT_EQ(boxesRefused, 20);
  EXPECT_EQ(GetDlgItem(main, 131), nullptr);
  HWND next = CreateValueBox(main, 131, 10, 60, 100, 40, 1.0f);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(ValueBoxFieldCode(next), 131);
  DestroyWindow(next);
  DestroyWindow(first);
}

using MainScreenBoxes = testmain::ScreenFixture;

// The main screen's boxes stand under their names and edit the field of the
// same number, through the main window's kit.
TEST_F(MainScreenBoxes, EveryBoxStandsUnderItsNameAndEditsThatField) {
  HWND hwnd = CreateMain();
  ASSERT_NE(hwnd, nullptr);
  for (int id :
       {kMainBoxRadiusLeft, kMainBoxRadiusRight, kMainBoxUprightDistance, kMainBoxPlaneOffsetLeft,
        kMainBoxPlaneOffsetRight, kMainBoxSideWeightLeft, kMainBoxSideWeightRight}) {
    HWND box = GetDlgItem(hwnd, id);
    ASSERT_NE(box, nullptr) << id;
    EXPECT_EQ(kit_test::ClassOf(box), kValueBoxClass) << id;
    EXPECT_EQ(ValueBoxFieldCode(box), id);
  }
  SendMessageA(GetDlgItem(hwnd, kMainBoxUprightDistance), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  ASSERT_NE(kit.entry.hwnd, nullptr);
  EXPECT_EQ(kit.entry.fieldCode, kMainBoxUprightDistance);
  CloseEntryWindow(kit);

  SendMessageA(hwnd, WM_SYSCOMMAND, kMainSysAbout, 0);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "About Vidoduz Azavodad");
  AnswerMessageWindow(message, kMessageOkId);
  SendMessageA(hwnd, WM_SYSCOMMAND, kMainSysCalibrationWarning, 0);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(message.actionCode, kActionCalibrationWarning);
  AnswerMessageWindow(message, kMessageNoId);
}

}  // namespace
}  // namespace balancer
