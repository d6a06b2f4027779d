// The settings file (balsetup.dta / .bak): read, written, read back.
#include "base/machine_settings.h"
#include "fuzz/fuzz_support.h"
#include "records/settings_file.h"

using namespace balancer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::Text(data, size);
  MachineSettings settings;
  if (!ParseSettings(text, settings, nullptr, false)) return 0;
  const std::string written = FormatSettings(settings);
  FUZZ_REQUIRE(fuzz::PrintsOnlyFiniteNumbers(written, text));
  // What the limiter let through is in range: limiting again changes nothing.
  MachineSettings limited = settings;
  RangeLimit(limited, nullptr);
  FUZZ_REQUIRE(FormatSettings(limited) == written);
  MachineSettings back;
  FUZZ_REQUIRE(ParseSettings(written, back, nullptr, false));
  FUZZ_REQUIRE(FormatSettings(back) == written);
  return 0;
}
