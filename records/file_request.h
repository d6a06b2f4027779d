// What the history and preset screens share beside the screen vocabulary of
// base/screen_model.h (their file dialogs and typed names are its
// FileRequest and NameEntry).
#pragma once

#include <string>

#include "base/screen_model.h"

namespace balancer {

// A typed name made fit to be a file name: blanks around it dropped and a
// typed extension `extension` (".hst") removed.
std::string CleanFileName(const std::string& typed, const std::string& extension);

}  // namespace balancer
