#include "bobweight/scale.h"

#include "base/operator_ui.h"
#include "bobweight/text_file.h"
#include "device/clock.h"
#include "records/number_text.h"

namespace balancer {

namespace {

const ScaleModel kScaleModels[kScaleModelCount + 1] = {
    {"None", 0, 0, Parity::kNone, 0, 0, 0},           {"AND", 2400, 7, Parity::kEven, 1, 'Q', 3},
    {"Mars", 9600, 8, Parity::kNone, 1, 'P', 0},      {"Ohaus", 9600, 7, Parity::kNone, 2, 'P', 0},
    {"Ohaus NVT", 2400, 7, Parity::kNone, 1, 'P', 0}, {"Acculab", 1200, 7, Parity::kOdd, 1, 'P', 0},
    {"Sterling", 2400, 7, Parity::kNone, 1, 'b', 0},  {"Toledo", 9600, 8, Parity::kNone, 1, 'P', 5},
    {"Ohaus Adv", 2400, 7, Parity::kNone, 1, 'P', 0},
};

// A reply the scale gives while it cannot weigh.
bool IsErrorReply(const std::string& reply) {
  return reply.empty() || reply[0] == 'E';
}

}  // namespace

const ScaleModel& ScaleModelEntry(int scaleType) {
  if (scaleType < 0 || scaleType > kScaleModelCount) return kScaleModels[0];
  return kScaleModels[scaleType];
}

const ScaleModel* ScaleModelFor(int scaleType) {
  if (scaleType < 1 || scaleType > kScaleModelCount) return nullptr;
  return &kScaleModels[scaleType];
}

SerialLineSettings ScaleLineSettings(const ScaleModel& model) {
  SerialLineSettings s;
  s.baudRate = model.baudRate;
  s.dataBits = model.dataBits;
  s.parity = model.parity;
  s.stopBits = model.stopBits;
  s.xonXoff = true;
  s.inputBufferSize = 128;
  s.outputBufferSize = 128;
  s.readTimeoutMs = 250;
  s.writeTimeoutMs = 100;
  return s;
}

bool openScalePort(SerialPort& port, const std::string& name, const ScaleModel& model) {
  return port.Open(name, ScaleLineSettings(model));
}

std::string readScale(SerialPort& port, const ScaleModel& model, Clock& clock) {
  std::string reply;
  for (int attempt = 0; attempt < kScaleAttempts; ++attempt) {
    port.Purge();
    const uint8_t request[3] = {static_cast<uint8_t>(model.request), 13, 10};
    port.Write(request, 3);
    clock.DelayMs(kScaleReplyDelayMs);
    reply.clear();
    while (static_cast<int>(reply.size()) < kScaleReplyMax) {
      uint8_t byte = 0;
      if (port.ReadByte(byte) != 1) break;
      if (byte == '\n' || byte == 'C' || byte == 0) break;
      reply += byte == '+' ? ' ' : static_cast<char>(byte);
    }
    if (!IsErrorReply(reply)) break;
  }
  return reply;
}

std::vector<std::string> ScalePortNames() {
  std::vector<std::string> names;
  for (int n = 1; n <= kScalePortCount; ++n) names.push_back("COM" + std::to_string(n));
  return names;
}

std::optional<std::string> findScale(SerialPort& port, const ScaleModel& model, Clock& clock,
                                     const std::vector<std::string>& portNames) {
  for (const std::string& name : portNames) {
    if (!openScalePort(port, name, model)) continue;
    if (readScale(port, model, clock).find('g') != std::string::npos) return name;
    port.Close();
  }
  return std::nullopt;
}

ScaleReading ParseScaleReply(const std::string& reply, const ScaleModel& model) {
  ScaleReading reading;
  reading.text = reply;
  for (int i = 0; i < model.skip && i < static_cast<int>(reading.text.size()); ++i) {
    reading.text[i] = ' ';
  }
  // An error reply after the last attempt, or one without a number, is no
  // weight: it would otherwise read as 0 and be entered.
  // Nor is a number no scale can show (4e306 would enter an infinite card).
  if (IsErrorReply(reply) || !LeadingNumber(reading.text, reading.grams) ||
      !NumberInRange(reading.grams, -kCardValueMax, kCardValueMax)) {
    reading.kind = ScaleReplyKind::kUnstable;
    reading.grams = 0;
  } else {
    reading.kind = reading.grams < 0 ? ScaleReplyKind::kNegative : ScaleReplyKind::kWeight;
  }
  return reading;
}

std::optional<ScaleReading> TransferFromScale(SerialPort& port, const ScaleModel& model,
                                              Clock& clock, OperatorUi& ui) {
  ScaleReading reading = ParseScaleReply(readScale(port, model, clock), model);
  if (reading.kind == ScaleReplyKind::kUnstable) ui.ShowMessage(ScaleUnstableMessage());
  if (reading.kind != ScaleReplyKind::kWeight) return std::nullopt;
  return reading;
}

EntryResult TransferScaleIntoEntry(int entryId, SerialPort& port, const ScaleModel& model,
                                   Clock& clock, OperatorUi& ui, BobweightCard& card,
                                   RodPistonSet& set, double& emptyBobweight) {
  if (!IsBobweightWeightEntry(entryId)) return EntryResult::kNotBobweightField;
  std::optional<ScaleReading> reading = TransferFromScale(port, model, clock, ui);
  if (!reading) return EntryResult::kRejected;
  return StoreBobweightEntry(entryId, reading->grams, card, set, emptyBobweight);
}

OperatorMessage ScaleUnstableMessage() {
  return MakeOkMessage("ERROR", "SCALE UNSTABLE\n\nNo Reading Was Transferred", kRedText, kBeepHand,
                       390, 200, 500, 200);
}

}  // namespace balancer
