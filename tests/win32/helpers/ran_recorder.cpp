// Stand-in for a downloaded installer: notes that it was started.
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  FILE* f = std::fopen("C:\\balancer\\installer-ran.txt", "w");
  if (f == nullptr) return 1;
  std::fputs("ran\n", f);
  std::fclose(f);
  return 0;
}
