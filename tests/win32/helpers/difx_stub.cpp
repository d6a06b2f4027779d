// Stand-in for the driver install library: answers the pre-install with a
// fixed result and writes what it was asked to C:\balancer\difx-call.txt.
// It takes a moment, as the real one does, so "Please Wait" can be seen.
#include <windows.h>

#include <cstdio>

extern "C" __declspec(dllexport) DWORD WINAPI
    DriverPackagePreinstallA(const char* infPath, DWORD flags) {
  Sleep(1500);
  if (FILE* f = std::fopen("C:\\balancer\\difx-call.txt", "w")) {
    std::fprintf(f, "%s %lu\n", infPath != nullptr ? infPath : "(null)",
                 static_cast<unsigned long>(flags));
    std::fclose(f);
  }
  return DIFX_STUB_RESULT;
}
