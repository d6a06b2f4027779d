// POSIX sockets for the wire protocol; the Windows build has its own in win32/.
#ifndef _WIN32

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "device/socket_stream.h"

namespace balancer {
namespace {

class PosixStream : public SocketStream {
 public:
  explicit PosixStream(int fd) : fd_(fd) {
    int one = 1;
    // Requests are 8 bytes; without this each one waits for a delayed ACK.
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one));
  }
  ~PosixStream() override { close(fd_); }

  using SocketStream::WriteAll;
  bool WriteAll(const uint8_t* data, size_t size, int timeoutMs) override {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (size > 0) {
      if (timeoutMs > 0 && !WaitFor(POLLOUT, deadline)) return false;
      // Non-blocking send: a full socket buffer goes back to the poll above.
      ssize_t n = send(fd_, data, size, MSG_NOSIGNAL | (timeoutMs > 0 ? MSG_DONTWAIT : 0));
      if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
      if (n <= 0) return false;
      data += n;
      size -= static_cast<size_t>(n);
    }
    return true;
  }

  bool ReadAll(uint8_t* data, size_t size, int timeoutMs) override {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (size > 0) {
      if (timeoutMs > 0 && !WaitFor(POLLIN, deadline)) return false;
      ssize_t n = recv(fd_, data, size, 0);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      data += n;
      size -= static_cast<size_t>(n);
    }
    return true;
  }

 private:
  // Waits until the socket is ready for `events` or the deadline has passed.
  bool WaitFor(short events, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                      deadline - std::chrono::steady_clock::now())
                      .count();
      if (left <= 0) return false;
      pollfd p{fd_, events, 0};
      int r = poll(&p, 1, static_cast<int>(left));
      if (r < 0 && errno == EINTR) continue;
      return r > 0;
    }
  }

  int fd_;
};

class PosixListener : public SocketListener {
 public:
  PosixListener(int fd, int port) : fd_(fd), port_(port) {}
  ~PosixListener() override { close(fd_); }

  std::unique_ptr<SocketStream> Accept() override {
    for (;;) {
      int c = accept(fd_, nullptr, nullptr);
      if (c >= 0) return std::make_unique<PosixStream>(c);
      if (errno != EINTR && errno != ECONNABORTED) return nullptr;
    }
  }
  int Port() const override { return port_; }

 private:
  int fd_;
  int port_;
};

bool Resolve(const std::string& host, int port, bool passive, addrinfo** out, std::string& error) {
  if (port < 0 || port > 65535) {
    error = "bad port";
    return false;
  }
  addrinfo hints;
  std::memset(&hints, 0, sizeof(hints));
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  if (passive) hints.ai_flags = AI_PASSIVE;
  std::string service = std::to_string(port);
  int r = getaddrinfo(host.empty() ? nullptr : host.c_str(), service.c_str(), &hints, out);
  if (r != 0) {
    error = std::string("cannot resolve ") + host + ": " + gai_strerror(r);
    return false;
  }
  return true;
}

// Non-blocking connect so that an address that never answers cannot hold
// the caller for the system's long connect timeout.
bool ConnectWithin(int fd, const addrinfo* a, int timeoutMs, std::string& error) {
  int flags = fcntl(fd, F_GETFL, 0);
  fcntl(fd, F_SETFL, flags | O_NONBLOCK);
  int r = connect(fd, a->ai_addr, a->ai_addrlen);
  if (r != 0 && errno == EINPROGRESS) {
    pollfd p{fd, POLLOUT, 0};
    do {
      r = poll(&p, 1, timeoutMs);
    } while (r < 0 && errno == EINTR);
    if (r == 0) {
      error = "cannot connect: no answer";
      return false;
    }
    int soError = 0;
    socklen_t len = sizeof(soError);
    getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &len);
    if (r < 0 || soError != 0) {
      error = std::string("cannot connect: ") + std::strerror(r < 0 ? errno : soError);
      return false;
    }
  } else if (r != 0) {
    error = std::string("cannot connect: ") + std::strerror(errno);
    return false;
  }
  fcntl(fd, F_SETFL, flags);
  return true;
}

}  // namespace

std::unique_ptr<SocketStream> ConnectTcp(const std::string& host, int port, std::string& error,
                                         int timeoutMs) {
  addrinfo* list = nullptr;
  if (!Resolve(host, port, false, &list, error)) return nullptr;
  std::unique_ptr<SocketStream> stream;
  for (addrinfo* a = list; a && !stream; a = a->ai_next) {
    int fd = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (fd < 0) continue;
    if (ConnectWithin(fd, a, timeoutMs, error)) {
      stream = std::make_unique<PosixStream>(fd);
    } else {
      close(fd);
    }
  }
  freeaddrinfo(list);
  return stream;
}

std::unique_ptr<SocketListener> ListenTcp(const std::string& host, int port, std::string& error) {
  addrinfo* list = nullptr;
  if (!Resolve(host, port, true, &list, error)) return nullptr;
  int fd = socket(list->ai_family, list->ai_socktype, list->ai_protocol);
  if (fd < 0) {
    error = std::string("socket: ") + std::strerror(errno);
    freeaddrinfo(list);
    return nullptr;
  }
  int one = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
  if (bind(fd, list->ai_addr, list->ai_addrlen) != 0 || listen(fd, 4) != 0) {
    error = std::string("cannot listen: ") + std::strerror(errno);
    close(fd);
    freeaddrinfo(list);
    return nullptr;
  }
  freeaddrinfo(list);
  sockaddr_in bound;
  socklen_t len = sizeof(bound);
  std::memset(&bound, 0, sizeof(bound));
  getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &len);
  return std::make_unique<PosixListener>(fd, ntohs(bound.sin_port));
}

}  // namespace balancer

#endif  // _WIN32
