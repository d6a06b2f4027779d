#include "bobweight/posix_serial_port.h"

#ifndef _WIN32

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace balancer {

namespace {

speed_t BaudConstant(int baud) {
  switch (baud) {
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    default:
      return 0;
  }
}

// Waits for the descriptor; true when it is ready within `ms`.
bool WaitReady(int fd, short events, int ms) {
  pollfd p{fd, events, 0};
  for (;;) {
    int r = poll(&p, 1, ms);
    if (r < 0 && errno == EINTR) continue;
    return r > 0 && (p.revents & events) != 0;
  }
}

}  // namespace

std::string PosixSerialPort::DevicePath(const std::string& name) const {
  auto it = devices_.find(name);
  if (it != devices_.end()) return it->second;
  if (!name.empty() && name[0] == '/') return name;
  // COMn as the n-th serial line of the machine.
  if (name.size() > 3 && name.compare(0, 3, "COM") == 0) {
    int n = std::atoi(name.c_str() + 3);
    if (n >= 1) return "/dev/ttyS" + std::to_string(n - 1);
  }
  return "";
}

bool PosixSerialPort::Open(const std::string& name, const SerialLineSettings& settings) {
  Close();
  std::string path = DevicePath(name);
  if (path.empty()) return false;
  int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  // Not shared: a second opener of the same line is turned away.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  termios tio{};
  speed_t speed = BaudConstant(settings.baudRate);
  if (tcgetattr(fd, &tio) != 0 || speed == 0) {
    ::close(fd);
    return false;
  }
  cfmakeraw(&tio);
  cfsetispeed(&tio, speed);
  cfsetospeed(&tio, speed);
  tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
  tio.c_cflag |= (settings.dataBits == 7 ? CS7 : CS8) | CLOCAL | CREAD;
  if (settings.parity != Parity::kNone) tio.c_cflag |= PARENB;
  if (settings.parity == Parity::kOdd) tio.c_cflag |= PARODD;
  if (settings.stopBits == 2) tio.c_cflag |= CSTOPB;
  if (settings.xonXoff) tio.c_iflag |= IXON | IXOFF;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  if (tcsetattr(fd, TCSANOW, &tio) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  settings_ = settings;
  return true;
}

void PosixSerialPort::Close() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

void PosixSerialPort::Purge() {
  if (fd_ >= 0) tcflush(fd_, TCIOFLUSH);
}

int PosixSerialPort::Write(const uint8_t* data, int size) {
  if (fd_ < 0) return -1;
  int written = 0;
  while (written < size) {
    if (!WaitReady(fd_, POLLOUT, settings_.writeTimeoutMs)) break;
    ssize_t n = ::write(fd_, data + written, size - written);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return written > 0 ? written : -1;
    }
    written += static_cast<int>(n);
  }
  return written;
}

int PosixSerialPort::ReadByte(uint8_t& byte) {
  if (fd_ < 0) return -1;
  if (!WaitReady(fd_, POLLIN, settings_.readTimeoutMs)) return 0;
  for (;;) {
    ssize_t n = ::read(fd_, &byte, 1);
    if (n == 1) return 1;
    if (n == 0) return 0;
    if (errno == EINTR) continue;
    return errno == EAGAIN ? 0 : -1;
  }
}

}  // namespace balancer

#endif  // _WIN32
