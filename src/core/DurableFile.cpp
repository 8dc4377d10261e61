#include "core/DurableFile.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <windows.h>
#else
#include <ctime>
#include <dirent.h>
#include <sys/file.h>
#endif

namespace {

#ifdef _WIN32
// Bytes pass untranslated; handles are not inherited by child processes.
constexpr int kOpenFlags = O_BINARY | O_NOINHERIT;
constexpr int kNoWait = 0;
#else
constexpr int kOpenFlags = O_CLOEXEC;
// Opening a pipe would wait for a writer; it is refused as soon as it is seen instead.
constexpr int kNoWait = O_NONBLOCK;
#endif

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

namespace DurableFile {

std::string parentFolder(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string fileName(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string writeTarget(const std::string& path)
{
#ifdef _WIN32
    // Links are written through by the system itself.
    return path;
#else
    std::string target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info { };
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length <= 0)
            return target;
        link.resize(static_cast<std::size_t>(length));
        target = (link.front() == '/') ? link : parentFolder(target) + "/" + link;
    }
    return target;
#endif
}

int readAll(const std::string& path, std::string& bytes, struct ::stat* info)
{
    const int fd = ::open(path.c_str(), O_RDONLY | kOpenFlags | kNoWait);
    if (fd < 0)
        return errno;
    struct stat status { };
    int error = 0;
    if (::fstat(fd, &status) != 0) {
        error = errno;
    } else if (S_ISDIR(status.st_mode)) {
        error = EISDIR;
    } else if (!S_ISREG(status.st_mode)) {
        error = EINVAL;
    } else if (static_cast<std::uint64_t>(status.st_size) > MaxReadBytes) {
        error = EFBIG;
    } else {
        bytes.clear();
        bytes.reserve(static_cast<std::size_t>(status.st_size));
        char chunk[65536];
        for (;;) {
            const ssize_t got = ::read(fd, chunk, sizeof chunk);
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                error = errno;
                break;
            }
            if (got == 0)
                break;
            bytes.append(chunk, static_cast<std::size_t>(got));
            if (bytes.size() > MaxReadBytes) { // grown while it was read
                error = EFBIG;
                break;
            }
        }
    }
    ::close(fd);
    if (info)
        *info = status;
    return error;
}

void syncFolder(const std::string& folder)
{
#ifdef _WIN32
    // A rename with MOVEFILE_WRITE_THROUGH is on disk when it returns.
    (void)folder;
#else
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

bool makeFolders(const std::string& folder)
{
    struct ::stat info { };
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    const std::string parent = parentFolder(folder);
    if (parent != folder && !makeFolders(parent))
        return false;
#ifdef _WIN32
    return ::_mkdir(folder.c_str()) == 0 || errno == EEXIST;
#else
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
#endif
}

#ifdef _WIN32

int replace(const std::string& path, const std::string& bytes, mode_t /*newFileMode*/,
    const std::function<void()>& beforeRename)
{
    const std::string target = writeTarget(path);
    const DWORD attributes = ::GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return EISDIR;
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return EACCES;
    }
    std::string temporary = parentFolder(target) + "/." + fileName(target) + ".XXXXXX";
    if (::_mktemp_s(temporary.data(), temporary.size() + 1) != 0)
        return errno;
    const int fd = ::_open(temporary.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | kOpenFlags, _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return errno;
    auto fail = [&](int error) {
        ::_close(fd);
        ::_unlink(temporary.c_str());
        return error;
    };
    if (!writeAll(fd, bytes))
        return fail(errno);
    if (::_commit(fd) != 0)
        return fail(errno);
    if (::_close(fd) != 0) {
        const int error = errno;
        ::_unlink(temporary.c_str());
        return error;
    }
    if (beforeRename)
        beforeRename();
    if (!::MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::_unlink(temporary.c_str());
        return ::GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
    }
    return 0;
}

int removeLeftovers(const std::string& /*path*/)
{
    return 0; // a file open for writing cannot be removed there; nothing piles up unseen
}

#else

int replace(
    const std::string& path, const std::string& bytes, mode_t newFileMode, const std::function<void()>& beforeRename)
{
    const std::string target = writeTarget(path);
    struct stat info { };
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists) {
        if (S_ISDIR(info.st_mode))
            return EISDIR;
        if (!S_ISREG(info.st_mode))
            return EINVAL;
        // Root may write anywhere; a file the user made read-only stays as it is.
        if (::access(target.c_str(), W_OK) != 0)
            return errno; // a read-only file system says so, not "Permission denied"
        if ((info.st_mode & 0222) == 0)
            return EACCES;
    }

    std::string temporary = parentFolder(target) + "/." + fileName(target) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return errno;
    // Held until the file is closed: a live writer's file is never taken for a leftover.
    ::flock(fd, LOCK_EX | LOCK_NB);
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return error;
    };
    if (!writeAll(fd, bytes))
        return fail(errno);
    if (exists) {
        if (::fchmod(fd, info.st_mode & 07777) != 0)
            return fail(errno);
        if (::fchown(fd, info.st_uid, info.st_gid) != 0) {
            // Only root may give a file away; the permissions above are what matter.
        }
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(fd, newFileMode & ~mask) != 0)
            return fail(errno);
    }
    if (::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return error;
    }
    if (beforeRename)
        beforeRename();
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return error;
    }
    syncFolder(parentFolder(target));
    return 0;
}

int removeLeftovers(const std::string& path)
{
    const std::string target = writeTarget(path);
    const std::string folder = parentFolder(target);
    const std::string prefix = "." + fileName(target) + ".";
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    int removed = 0;
    const std::time_t aMinuteAgo = std::time(nullptr) - 60;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        // mkstemp's pattern: the prefix and six characters of its own.
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string file = folder + "/" + name;
        struct stat info { };
        if (::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_mtime > aMinuteAgo)
            continue;
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(file.c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    if (removed > 0)
        syncFolder(folder);
    return removed;
}

#endif

} // namespace DurableFile
