#include "records/atomic_file.h"

#include <atomic>
#include <cctype>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#endif

namespace balancer {

namespace {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

WriteStepHook stepHook = nullptr;
int stepsTaken = 0;
std::atomic<unsigned> temporaryCounter{0};

void Step() {
  if (stepHook) stepHook(stepsTaken);
  ++stepsTaken;
}

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

bool IsProgramFileExtension(std::string ext) {
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* own : {"dta", "bak", "bad", "txt", "hst", "csv", "jsi", "bwi", "bme"}) {
    if (ext == own) return true;
  }
  return false;
}

// The owner's process id of a temporary name of ours, 0 for the older shared
// "<file>.<ext>.tmp", -1 when the name is not one of ours.
long TemporaryOwner(const std::string& name) {
  const std::string suffix = ".tmp";
  if (name.size() <= suffix.size() ||
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return -1;
  }
  std::string stem = name.substr(0, name.size() - suffix.size());
  auto lastPart = [&stem]() {
    size_t dot = stem.find_last_of('.');
    if (dot == std::string::npos) return std::string();
    std::string part = stem.substr(dot + 1);
    stem.erase(dot);
    return part;
  };
  std::string last = lastPart();
  if (IsProgramFileExtension(last) && !stem.empty()) return 0;
  if (!AllDigits(last)) return -1;
  std::string pid = lastPart();
  std::string ext = lastPart();
  if (!AllDigits(pid) || pid.size() > 9 || !IsProgramFileExtension(ext) || stem.empty()) {
    return -1;
  }
  return std::stol(pid);
}

}  // namespace

void SetWriteStepHook(WriteStepHook hook) {
  stepHook = hook;
  stepsTaken = 0;
}

long CurrentProcessId() {
#ifdef _WIN32
  return static_cast<long>(_getpid());
#else
  return static_cast<long>(getpid());
#endif
}

#ifndef _WIN32
bool ProcessIsRunning(long processId) {
  if (processId <= 0) return false;
  return kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    struct stat info;
    if (stat((folder + "/" + name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
      names.push_back(name);
    }
  }
  closedir(dir);
  return names;
}
#endif

int RemoveStaleTemporaries(const std::string& folder) {
  const long self = CurrentProcessId();
  const std::string prefix = folder.empty() ? std::string() : folder + kPathSeparator;
  int removed = 0;
  for (const std::string& name : FileNamesIn(folder.empty() ? "." : folder)) {
    long owner = TemporaryOwner(name);
    if (owner < 0) continue;
    // A write of a second running copy is still under way; its own
    // temporary is its business. Ours at start-up are all left from before.
    if (owner > 0 && owner != self && ProcessIsRunning(owner)) continue;
    if (std::remove((prefix + name).c_str()) == 0) ++removed;
  }
  return removed;
}

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
  const std::string temporary = path + "." + std::to_string(CurrentProcessId()) + "." +
                                std::to_string(temporaryCounter++) + ".tmp";
  Step();
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return false;
  Step();
  // Two halves, so a kill between them leaves a half-written temporary
  // behind, as a power cut would.
  const size_t half = contents.size() / 2;
  bool ok = std::fwrite(contents.data(), 1, half, file) == half;
  std::fflush(file);
  Step();
  ok = std::fwrite(contents.data() + half, 1, contents.size() - half, file) ==
           contents.size() - half &&
       ok;
  ok = FlushToDisk(file) && ok;
  Step();
  ok = std::fclose(file) == 0 && ok;
  Step();
  if (ok) ok = ReplaceFileAtomically(temporary, path);
  if (!ok) std::remove(temporary.c_str());
  Step();
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
