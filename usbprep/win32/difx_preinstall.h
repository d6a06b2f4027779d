// The driver package pre-install through the Driver Install Frameworks
// library, looked up at run time: many systems (and Wine) lack it, and a
// missing library must end in the error message, not in a failed start.
#pragma once

#include <cstdint>

namespace balancer {

// Calls DriverPackagePreinstallA(inf, flags) from kDifxLibrary. Returns its
// result (0 or a Windows error code); the system's error code when the
// library or the function cannot be found. Blocks while the call runs.
uint32_t PreinstallDriverPackage(const char* inf, uint32_t flags);

}  // namespace balancer
