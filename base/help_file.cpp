#include "base/help_file.h"

namespace balancer {

std::string HelpTopicArgument(const std::string& page) {
  if (page.empty()) return std::string();
  return std::string(kHelpFile) + "::/" + page;
}

}  // namespace balancer
