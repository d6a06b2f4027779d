// Dimension preset files.
#include "base/machine_settings.h"
#include "fuzz/fuzz_support.h"
#include "records/presets.h"
#include "records/settings_file.h"

using namespace balancer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::Text(data, size);
  MachineSettings settings;
  ParsePreset(text, settings);
  RecomputePresetRadii(settings, nullptr);
  const std::string written = FormatPreset(settings);
  FUZZ_REQUIRE(fuzz::PrintsOnlyFiniteNumbers(written, text));
  FUZZ_REQUIRE(fuzz::PrintsOnlyFiniteNumbers(FormatSettings(settings), text));
  MachineSettings back;
  ParsePreset(written, back);
  FUZZ_REQUIRE(FormatPreset(back) == written);
  return 0;
}
