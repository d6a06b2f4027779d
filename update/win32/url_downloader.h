// The Downloader of the Windows program: the system's URL download and its
// cache.
#pragma once

#include "update/downloader.h"

namespace balancer {

class UrlDownloader : public Downloader {
 public:
  // URLDownloadToFileA; a non-https address is refused with
  // INET_E_INVALID_URL before anything is sent.
  long Download(const std::string& url, const std::string& localPath) override;
  // DeleteUrlCacheEntryA; a missing entry is ignored.
  void DeleteCacheEntry(const std::string& url) override;
};

}  // namespace balancer
