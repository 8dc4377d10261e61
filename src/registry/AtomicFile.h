#pragma once

#include <string>
#include <sys/types.h>

// Whole-file reads and replacements for the registry's files. A replacement is
// written to a temporary file in the same folder, flushed to disk and renamed over
// the old file, so a crash leaves either the old or the new content, never a mix.
//
// Results are the registry's statuses (RegistryStore::Status...).
class AtomicFile {
public:
    // FileNotFound when there is no such file.
    static long read(const std::string& path, std::string& bytes);

    // Replaces (or creates, with `newFileMode`) the file behind `path`, following
    // symbolic links. A file without write permission is refused, even for root.
    static long write(const std::string& path, const std::string& bytes, mode_t newFileMode);

    // Removes the file (a symbolic link itself, not its target); a file without write
    // permission is refused. FileNotFound when there is none.
    static long remove(const std::string& path);

    // Creates the folder and every missing folder above it, each with mode 0700.
    static long makeFolders(const std::string& path);

    static long statusOfErrno(int error);
};
