#include "usbprep/win32/difx_preinstall.h"

#include <windows.h>
#include <setupapi.h>

#include "usbprep/usbprep_screen.h"

namespace balancer {

namespace {
using PreinstallFunction = DWORD(WINAPI*)(const char* infPath, DWORD flags);

uint32_t StageWithSetupApi(const char* inf) {
  // The package's own folder is its source; an identical package already
  // staged is found again and counts as done.
  SetLastError(0);
  const BOOL copied =
      SetupCopyOEMInfA(inf, nullptr, SPOST_PATH, 0, nullptr, 0, nullptr, nullptr);
  return SetupCopyResult(copied != FALSE, copied ? 0 : GetLastError());
}
}  // namespace

uint32_t PreinstallDriverPackage(const char* inf, uint32_t flags) {
  HMODULE library = LoadLibraryA(kDifxLibrary);
  PreinstallFunction preinstall = nullptr;
  if (library != nullptr) {
    preinstall =
        reinterpret_cast<PreinstallFunction>(GetProcAddress(library, kDifxPreinstallFunction));
  }
  if (ChoosePreinstallPath(library != nullptr, preinstall != nullptr) ==
      PreinstallPath::kSetupCopy) {
    if (library != nullptr) FreeLibrary(library);
    return StageWithSetupApi(inf);
  }
  const uint32_t result = preinstall(inf, flags);
  FreeLibrary(library);
  return result;
}

}  // namespace balancer
