#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The data file's back-ups, in the folder "backups" beside it. Before the first change
// of a day, the file as it was is copied there as "cardata-YYYY-MM-DD.dat" (the local
// date), atomically and durably like every write; the 30 newest of these are kept. A
// restore keeps the file it replaces as "cardata-YYYY-MM-DD-HHMMSS-before-restore.dat".
class DailyBackups {
public:
    static constexpr int Kept = 30;

    explicit DailyBackups(std::string dataFile);

    std::string folder() const;

    // Before the data file changes: makes today's back-up when there is none yet (and the
    // data file exists). Returns what went wrong, naming the folder, when it could not.
    std::optional<std::string> beforeChange();

    struct Backup {
        std::string path;
        std::string date; // YYYY-MM-DD
        std::string time; // HH:MM:SS for one made before a restore, else empty
        std::uint64_t size = 0;
    };
    // Every back-up, newest first.
    std::vector<Backup> list() const;

    // Keeps the data file as a back-up made before a restore, then replaces it with the
    // back-up's bytes. Returns what went wrong, when anything did (then the data file is
    // as it was).
    std::optional<std::string> restore(const Backup& backup);

    // The local date and time; tests set their own.
    void setClock(std::function<std::time_t()> clock) { m_clock = std::move(clock); }

private:
    std::string stamp(const char* format) const;
    void removeOldest() const;

    std::string m_dataFile;
    std::function<std::time_t()> m_clock;
};
