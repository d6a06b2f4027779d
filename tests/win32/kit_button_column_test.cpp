#include "app/win32/kit/button_column.h"
#include "kit_fixture.h"

namespace balancer::kit_test {
namespace {

using KitButtonColumn = KitFixture;

TEST_F(KitButtonColumn, LabelsIdsAndPlacesFollowTheTable) {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  // "&Left" and "&Right" (257, 258) as the zero screen makes them.
  HWND first = AddButtonColumn(40, 157, main, 20, 50, 120, 34, 2, 257, font);
  ASSERT_NE(first, nullptr);
  HWND left = GetDlgItem(main, 257);
  HWND right = GetDlgItem(main, 258);
  ASSERT_EQ(first, left);
  ASSERT_NE(right, nullptr);
  EXPECT_EQ(WindowText(left), "&Left");
  EXPECT_EQ(WindowText(right), "&Right");
  EXPECT_EQ(ChildRect(left).top, 40);
  EXPECT_EQ(ChildRect(right).top, 90);
  EXPECT_EQ(ChildRect(right).left, 20);
  EXPECT_EQ(WindowSize(right).cx, 120);
  EXPECT_EQ(WindowSize(right).cy, 34);
  EXPECT_TRUE(IsWindowEnabled(right));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(right, WM_GETFONT, 0, 0)), font);
  // Past the table's end the buttons are blank rather than unreadable.
  AddButtonColumn(200, 258, main, 20, 50, 120, 34, 2, 500, font);
  EXPECT_EQ(WindowText(GetDlgItem(main, 501)), "");
}

}  // namespace
}  // namespace balancer::kit_test
