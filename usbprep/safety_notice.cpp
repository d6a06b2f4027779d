#include "usbprep/safety_notice.h"

namespace balancer {

std::vector<InstallerText> SafetyNoticeTexts() {
  std::vector<InstallerText> texts;
  texts.push_back({"WARNING", 300, 20, true, kInstallerRed, kInstallerMediumFont});
  const struct {
    const char* text;
    int y;
  } lines[] = {
      {"You must read the important information sheet and all help topics", 65},
      {"before operating the balancer.", 89},
      {"Failure to study these documents can cause poor balancer", 130},
      {"performance and personal injury.", 154},
      {"There are many small common errors that can be made that greatly", 195},
      {"affect the performance of the machine.", 219},
      {"These issues are explained in the documentation.", 243},
      {"If you have a problem please study the help topics for the answer", 284},
      {"before making a phone call for assistance.", 308},
  };
  for (const auto& line : lines) {
    texts.push_back({line.text, 15, line.y, false, kInstallerDarkBlue, kInstallerSmallFont});
  }
  return texts;
}

}  // namespace balancer
