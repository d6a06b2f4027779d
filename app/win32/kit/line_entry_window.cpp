// The line entry window: one line of text, such as a file or job name.
#include "app/keypad_layout.h"
#include "app/win32/kit/entry_window.h"
#include "base/field_table.h"

namespace balancer {

using namespace entry_detail;

HWND OpenLineEntry(KitContext& kit, int x, int y, const char* title) {
  HWND hwnd =
      CreateEntryFrame(kit, EntryKind::kLine, title != nullptr ? title : "", x, y, 768, 180);
  if (hwnd == nullptr) return nullptr;
  EntryWindowState& entry = kit.entry;
  entry.edit = AddChild(kit, "EDIT", entry.text.c_str(), ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 16, 24,
                        728, 60, kEntryEditId, entry.editFont);
  AttachCommit(kit, entry.edit);
  AddChild(kit, "BUTTON", FieldLabel(kFieldOk), 0, 0, 570, 102, 54, 34, kEntryOkId,
           entry.messageFont);
  AddChild(kit, "BUTTON", "Cancel", 0, 0, 650, 102, 94, 34, kKeyCancel, entry.messageFont);
  Finish(kit);
  return hwnd;
}

}  // namespace balancer
