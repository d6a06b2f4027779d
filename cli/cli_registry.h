// The registered commands, in registration order. Filled by static
// CliCommandRegistrar objects before main runs.
#pragma once

#include <string>
#include <vector>

#include "cli/cli.h"

namespace balancer::cli {

struct CliCommand {
  std::string words;  // "control info"
  CliHandler handler;
  std::string usage;  // what follows the words, e.g. "[--write]"
};

std::vector<CliCommand>& CliCommands();

}  // namespace balancer::cli
