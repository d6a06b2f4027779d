// The installer's disk operations on Windows.
#pragma once

#include <string>

#include "setup/setup_screen.h"

namespace balancer {

class DiskInstallTarget : public InstallTarget {
 public:
  void CreateFolder(const std::string& path) override;
  // Clears a read-only (or hidden) mark by setting hidden and then normal,
  // copies over the old file, and does the same to the new one.
  bool CopyOver(const std::string& source, const std::string& destination) override;
};

}  // namespace balancer
