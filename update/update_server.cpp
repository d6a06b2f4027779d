#include "update/update_server.h"

#include <cctype>

#include "update/downloader.h"

namespace balancer {

namespace {
constexpr const char kHttps[] = "https://";
constexpr size_t kHttpsLength = sizeof kHttps - 1;
constexpr size_t kMaxServerLength = 255;
}  // namespace

bool IsSecureAddress(const std::string& url) {
  if (url.compare(0, kHttpsLength, kHttps) != 0) return false;
  if (url.size() == kHttpsLength) return false;
  const char first = url[kHttpsLength];
  return first != '/' && first != ':';
}

std::string UpdateServer::PlainAddress(const std::string& path) const {
  std::string address = Address(path);
  if (address.compare(0, kHttpsLength, kHttps) == 0) {
    address = "http://" + address.substr(kHttpsLength);
  }
  return address;
}

std::optional<UpdateServer> ParseUpdateServer(const std::string& text) {
  std::string line = text.substr(0, text.find_first_of("\r\n"));
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
  size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos) return std::nullopt;
  line = line.substr(start);
  if (line.size() > kMaxServerLength || !IsSecureAddress(line)) return std::nullopt;
  if (line.back() == '/') line.pop_back();
  for (size_t i = kHttpsLength; i < line.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if (!(std::isalnum(c) || c == '.' || c == '-' || c == ':' || c == '[' || c == ']')) {
      return std::nullopt;
    }
  }
  UpdateServer server;
  server.base = line;
  return server;
}

}  // namespace balancer
