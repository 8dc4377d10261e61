#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The store behind the profile module: reads and writes INI-format files the way
// the Windows profile functions do (matching, quoting, key lists, in-place writes),
// and replaces the file atomically and durably when it changes.
//
// Its texts are UTF-8. A file that is not valid UTF-8 is Windows-1252: what is read from
// it is converted to UTF-8, what is written to it back to Windows-1252, and every byte
// that is not written keeps its value. Names match without regard to case, non-ASCII
// letters included.
//
// A parsed copy of a file is kept between calls, but trusted only while the file's
// bytes are the copy's bytes: file times move in coarse steps on many file systems, so
// they prove nothing. Reading a file whole costs little next to parsing it.
//
// A transaction gathers every read and write of one user action on one file: the file
// is read once, at its first use, later reads see the action's own writes, and the
// file is replaced once, when the outermost transaction ends. A crash leaves the file as
// it was before the action or as it is after it, never in between.
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

    // The section's key list with each key's value, exactly as getKeyList and one
    // getString per listed key would give them (a key listed twice reads the value of its
    // first line both times), in one pass. Nothing for a missing file or section.
    std::vector<std::pair<std::string, std::string>> getSection(const std::string& path, std::string_view section);
    // The same, handed over entry by entry as views, with no copy: they last until the next
    // call on the store.
    void forEachEntry(const std::string& path, std::string_view section,
        const std::function<void(std::string_view name, std::string_view value)>& visit);

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

    // The key as the file spells it, found as a read or a write finds it; nothing when the
    // section has no such key.
    std::optional<std::string> keySpelling(const std::string& path, std::string_view section, std::string_view key);

    // Every line of the file as the reads of this moment see them, without its line end (the
    // first with the byte-order mark a file may begin with), in the program's UTF-8: for the
    // scans that compare lines exactly. The views last until the next call on the store.
    // The scan ends early when `visit` returns false. A template: the scans visit tens of
    // thousands of lines, each call through a function object would cost more than the
    // comparison it makes.
    template <typename Visit> void forEachLine(const std::string& path, Visit&& visit);

    // The file's bytes as the reads of this moment see them (the open transaction's own
    // writes included), in the program's UTF-8; nothing when there is no such file. The
    // view lasts until the next call on the store.
    std::optional<std::string_view> text(const std::string& path);

    // Starts a transaction on the file, or joins the one open on it.
    void begin(const std::string& path);
    // Ends the transaction; the outermost end replaces the file once with everything
    // written since the beginning, unless a write was refused meanwhile (then nothing of
    // it is stored), or the file was changed by another program meanwhile (then nothing
    // of it is stored, and the other program's change stays).
    WriteResult end();
    bool inTransaction() const { return m_tx.has_value(); }
    // The last transaction that ended had a write refused, and stored nothing.
    bool lastFailed() const { return m_lastFailed; }
    // The open transaction has writes that end() will store.
    bool hasPendingWrites() const { return m_tx && m_tx->changed && !m_tx->failed; }
    // A write of the open transaction on this file was refused by its caller: end()
    // stores nothing of the transaction.
    void fail(const std::string& path)
    {
        if (m_tx && m_tx->path == path)
            m_tx->failed = true;
    }

    // Runs right before a file is replaced (the daily back-up hooks in here).
    void setBeforeReplace(std::function<void(const std::string& path)> hook) { m_beforeReplace = std::move(hook); }

    // Runs after the temporary file is complete and flushed, right before it is
    // renamed over the data file. Tests use it to simulate a crash at that point.
    void setBeforeRenameHook(std::function<void()> hook) { m_beforeRename = std::move(hook); }

    // How many times a file was parsed (for tests and benchmarks).
    std::uint64_t parseCount() const { return m_parseCount; }

    // Forgets every parsed copy.
    void clearCache() { m_cache.clear(); }

    struct Line {
        enum class Kind { Blank, Header, Entry, Bare };
        Kind kind = Kind::Blank;
        std::size_t begin = 0; // content, without the line end
        std::size_t end = 0;
        std::size_t next = 0; // start of the following line
        std::size_t nameBegin = 0; // trimmed section name, key name or bare line
        std::size_t nameEnd = 0;
        std::size_t valueBegin = 0;
        std::size_t valueEnd = 0;
        bool firstOfName = false; // the index points here: the first of its name in its section
        std::size_t header = 0; // an entry's section header (or the line itself for a header)
    };

    struct Parsed {
        std::string bytes;
        std::vector<Line> lines;
        // Built on the first lookup: the first header of each section name and the first
        // line of each key in the first section of its name, by a hash of the upper-case
        // names (open addressing; a slot holds a line number + 1, 0 when free).
        std::vector<std::uint32_t> index;
        bool indexed = false;
        // The last key found and its section's header: a list is read in file order.
        std::size_t lastFound = std::string::npos;
        std::size_t lastHeader = std::string::npos;
        // Not valid UTF-8: the file is in Windows-1252, and its texts are converted on
        // the way in and out.
        bool windows1252 = false;

        std::string_view name(const Line& line) const
        {
            return std::string_view(bytes).substr(line.nameBegin, line.nameEnd - line.nameBegin);
        }
    };

    static Parsed parse(std::string bytes);

