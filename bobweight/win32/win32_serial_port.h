// SerialPort over a Windows COM port.
#pragma once

#include <windows.h>

#include "bobweight/serial_port.h"

namespace balancer {

class Win32SerialPort : public SerialPort {
 public:
  Win32SerialPort() = default;
  ~Win32SerialPort() override { Close(); }
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;

  bool Open(const std::string& name, const SerialLineSettings& settings) override;
  bool IsOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }
  void Close() override;
  void Purge() override;
  int Write(const uint8_t* data, int size) override;
  int ReadByte(uint8_t& byte) override;

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace balancer
