// Winsock implementation of the wire-protocol streams (see socket_stream.h).
#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <cstring>
#include <mutex>

#include "device/socket_stream.h"

namespace balancer {
namespace {

bool StartWinsock() {
  static std::once_flag once;
  static bool ok = false;
  std::call_once(once, [] {
    WSADATA data;
    ok = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  });
  return ok;
}

std::string LastError(const char* what) {
  return std::string(what) + " failed (" + std::to_string(WSAGetLastError()) + ")";
}

class WinsockStream : public SocketStream {
 public:
  explicit WinsockStream(SOCKET s) : s_(s) {
    BOOL one = TRUE;
    // Requests are 8 bytes; without this each one waits for a delayed ACK.
    setsockopt(s_, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof(one));
  }
  ~WinsockStream() override { closesocket(s_); }

  using SocketStream::WriteAll;
  bool WriteAll(const uint8_t* data, size_t size, int timeoutMs) override {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    // A blocking send still waits inside for buffer space; the send timeout
    // bounds that wait as well as the select below.
    DWORD sendTimeout = timeoutMs > 0 ? static_cast<DWORD>(timeoutMs) : 0;
    setsockopt(s_, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&sendTimeout),
               sizeof(sendTimeout));
    while (size > 0) {
      if (timeoutMs > 0 && !WaitFor(false, deadline)) return false;
      int chunk = size > 65536 ? 65536 : static_cast<int>(size);
      int n = send(s_, reinterpret_cast<const char*>(data), chunk, 0);
      if (n <= 0) return false;
      data += n;
      size -= static_cast<size_t>(n);
    }
    return true;
  }

  bool ReadAll(uint8_t* data, size_t size, int timeoutMs) override {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (size > 0) {
      if (timeoutMs > 0 && !WaitFor(true, deadline)) return false;
      int chunk = size > 65536 ? 65536 : static_cast<int>(size);
      int n = recv(s_, reinterpret_cast<char*>(data), chunk, 0);
      if (n <= 0) return false;
      data += n;
      size -= static_cast<size_t>(n);
    }
    return true;
  }

 private:
  // Waits until the socket is readable (or writable) or the deadline passed.
  bool WaitFor(bool readable, std::chrono::steady_clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now())
                    .count();
    if (left <= 0) return false;
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s_, &set);
    timeval tv;
    tv.tv_sec = static_cast<long>(left / 1000);
    tv.tv_usec = static_cast<long>((left % 1000) * 1000);
    return select(0, readable ? &set : nullptr, readable ? nullptr : &set, nullptr, &tv) > 0;
  }

  SOCKET s_;
};

class WinsockListener : public SocketListener {
 public:
  WinsockListener(SOCKET s, int port) : s_(s), port_(port) {}
  ~WinsockListener() override { closesocket(s_); }

  std::unique_ptr<SocketStream> Accept() override {
    SOCKET c = accept(s_, nullptr, nullptr);
    if (c == INVALID_SOCKET) return nullptr;
    return std::make_unique<WinsockStream>(c);
  }
  int Port() const override { return port_; }

 private:
  SOCKET s_;
  int port_;
};

bool Resolve(const std::string& host, int port, bool passive, addrinfo** out, std::string& error) {
  if (!StartWinsock()) {
    error = "Winsock is not available";
    return false;
  }
  if (port < 0 || port > 65535) {
    error = "bad port";
    return false;
  }
  addrinfo hints;
  std::memset(&hints, 0, sizeof(hints));
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  if (passive) hints.ai_flags = AI_PASSIVE;
  std::string service = std::to_string(port);
  if (getaddrinfo(host.empty() ? nullptr : host.c_str(), service.c_str(), &hints, out) != 0) {
    error = "cannot resolve " + host;
    return false;
  }
  return true;
}

// Non-blocking connect so that an address that never answers cannot hold
// the caller for the system's long connect timeout.
bool ConnectWithin(SOCKET s, const addrinfo* a, int timeoutMs, std::string& error) {
  u_long on = 1;
  ioctlsocket(s, FIONBIO, &on);
  if (connect(s, a->ai_addr, static_cast<int>(a->ai_addrlen)) != 0) {
    if (WSAGetLastError() != WSAEWOULDBLOCK) {
      error = LastError("connect");
      return false;
    }
    fd_set writable;
    fd_set failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(s, &writable);
    FD_SET(s, &failed);
    timeval tv;
    tv.tv_sec = timeoutMs / 1000;
    tv.tv_usec = (timeoutMs % 1000) * 1000;
    int r = select(0, nullptr, &writable, &failed, &tv);
    if (r <= 0 || FD_ISSET(s, &failed) || !FD_ISSET(s, &writable)) {
      error = r == 0 ? "cannot connect: no answer" : "cannot connect: refused";
      return false;
    }
  }
  u_long off = 0;
  ioctlsocket(s, FIONBIO, &off);
  return true;
}

}  // namespace

std::unique_ptr<SocketStream> ConnectTcp(const std::string& host, int port, std::string& error,
                                         int timeoutMs) {
  addrinfo* list = nullptr;
  if (!Resolve(host, port, false, &list, error)) return nullptr;
  std::unique_ptr<SocketStream> stream;
  for (addrinfo* a = list; a && !stream; a = a->ai_next) {
    SOCKET s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
    if (s == INVALID_SOCKET) continue;
    if (ConnectWithin(s, a, timeoutMs, error)) {
      stream = std::make_unique<WinsockStream>(s);
    } else {
      closesocket(s);
    }
  }
  freeaddrinfo(list);
  return stream;
}

std::unique_ptr<SocketListener> ListenTcp(const std::string& host, int port, std::string& error) {
  addrinfo* list = nullptr;
  if (!Resolve(host, port, true, &list, error)) return nullptr;
  SOCKET s = socket(list->ai_family, list->ai_socktype, list->ai_protocol);
  if (s == INVALID_SOCKET) {
    error = LastError("socket");
    freeaddrinfo(list);
    return nullptr;
  }
  if (bind(s, list->ai_addr, static_cast<int>(list->ai_addrlen)) != 0 || listen(s, 4) != 0) {
    error = LastError("listen");
    closesocket(s);
    freeaddrinfo(list);
    return nullptr;
  }
  freeaddrinfo(list);
  sockaddr_in bound;
  int len = sizeof(bound);
  std::memset(&bound, 0, sizeof(bound));
  getsockname(s, reinterpret_cast<sockaddr*>(&bound), &len);
  return std::make_unique<WinsockListener>(s, ntohs(bound.sin_port));
}

}  // namespace balancer
