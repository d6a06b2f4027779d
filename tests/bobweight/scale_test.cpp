#include "bobweight/scale.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <deque>
#include <filesystem>

#include "base/operator_ui.h"
#include "bobweight/posix_serial_port.h"
#include "device/clock.h"
#include "sim/sim_scale.h"

extern char** environ;

namespace balancer {
namespace {

// A scale on a port in virtual time: a read waits for the scale's reply at
// most the read time-out, as a COM port with these time-outs does.
class VirtualScalePort : public SerialPort {
 public:
  VirtualScalePort(VirtualClock& clock, const SimScaleOptions& options)
      : clock_(clock), scale_(options) {}
  bool Open(const std::string&, const SerialLineSettings& settings) override {
    settings_ = settings;
    open_ = true;
    return true;
  }
  bool IsOpen() const override { return open_; }
  void Close() override { open_ = false; }
  void Purge() override {
    ++purges;
    received_.clear();
  }
  int Write(const uint8_t* data, int size) override {
    if (!open_) return -1;
    scale_.Receive(data, size, NowMs());
    return size;
  }
  int ReadByte(uint8_t& byte) override {
    if (!open_) return -1;
    if (received_.empty()) {
      int64_t due = scale_.NextDueMs();
      if (due < 0 || due > NowMs() + settings_.readTimeoutMs) {
        clock_.AdvanceMicros(settings_.readTimeoutMs * 1000);
        return 0;
      }
      if (due > NowMs()) clock_.AdvanceMicros((due - NowMs()) * 1000);
      for (char c : scale_.TakeDueReply(NowMs())) received_.push_back(static_cast<uint8_t>(c));
    }
    byte = received_.front();
    received_.pop_front();
    return 1;
  }
  int requests() const { return scale_.requests(); }
  int purges = 0;

