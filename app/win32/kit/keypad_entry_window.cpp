// The keypad entry window: a number typed on the touch screen.
#include "app/keypad_layout.h"
#include "app/win32/kit/entry_window.h"
#include "base/field_table.h"

namespace balancer {

using namespace entry_detail;

namespace {

constexpr int kWidth = 518;
constexpr int kKeyWidth = 110;
constexpr int kKeyHeight = 80;
constexpr int kKeyGap = 10;
constexpr int kGridLeft = 24;
constexpr int kGridTop = 250;

}  // namespace

HWND OpenKeypadEntry(KitContext& kit, int x, int y) {
  if (RefusedBeforeSpin(kit)) return nullptr;
  HWND hwnd = CreateEntryFrame(kit, EntryKind::kKeypad, "Enter", x, y, kWidth, 640);
  if (hwnd == nullptr) return nullptr;
  EntryWindowState& entry = kit.entry;
  AddHeadingAndHint(kit, kWidth);
  entry.edit =
      AddChild(kit, "EDIT", entry.text.c_str(), ES_AUTOHSCROLL | ES_CENTER, WS_EX_CLIENTEDGE,
               (kWidth - 140) / 2 - 4, 56, 140, 35, kEntryEditId, entry.editFont);
  AttachCommit(kit, entry.edit);
  const auto rows = KeypadRows(entry.fieldCode);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      const KeyFace& key = rows[r][c];
      AddChild(kit, "BUTTON", key.label, 0, 0, kGridLeft + c * (kKeyWidth + kKeyGap),
               kGridTop + r * (kKeyHeight + kKeyGap), kKeyWidth, kKeyHeight, key.id, entry.keyFont);
    }
  }
  AddHelpAndTransfer(kit, 18, 55, 139, 202);
  Finish(kit);
  return hwnd;
}

}  // namespace balancer
