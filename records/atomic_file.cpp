#include "records/atomic_file.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace balancer {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::nullopt;
  std::string contents;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, got);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return contents;
}

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

bool WriteFileAtomically(const std::string& path, const std::string& contents) {
  const std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
  ok = FlushToDisk(file) && ok;
  ok = std::fclose(file) == 0 && ok;
  if (ok) ok = ReplaceFileAtomically(temporary, path);
  if (!ok) std::remove(temporary.c_str());
  return ok;
}

#ifndef _WIN32
bool ReplaceFileAtomically(const std::string& source, const std::string& target) {
  // rename() replaces the target atomically whatever its permission bits.
  return std::rename(source.c_str(), target.c_str()) == 0;
}
#endif

std::string FolderOfPath(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return "";
  return path.substr(0, slash);
}

std::string BaseNameOfPath(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.size() >= 4) name.erase(name.size() - 4);
  return name;
}

}  // namespace balancer
