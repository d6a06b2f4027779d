#include "records/file_request.h"

#include <cctype>
#include <cstring>

namespace balancer {

std::string CleanFileName(const std::string& typed, const std::string& extension) {
  std::string name;
  for (char c : typed) {
    // A folder part or a wildcard would make the dialog look elsewhere; line
    // breaks come from the multi-line keyboard entry.
    if (c != '\0' && std::strchr("\\/:*?\"<>|\r\n\t", c) == nullptr) name.push_back(c);
  }
  size_t first = name.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  name = name.substr(first, name.find_last_not_of(' ') - first + 1);
  if (name.size() > extension.size()) {
    bool same = true;
    const size_t at = name.size() - extension.size();
    for (size_t i = 0; i < extension.size(); ++i) {
      same = same && std::tolower(static_cast<unsigned char>(name[at + i])) ==
                         std::tolower(static_cast<unsigned char>(extension[i]));
    }
    if (same) name.erase(at);
  }
  size_t last = name.find_last_not_of(' ');
  name.erase(last == std::string::npos ? 0 : last + 1);
  return name;
}

}  // namespace balancer
