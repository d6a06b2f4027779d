// The digital scale on a serial port: the model table, finding the scale on
// COM1 to COM9, reading one reply and turning it into a weight.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/machine_settings.h"
#include "base/operator_message.h"
#include "bobweight/bobweight_card.h"
#include "bobweight/serial_port.h"

namespace balancer {

class Clock;
class OperatorUi;

struct ScaleModel {
  const char* name;  // up to 19 characters
  int baudRate;
  int dataBits;
  Parity parity;
  int stopBits;
  char request;  // sent as request, CR, LF
  int skip;      // leading reply characters blanked before the number is read
};

// kScaleModelCount (records/machine_settings.h) is the number of models; the
// Machine Setup button wraps to 0 after it.
constexpr int kScaleReplyMax = 59;
constexpr int kScaleAttempts = 4;
constexpr int kScaleReplyDelayMs = 120;
constexpr int kScalePortCount = 9;

// Entry 0 is "None".
const ScaleModel& ScaleModelEntry(int scaleType);
// The model a scaleType names, or nullptr for 0 and values past the table.
const ScaleModel* ScaleModelFor(int scaleType);
// The line settings of a model: its framing, XON/XOFF both ways, 128-byte
// buffers, reads of at most 250 ms, writes of at most 100 ms.
SerialLineSettings ScaleLineSettings(const ScaleModel& model);

// openScalePort: opens and configures `name` for the model.
bool openScalePort(SerialPort& port, const std::string& name, const ScaleModel& model);

// readScale: up to four attempts of purge, request, 120 ms wait and reading
// byte by byte until LF, 'C', NUL, a read without a byte or 59 bytes ('+' is
// kept as a blank). Another attempt follows while the reply is empty or
// begins with 'E'. Blocks up to about 1.5 s. A closed port gives "".
std::string readScale(SerialPort& port, const ScaleModel& model, Clock& clock);

// "COM1" .. "COM9".
std::vector<std::string> ScalePortNames();

// findScale: opens each port in turn and reads the scale once; the first
// port whose reply holds a 'g' stays open and its name is returned. Without
// an answer every port is closed and nullopt is returned.
std::optional<std::string> findScale(SerialPort& port, const ScaleModel& model, Clock& clock,
                                     const std::vector<std::string>& portNames = ScalePortNames());

// A reply turned into a weight: the model's leading characters blanked, then
// read as a decimal number. A reply that is empty, still an error reply ('E')
// or holds no number is unstable.
enum class ScaleReplyKind { kWeight, kNegative, kUnstable };
struct ScaleReading {
  ScaleReplyKind kind = ScaleReplyKind::kUnstable;
  std::string text;  // the blanked reply, as it goes into the entry
  double grams = 0;
};
ScaleReading ParseScaleReply(const std::string& reply, const ScaleModel& model);

// Transfer From Scale in the numeric entry window: reads the scale and
// returns the weight (0 or more) to store as if it had been typed. An
// unstable reply shows "SCALE UNSTABLE" through `ui`; a reading below 0
// transfers nothing.
std::optional<ScaleReading> TransferFromScale(SerialPort& port, const ScaleModel& model,
                                              Clock& clock, OperatorUi& ui);

// Transfer From Scale for the field being entered (`entryId`, a weight field
// of the card): the reading is stored exactly as a typed value would be.
// Returns kNotBobweightField for other fields (nothing is read) and
// kRejected when no weight was transferred.
EntryResult TransferScaleIntoEntry(int entryId, SerialPort& port, const ScaleModel& model,
                                   Clock& clock, OperatorUi& ui, BobweightCard& card,
                                   RodPistonSet& set, double& emptyBobweight);

OperatorMessage ScaleUnstableMessage();  // "ERROR"

}  // namespace balancer
