#include "app/win32/kit/button_column.h"

#include "base/field_table.h"

namespace balancer {

HWND AddButtonColumn(int y, int firstLabelIndex, HWND parent, int x, int yStep, int width,
                     int height, int count, int firstId, HFONT font) {
  HWND first = nullptr;
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  for (int i = 0; i < count; ++i) {
    HWND button = CreateWindowExA(0, "BUTTON", FieldLabelByIndex(firstLabelIndex + i),
                                  WS_CHILD | WS_VISIBLE, x, y + i * yStep, width, height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstId + i)),
                                  instance, nullptr);
    if (button == nullptr) continue;
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EnableWindow(button, TRUE);
    if (first == nullptr) first = button;
  }
  return first;
}

}  // namespace balancer
