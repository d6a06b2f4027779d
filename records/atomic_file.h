// Whole-file reads and crash-safe whole-file writes. A write goes to a
// temporary file in the same folder, is flushed to the disk and then replaces
// the target in one step, so a crash or power cut leaves either the old file
// or the new one, never half of one.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace balancer {

// The whole file, or nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes `contents` byte for byte (no line-end translation) through a
// temporary file of its own, "<path>.<process id>.<counter>.tmp", and
// ReplaceFileAtomically. Two writers of one file never share a temporary.
// Returns false (and leaves any old file untouched) when the file cannot be
// written.
bool WriteFileAtomically(const std::string& path, const std::string& contents);

// Removes the temporaries a killed write left in `folder`: names of the form
// "<file>.<ext>.<pid>.<n>.tmp" (and the older "<file>.<ext>.tmp") of the
// program's own file types (dta, bak, bad, txt, hst, jsi, bwi, bme), unless the
// process that owns one is still running. Called at start-up. Returns the
// number removed.
int RemoveStaleTemporaries(const std::string& folder);

// The names of the plain files in `folder` (none when it cannot be listed).
// Implemented per platform.
std::vector<std::string> FileNamesIn(const std::string& folder);

// True when a process with this id is running (our own included).
bool ProcessIsRunning(long processId);
long CurrentProcessId();

// A test seam: when set, `hook` is called at every step of every atomic write
// with the number of steps taken so far by this process (0, 1, 2, ...), so a
// test can end the process at any one of them. Null turns it off.
using WriteStepHook = void (*)(int step);
void SetWriteStepHook(WriteStepHook hook);

// Puts `source` in place of `target` in one step, replacing an existing target
// even when it is read-only. Implemented per platform: rename() on POSIX,
// MoveFileExA in records/win32/atomic_replace_win32.cpp on Windows.
bool ReplaceFileAtomically(const std::string& source, const std::string& target);

// Flushes an open file's data to the disk (fsync / _commit).
bool FlushToDisk(std::FILE* file);

// The folder part of a path (up to, not including, the last '\' or '/'), or
// "" when there is none.
std::string FolderOfPath(const std::string& path);

// The file name without folder and without its last four characters (the
// ".ext"), as the history and preset windows name their current file.
std::string BaseNameOfPath(const std::string& path);

}  // namespace balancer
