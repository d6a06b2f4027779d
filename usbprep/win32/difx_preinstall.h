// The driver package pre-install. The Driver Install Frameworks library is
// looked up at run time and used when it is there; it is not part of Windows
// (nor of Wine), so without it the package is staged by the system's own
// SetupCopyOEMInfA, present on every Windows from 2000 on.
#pragma once

#include <cstdint>

namespace balancer {

// Calls DriverPackagePreinstallA(inf, flags) from kDifxLibrary, looked for
// beside the program and in the system folder (DifxLibraryPaths), when the
// library and the function can be found, else SetupCopyOEMInfA(inf). Returns
// 0 or a Windows error code, judged by PreinstallSucceeded. Blocks while the
// call runs.
uint32_t PreinstallDriverPackage(const char* inf, uint32_t flags);

}  // namespace balancer
