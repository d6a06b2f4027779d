// Serial port seam for the scale. The Win32 build opens a COM port
// (bobweight/win32), the native build a tty (PosixSerialPort), tests a pty
// pair or a fake.
#pragma once

#include <cstdint>
#include <string>

namespace balancer {

enum class Parity { kNone, kOdd, kEven };

struct SerialLineSettings {
  int baudRate = 9600;
  int dataBits = 8;
  Parity parity = Parity::kNone;
  int stopBits = 1;
  bool xonXoff = true;  // software flow control both ways
  int inputBufferSize = 128;
  int outputBufferSize = 128;
  // A read returns at once with what has arrived, or waits at most this long
  // for the first byte.
  int readTimeoutMs = 250;
  int writeTimeoutMs = 100;
};

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens the port `name` ("COM3") for reading and writing, not shared, and
  // configures it. Closes a port that was open first. Blocks only for the
  // open. False when the port does not exist, is in use or refuses the
  // settings; the port is then closed.
  virtual bool Open(const std::string& name, const SerialLineSettings& settings) = 0;
  virtual bool IsOpen() const = 0;
  // Closes the port; harmless when it is not open.
  virtual void Close() = 0;
  // Clears the line's error state and throws away whatever waits to be sent
  // or read. Does nothing on a closed port.
  virtual void Purge() = 0;
  // Writes `size` bytes, waiting at most the write time-out. Returns the
  // number of bytes written, or -1 on a closed port or an error.
  virtual int Write(const uint8_t* data, int size) = 0;
  // Reads one byte, waiting at most the read time-out. Returns 1 with a
  // byte, 0 when none arrived in time, -1 on a closed port or an error.
  virtual int ReadByte(uint8_t& byte) = 0;
};

}  // namespace balancer
