// The installer's window and what Install does: the version the user clicks
// on the splash picture, the list file's folders and files, the desktop
// copy, the pre-installer that matches the system, and every message. The
// Win32 side carries out the steps through InstallTarget and draws the view.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "setup/setup_list.h"
#include "usbprep/safety_notice.h"
#include "usbprep/usbprep_screen.h"

namespace balancer {

struct SetupLayout {
  static constexpr int kWidth = 600, kHeight = 450;
  static constexpr int kInstallId = 100, kCancelId = 101, kWarningOkId = 102;
  static constexpr int kInstallX = 170, kCancelX = 320, kButtonY = 370;
  static constexpr int kButtonWidth = 110, kButtonHeight = 40;
  static constexpr int kWarningOkX = 275, kWarningOkY = 360;
  static constexpr int kWarningOkWidth = 50, kWarningOkHeight = 30;
  // The two versions on the splash picture (right and bottom outside).
  static constexpr int kVersionOneLeft = 50, kVersionOneTop = 200;
  static constexpr int kVersionOneRight = 250, kVersionOneBottom = 340;
  static constexpr int kVersionTwoLeft = 300, kVersionTwoTop = 200;
  static constexpr int kVersionTwoRight = 550, kVersionTwoBottom = 333;
  // The frame around the chosen version: 2 pixels outside, red pen 4 wide.
  static constexpr int kFrameOutset = 2, kFramePen = 4, kFrameCorner = 6;
};

constexpr const char* kSetupWindowClass = "blankclass";
constexpr const char* kSetupChildClass = "childclass";
constexpr const char* kSetupTitle = "Balancer Setup";
constexpr const char* kSetupWarningTitle = "Warning";
constexpr const char* kSetupWaitTitle = "Please Wait";

struct FrameRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The area of version 1 or 2 on the splash picture.
FrameRect VersionArea(int version);
// The frame drawn around the chosen version; none for 0.
std::optional<FrameRect> VersionFrame(int version);

// A click on the splash picture: the version now chosen, and the message
// told (Windows 4 only has version 1).
struct VersionClick {
  int choice = 0;
  std::optional<InstallerMessage> message;
};
VersionClick ClickVersion(int x, int y, int current, int windowsMajor);

// Shown once installing has begun.
InstallerText InstallingText();
// The "Please Wait" window's texts.
std::vector<InstallerText> SetupWaitTexts();

// The pre-installer for this system: the 64-bit one when the installer runs
// under WOW64 (asked by name; a missing function counts as 32-bit) or is a
// 64-bit program itself, which only 64-bit Windows can run.
constexpr const char* kPreinstaller64 = "c:\\balancer\\drivers\\amd64\\usbprep64.exe";
constexpr const char* kPreinstaller32 = "c:\\balancer\\drivers\\x86\\usbprep32.exe";
bool SystemIs64Bit(bool programIs64Bit, bool wow64FunctionFound, bool wow64CallSucceeded,
                   bool underWow64);
const char* PreinstallerPath(bool system64);
// ShellExecute's result: above 32 is a started program.
bool PreinstallerStarted(intptr_t shellResult);

// The desktop of Windows 4.0; later systems ask the shell.
std::optional<std::string> FixedDesktopPath(int windowsMajor, int windowsMinor);

// What the installer does to the disk; the Win32 side implements it.
class InstallTarget {
 public:
  virtual ~InstallTarget() = default;
  // Creates the folder; an existing one is fine. Blocks until done.
  virtual void CreateFolder(const std::string& path) = 0;
  // Copies `source` over `destination`, clearing a read-only mark first.
  // False when the copy failed; the installer goes on with the next file.
  virtual bool CopyOver(const std::string& source, const std::string& destination) = 0;
};

struct InstallChoice {
  int version = 0;  // 1 or 2
  int windowsMajor = 0;
  std::string desktop;  // the desktop folder, for type 2
};

// Creates the folders and copies the files of a list that read well.
// Returns the number of files copied.
int InstallListed(const SetupList& list, const InstallChoice& choice, InstallTarget& target);

// The destination of a file entry (type 2 goes to the desktop).
std::string DestinationOf(const SetupListEntry& entry, const std::string& desktop);

// Install pressed.
enum class InstallEnd {
  kNoVersion,     // told; nothing done
  kListMissing,   // told; setup closes
  kListBroken,    // told; setup closes
  kWarning,       // files copied; Windows before 6: the warning window
  kPreinstaller,  // files copied; start the pre-installer
};
InstallEnd EndOfInstall(int windowsMajor);

InstallerMessage NoVersionMessage();           // "Attention"
InstallerMessage ListMissingMessage();         // "ERROR"
InstallerMessage ListBrokenMessage();          // "ERROR"
InstallerMessage OnlyFourThreeMessage();       // "Alert"
InstallerMessage SetupSuccessMessage();        // "Success"
InstallerMessage PreinstallerFailedMessage();  // "ERROR"

}  // namespace balancer
