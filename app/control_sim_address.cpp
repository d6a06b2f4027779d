#include "app/control_sim_address.h"

#include <cstdio>

#include "device/wire_transport.h"

namespace balancer {

namespace {
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
}  // namespace

bool ParseControlSimAddress(const std::string& text, std::string& host, int& port) {
  std::string line = text.substr(0, text.find('\n'));
  size_t begin = 0;
  size_t end = line.size();
  while (begin < end && IsBlank(line[begin])) ++begin;
  while (end > begin && IsBlank(line[end - 1])) --end;
  line = line.substr(begin, end - begin);

  size_t colon = line.rfind(':');
  if (colon == std::string::npos) return false;
  if (colon > kMaxControlSimHostLength) return false;
  for (size_t i = 0; i < colon; ++i) {
    if (IsBlank(line[i])) return false;
  }
  std::string parsedHost;
  int parsedPort = 0;
  if (!ParseWireAddress(line, parsedHost, parsedPort)) return false;
  host = parsedHost;
  port = parsedPort;
  return true;
}

bool ReadControlSimAddress(const std::string& path, std::string& host, int& port) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char buffer[512];
  size_t length = std::fread(buffer, 1, sizeof buffer, file);
  std::fclose(file);
  return ParseControlSimAddress(std::string(buffer, length), host, port);
}

OperatorMessage DemoMachineFileMessage(const std::string& error) {
  return MakeOkMessage(
      "Attention",
      "The simulated machine file could not be used.\nThe default machine runs instead.\n\n" +
          error,
      kDarkBlueText, kBeepAsterisk, 310, 150, 520, 260);
}

}  // namespace balancer
