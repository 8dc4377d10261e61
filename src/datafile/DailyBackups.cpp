#include "datafile/DailyBackups.h"

#include "core/DurableFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

const std::string kPrefix = "cardata-";
const std::string kSuffix = ".dat";
const std::string kBeforeRestore = "-before-restore";

bool digitsAt(const std::string& text, std::size_t from, std::size_t count)
{
    return from + count <= text.size()
        && std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from),
            text.begin() + static_cast<std::ptrdiff_t>(from + count), [](char c) { return c >= '0' && c <= '9'; });
}

// "cardata-YYYY-MM-DD.dat" or "cardata-YYYY-MM-DD-HHMMSS-before-restore.dat": its date
// and time, or nothing for any other name.
std::optional<DailyBackups::Backup> backupNamed(const std::string& name)
{
    const std::size_t p = kPrefix.size();
    if (name.compare(0, p, kPrefix) != 0 || !digitsAt(name, p, 4) || name[p + 4] != '-' || !digitsAt(name, p + 5, 2)
        || name[p + 7] != '-' || !digitsAt(name, p + 8, 2))
        return std::nullopt;
    DailyBackups::Backup backup;
    backup.date = name.substr(p, 10);
    const std::string rest = name.substr(p + 10);
    if (rest == kSuffix)
        return backup;
    if (rest.size() == 7 + kBeforeRestore.size() + kSuffix.size() && rest[0] == '-' && digitsAt(rest, 1, 6)
        && rest.compare(7, std::string::npos, kBeforeRestore + kSuffix) == 0) {
        backup.time = rest.substr(1, 2) + ":" + rest.substr(3, 2) + ":" + rest.substr(5, 2);
        return backup;
    }
    return std::nullopt;
}

std::string errorText(int error)
{
    return std::strerror(error);
}

std::optional<std::string> makeFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directory(folder, error);
    if (error)
        return folder + ": " + error.message();
    return std::nullopt;
}

} // namespace

DailyBackups::DailyBackups(std::string dataFile)
    : m_dataFile(std::move(dataFile))
    , m_clock([] { return std::time(nullptr); })
{
}

std::string DailyBackups::folder() const
{
    return DurableFile::parentFolder(m_dataFile) + "/backups";
}

std::string DailyBackups::stamp(const char* format) const
{
    const std::time_t now = m_clock();
    std::tm local {};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

std::optional<std::string> DailyBackups::beforeChange()
{
    const std::string today = folder() + "/" + kPrefix + stamp("%Y-%m-%d") + kSuffix;
    std::error_code ignored;
    if (std::filesystem::exists(today, ignored))
        return std::nullopt;
#ifndef _WIN32
    // The data file is only ever replaced, never written in place, so its present bytes
    // can stay on disk under the back-up's name: a second link to them, made atomically,
    // with no copy and no flush of bytes that are on disk already. Where links cannot be
    // made (FAT sticks, a data file on another device), the file is copied.
    if (::access(m_dataFile.c_str(), F_OK) != 0 && errno == ENOENT)
        return std::nullopt;
    if (!makeFolder(folder())
        && ::linkat(AT_FDCWD, m_dataFile.c_str(), AT_FDCWD, today.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        DurableFile::syncFolder(folder());
        removeOldest();
        return std::nullopt;
    }
#endif
    std::string bytes;
    if (const int error = DurableFile::readAll(m_dataFile, bytes); error != 0)
        return error == ENOENT ? std::nullopt : std::optional(folder() + ": " + errorText(error));
    if (auto made = makeFolder(folder()))
        return made;
    if (const int error = DurableFile::replace(today, bytes, 0644); error != 0)
        return folder() + ": " + errorText(error);
    removeOldest();
    return std::nullopt;
}

void DailyBackups::removeOldest() const
{
    // The newest ones stay; a back-up made before a restore is never removed here.
    std::error_code ignored;
    std::vector<std::string> daily;
    for (const Backup& backup : list())
        if (backup.time.empty())
            daily.push_back(backup.path);
    for (std::size_t i = Kept; i < daily.size(); ++i)
        std::filesystem::remove(daily[i], ignored);
}

std::vector<DailyBackups::Backup> DailyBackups::list() const
{
    std::vector<Backup> backups;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder(), error)) {
        auto backup = backupNamed(entry.path().filename().string());
        if (!backup || !entry.is_regular_file(error))
            continue;
        backup->path = entry.path().string();
        backup->size = entry.file_size(error);
        backups.push_back(*backup);
    }
    std::sort(backups.begin(), backups.end(),
        [](const Backup& a, const Backup& b) { return std::tie(a.date, a.time) > std::tie(b.date, b.time); });
    return backups;
}

std::optional<std::string> DailyBackups::restore(const Backup& backup)
{
    std::string chosen;
    if (const int error = DurableFile::readAll(backup.path, chosen); error != 0)
        return backup.path + ": " + errorText(error);
    std::string present;
    if (const int error = DurableFile::readAll(m_dataFile, present); error == 0) {
        const std::string kept = folder() + "/" + kPrefix + stamp("%Y-%m-%d-%H%M%S") + kBeforeRestore + kSuffix;
        if (auto made = makeFolder(folder()))
            return made;
        if (const int keptError = DurableFile::replace(kept, present, 0644); keptError != 0)
            return folder() + ": " + errorText(keptError);
    } else if (error != ENOENT) {
        return m_dataFile + ": " + errorText(error);
    }
    if (const int error = DurableFile::replace(m_dataFile, chosen, 0666); error != 0)
        return m_dataFile + ": " + errorText(error);
    return std::nullopt;
}
