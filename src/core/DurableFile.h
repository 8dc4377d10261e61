#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>

// Whole-file reads, and replacements that never leave a torn file: the new content
// goes to a temporary file in the same folder, is flushed to disk and renamed over the
// old file, so a crash leaves either the old or the new content.
struct stat;

namespace DurableFile {

std::string parentFolder(const std::string& path);
std::string fileName(const std::string& path);

// Where a write to `path` lands: through symbolic links to their target.
std::string writeTarget(const std::string& path);

// Replaces (or creates, with `newFileMode` less the umask) the file behind `path`.
// An existing file keeps its permissions and, where allowed, its owner. A file without
// write permission is refused even for root (EACCES), and so is anything that is not a
// regular file. `beforeRename` runs when the temporary file is complete.
// Returns 0, or the errno value of what failed.
int replace(const std::string& path, const std::string& bytes, mode_t newFileMode,
    const std::function<void()>& beforeRename = {});

// The largest file read whole: a data file is far smaller, and anything larger is a
// mistake that would otherwise fill the memory.
constexpr std::uint64_t MaxReadBytes = 64ull * 1024 * 1024;

// Reads the whole regular file into `bytes`; `info`, when given, gets the file's status
// as it was read. Returns 0, or the errno value of what failed: EISDIR for a folder,
// EINVAL for anything else that is not a regular file (a device or a pipe is never read,
// nor waited for), EFBIG for a file over MaxReadBytes.
int readAll(const std::string& path, std::string& bytes, struct ::stat* info = nullptr);

// Removes the temporary files that replacements of `path` left behind when their
// process died: this program's own name pattern, older than a minute, and not locked by
// a live writer (a replacement holds a lock on its temporary file until it is renamed).
// Returns how many were removed.
int removeLeftovers(const std::string& path);

// Flushes a folder's entries (a rename or an unlink in it) to disk.
void syncFolder(const std::string& folder);

// Makes the folder and any missing one above it, private to the user; true when it is
// a folder afterwards.
bool makeFolders(const std::string& folder);

} // namespace DurableFile
