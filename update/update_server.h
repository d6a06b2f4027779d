// Where the software update comes from: the maker's server, its two files,
// and the page the operator can download the software from by hand.
#pragma once

#include <optional>
#include <string>

namespace balancer {

// The maker's update server and download page.
constexpr const char* kUpdateHost = "www.halvorntech.com";
constexpr const char* kDownloadPage = "https://www.halvorntech.com/downloads";

// The two files on the server.
constexpr const char* kVersionFilePath = "/redezar/dlu/versionv8.dta";
constexpr const char* kInstallerFilePath = "/redezar/dlu/updatev8.exe";

// Where they are fetched to, in the program folder.
constexpr const char* kVersionFileName = "versionv8.dta";
constexpr const char* kInstallerFileName = "balsetup.exe";

// The server to ask: "https://" + host (with an optional ":port").
struct UpdateServer {
  std::string base = std::string("https://") + kUpdateHost;

  // The address of a file on the server.
  std::string Address(const std::string& path) const { return base + path; }
  // The same address over plain http: only its cached copy is deleted.
  std::string PlainAddress(const std::string& path) const;
};

// balancer-demo can be pointed at a test server by a file in the program
// folder holding its address on the first line. Only an https address with
// a host and nothing after it (no path, no blanks) is taken.
constexpr const char* kUpdateServerFile = "updateserver.txt";
std::optional<UpdateServer> ParseUpdateServer(const std::string& text);

}  // namespace balancer
