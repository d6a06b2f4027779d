// Fetching a file from the update server. The program uses the system's URL
// download and cache; tests use a fake that records what it was asked.
#pragma once

#include <string>

namespace balancer {

class Downloader {
 public:
  virtual ~Downloader() = default;

  // Downloads `url` to the file `localPath`, replacing it. Blocks until the
  // transfer is over. Returns 0 on success, otherwise a nonzero error code.
  // Only "https://" addresses are fetched; any other is refused (nonzero)
  // without touching the network.
  virtual long Download(const std::string& url, const std::string& localPath) = 0;

  // Drops the system's cached copy of `url`, if any, so the next download
  // is fresh. Blocks; a missing entry is no error.
  virtual void DeleteCacheEntry(const std::string& url) = 0;
};

// True for an address the update may be fetched from ("https://" and a host).
bool IsSecureAddress(const std::string& url);

}  // namespace balancer
