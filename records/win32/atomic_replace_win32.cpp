// Windows side of ReplaceFileAtomically.
#include <windows.h>

#include "records/atomic_file.h"

namespace balancer {

bool ReplaceFileAtomically(const std::string& source, const std::string& target) {
  // A read-only settings file must still be replaceable.
  DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  return MoveFileExA(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

bool ProcessIsRunning(long processId) {
  if (processId <= 0) return false;
  HANDLE process =
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, static_cast<DWORD>(processId));
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
  bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
}

}  // namespace balancer
