#include "update/win32/url_downloader.h"

#include <windows.h>
// After windows.h:
#include <urlmon.h>
#include <wininet.h>

namespace balancer {

namespace {
constexpr long kInvalidUrl = static_cast<long>(0x800C0002L);  // INET_E_INVALID_URL
}  // namespace

long UrlDownloader::Download(const std::string& url, const std::string& localPath) {
  if (!IsSecureAddress(url)) return kInvalidUrl;
  return static_cast<long>(URLDownloadToFileA(nullptr, url.c_str(), localPath.c_str(), 0, nullptr));
}

void UrlDownloader::DeleteCacheEntry(const std::string& url) {
  DeleteUrlCacheEntryA(url.c_str());
}

}  // namespace balancer
