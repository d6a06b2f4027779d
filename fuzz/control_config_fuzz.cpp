// The configuration record in the control's EEPROM: the text block read back
// through the configuration load, printed and read again.
#include <cstring>

#include "device/control_config.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/replay_transport.h"

using namespace balancer;

namespace {

bool ConfigFinite(const ControlConfig& c) {
  return fuzz::Finite(c.lagCompensationLeft) && fuzz::Finite(c.lagCompensationRight) &&
         fuzz::Finite(c.calibrationFactorLeft) && fuzz::Finite(c.calibrationFactorRight) &&
         fuzz::Finite(c.spareValueA) && fuzz::Finite(c.spareValueB);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint8_t block[kReplySize] = {};
  std::memcpy(block, data, size < kReplySize ? size : kReplySize);
  ControlConfig config;
  ParseConfigText(block, config);
  FUZZ_REQUIRE(ConfigFinite(config));

  // Printed and read again, the record keeps its text: when it fits. Values
  // too long for the record (a damaged EEPROM) are read as they stand.
  char text[kReplySize] = {};
  PrintConfigText(config, text, sizeof text);
  if (std::strlen(text) >= sizeof text - 1) return 0;
  uint8_t again[kReplySize] = {};
  std::memcpy(again, text, sizeof text);
  ControlConfig back;
  ParseConfigText(again, back);
  char text2[kReplySize] = {};
  PrintConfigText(back, text2, sizeof text2);
  FUZZ_REQUIRE(std::memcmp(text, text2, sizeof text) == 0);

  // The whole load from a control answering with these bytes.
  fuzz::ReplayedControl control(data, size);
  ControlLink& link = control.link;
  ControlConfig loaded;
  if (LoadControlConfig(link, loaded)) {
    FUZZ_REQUIRE(ConfigFinite(loaded));
    FUZZ_REQUIRE(loaded.encoderCountIndex >= 1 && loaded.encoderCountIndex <= 4);
    FUZZ_REQUIRE(loaded.encoderDirection == 0 || loaded.encoderDirection == 1);
  }
  FUZZ_REQUIRE(link.optionPortType >= 0 && link.optionPortType <= 5);
  return 0;
}
