#include "app/program_folder.h"

namespace balancer {

std::string ProgramFolder::File(const std::string& name) const {
  if (path.empty()) return name;
  char last = path.back();
  if (last == '\\' || last == '/') return path + name;
  bool slashStyle = path.find('/') != std::string::npos && path.find('\\') == std::string::npos;
  return path + (slashStyle ? "/" : "\\") + name;
}

}  // namespace balancer
