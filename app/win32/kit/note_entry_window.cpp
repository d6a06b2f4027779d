// The note entry window: several lines of text for the child screens.
#include "app/keypad_layout.h"
#include "app/win32/kit/entry_window.h"
#include "base/field_table.h"

namespace balancer {

using namespace entry_detail;

HWND OpenNoteEntry(KitContext& kit, int x, int y, const char* title) {
  HWND hwnd =
      CreateEntryFrame(kit, EntryKind::kNote, title != nullptr ? title : "", x, y, 768, 280);
  if (hwnd == nullptr) return nullptr;
  EntryWindowState& entry = kit.entry;
  entry.edit = AddChild(kit, "EDIT", entry.text.c_str(),
                        ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL,
                        WS_EX_CLIENTEDGE, 16, 64, 728, 163, kEntryEditId, entry.editFont);
  AttachCommit(kit, entry.edit);
  AddChild(kit, "BUTTON", FieldLabel(kFieldOk), 0, 0, 16, 13, 64, 38, kKeyNoteOk,
           entry.messageFont);
  Finish(kit);
  return hwnd;
}

}  // namespace balancer
