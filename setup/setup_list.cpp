#include "setup/setup_list.h"

#include <cctype>

namespace balancer {

namespace {

enum class LineRead { kLine, kEnd, kTooLong };

// One line without its line end (LF or CR LF). The last line may lack one.
LineRead NextLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return LineRead::kEnd;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line.size() > kSetupListMaxLine ? LineRead::kTooLong : LineRead::kLine;
}

int TwoDigits(const std::string& line, size_t at) {
  if (line.size() < at + 2) return -1;
  if (!std::isdigit(static_cast<unsigned char>(line[at])) ||
      !std::isdigit(static_cast<unsigned char>(line[at + 1]))) {
    return -1;
  }
  return (line[at] - '0') * 10 + (line[at + 1] - '0');
}

}  // namespace

SetupListEntry ParseControlLine(const std::string& line) {
  SetupListEntry entry;
  if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0]))) {
    entry.type = line[0] - '0';
  }
  const int lowest = TwoDigits(line, 1);
  const int highest = TwoDigits(line, 3);
  if (lowest >= 0 && highest >= 0) {
    entry.lowest = lowest;
    entry.highest = highest;
  }
  return entry;
}

SetupListStatus ReadSetupList(std::istream& in, SetupList& list) {
  list = SetupList();
  std::string line;
  for (int i = 0; i < kSetupListHeaderLines; ++i) {
    if (NextLine(in, line) != LineRead::kLine) return SetupListStatus::kBroken;
  }
  // Folder entries: the section must end with a file entry's control line.
  std::string control;
  for (;;) {
    if (NextLine(in, control) != LineRead::kLine) return SetupListStatus::kBroken;
    if (control.empty() || control[0] != '0') break;
    SetupListEntry folder = ParseControlLine(control);
    if (NextLine(in, folder.path) != LineRead::kLine) return SetupListStatus::kBroken;
    list.folders.push_back(folder);
  }
  // File entries until the end; a half entry at the end is dropped.
  for (;;) {
    SetupListEntry file = ParseControlLine(control);
    LineRead r = NextLine(in, file.path);
    if (r == LineRead::kTooLong) return SetupListStatus::kBroken;
    if (r == LineRead::kEnd) break;
    r = NextLine(in, file.destination);
    if (r == LineRead::kTooLong) return SetupListStatus::kBroken;
    if (r == LineRead::kEnd) break;
    list.files.push_back(file);
    r = NextLine(in, control);
    if (r == LineRead::kTooLong) return SetupListStatus::kBroken;
    if (r == LineRead::kEnd) break;
  }
  return SetupListStatus::kOk;
}

bool EntryApplies(const SetupListEntry& entry, int versionChoice, int windowsMajor) {
  if (windowsMajor < entry.lowest || windowsMajor > entry.highest) return false;
  switch (entry.type) {
    case kEntryFolder:
    case kEntryCopy:
    case kEntryDesktop:
      return true;
    case kEntryVersionOne:
      return versionChoice == 1;
    case kEntryVersionTwo:
      return versionChoice == 2;
    default:
      return false;
  }
}

}  // namespace balancer
