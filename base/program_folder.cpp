#include "base/program_folder.h"

namespace balancer {

std::string ProgramFolder::File(const std::string& name) const {
  if (path.empty()) return name;
  char last = path.back();
  if (last == '\\' || last == '/') return path + name;
  bool slashStyle = path.find('/') != std::string::npos && path.find('\\') == std::string::npos;
#ifndef _WIN32
  // A native build has no backslash folders: "." or "job" name POSIX paths.
  if (path.find('\\') == std::string::npos) slashStyle = true;
#endif
  return path + (slashStyle ? "/" : "\\") + name;
}

}  // namespace balancer
