#include "usbprep/win32/difx_preinstall.h"

#include <windows.h>
#include <setupapi.h>

#include <string>

#include "usbprep/usbprep_screen.h"

namespace balancer {

namespace {
using PreinstallFunction = DWORD(WINAPI*)(const char* infPath, DWORD flags);

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  std::string folder(path, n);
  const size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

std::string SystemFolder() {
  char path[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryA(path, MAX_PATH);
  return n == 0 || n >= MAX_PATH ? std::string() : std::string(path, n);
}

HMODULE LoadDifxLibrary() {
  for (const std::string& path : DifxLibraryPaths(ProgramFolder(), SystemFolder())) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
    if (HMODULE library = LoadLibraryA(path.c_str())) return library;
  }
  return nullptr;
}

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
  HMODULE library = LoadDifxLibrary();
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
