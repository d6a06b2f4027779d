// The folder the program keeps its files in. Handed to whatever opens a file
// so that tests and the CLI can point it at a temporary folder.
#pragma once

#include <string>

namespace balancer {

constexpr const char* kDefaultProgramFolder = "C:\\balancer";

struct ProgramFolder {
  std::string path = kDefaultProgramFolder;

  // path + separator + name. The separator follows the folder's own style
  // ('/' only when the folder is written with '/'), none is added when the
  // folder already ends in one.
  std::string File(const std::string& name) const;
};

}  // namespace balancer
