#include "sim/sim_scale.h"

#include <chrono>
#include <cstdio>

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace balancer {

namespace {

char RequestChar(int model) {
  switch (model) {
    case 1:
      return 'Q';
    case 6:
      return 'b';
    default:
      return 'P';
  }
}

}  // namespace

std::string SimScaleCore::ReplyText(int model, double grams, bool withUnit) {
  char text[64];
  const char* unit = withUnit ? " g" : "";
  switch (model) {
    case 1:  // header, sign, zero-padded value, two blanks before the unit
      std::snprintf(text, sizeof text, "ST,%c%07.1f %s\r\n", grams < 0 ? '-' : '+',
                    grams < 0 ? -grams : grams, unit);
      break;
    case 5:  // leading sign
      std::snprintf(text, sizeof text, "%c%9.1f%s\r\n", grams < 0 ? '-' : '+',
                    grams < 0 ? -grams : grams, unit);
      break;
    case 7:  // five status characters first
      std::snprintf(text, sizeof text, "S S  %8.1f%s\r\n", grams, unit);
      break;
    case 8:
      std::snprintf(text, sizeof text, "%10.2f%s\r\n", grams, unit);
      break;
    default:
      std::snprintf(text, sizeof text, "%9.1f%s\r\n", grams, unit);
      break;
  }
  return text;
}

void SimScaleCore::Receive(const uint8_t* data, int size, int64_t nowMs) {
  for (int i = 0; i < size; ++i) {
    uint8_t byte = data[i];
    if (byte == static_cast<uint8_t>(RequestChar(options_.model))) {
      sawRequestChar_ = true;
    } else if (byte == '\r' && sawRequestChar_) {
      sawRequestChar_ = false;
      ++requests_;
      if (options_.silent) continue;
      bool unstable = options_.unstableReplies < 0 || requests_ <= options_.unstableReplies;
      pendingReply_ = unstable ? ErrorReplyText()
                               : ReplyText(options_.model, options_.grams, options_.withUnit);
      pendingDue_ = nowMs + options_.lateMs;
    } else if (byte != '\n') {
      sawRequestChar_ = false;
    }
  }
}

std::string SimScaleCore::TakeDueReply(int64_t nowMs) {
  if (pendingDue_ < 0 || nowMs < pendingDue_) return "";
  pendingDue_ = -1;
  std::string reply;
  reply.swap(pendingReply_);
  return reply;
}

#ifndef _WIN32

namespace {

int64_t SteadyMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

bool PtyScale::Start() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) return false;
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
    Stop();
    return false;
  }
  char name[128];
  if (ptsname_r(master_, name, sizeof name) != 0) {
    Stop();
    return false;
  }
  slavePath_ = name;
  slaveKeeper_ = open(name, O_RDWR | O_NOCTTY);
  if (slaveKeeper_ < 0) {
    Stop();
    return false;
  }
  // Raw from the start: no echo of the requests, no line editing.
  termios tio{};
  if (tcgetattr(slaveKeeper_, &tio) == 0) {
    cfmakeraw(&tio);
    tcsetattr(slaveKeeper_, TCSANOW, &tio);
  }
  int flags = fcntl(master_, F_GETFL);
  fcntl(master_, F_SETFL, flags | O_NONBLOCK);
  stop_ = false;
  thread_ = std::thread([this] { Run(); });
  return true;
}

void PtyScale::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (slaveKeeper_ >= 0) close(slaveKeeper_);
  if (master_ >= 0) close(master_);
  slaveKeeper_ = -1;
  master_ = -1;
}

int PtyScale::Requests() {
  std::lock_guard<std::mutex> lock(mutex_);
  return core_.requests();
}

void PtyScale::SetGrams(double grams) {
  std::lock_guard<std::mutex> lock(mutex_);
  core_.SetGrams(grams);
}

void PtyScale::Run() {
  while (!stop_) {
    int waitMs = 20;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      int64_t due = core_.NextDueMs();
      if (due >= 0) {
        int64_t left = due - SteadyMs();
        waitMs = left < 0 ? 0 : (left < waitMs ? static_cast<int>(left) : waitMs);
      }
    }
    pollfd p{master_, POLLIN, 0};
    int ready = poll(&p, 1, waitMs);
    if (ready > 0 && (p.revents & POLLIN)) {
      uint8_t buffer[256];
      ssize_t n = read(master_, buffer, sizeof buffer);
      if (n > 0) {
        std::lock_guard<std::mutex> lock(mutex_);
        core_.Receive(buffer, static_cast<int>(n), SteadyMs());
      }
    }
    std::string reply;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      reply = core_.TakeDueReply(SteadyMs());
    }
    size_t sent = 0;
    while (sent < reply.size() && !stop_) {
      ssize_t n = write(master_, reply.data() + sent, reply.size() - sent);
      if (n > 0) {
        sent += static_cast<size_t>(n);
      } else {
        pollfd out{master_, POLLOUT, 0};
        poll(&out, 1, 20);
      }
    }
  }
}

#endif  // _WIN32

}  // namespace balancer
