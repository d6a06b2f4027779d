// What the history and preset screens ask of their windows: a file dialog to
// show, a name to type first, a question, and what to repaint or write. The
// windows carry it out; the decisions stay here where they are tested.
#pragma once

#include <optional>
#include <string>

#include "base/operator_message.h"

namespace balancer {

// One open or save dialog, described without the platform.
struct FileRequest {
  bool save = false;
  std::string title;
  std::string filterName;
  std::string patterns;
  std::string defaultExtension;
  std::string folder;
  std::string proposedName;  // "" for none
};

// A name typed on the on-screen keyboard before the save dialog.
struct NameEntry {
  int code = 0;         // ActionCode of the text entry
  std::string heading;  // "Enter history file name"
  std::string prefill;  // the current name
};

struct FileScreenPress {
  bool handled = false;
  bool repaint = false;        // this screen
  bool recompute = false;      // rerun the corrections and repaint the main screen
  bool repaintMain = false;    // the main screen's result areas
  bool writeSettings = false;  // balsetup.dta and .bak
  bool close = false;
  bool print = false;  // the shaft report
  std::optional<FileRequest> dialog;
  std::optional<NameEntry> nameEntry;
  std::optional<OperatorMessage> question;  // its actionCode set
};

// A typed name made fit to be a file name: blanks around it dropped and a
// typed extension `extension` (".hst") removed.
std::string CleanFileName(const std::string& typed, const std::string& extension);

}  // namespace balancer
