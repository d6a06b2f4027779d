#include "setup/win32/setup_disk.h"

#include <windows.h>

namespace balancer {

namespace {
void MakeNormal(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}
}  // namespace

void DiskInstallTarget::CreateFolder(const std::string& path) {
  CreateDirectoryA(path.c_str(), nullptr);
}

bool DiskInstallTarget::CopyOver(const std::string& source, const std::string& destination) {
  MakeNormal(destination);
  const bool copied = CopyFileA(source.c_str(), destination.c_str(), FALSE) != FALSE;
  MakeNormal(destination);
  return copied;
}

}  // namespace balancer