private:
    struct Transaction {
        std::string path;
        int depth = 0;
        bool loaded = false;
        std::optional<Parsed> parsed; // nothing: no file (yet)
        bool existed = false; // the file was there when the transaction read it (its bytes: m_original)
        int readError = 0;
        bool changed = false;
        bool failed = false;
    };

    // The file's parsed copy for reading, proven current (or the open transaction's);
    // nullptr when it does not exist or cannot be read (`error` gets the errno value).
    Parsed* load(const std::string& path, int* error = nullptr);
    // A text of a Windows-1252 file (a line, or the whole) in UTF-8, valid until the next call.
    std::string_view decoded(std::string_view raw);
    // Proves the cached copy against the file's bytes, or reads and parses it again.
    Parsed* loadFromDisk(const std::string& path, int* error);
    // Makes `bytes` the file's new content: in the transaction, or on disk at once.
    WriteResult store(const std::string& path, std::string bytes);
    // A change made in place on the parsed copy (`editCopy`): inside a transaction on the
    // copy alone; otherwise the file is replaced by `newBytes` first, and the copy follows
    // only when that worked.
    WriteResult storeInPlace(
        const std::string& path, const std::function<std::string()>& newBytes, const std::function<void()>& editCopy);
    WriteResult replaceFile(const std::string& path, const std::string& bytes);
    WriteResult refuse(const std::string& path, std::string error);

    std::map<std::string, Parsed> m_cache;
    std::optional<Transaction> m_tx;
    std::function<void()> m_beforeRename;
    std::function<void(const std::string&)> m_beforeReplace;
    std::uint64_t m_parseCount = 0;
    bool m_lastFailed = false;
    std::string m_decoded; // decoded()'s last text
    // Kept between calls for their room: a file read whole at every action would otherwise
    // allocate (and give back) its size each time.
    std::string m_readBuffer;
    std::string m_original; // the open transaction's file as it read it
    std::deque<std::string> m_converted; // forEachEntry's texts of a Windows-1252 file
};

template <typename Visit> void ProfileStore::forEachLine(const std::string& path, Visit&& visit)
{
    const Parsed* parsed = load(path);
    if (!parsed)
        return;
    const std::string_view bytes = parsed->bytes;
    for (std::size_t i = 0; i < parsed->lines.size(); ++i) {
        const Line& line = parsed->lines[i];
        // The mark is the first line's as far as an exact comparison is concerned.
        const std::size_t begin = i == 0 ? 0 : line.begin;
        const std::string_view raw = bytes.substr(begin, line.end - begin);
        if (!visit(parsed->windows1252 ? decoded(raw) : raw))
            return;
    }
    // A file of nothing but the mark is one line all the same.
    if (parsed->lines.empty() && !bytes.empty())
        visit(bytes);
}
