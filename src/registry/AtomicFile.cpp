#ifndef _WIN32

#include "registry/AtomicFile.h"

#include "core/DurableFile.h"
#include "registry/RegistryStore.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    const int error = DurableFile::replace(path, bytes, newFileMode);
    return error == 0 ? RegistryStore::StatusOk : statusOfErrno(error);
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
    DurableFile::syncFolder(DurableFile::parentFolder(path));
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
