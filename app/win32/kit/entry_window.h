// The entry windows' shared class "entryclass": key buttons, Help, scale
// transfer, colour tiles, and the commit procedure on the entry edit. The
// openers live in the files named after each window.
#pragma once

#include <windows.h>

#include "app/win32/kit/kit_context.h"

namespace balancer {

constexpr char kEntryWindowClass[] = "entryclass";
constexpr int kEntryEditId = 1;
constexpr int kEntryOkId = 13;  // OK of the number and line entries

bool RegisterEntryWindowClass(HINSTANCE instance);

// Opens the number entry (keyboard) at (x, y) design units for ActionCode.
HWND OpenNumberEntry(KitContext& kit, int x, int y);
// The touch keypad.
HWND OpenKeypadEntry(KitContext& kit, int x, int y);
// The typewriter keyboard for the text fields.
// The label of field `code` in the field table, as its button shows it.
const char* EntryFieldLabel(int code);

HWND OpenTextEntry(KitContext& kit, int x, int y, const char* heading);
// One line of text (file or job name), titled by the caller.
HWND OpenLineEntry(KitContext& kit, int x, int y, const char* title);
// Several lines of text, titled by the caller.
HWND OpenNoteEntry(KitContext& kit, int x, int y, const char* title);

// The value box click: the number entry or the keypad by the touchscreen
// setting, at their fixed places.
HWND OpenEntryForField(KitContext& kit, int fieldCode);

// Closes the entry window, giving back what it disabled.
void CloseEntryWindow(KitContext& kit);

// The six font colours of the colour choice (code 19).
COLORREF FontColour(int index);

// ---- shared by the openers (entry_window.cpp) ----
namespace entry_detail {

// Creates the window of `kind` with the given design size; disables the
// child screen, the main window and the list window. Null when one is open
// already or creation failed.
HWND CreateEntryFrame(KitContext& kit, EntryKind kind, const char* title, int x, int y, int width,
                      int height);
HWND AddChild(KitContext& kit, const char* cls, const char* text, DWORD style, DWORD exStyle, int x,
              int y, int w, int h, int id, HFONT font);
// Heading and hint of the field, in the message font.
void AddHeadingAndHint(KitContext& kit, int width);
// Subclasses the edit with the commit procedure.
void AttachCommit(KitContext& kit, HWND edit);
// Help and "&Transfer From Scale" where the field has them.
void AddHelpAndTransfer(KitContext& kit, int helpX, int helpY, int transferX, int transferY);
// Refuses 127/128 without a measured reading on that side, or a second time
// in one opening of the calibration window. True when refused.
bool RefusedBeforeSpin(KitContext& kit);
void Finish(KitContext& kit);

}  // namespace entry_detail

}  // namespace balancer
