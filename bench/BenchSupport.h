#pragma once

#include "core/Prompter.h"
#include "datafile/ProfileStore.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace bench {

// The benchmarks expect no message at all; one that comes anyway is printed.
class SilentPrompter : public Prompter {
public:
    MsgAnswer ask(const Message& message) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", message.title.c_str());
        return MsgAnswer::Ok;
    }
};

// The median wall time of `runs` calls, in microseconds.
inline double medianMicros(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Writes the bytes as a careful program would: a new file, flushed to disk, renamed into place.
inline void writeDurably(const std::string& path, const std::string& bytes)
{
    const std::string temporary = path + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) || ::fsync(fd) != 0)
        std::abort();
    ::close(fd);
    std::filesystem::rename(temporary, path);
}

// A data file with `items` consumables, `categories` more expense categories, and the
// other sections filled in.
inline std::string dataFileWith(int items, int categories = 0)
{
    std::string bytes = "[init]\r\nmiles=1000\r\n[app]\r\nmiles=25000\r\nunit=1\r\ncur=USD\r\nicur=97\r\ncost=350\r\n"
                        "[fuel]\r\ntotal=1200.5\r\n[misc]\r\nfuel=1800.25\r\nInsurance=400\r\n";
    char line[64];
    for (int i = 0; i < categories; ++i) {
        std::snprintf(line, sizeof line, "Category %05d=%d.%02d\r\n", i, 10 + i % 90, i % 100);
        bytes += line;
    }
    bytes += "[consumables]\r\n";
    for (int i = 0; i < items; ++i) {
        std::snprintf(line, sizeof line, "Item %05d=%d#%d\r\n", i, 1000 + i, 5000 + (i % 7) * 1000);
        bytes += line;
    }
    return bytes;
}

inline std::string tempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "wheelbook-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        std::abort();
    return pattern;
}

// What every benchmark measures against: one plain read and parse of the file, and one
// durable write of the same bytes.
struct Baseline {
    double parseMicros = 0;
    double writeMicros = 0;
};

inline Baseline measureBaseline(
    const std::string& folder, const std::string& path, const std::string& bytes, int runs, std::size_t& sink)
{
    Baseline baseline;
    baseline.parseMicros = medianMicros(runs, [&] { sink += ProfileStore::parse(readAll(path)).lines.size(); });
    const std::string copy = folder + "/copy.dat";
    baseline.writeMicros = medianMicros(runs, [&] { writeDurably(copy, bytes); });
    return baseline;
}

} // namespace bench
