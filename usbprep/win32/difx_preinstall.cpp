#include "usbprep/win32/difx_preinstall.h"

#include <windows.h>

#include "usbprep/usbprep_screen.h"

namespace balancer {

namespace {
using PreinstallFunction = DWORD(WINAPI*)(const char* infPath, DWORD flags);

uint32_t LastErrorOr(DWORD fallback) {
  const DWORD error = GetLastError();
  return error != 0 ? error : fallback;
}
}  // namespace

uint32_t PreinstallDriverPackage(const char* inf, uint32_t flags) {
  HMODULE library = LoadLibraryA(kDifxLibrary);
  if (library == nullptr) return LastErrorOr(ERROR_MOD_NOT_FOUND);
  auto preinstall =
      reinterpret_cast<PreinstallFunction>(GetProcAddress(library, kDifxPreinstallFunction));
  if (preinstall == nullptr) {
    const uint32_t error = LastErrorOr(ERROR_PROC_NOT_FOUND);
    FreeLibrary(library);
    return error;
  }
  const uint32_t result = preinstall(inf, flags);
  FreeLibrary(library);
  return result;
}

}  // namespace balancer
