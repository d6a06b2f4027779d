// Prints every page of the manual the program opens, one a line, as the
// viewer is asked for it ("c:\balancer\balancer.chm::/Zone setup.htm"): the
// fields' Help buttons, the main screen's Help and the screens' Help buttons.
// The manual's test checks the compiled help file against this list, so a
// topic added to the code without its page fails there.
#include <cstdio>
#include <set>
#include <string>

#include "app/main_commands.h"
#include "base/field_codes.h"
#include "base/field_table.h"
#include "base/help_file.h"
#include "base/machine_settings.h"
#include "correction/screen_ids.h"
#include "correction/zone_setup_screen.h"
#include "correction/zones.h"

int main() {
  using namespace balancer;
  std::set<std::string> topics;
  for (int code = kFirstFieldCode; code <= kLastFieldCode; ++code) {
    std::string topic = HelpTopic(code);
    if (!topic.empty()) topics.insert(topic);
  }
  topics.insert(HelpTopicArgument(kMainHelpPage));
  MachineSettings settings;
  CorrectionZones zones;
  ZoneSetupScreen zoneSetup(settings, zones);
  topics.insert(zoneSetup.Press(kIdHelp, 0).helpTopic);
  for (const std::string& topic : topics) {
    if (!topic.empty()) std::printf("%s\n", topic.c_str());
  }
  return 0;
}
