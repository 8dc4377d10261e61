#ifndef _WIN32

#include "registry/AtomicFile.h"

#include "registry/RegistryStore.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

// Where a write must go: through symbolic links to their target.
std::string writeTarget(const std::string& path)
{
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
}

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

void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

long AtomicFile::statusOfErrno(int error)
{
    switch (error) {
    case ENOENT:
        return RegistryStore::StatusFileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return RegistryStore::StatusAccessDenied;
    case ENOSPC:
    case EDQUOT:
        return RegistryStore::StatusDiskFull;
    default:
        return RegistryStore::StatusRegistryIoFailed;
    }
}

long AtomicFile::read(const std::string& path, std::string& bytes)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return (errno == ENOENT) ? RegistryStore::StatusFileNotFound : statusOfErrno(errno);
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return RegistryStore::StatusRegistryIoFailed;
    }
    char chunk[16384];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return statusOfErrno(error);
        }
        if (got == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return RegistryStore::StatusOk;
}

long AtomicFile::write(const std::string& path, const std::string& bytes, mode_t newFileMode)
{
    const std::string target = writeTarget(path);
    struct stat info { };
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists) {
        if (!S_ISREG(info.st_mode))
            return RegistryStore::StatusRegistryIoFailed;
        // Root may write anywhere; a file the user made read-only stays as it is.
        if ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
            return RegistryStore::StatusAccessDenied;
    }

    std::string temporary = parentFolder(target) + "/." + fileName(target) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return statusOfErrno(errno);
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        return statusOfErrno(error);
    };
    if (!writeAll(fd, bytes))
        return fail(errno);
    if (exists) {
        if (::fchmod(fd, info.st_mode & 07777) != 0)
            return fail(errno);
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
        return statusOfErrno(error);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return statusOfErrno(error);
    }
    syncFolder(parentFolder(target));
    return RegistryStore::StatusOk;
}

long AtomicFile::remove(const std::string& path)
{
    struct stat info { };
    if (::lstat(path.c_str(), &info) != 0)
        return (errno == ENOENT) ? RegistryStore::StatusFileNotFound : statusOfErrno(errno);
    if (!S_ISLNK(info.st_mode) && (info.st_mode & 0222) == 0)
        return RegistryStore::StatusAccessDenied;
    if (::unlink(path.c_str()) != 0)
        return statusOfErrno(errno);
    syncFolder(parentFolder(path));
    return RegistryStore::StatusOk;
}

long AtomicFile::makeFolders(const std::string& path)
{
    if (path.empty())
        return RegistryStore::StatusOk;
    struct stat info { };
    if (::stat(path.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? RegistryStore::StatusOk : RegistryStore::StatusRegistryIoFailed;
    const auto slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
        if (const long status = makeFolders(path.substr(0, slash)); status != RegistryStore::StatusOk)
            return status;
    }
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return statusOfErrno(errno);
    return RegistryStore::StatusOk;
}

#endif