 private:
  int64_t NowMs() const { return clock_.NowMicros() / 1000; }
  VirtualClock& clock_;
  SimScaleCore scale_;
  SerialLineSettings settings_;
  std::deque<uint8_t> received_;
  bool open_ = false;
};

TEST(ScaleModels, TableAndLineSettings) {
  EXPECT_EQ(ScaleModelFor(0), nullptr);
  EXPECT_EQ(ScaleModelFor(9), nullptr);
  EXPECT_STREQ(ScaleModelEntry(0).name, "None");
  const ScaleModel* and_ = ScaleModelFor(1);
  ASSERT_NE(and_, nullptr);
  SerialLineSettings s = ScaleLineSettings(*and_);
  EXPECT_EQ(s.baudRate, 2400);
  EXPECT_EQ(s.dataBits, 7);
  EXPECT_EQ(s.parity, Parity::kEven);
  EXPECT_TRUE(s.xonXoff);
  EXPECT_EQ(s.readTimeoutMs, 250);
  EXPECT_EQ(ScaleModelFor(3)->stopBits, 2);
  EXPECT_EQ(ScaleModelFor(5)->parity, Parity::kOdd);
  EXPECT_EQ(ScaleModelFor(6)->request, 'b');
  EXPECT_EQ(ScaleModelFor(7)->skip, 5);
  EXPECT_STREQ(ScaleModelFor(8)->name, "Ohaus Adv");
}

TEST(ScaleReply, BlanksTheModelsLeadingCharactersAndStopsAtTheUnit) {
  const ScaleModel& andScale = *ScaleModelFor(1);
  ScaleReading r = ParseScaleReply("ST, 00123.4  g\r", andScale);
  EXPECT_EQ(r.kind, ScaleReplyKind::kWeight);
  EXPECT_DOUBLE_EQ(r.grams, 123.4);
  EXPECT_EQ(r.text, "    00123.4  g\r");

  const ScaleModel& toledo = *ScaleModelFor(7);
  EXPECT_DOUBLE_EQ(ParseScaleReply("S S      45.6 g\r", toledo).grams, 45.6);
  EXPECT_EQ(ParseScaleReply("ST,-00001.2  g\r", andScale).kind, ScaleReplyKind::kNegative);
  EXPECT_EQ(ParseScaleReply("", andScale).kind, ScaleReplyKind::kUnstable);
  EXPECT_EQ(ParseScaleReply("E\r", *ScaleModelFor(2)).kind, ScaleReplyKind::kUnstable);
  EXPECT_EQ(ParseScaleReply("   OL\r", *ScaleModelFor(2)).kind, ScaleReplyKind::kUnstable);
  EXPECT_EQ(ParseScaleReply("1e999 g\r", *ScaleModelFor(2)).kind, ScaleReplyKind::kUnstable);
}

// A reply no scale can give is no weight: stored, it would make the card
// infinite. The largest weight a card holds still comes through.
TEST(ScaleReply, NumbersBeyondAnyCardAreUnstable) {
  const ScaleModel& model = *ScaleModelFor(2);
  for (const char* reply : {"4e306 g\r", "-4e306 g\r", "100000.1 g\r", "1e6 g\r", "inf g\r"}) {
    SCOPED_TRACE(reply);
    ScaleReading r = ParseScaleReply(reply, model);
    EXPECT_EQ(r.kind, ScaleReplyKind::kUnstable);
    EXPECT_DOUBLE_EQ(r.grams, 0.0);
  }
  ScaleReading largest = ParseScaleReply("100000.0 g\r", model);
  EXPECT_EQ(largest.kind, ScaleReplyKind::kWeight);
  EXPECT_DOUBLE_EQ(largest.grams, kCardValueMax);
}

TEST(ReadScale, ReadsOneReplyWithThePlusAsABlank) {
  VirtualClock clock;
  SimScaleOptions options;
  options.model = 1;
  options.grams = 123.4;
  VirtualScalePort port(clock, options);
  const ScaleModel& model = *ScaleModelFor(1);
  ASSERT_TRUE(openScalePort(port, "COM1", model));
  EXPECT_EQ(readScale(port, model, clock), "ST, 00123.4  g\r");
  EXPECT_EQ(port.requests(), 1);

  RecordingOperatorUi ui;
  std::optional<ScaleReading> reading = TransferFromScale(port, model, clock, ui);
  ASSERT_TRUE(reading.has_value());
  EXPECT_DOUBLE_EQ(reading->grams, 123.4);
  EXPECT_TRUE(ui.messages.empty());
}

TEST(ReadScale, ReplyWithinTheReadWindowIsTakenALaterOneIsNot) {
  const ScaleModel& model = *ScaleModelFor(2);
  for (int lateMs : {300, 400}) {
    VirtualClock clock;
    SimScaleOptions options;
    options.model = 2;
    options.grams = 45.6;
    options.lateMs = lateMs;
    VirtualScalePort port(clock, options);
    openScalePort(port, "COM1", model);
    RecordingOperatorUi ui;
    std::optional<ScaleReading> reading = TransferFromScale(port, model, clock, ui);
    if (lateMs == 300) {
      // 120 ms wait plus a read of up to 250 ms still catches it.
      ASSERT_TRUE(reading.has_value());
      EXPECT_DOUBLE_EQ(reading->grams, 45.6);
      EXPECT_EQ(port.requests(), 1);
    } else {
      EXPECT_FALSE(reading.has_value());
      EXPECT_EQ(port.requests(), kScaleAttempts);
      EXPECT_EQ(port.purges, kScaleAttempts);
      ASSERT_EQ(ui.messages.size(), 1u);
      EXPECT_EQ(ui.messages[0].caption, "ERROR");
      EXPECT_EQ(ui.messages[0].text, "SCALE UNSTABLE\n\nNo Reading Was Transferred");
    }
  }
}

TEST(ReadScale, ErrorRepliesAreRetriedAndNeverEnteredAsZero) {
  const ScaleModel& model = *ScaleModelFor(2);
  VirtualClock clock;
  SimScaleOptions options;
  options.model = 2;
  options.grams = 501.7;
  options.unstableReplies = 3;
  VirtualScalePort port(clock, options);
  openScalePort(port, "COM1", model);
  RecordingOperatorUi ui;
  std::optional<ScaleReading> reading = TransferFromScale(port, model, clock, ui);
  ASSERT_TRUE(reading.has_value());
  EXPECT_DOUBLE_EQ(reading->grams, 501.7);
  EXPECT_EQ(port.requests(), 4);

  options.unstableReplies = -1;
  VirtualScalePort alwaysUnstable(clock, options);
  openScalePort(alwaysUnstable, "COM1", model);
  EXPECT_EQ(readScale(alwaysUnstable, model, clock), "E\r");
  EXPECT_FALSE(TransferFromScale(alwaysUnstable, model, clock, ui).has_value());
  EXPECT_EQ(alwaysUnstable.requests(), 2 * kScaleAttempts);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "ERROR");
}

TEST(ReadScale, ClosedPortGivesNothingAndNegativeReadingsAreNotTransferred) {
  const ScaleModel& model = *ScaleModelFor(1);
  VirtualClock clock;
  SimScaleOptions options;
  options.grams = -3.5;
  VirtualScalePort port(clock, options);
  RecordingOperatorUi ui;
  EXPECT_EQ(readScale(port, model, clock), "");  // never opened: no scale was found
  EXPECT_FALSE(TransferFromScale(port, model, clock, ui).has_value());
  EXPECT_EQ(ui.messages.size(), 1u);

  openScalePort(port, "COM1", model);
  ui.messages.clear();
  EXPECT_FALSE(TransferFromScale(port, model, clock, ui).has_value());
  EXPECT_TRUE(ui.messages.empty());
}

TEST(ReadScale, TransferGoesIntoTheFieldBeingEntered) {
  const ScaleModel& model = *ScaleModelFor(2);
  VirtualClock clock;
  SimScaleOptions options;
  options.model = 2;
  options.grams = 121.3;
  VirtualScalePort port(clock, options);
  openScalePort(port, "COM1", model);
  RecordingOperatorUi ui;
  BobweightCard card;
  RodPistonSet set;
  double empty = 0;
  EXPECT_EQ(TransferScaleIntoEntry(kEntryPins + 2, port, model, clock, ui, card, set, empty),
            EntryResult::kStoredComponent);
  EXPECT_DOUBLE_EQ(set.pins[2], 121.3);
  EXPECT_EQ(set.pinNumbers[2], 3);
  EXPECT_TRUE(card.changed);
  EXPECT_EQ(TransferScaleIntoEntry(kEntryEmptyBobweight, port, model, clock, ui, card, set, empty),
            EntryResult::kStoredSettings);
  EXPECT_DOUBLE_EQ(empty, 121.3);
  int asked = port.requests();
  EXPECT_EQ(
      TransferScaleIntoEntry(kEntryReciprocatingPercent, port, model, clock, ui, card, set, empty),
      EntryResult::kNotBobweightField);
  EXPECT_EQ(port.requests(), asked);
  EXPECT_TRUE(ui.messages.empty());
}

// Over real pseudo-terminals with the POSIX port.
TEST(ScaleOnPty, AndScaleAnswersTheRequest) {
  SimScaleOptions options;
  options.model = 1;
  options.grams = 123.4;
  PtyScale scale(options);
  ASSERT_TRUE(scale.Start());
  PosixSerialPort port;
  port.MapPort("COM4", scale.SlavePath());
  const ScaleModel& model = *ScaleModelFor(1);
  ASSERT_TRUE(openScalePort(port, "COM4", model));
  SteadyClock clock;
  EXPECT_EQ(readScale(port, model, clock), "ST, 00123.4  g\r");
  scale.SetGrams(7.34);
  RecordingOperatorUi ui;
  std::optional<ScaleReading> reading = TransferFromScale(port, model, clock, ui);
  ASSERT_TRUE(reading.has_value());
  EXPECT_DOUBLE_EQ(reading->grams, 7.3);  // the AND layout has one decimal
  EXPECT_EQ(scale.Requests(), 2);

  // The port is not shared.
  PosixSerialPort second;
  second.MapPort("COM4", scale.SlavePath());
  EXPECT_FALSE(openScalePort(second, "COM4", model));
}

TEST(ScaleOnPty, FindScaleSkipsMissingPortsAndRepliesWithoutGrams) {
  const ScaleModel& model = *ScaleModelFor(2);
  SimScaleOptions noUnit;
  noUnit.model = 2;
  noUnit.grams = 45.6;
  noUnit.withUnit = false;
  PtyScale wrongDevice(noUnit);
  SimScaleOptions options = noUnit;
  options.withUnit = true;
  PtyScale scale(options);
  ASSERT_TRUE(wrongDevice.Start());
  ASSERT_TRUE(scale.Start());

  PosixSerialPort port;
  port.MapPort("COM1", "/nonexistent/tty");
  port.MapPort("COM2", wrongDevice.SlavePath());
  port.MapPort("COM3", scale.SlavePath());
  SteadyClock clock;
  std::optional<std::string> found =
      findScale(port, model, clock, {"COM1", "COM2", "COM3", "COM4"});
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(*found, "COM3");
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(wrongDevice.Requests(), 1);
  RecordingOperatorUi ui;
  std::optional<ScaleReading> reading = TransferFromScale(port, model, clock, ui);
  ASSERT_TRUE(reading.has_value());
  EXPECT_DOUBLE_EQ(reading->grams, 45.6);

  PosixSerialPort none;
  none.MapPort("COM1", wrongDevice.SlavePath());
  EXPECT_FALSE(findScale(none, model, clock, {"COM1"}).has_value());
  EXPECT_FALSE(none.IsOpen());
}

TEST(ScaleOnPty, LateScaleIsAskedFourTimes) {
  SimScaleOptions options;
  options.model = 2;
  options.lateMs = 700;
  PtyScale scale(options);
  ASSERT_TRUE(scale.Start());
  PosixSerialPort port;
  port.MapPort("COM1", scale.SlavePath());
  const ScaleModel& model = *ScaleModelFor(2);
  ASSERT_TRUE(openScalePort(port, "COM1", model));
  SteadyClock clock;
  RecordingOperatorUi ui;
  EXPECT_FALSE(TransferFromScale(port, model, clock, ui).has_value());
  EXPECT_EQ(scale.Requests(), kScaleAttempts);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "SCALE UNSTABLE\n\nNo Reading Was Transferred");
}

TEST(ScaleOnPty, ScalesimProgramServesItsTerminal) {
  std::string program = std::string(BALANCER_BINARY_DIR) + "/sim/scalesim";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "scalesim not built";
  int out[2];
  ASSERT_EQ(pipe(out), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  const char* argv[] = {program.c_str(), "--model",   "7",  "--grams",
                        "612.5",         "--seconds", "20", nullptr};
  pid_t pid = 0;
  ASSERT_EQ(
      posix_spawn(&pid, program.c_str(), &actions, nullptr, const_cast<char**>(argv), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string path;
  char c;
  while (read(out[0], &c, 1) == 1 && c != '\n') path += c;
  close(out[0]);

  PosixSerialPort port;
  const ScaleModel& model = *ScaleModelFor(7);
  bool opened = openScalePort(port, path, model);
  SteadyClock clock;
  RecordingOperatorUi ui;
  std::optional<ScaleReading> reading;
  if (opened) reading = TransferFromScale(port, model, clock, ui);
  port.Close();
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);

  ASSERT_TRUE(opened) << path;
  ASSERT_TRUE(reading.has_value());
  EXPECT_DOUBLE_EQ(reading->grams, 612.5);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace balancer
