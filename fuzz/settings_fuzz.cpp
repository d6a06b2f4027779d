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
  // A limit taken from a value at full precision may settle by the last
  // printed digit at the first restart (a radius of 2.2805 written as 2.280);
  // from then on every restart reads what was written.
  MachineSettings back;
  FUZZ_REQUIRE(ParseSettings(written, back, nullptr, false));
  const std::string settled = FormatSettings(back);
  FUZZ_REQUIRE(fuzz::SameLineCount(settled, written));
  MachineSettings again;
  FUZZ_REQUIRE(ParseSettings(settled, again, nullptr, false));
  FUZZ_REQUIRE(FormatSettings(again) == settled);
  return 0;
}
