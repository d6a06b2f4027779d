#include "bobweight/win32/win32_serial_port.h"

namespace balancer {

namespace {

BYTE ParityValue(Parity parity) {
  switch (parity) {
    case Parity::kOdd:
      return ODDPARITY;
    case Parity::kEven:
      return EVENPARITY;
    default:
      return NOPARITY;
  }
}

}  // namespace

bool Win32SerialPort::Open(const std::string& name, const SerialLineSettings& settings) {
  Close();
  // The device namespace also reaches COM10 and above.
  std::string path = name.compare(0, 4, "\\\\.\\") == 0 ? name : "\\\\.\\" + name;
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;

  SetupComm(handle, settings.inputBufferSize, settings.outputBufferSize);
  DCB dcb;
  ZeroMemory(&dcb, sizeof dcb);
  dcb.DCBlength = sizeof dcb;
  bool ok = GetCommState(handle, &dcb) != 0;
  if (ok) {
    // Write the port's own state back first: a port reopened after another
    // program set it may refuse a change until driver and line agree again.
    SetCommState(handle, &dcb);
    dcb.BaudRate = settings.baudRate;
    dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
    dcb.Parity = ParityValue(settings.parity);
    dcb.fParity = settings.parity != Parity::kNone;
    dcb.StopBits = settings.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fOutX = settings.xonXoff ? TRUE : FALSE;
    dcb.fInX = settings.xonXoff ? TRUE : FALSE;
    ok = SetCommState(handle, &dcb) != 0;
  }
  if (ok) {
    // A read returns at once with what has arrived, or waits for the first
    // byte at most the constant.
    COMMTIMEOUTS timeouts;
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = settings.readTimeoutMs;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = settings.writeTimeoutMs;
    ok = SetCommTimeouts(handle, &timeouts) != 0;
  }
  if (!ok) {
    CloseHandle(handle);
    return false;
  }
  handle_ = handle;
  return true;
}

void Win32SerialPort::Close() {
  if (handle_ != INVALID_HANDLE_VALUE) {
    CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }
}

void Win32SerialPort::Purge() {
  if (handle_ == INVALID_HANDLE_VALUE) return;
  DWORD errors = 0;
  COMSTAT status;
  ClearCommError(handle_, &errors, &status);
  PurgeComm(handle_, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
}

int Win32SerialPort::Write(const uint8_t* data, int size) {
  if (handle_ == INVALID_HANDLE_VALUE) return -1;
  DWORD written = 0;
  if (!WriteFile(handle_, data, static_cast<DWORD>(size), &written, nullptr)) {
    return written > 0 ? static_cast<int>(written) : -1;
  }
  return static_cast<int>(written);
}

int Win32SerialPort::ReadByte(uint8_t& byte) {
  if (handle_ == INVALID_HANDLE_VALUE) return -1;
  DWORD got = 0;
  if (!ReadFile(handle_, &byte, 1, &got, nullptr)) return -1;
  return got == 1 ? 1 : 0;
}

}  // namespace balancer
