// preload.txt and company.txt.
#include <unistd.h>

#include <fstream>

#include "base/program_folder.h"
#include "fuzz/fuzz_support.h"
#include "records/side_files.h"

using namespace balancer;

namespace {

// One folder per fuzzing process.
const ProgramFolder& Folder() {
  static ProgramFolder folder = [] {
    ProgramFolder f;
    char pattern[] = "/tmp/side_files_fuzz_XXXXXX";
    f.path = mkdtemp(pattern) ? pattern : "/tmp";
    return f;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string text = fuzz::Text(data + 1, size - 1);
  if (data[0] & 1) {
    for (int reversed : {0, 1}) {
      std::optional<Preload> p = ParsePreload(text, reversed);
      if (!p) continue;
      FUZZ_REQUIRE(fuzz::Finite(p->leftMoment) && fuzz::Finite(p->rightMoment));
      FUZZ_REQUIRE(fuzz::InRange(p->leftAngle, 0.0, 360.0));
      FUZZ_REQUIRE(fuzz::InRange(p->rightAngle, 0.0, 360.0));
    }
    return 0;
  }
  // The company text: what is written is read back the same, cut to its
  // longest length.
  if (!WriteCompanyText(Folder(), text, nullptr)) return 0;
  std::string back = ReadCompanyText(Folder());
  FUZZ_REQUIRE(back.size() <= kCompanyTextMax);
  std::string again = back;
  FUZZ_REQUIRE(WriteCompanyText(Folder(), back, nullptr));
  FUZZ_REQUIRE(ReadCompanyText(Folder()) == again);
  return 0;
}
