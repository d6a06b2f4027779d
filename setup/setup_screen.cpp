#include "setup/setup_screen.h"

namespace balancer {

namespace {

bool Inside(const FrameRect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

FrameRect VersionArea(int version) {
  using L = SetupLayout;
  if (version == 1) {
    return {L::kVersionOneLeft, L::kVersionOneTop, L::kVersionOneRight, L::kVersionOneBottom};
  }
  return {L::kVersionTwoLeft, L::kVersionTwoTop, L::kVersionTwoRight, L::kVersionTwoBottom};
}

std::optional<FrameRect> VersionFrame(int version) {
  if (version != 1 && version != 2) return std::nullopt;
  FrameRect r = VersionArea(version);
  const int out = SetupLayout::kFrameOutset;
  return FrameRect{r.left - out, r.top - out, r.right + out, r.bottom + out};
}

VersionClick ClickVersion(int x, int y, int current, int windowsMajor) {
  VersionClick click;
  click.choice = current;
  if (Inside(VersionArea(1), x, y)) {
    click.choice = 1;
  } else if (Inside(VersionArea(2), x, y)) {
    if (windowsMajor == 4) {
      click.choice = 1;
      click.message = OnlyFourThreeMessage();
    } else {
      click.choice = 2;
    }
  }
  return click;
}

InstallerText InstallingText() {
  return {" Installing... ", 300, 220, true, kInstallerRed, kInstallerLargeFont};
}

std::vector<InstallerText> SetupWaitTexts() {
  return {{"Please Wait", 300, 20, true, kInstallerRed, kInstallerMediumFont},
          {"The device driver is being installed.", 300, 195, true, kInstallerDarkBlue,
           kInstallerMediumFont}};
}

bool SystemIs64Bit(bool programIs64Bit, bool wow64FunctionFound, bool wow64CallSucceeded,
                   bool underWow64) {
  return programIs64Bit || (wow64FunctionFound && wow64CallSucceeded && underWow64);
}

const char* PreinstallerPath(bool system64) {
  return system64 ? kPreinstaller64 : kPreinstaller32;
}

bool PreinstallerStarted(intptr_t shellResult) {
  return shellResult > 32;
}

std::optional<std::string> FixedDesktopPath(int windowsMajor, int windowsMinor) {
  if (windowsMajor == 4 && windowsMinor == 0) return std::string("c:\\windows\\desktop");
  return std::nullopt;
}

std::string DestinationOf(const SetupListEntry& entry, const std::string& desktop) {
  if (entry.type == kEntryDesktop) return desktop + "\\" + entry.destination;
  return entry.destination;
}

int InstallListed(const SetupList& list, const InstallChoice& choice, InstallTarget& target) {
  for (const SetupListEntry& folder : list.folders) {
    if (EntryApplies(folder, choice.version, choice.windowsMajor)) target.CreateFolder(folder.path);
  }
  int copied = 0;
  for (const SetupListEntry& file : list.files) {
    // A folder type among the files has nothing to copy.
    if (file.type == kEntryFolder) continue;
    if (!EntryApplies(file, choice.version, choice.windowsMajor)) continue;
    if (target.CopyOver(file.path, DestinationOf(file, choice.desktop))) ++copied;
  }
  return copied;
}

InstallEnd EndOfInstall(int windowsMajor) {
  return windowsMajor < 6 ? InstallEnd::kWarning : InstallEnd::kPreinstaller;
}

InstallerMessage NoVersionMessage() {
  return {"Attention", "Please select a version to install", true};
}

InstallerMessage ListMissingMessage() {
  return {"ERROR", "The setup list file was not found.\n\nSetup cannot continue.", false};
}

InstallerMessage ListBrokenMessage() {
  return {"ERROR", "The was an error in the setup list file.\n\nSetup cannot continue.", false};
}

InstallerMessage OnlyFourThreeMessage() {
  return {"Alert",
          "Only the 4:3 aspect version of the software is available\n"
          "for Windows 98 through Windows 2000",
          true};
}

InstallerMessage SetupSuccessMessage() {
  return {"Success", "The balancer software has been successfully installed.", true};
}

InstallerMessage PreinstallerFailedMessage() {
  return {"ERROR",
          "Error while attempting driver installation.\n\n"
          "Please see setup documentation for assistance.",
          false};
}

}  // namespace balancer
