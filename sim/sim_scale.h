// A simulated digital scale. SimScaleCore answers requests the way the chosen
// model lays out its replies; PtyScale puts it behind a pseudo-terminal so the
// program's serial code (or a Wine COM port mapped onto the pty) talks to it
// as to a real scale on a serial line.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace balancer {

struct SimScaleOptions {
  int model = 1;            // scaleType, 1..8
  double grams = 123.4;     // the weight on the pan
  int unstableReplies = 0;  // the first N requests get an error reply; -1: all of them
  int lateMs = 0;           // the reply comes this long after the request
  bool withUnit = true;     // false: replies carry no " g"
  bool silent = false;      // never answers
};

class SimScaleCore {
 public:
  explicit SimScaleCore(const SimScaleOptions& options) : options_(options) {}

  // Bytes from the line at `nowMs`. The model's request character followed by
  // CR is a request; its reply falls due lateMs later. A new request replaces
  // a reply still pending (the scale starts over).
  void Receive(const uint8_t* data, int size, int64_t nowMs);
  // The reply due by `nowMs`, or "" when none is due.
  std::string TakeDueReply(int64_t nowMs);
  // When the pending reply falls due; -1 when none is pending.
  int64_t NextDueMs() const { return pendingDue_; }
  int requests() const { return requests_; }

  // The model's reply layout for a weight.
  static std::string ReplyText(int model, double grams, bool withUnit);
  static std::string ErrorReplyText() { return "E\r\n"; }

  void SetGrams(double grams) { options_.grams = grams; }

 private:
  SimScaleOptions options_;
  bool sawRequestChar_ = false;
  int requests_ = 0;
  int64_t pendingDue_ = -1;
  std::string pendingReply_;
};

#ifndef _WIN32
class PtyScale {
 public:
  explicit PtyScale(const SimScaleOptions& options) : core_(options) {}
  ~PtyScale() { Stop(); }
  PtyScale(const PtyScale&) = delete;
  PtyScale& operator=(const PtyScale&) = delete;

  // Opens the pty pair and starts answering on a thread. False when no pty
  // could be had.
  bool Start();
  void Stop();
  // The terminal the program opens as its serial port.
  const std::string& SlavePath() const { return slavePath_; }
  int Requests();
  void SetGrams(double grams);

 private:
  void Run();

  std::mutex mutex_;
  SimScaleCore core_;
  std::string slavePath_;
  int master_ = -1;
  int slaveKeeper_ = -1;  // keeps the line up while no client has it open
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
#endif

}  // namespace balancer
