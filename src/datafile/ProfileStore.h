#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The store behind the profile module: reads and writes INI-format files the way
// the Windows profile functions do (matching, quoting, key lists, in-place writes),
// and replaces the file atomically on every change.
//
// Its texts are UTF-8. A file that is not valid UTF-8 is Windows-1252: what is read from
// it is converted to UTF-8, what is written to it back to Windows-1252, and every byte
// that is not written keeps its value. Names match without regard to case, non-ASCII
// letters included.
//
// It may keep a parsed copy of a file between calls, but only while the file is
// provably unchanged (device, inode, size, and modification and change times to the
// nanosecond); otherwise the file is read again.
class ProfileStore {
public:
    struct WriteResult {
        bool ok = true;
        std::string error; // the platform's description of what failed
    };

    // Like GetPrivateProfileStringA for one key: places at most bufferSize - 1
    // characters of the value (or of the default) into `out` and returns that count.
    std::size_t getString(const std::string& path, std::string_view section, std::string_view key,
        std::string_view defaultValue, std::size_t bufferSize, std::string& out);

    // Like GetPrivateProfileStringA with no key: the section's key names, each followed
    // by a 0, then one more 0, cut to the buffer; returns the count without that last 0.
    std::size_t getKeyList(const std::string& path, std::string_view section, std::size_t bufferSize, std::string& out);

    // Like WritePrivateProfileStringA: stores value under key in section, or removes
    // the key when value is empty (std::nullopt).
    WriteResult writeString(
        const std::string& path, std::string_view section, std::string_view key, std::optional<std::string_view> value);

    // Like GetPrivateProfileSectionNamesA: the section names in file order, each followed
    // by a 0, then one more 0, cut to the buffer as the key list is; returns the count
    // without that last 0.
    std::size_t getSectionNames(const std::string& path, std::size_t bufferSize, std::string& out);

    // Like WritePrivateProfileStringA with no key: removes the first section of that name
    // with every line up to the next section.
    WriteResult deleteSection(const std::string& path, std::string_view section);

    // Adds the section, with no keys, at the end of the file when it has none of that name.
    WriteResult addSection(const std::string& path, std::string_view section);

    // Runs after the temporary file is complete and flushed, right before it is
    // renamed over the data file. Tests use it to simulate a crash at that point.
    void setBeforeRenameHook(std::function<void()> hook) { m_beforeRename = std::move(hook); }

    // Within a snapshot a file is proven unchanged once, at its first use, and every
    // later read of the same operation sees that same version. A list fill (the key
    // list, then one read per key) thus reads one consistent file and pays for one
    // check instead of one per key. Our own writes end the snapshot's trust in the file.
    class Snapshot {
    public:
        explicit Snapshot(ProfileStore& store)
            : m_store(store)
        {
            ++m_store.m_snapshotDepth;
        }
        ~Snapshot()
        {
            if (--m_store.m_snapshotDepth == 0)
                m_store.m_proven.clear();
        }
        Snapshot(const Snapshot&) = delete;
        Snapshot& operator=(const Snapshot&) = delete;

    private:
        ProfileStore& m_store;
    };

    // Forgets every parsed copy.
    void clearCache()
    {
        m_cache.clear();
        m_proven.clear();
    }

    // How many times a file was read and parsed (for tests and benchmarks).
    std::uint64_t parseCount() const { return m_parseCount; }

    struct Line {
        enum class Kind { Blank, Header, Entry, Bare };
        Kind kind = Kind::Blank;
        std::size_t begin = 0; // content, without the line end
        std::size_t end = 0;
        std::size_t next = 0; // start of the following line
        std::string name; // trimmed section name, key name or bare line
        std::size_t valueBegin = 0;
        std::size_t valueEnd = 0;
    };

    struct Parsed {
        std::string bytes;
        std::vector<Line> lines;
        // Built on the first lookup: upper-case "section" -> header line, and
        // upper-case "section\0key" -> the first line of that key in that section.
        std::unordered_map<std::string, std::size_t> index;
        bool indexed = false;
        // Not valid UTF-8: the file is in Windows-1252, and its texts are converted on
        // the way in and out.
        bool windows1252 = false;
    };

    static Parsed parse(std::string bytes);

private:
    struct FileStamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedNs = 0;
        std::int64_t changedNs = 0;
        bool operator==(const FileStamp&) const = default;
    };
    struct CacheEntry {
        FileStamp stamp;
        Parsed parsed;
    };

    // The parsed file, or nothing when it does not exist or cannot be read.
    Parsed* load(const std::string& path);
    // Proves the file unchanged or reads it again; on failure `error` gets the errno value.
    Parsed* loadChecked(const std::string& path, int* error = nullptr);
    static FileStamp stampOf(const struct stat& info);
    WriteResult replaceFile(const std::string& path, const std::string& bytes);

    std::map<std::string, CacheEntry> m_cache;
    std::function<void()> m_beforeRename;
    std::uint64_t m_parseCount = 0;
    int m_snapshotDepth = 0;
    std::vector<std::string> m_proven; // files proven unchanged in the current snapshot
};
