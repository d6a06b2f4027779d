// The installer's list file, setuplist.txt: six header lines, then folder
// entries (a control line starting with '0' and a folder path), then file
// entries (a control line, the source, the destination). A control line is
// the entry type and the lowest and highest Windows major version, two
// digits each ("10510": copy, Windows 5 through 10).
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace balancer {

constexpr const char* kSetupListFile = "setuplist.txt";
constexpr int kSetupListHeaderLines = 6;
// Longest line the list may hold (without its line end).
constexpr size_t kSetupListMaxLine = 199;

enum : int {
  kEntryFolder = 0,       // create the folder
  kEntryCopy = 1,         // copy to the destination
  kEntryDesktop = 2,      // copy into the desktop folder
  kEntryVersionOne = 3,   // copy only when version 1 was chosen
  kEntryVersionTwo = 4,   // copy only when version 2 was chosen
  kEntryUnreadable = -1,  // control line without a type digit: never applies
};

struct SetupListEntry {
  int type = kEntryUnreadable;
  int lowest = 0;           // Windows major versions the entry applies to
  int highest = -1;         // (a control line without them applies to none)
  std::string path;         // folder entries: the folder; file entries: the source
  std::string destination;  // file entries only
};

struct SetupList {
  std::vector<SetupListEntry> folders;
  std::vector<SetupListEntry> files;
};

enum class SetupListStatus {
  kOk,
  kBroken,  // the header or the folder section ran out, or a line was too long
};

// Reads the list; on kBroken nothing of it may be used.
SetupListStatus ReadSetupList(std::istream& in, SetupList& list);

// Parses a control line (type, lowest, highest).
SetupListEntry ParseControlLine(const std::string& line);

// The entry applies to this version choice (0, 1, 2) and Windows major version.
bool EntryApplies(const SetupListEntry& entry, int versionChoice, int windowsMajor);

}  // namespace balancer
