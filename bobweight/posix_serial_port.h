// SerialPort over a POSIX tty (native build; a pty in tests). COM names are
// looked up in a table so that a test can put a pty behind "COM3"; a name
// that is not in the table and starts with '/' is used as the device path.
#pragma once

#ifndef _WIN32

#include <map>
#include <string>

#include "bobweight/serial_port.h"

namespace balancer {

class PosixSerialPort : public SerialPort {
 public:
  PosixSerialPort() = default;
  ~PosixSerialPort() override { Close(); }
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  // Puts `devicePath` behind the port name (e.g. "COM3" -> "/dev/pts/4").
  void MapPort(const std::string& name, const std::string& devicePath) {
    devices_[name] = devicePath;
  }

  bool Open(const std::string& name, const SerialLineSettings& settings) override;
  bool IsOpen() const override { return fd_ >= 0; }
  void Close() override;
  void Purge() override;
  int Write(const uint8_t* data, int size) override;
  int ReadByte(uint8_t& byte) override;

 private:
  std::string DevicePath(const std::string& name) const;

  std::map<std::string, std::string> devices_;
  SerialLineSettings settings_;
  int fd_ = -1;
};

}  // namespace balancer

#endif  // _WIN32
