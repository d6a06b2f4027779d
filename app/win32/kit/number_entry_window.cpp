// The number entry window: a number typed on the keyboard.
#include "app/keypad_layout.h"
#include "app/win32/kit/entry_window.h"
#include "base/field_table.h"

namespace balancer {

using namespace entry_detail;

HWND OpenNumberEntry(KitContext& kit, int x, int y) {
  if (RefusedBeforeSpin(kit)) return nullptr;
  HWND hwnd = CreateEntryFrame(kit, EntryKind::kNumber, "Enter", x, y, 336, 306);
  if (hwnd == nullptr) return nullptr;
  EntryWindowState& entry = kit.entry;
  AddHeadingAndHint(kit, 336);
  entry.edit = AddChild(kit, "EDIT", entry.text.c_str(), ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 100, 56,
                        140, 35, kEntryEditId, entry.editFont);
  AttachCommit(kit, entry.edit);
  AddChild(kit, "BUTTON", FieldLabel(kFieldOk), 0, 0, 260, 55, 50, 34, kEntryOkId,
           entry.messageFont);
  AddHelpAndTransfer(kit, 18, 55, 48, 192);
  Finish(kit);
  return hwnd;
}

}  // namespace balancer
