// The text entry window: a typewriter keyboard for the text fields.
#include "app/keypad_layout.h"
#include "app/screen_scale.h"
#include "app/win32/kit/entry_window.h"
#include "base/field_codes.h"

namespace balancer {

using namespace entry_detail;

namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 584;
constexpr int kKeySize = 64;
constexpr int kKeyGap = 6;
constexpr int kKeysTop = 190;

}  // namespace

HWND OpenTextEntry(KitContext& kit, int x, int y, const char* heading) {
  HWND hwnd = CreateEntryFrame(kit, EntryKind::kText, "Enter", x, y, kWidth, kHeight);
  if (hwnd == nullptr) return nullptr;
  EntryWindowState& entry = kit.entry;
  const int code = entry.fieldCode;
  const int headingTop = code == kFieldCompanyName ? 56 : 16;
  entry.heading = AddChild(kit, "STATIC", heading != nullptr ? heading : "", SS_CENTER, 0, 8,
                           headingTop, kWidth - 24, 34, -1, entry.messageFont);
  entry.edit = AddChild(kit, "EDIT", entry.text.c_str(),
                        ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL,
                        WS_EX_CLIENTEDGE, 30, 92, kWidth - 66, 84, kEntryEditId, entry.editFont);
  AttachCommit(kit, entry.edit);

  const auto& rows = TypewriterRows();
  for (size_t r = 0; r < rows.size(); ++r) {
    const auto& row = rows[r];
    const int top = kKeysTop + static_cast<int>(r) * (kKeySize + kKeyGap);
    if (r + 1 < rows.size()) {
      // Each letter row is set half a key further right, as on a typewriter.
      int left = 30 + static_cast<int>(r) * (kKeySize / 2);
      for (const KeyFace& key : row) {
        AddChild(kit, "BUTTON", key.label, 0, 0, left, top, kKeySize, kKeySize, key.id,
                 entry.keyFont);
        left += kKeySize + kKeyGap;
      }
    } else {
      // The command row: wider keys, Space the widest.
      int left = 30;
      for (const KeyFace& key : row) {
        const int width = key.id == ' ' ? 198 : 100;
        AddChild(kit, "BUTTON", key.label, 0, 0, left, top, width, kKeySize, key.id,
                 entry.messageFont);
        left += width + kKeyGap;
      }
    }
  }
  if (code == kFieldCompanyName) {
    // The colour tiles: left, top, right, bottom in design units.
    for (int i = 0; i < 6; ++i) {
      const float s = kit.screenScale;
      entry.colourTiles[i] =
          RECT{Scaled(315 + 40 * i, s), Scaled(15, s), Scaled(350 + 40 * i, s), Scaled(50, s)};
    }
  }
  Finish(kit);
  return hwnd;
}

}  // namespace balancer
