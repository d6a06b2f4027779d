#include "app/win32/kit/child_screen.h"
#include "app/win32/kit/entry_window.h"
#include "app/win32/kit/kit_context.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/kit/value_box.h"

namespace balancer {

bool RegisterKitWindowClasses(HINSTANCE instance) {
  bool ok = RegisterMessageWindowClass(instance);
  ok = RegisterEntryWindowClass(instance) && ok;
  ok = RegisterValueBoxClass(instance) && ok;
  ok = RegisterChildScreenClass(instance) && ok;
  return ok;
}

}  // namespace balancer
