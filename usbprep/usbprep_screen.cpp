#include "usbprep/usbprep_screen.h"

#include <cstdio>

namespace balancer {

bool PreinstallSucceeded(uint32_t result) {
  return result == 0 || result == kPackageAlreadyInStore;
}

std::vector<std::string> DifxLibraryPaths(const std::string& programFolder,
                                          const std::string& systemFolder) {
  std::vector<std::string> paths;
  for (const std::string& folder : {programFolder, systemFolder}) {
    if (folder.empty()) continue;
    const bool separated = folder.back() == '\\' || folder.back() == '/';
    paths.push_back(folder + (separated ? "" : "\\") + kDifxLibrary);
  }
  return paths;
}

PreinstallPath ChoosePreinstallPath(bool libraryLoaded, bool functionFound) {
  return libraryLoaded && functionFound ? PreinstallPath::kDriverPackage
                                        : PreinstallPath::kSetupCopy;
}

uint32_t SetupCopyResult(bool copied, uint32_t lastError) {
  if (copied) return 0;
  return lastError != 0 ? lastError : kPreinstallUnknownFailure;
}

UsbPrepView ViewOfPrep(PrepState state, uint32_t result) {
  UsbPrepView view;
  switch (state) {
    case PrepState::kUnplug:
      view.okShown = true;
      view.texts.push_back({"Unplug the USB control before proceeding.", 300, 185, true,
                            kInstallerDarkBlue, kInstallerMediumFont});
      break;
    case PrepState::kInstalling:
      view.texts.push_back({"Please Wait", 300, 20, true, kInstallerRed, kInstallerMediumFont});
      view.texts.push_back({"The device driver is being installed...", 300, 195, true,
                            kInstallerDarkBlue, kInstallerMediumFont});
      break;
    case PrepState::kFinished:
      if (!PreinstallSucceeded(result)) {
        view.failed = true;
        break;
      }
      view.okShown = true;
      view.texts = SafetyNoticeTexts();
      break;
  }
  return view;
}

UsbPrepPress PressPrepOk(PrepState state) {
  switch (state) {
    case PrepState::kUnplug:
      return {PrepState::kInstalling, true, false};
    case PrepState::kInstalling:
      return {PrepState::kInstalling, false, false};  // the button is hidden
    case PrepState::kFinished:
      return {PrepState::kFinished, false, true};
  }
  return {state, false, false};
}

InstallerMessage PreinstallErrorMessage(uint32_t result) {
  char code[16];
  std::snprintf(code, sizeof code, "%X", static_cast<unsigned>(result));
  return {"ERROR",
          std::string("Error while attempting driver installation.\n\n"
                      "Please see setup documentation for assistance.\n\n"
                      "Error Number ") +
              code,
          false};
}

InstallerMessage PrepSuccessMessage() {
  return {"Success",
          "The balancer software and driver has been successfully installed.\n\n"
          "Please connect and power up the USB control to finalize the installation.\n\n"
          "If Windows displays a message saying...\n"
          "\"This program might not have installed correctly\"\n"
          "click \"This program installed correctly\"",
          true};
}

InstallerMessage ThreadFailedMessage() {
  return {"error", "Thread creation failed", false};
}

}  // namespace balancer
