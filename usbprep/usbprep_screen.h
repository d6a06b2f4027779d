// The driver pre-installer's one window: ask to unplug the control, install
// the driver package on a worker, report the result. The window draws what
// this model says and carries out the effect of OK.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "usbprep/safety_notice.h"

namespace balancer {

enum class PrepState : int { kUnplug = 1, kInstalling = 2, kFinished = 3 };

// The driver package and how it is pre-installed.
constexpr const char* kDriverInfPath = "c:\\balancer\\drivers\\ZerOziZur.inf";
constexpr uint32_t kPreinstallFlags = 4 | 16;  // force, legacy mode
constexpr const char* kDifxLibrary = "DIFxAPI.dll";
constexpr const char* kDifxPreinstallFunction = "DriverPackagePreinstallA";
// The package is already in the driver store: a second run counts as success.
constexpr uint32_t kPackageAlreadyInStore = 183;
// The system's own call that stages a driver package, used when the driver
// install library (not part of Windows) or its function is missing.
constexpr const char* kSetupCopyFunction = "SetupCopyOEMInfA";
// A staging call that failed without saying why: never taken for success.
constexpr uint32_t kPreinstallUnknownFailure = 31;  // ERROR_GEN_FAILURE

// Where the driver install library is looked for, as full paths: beside the
// pre-installer, then in the system folder. Never by bare name: the
// pre-installer runs elevated, and a bare name is also looked up in the
// current folder and along PATH. FOLDERS end with or without a backslash;
// an empty one is left out.
std::vector<std::string> DifxLibraryPaths(const std::string& programFolder,
                                          const std::string& systemFolder);

enum class PreinstallPath { kDriverPackage, kSetupCopy };
// The driver install library's call when it and its function were found,
// else the system's own.
PreinstallPath ChoosePreinstallPath(bool libraryLoaded, bool functionFound);
// SetupCopyOEMInfA's outcome (its return and the last error) as a result
// the window judges like the library's.
uint32_t SetupCopyResult(bool copied, uint32_t lastError);

// The window and its button, pixels.
struct UsbPrepLayout {
  static constexpr int kWidth = 600, kHeight = 450;
  static constexpr int kOkId = 102;
  static constexpr int kOkX = 275, kOkY = 360, kOkWidth = 50, kOkHeight = 30;
};

constexpr const char* kUsbPrepWindowClass = "blankclass";
constexpr const char* kUsbPrepTitle = "Balancer Setup";
// Exit code when the worker thread cannot be made.
constexpr int kThreadFailedExitCode = 3;

bool PreinstallSucceeded(uint32_t result);

// A system message box the installers show.
struct InstallerMessage {
  std::string caption;
  std::string text;
  bool information = false;  // the information icon, else the error icon
};

// What the window shows in a state; `result` counts only when finished.
struct UsbPrepView {
  bool okShown = false;
  std::vector<InstallerText> texts;
  // Finished with a failure: show this and close the window.
  bool failed = false;
};
UsbPrepView ViewOfPrep(PrepState state, uint32_t result);

// What OK does in a state.
struct UsbPrepPress {
  PrepState next;
  bool startWorker = false;  // start the pre-install
  bool success = false;      // show SuccessMessage, then close
};
UsbPrepPress PressPrepOk(PrepState state);

InstallerMessage PreinstallErrorMessage(uint32_t result);  // "ERROR"
InstallerMessage PrepSuccessMessage();                     // "Success"
InstallerMessage ThreadFailedMessage();                    // "error"

}  // namespace balancer
