// The operator's manual behind every Help button, and how the help viewer is
// told which page of it to show.
#pragma once

#include <string>

namespace balancer {

constexpr const char* kHelpProgram = "hh.exe";
constexpr const char* kHelpFile = "c:\\balancer\\balancer.chm";

// The viewer's argument for one page of the manual ("Zone setup.htm"):
// the help file, "::/" and the page; "" for no page.
std::string HelpTopicArgument(const std::string& page);

}  // namespace balancer
