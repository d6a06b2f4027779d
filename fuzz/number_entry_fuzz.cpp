// Typed numbers through the field store, for every field code: what is
// stored is finite and stays where the range limiter puts it.
#include <unistd.h>

#include <cmath>

#include "app/field_store.h"
#include "app/number_reader.h"
#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "base/program_folder.h"
#include "fuzz/fuzz_support.h"
#include "records/history.h"
#include "records/settings_file.h"

using namespace balancer;

namespace {

const ProgramFolder& Folder() {
  static ProgramFolder folder = [] {
    ProgramFolder f;
    char pattern[] = "/tmp/number_entry_fuzz_XXXXXX";
    f.path = mkdtemp(pattern) ? pattern : "/tmp";
    return f;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int actionCode = data[0] | (data[1] & 0x01) << 8;
  const std::string text = fuzz::Text(data + 2, size - 2);

  TypedNumber n = ReadTypedNumber(text, actionCode);
  if (n.status == TypedNumber::kValue) FUZZ_REQUIRE(fuzz::Finite(n.value));
  // NaN is how the reader refuses a number too large for a double; an
  // infinity must never come out.
  const double leading = LeadingNumber(text);
  FUZZ_REQUIRE(std::isnan(leading) || fuzz::Finite(leading));

  MachineSettings settings;
  RecordingOperatorUi ui;
  History history;
  ControlLink link;
  CorrectionState correction;
  FieldStoreContext context{settings};
  context.ui = &ui;
  context.history = &history;
  context.link = &link;
  context.correction = &correction;
  CommitTypedEntry(text, actionCode, context, Folder());

  const std::string written = FormatSettings(settings);
  FUZZ_REQUIRE(fuzz::PrintsOnlyFiniteNumbers(written, text));
  MachineSettings limited = settings;
  RangeLimit(limited, nullptr);
  FUZZ_REQUIRE(FormatSettings(limited) == written);
  FUZZ_REQUIRE(fuzz::Finite(history.initial.leftAmount) && fuzz::Finite(history.final.leftAmount));
  return 0;
}
