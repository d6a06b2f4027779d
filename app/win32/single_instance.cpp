#include "app/win32/single_instance.h"

#include "base/program_identity.h"

namespace balancer {

bool ClaimSingleInstance(HANDLE* mutexOut) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, kSingleInstanceMutexName);
  bool first = !(mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS);
  if (mutexOut != nullptr) *mutexOut = mutex;
  return first;
}

bool WakeRunningCopy() {
  HWND running = FindWindowA(kMainWindowClass, kMainWindowTitle);
  if (running == nullptr) return false;
  SendMessageA(running, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  return true;
}

}  // namespace balancer
