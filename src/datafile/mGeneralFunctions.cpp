#include "datafile/mGeneralFunctions.h"

#include "core/DurableFile.h"
#include "core/Prompter.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

// The numbers and descriptions by which the file lookup's errors are known.
struct LookupError {
    int number;
    const char* description;
};

LookupError lookupError(int error)
{
    switch (error) {
    case ENAMETOOLONG:
    case EINVAL:
        return {52, "Bad file name or number"};
    case EIO:
    case ENXIO:
        return {71, "Disk not ready"};
    default:
        return {75, "Path/File access error"};
    }
}

} // namespace

bool IsBlank(std::string_view text)
{
    for (char c : text) {
        if (c != ' ')
            return false;
    }
    return true;
}

bool FileExists(const std::string& path, Prompter& prompter)
{
    if (path.empty() || path.find('\0') != std::string::npos)
        return false;
    struct stat info { };
    if (::stat(path.c_str(), &info) == 0)
        return S_ISREG(info.st_mode);
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR)
        return false;
    const LookupError e = lookupError(error);
    prompter.ask({"Error ! (Source : FileExists)",
        std::to_string(e.number) + " : \r\n\r\n" + e.description + " (" + std::strerror(error) + ")", MsgButtons::Ok,
        MsgIcon::Information});
    return false;
}

bool NormalFileExists(const std::string& path)
{
    struct stat info { };
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name.empty() || name.front() != '.';
}

std::optional<std::string> DataFileProblem(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) == 0 && static_cast<std::uint64_t>(info.st_size) > DurableFile::MaxReadBytes)
        return "it is " + std::to_string(static_cast<std::uint64_t>(info.st_size) / (1024 * 1024))
            + " MB large, and Wheelbook reads data files of at most "
            + std::to_string(DurableFile::MaxReadBytes / (1024 * 1024)) + " MB";
    std::string bytes;
    // Reading it whole is what every operation will do; a file that size costs nothing to try.
    if (const int error = DurableFile::readAll(path, bytes); error != 0)
        return std::string("it can not be read: ") + std::strerror(error);
    return std::nullopt;
}
