// Minimal blocking TCP streams for the control wire protocol: the client side
// (wire transport) and the server side (controlsim). POSIX sockets in
// posix_socket_stream.cpp, Winsock in win32/winsock_stream.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace balancer {

// How long a write may wait for the peer to take the bytes.
constexpr int kSocketWriteTimeoutMs = 10000;

class SocketStream {
 public:
  virtual ~SocketStream() = default;  // closes the connection

  // Sends all bytes. Returns false when the connection is closed or broken,
  // or when timeoutMs (> 0) pass before the peer has taken them (a peer that
  // stops reading must not hold the caller). Never raises SIGPIPE. Blocks.
  virtual bool WriteAll(const uint8_t* data, size_t size, int timeoutMs) = 0;
  bool WriteAll(const uint8_t* data, size_t size) {
    return WriteAll(data, size, kSocketWriteTimeoutMs);
  }

  // Reads exactly `size` bytes. Returns false on close, error, or when
  // timeoutMs (> 0) pass without the bytes arriving. Blocks.
  virtual bool ReadAll(uint8_t* data, size_t size, int timeoutMs) = 0;
};

class SocketListener {
 public:
  virtual ~SocketListener() = default;  // stops listening

  // Waits for the next client; null on error. Blocks.
  virtual std::unique_ptr<SocketStream> Accept() = 0;

  // The port actually bound (useful after listening on port 0).
  virtual int Port() const = 0;
};

// Connects to host:port (numeric address or name). Returns null with a
// reason in `error` when refused, unreachable or not answered within
// timeoutMs. Blocks at most about that long (plus name resolution).
std::unique_ptr<SocketStream> ConnectTcp(const std::string& host, int port, std::string& error,
                                         int timeoutMs = 2000);

// Listens on host:port (port 0 picks a free one). Returns null with a reason
// in `error`.
std::unique_ptr<SocketListener> ListenTcp(const std::string& host, int port, std::string& error);

}  // namespace balancer
