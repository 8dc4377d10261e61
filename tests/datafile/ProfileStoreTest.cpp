#include "datafile/ProfileStore.h"

#include "TempDir.h"

#include <array>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class ProfileStoreTest : public ::testing::Test {
protected:
    std::string read(
        std::string_view section, std::string_view key, std::string_view def = "DEF", std::size_t size = 50000)
    {
        std::string out;
        const std::size_t n = store.getString(path, section, key, def, size, out);
        EXPECT_EQ(n, out.size());
        return out;
    }
    std::string keys(std::string_view section, std::size_t size = 50000)
    {
        std::string out;
        const std::size_t n = store.getKeyList(path, section, size, out);
        lastCount = n;
        return out;
    }
    void write(std::string_view section, std::string_view key, std::optional<std::string_view> value)
    {
        ASSERT_TRUE(store.writeString(path, section, key, value).ok);
    }
    std::string bytes() const { return readFileBytes(path); }

    TempDir dir;
    std::string path = dir.file("cardata.dat");
    ProfileStore store;
    std::size_t lastCount = 0;
};

} // namespace

TEST_F(ProfileStoreTest, MatchesNamesWithoutCaseAndSurroundingBlanks)
{
    writeFileBytes(path, "[ Init ]\r\n  MILES = 1200  \r\n[Spaced  Sec]\r\nk=v\r\n");
    EXPECT_EQ(read("init", "miles"), "1200");
    EXPECT_EQ(read("  INIT ", " Miles "), "1200");
    EXPECT_EQ(read("Spaced  Sec", "k"), "v");
    EXPECT_EQ(read("Spaced Sec", "k"), "DEF"); // inner blanks count
}

TEST_F(ProfileStoreTest, ReadsValuesAndDefaultsAsTheProfileFunctionsDo)
{
    writeFileBytes(path, "[a]\nempty=\nbare\nq=\"  x  \"\nodd=\"a\"b\"\nsingle='y'\nc=x ; y\n;note=1\n");
    EXPECT_EQ(read("a", "empty"), ""); // present and empty: not the default
    EXPECT_EQ(read("a", "bare"), "DEF"); // a bare line reads as the default
    EXPECT_EQ(read("a", "q"), "  x  ");
    EXPECT_EQ(read("a", "odd"), "a\"b");
    EXPECT_EQ(read("a", "single"), "y");
    EXPECT_EQ(read("a", "c"), "x ; y"); // no inline comments
    EXPECT_EQ(read("a", ";note"), "1"); // reachable by its exact name
    EXPECT_EQ(read("a", "missing", "\"quoted\"  "), "quoted");
    EXPECT_EQ(read("nosection", "k", "d  "), "d");
    std::string out;
    EXPECT_EQ(store.getString(dir.file("absent.dat"), "a", "q", "dflt", 50000, out), 4u);
    EXPECT_EQ(out, "dflt");
}

TEST_F(ProfileStoreTest, UsesTheFirstOfDuplicateSectionsAndKeys)
{
    writeFileBytes(path, "[s]\r\nk=1\r\nk=2\r\n[S]\r\nk=3\r\nother=4\r\n");
    EXPECT_EQ(read("s", "k"), "1");
    EXPECT_EQ(read("s", "other"), "DEF");
    EXPECT_EQ(keys("s"), std::string("k\0k\0\0", 5));
    write("s", "K", "9");
    EXPECT_EQ(bytes(), "[s]\r\nk=9\r\nk=2\r\n[S]\r\nk=3\r\nother=4\r\n");
}

TEST_F(ProfileStoreTest, CutsLongValuesToTheBuffer)
{
    writeFileBytes(path, "[s]\nk=abcdef\n");
    EXPECT_EQ(read("s", "k", "", 4), "abc");
    EXPECT_EQ(read("s", "k", "", 7), "abcdef");
    EXPECT_EQ(read("s", "k", "", 1), "");
}

TEST_F(ProfileStoreTest, ListsKeysInFileOrderLeavingOutBareLinesAndComments)
{
    writeFileBytes(path, "[c]\r\nOil=100#5000\r\n; comment\r\n;x=1\r\nbare\r\n\r\nAir Filter=0#15000\r\n[d]\r\n");
    EXPECT_EQ(keys("c"), std::string("Oil\0Air Filter\0\0", 16));
    EXPECT_EQ(lastCount, 15u);
    EXPECT_EQ(keys("d"), "");
    EXPECT_EQ(lastCount, 0u);
    EXPECT_EQ(keys("missing"), "");
    EXPECT_EQ(lastCount, 0u);
}

TEST_F(ProfileStoreTest, CutsAKeyListThatDoesNotFitWithRoomToSpare)
{
    writeFileBytes(path, "[c]\nabc=1\nde=2\n"); // the list "abc\0de\0" + final 0 needs 8
    keys("c", 9);
    EXPECT_EQ(lastCount, 7u);
    EXPECT_EQ(keys("c", 8), std::string("abc\0de\0\0", 8)); // fits exactly: cut all the same
    EXPECT_EQ(lastCount, 6u);
    EXPECT_EQ(keys("c", 5), std::string("abc\0\0", 5));
    EXPECT_EQ(lastCount, 3u);
}

TEST_F(ProfileStoreTest, WritesChangeOnlyTheLineTheyMust)
{
    const std::optional<std::string_view> remove;
    const struct {
        const char* before; // nullptr: no file
        const char* section;
        const char* key;
        std::optional<std::string_view> value;
        const char* after;
    } cases[] = {
        // In place, keeping the key's spelling and every other byte and line end.
        {"; c\n[init]\r\nMILES = 1200\n\n[app]\rcur=USD\r\n", "init", "miles", "5",
            "; c\n[init]\r\nMILES=5\n\n[app]\rcur=USD\r\n"},
        {"[a]\nflag\nz=1\n", "a", "FLAG", "on", "[a]\nflag=on\nz=1\n"},
        {"\xEF\xBB\xBF[init]\nmiles=7\n", "init", "miles", "8", "\xEF\xBB\xBF[init]\nmiles=8\n"},
        // New keys after the section's last non-blank line; new sections at the end, on a line of their own.
        {"[a]\r\nx=1\r\n; trailing\r\n\r\n[b]\r\ny=2", "a", " New Key ", "v",
            "[a]\r\nx=1\r\n; trailing\r\nNew Key=v\r\n\r\n[b]\r\ny=2"},
        {"[b]\r\ny=2", "b", "z", "3", "[b]\r\ny=2\r\nz=3\r\n"},
        {"[a]\r\nx=1", "fuel", "total", "", "[a]\r\nx=1\r\n[fuel]\r\ntotal=\r\n"},
        {nullptr, "init", "miles", "", "[init]\r\nmiles=\r\n"},
        // A delete removes the line and keeps the header; one of nothing changes nothing.
        {"[misc]\r\nfuel=10\r\n[app]\r\n", "misc", " FUEL", remove, "[misc]\r\n[app]\r\n"},
        {"[misc]\r\n", "misc", "absent", remove, "[misc]\r\n"},
        {"[misc]\r\n", "nosection", "absent", remove, "[misc]\r\n"},
    };
    for (const auto& c : cases) {
        ::unlink(path.c_str());
        if (c.before)
            writeFileBytes(path, c.before);
        write(c.section, c.key, c.value);
        EXPECT_EQ(bytes(), c.after) << (c.before ? c.before : "(no file)");
    }
    const auto result = store.writeString(dir.file("no/such/cardata.dat"), "a", "b", "c");
    EXPECT_FALSE(result.ok) << "a missing folder is a failed write";
}

TEST_F(ProfileStoreTest, AFileThatIsNotUtf8IsWindows1252BothWays)
{
    // Names match without regard to case beyond ASCII too, in either encoding.
    writeFileBytes(path, "[misc]\r\n\xD6l=1\r\nkey=\x80 \x81\r\n");
    EXPECT_EQ(read("MISC", "öL"), "1");
    EXPECT_EQ(read("misc", "key"), "€ \xC2\x81"); // the code page's undefined bytes come back as themselves
    EXPECT_EQ(keys("misc"), std::string("Öl\0key\0\0", 9));
    write("misc", "ÖL", "Façade");
    write("misc", "key", "€ \xC2\x81");
    EXPECT_EQ(bytes(),
        "[misc]\r\n\xD6l=Fa\xE7"
        "ade\r\nkey=\x80 \x81\r\n");
    const auto refused = store.writeString(path, "misc", "k", "zł");
    EXPECT_EQ(
        refused.error, "The entry k holds a character that this data file's character set (Windows-1252) cannot keep.");
    writeFileBytes(path, "[misc]\r\nöl=1\r\n");
    write("misc", "ÖL", "2");
    EXPECT_EQ(bytes(), "[misc]\r\nöl=2\r\n");
}

TEST_F(ProfileStoreTest, AWrittenCopyReadsAsTheFileItWroteWouldParse)
{
    // The copy is kept up to date in place, line by line: it must answer as a fresh parse does.
    writeFileBytes(path, "[a]\r\nk1=1\r\n[b]\r\nx=1\r\n[a]\r\nk9=9\r\n[c]\r\nöl=1");
    const std::vector<std::array<const char*, 3>> writes = {{"a", "k2", "2"}, {"b", "x", "long value 22"},
        {"c", "ÖL", "3"}, {"c", "neu", "4"}, {"a", "K1", ""}, {"d", "n", "5"}, {"b", "y", "6"}, {"a", "k3", "7"}};
    for (const auto& [section, key, value] : writes) {
        write(section, key, value);
        ProfileStore fresh;
        for (const char* name : {"a", "b", "c", "d"}) {
            EXPECT_EQ(store.getSection(path, name), fresh.getSection(path, name)) << key << " " << name;
            std::string mine;
            std::string theirs;
            store.getKeyList(path, name, 1000, mine);
            fresh.getKeyList(path, name, 1000, theirs);
            EXPECT_EQ(mine, theirs);
        }
        EXPECT_EQ(read(section, key), value);
    }
    EXPECT_EQ(store.parseCount(), 2u) << "the file and the new section's write: every other write was done in place";
}

TEST_F(ProfileStoreTest, LeavesTheFileUntouchedWhenTheValueIsAlreadyHeld)
{
    writeFileBytes(path, "\xEF\xBB\xBF[init]\nMILES = 1200\n");
    EXPECT_EQ(read("init", "miles"), "1200");
    struct stat before { };
    ::stat(path.c_str(), &before);
    write("init", "miles", "1200");
    struct stat after { };
    ::stat(path.c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(bytes(), "\xEF\xBB\xBF[init]\nMILES = 1200\n");
}

TEST_F(ProfileStoreTest, ARefusedWriteIsReportedAndChangesNothing)
{
    writeFileBytes(path, "[a]\nx=1\n");
    ::chmod(path.c_str(), 0444);
    const auto result = store.writeString(path, "a", "x", "2");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Permission denied");
    EXPECT_EQ(bytes(), "[a]\nx=1\n");
    ::chmod(path.c_str(), 0644);
}

TEST_F(ProfileStoreTest, KeepsPermissionsAndWritesThroughASymbolicLink)
{
    TempDir elsewhere;
    const std::string target = elsewhere.file("real.dat");
    writeFileBytes(target, "[a]\nx=1\n");
    ::chmod(target.c_str(), 0640);
    ASSERT_EQ(::symlink(target.c_str(), path.c_str()), 0);
    write("a", "x", "2");
    struct stat link { };
    ASSERT_EQ(::lstat(path.c_str(), &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
    EXPECT_EQ(readFileBytes(target), "[a]\nx=2\n");
    struct stat info { };
    ::stat(target.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(ProfileStoreTest, ACrashBeforeTheRenameLeavesTheOldFileWhole)
{
    const std::string original = "[app]\r\nmiles=1000\r\n";
    writeFileBytes(path, original);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The writer dies between completing the temporary file and the rename.
        ProfileStore writer;
        writer.setBeforeRenameHook([] { ::_exit(0); });
        writer.writeString(path, "app", "miles", "2000");
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "the hook did not run";
    EXPECT_EQ(bytes(), original);
    EXPECT_EQ(read("app", "miles"), "1000");
    // And the next write still works.
    write("app", "miles", "2000");
    EXPECT_EQ(bytes(), "[app]\r\nmiles=2000\r\n");
}

TEST_F(ProfileStoreTest, SeesEveryChangeByAnotherProgramWhateverItsTimesSay)
{
    writeFileBytes(path, "[a]\nx=1\n");
    EXPECT_EQ(read("a", "x"), "1");
    const auto parses = store.parseCount();
    EXPECT_EQ(read("a", "x"), "1");
    write("a", "y", "2");
    EXPECT_EQ(read("a", "y"), "2");
    EXPECT_EQ(store.parseCount(), parses) << "an unchanged file, or our own write, is not parsed again";

    // Same size, same inode, and the old times put back, as coarse file times would leave them.
    struct stat before { };
    ::stat(path.c_str(), &before);
    const std::string other = "[a]\nx=3\ny=2\r\n";
    ASSERT_EQ(other.size(), bytes().size());
    writeFileBytes(path, other);
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    EXPECT_EQ(read("a", "x"), "3");
    write("a", "z", "4"); // and never written over
    EXPECT_EQ(bytes(), other + "z=4\r\n");

    const std::string renamed = dir.file("other.dat"); // replaced by a rename: a new inode
    writeFileBytes(renamed, "[a]\nx=44\n");
    ::rename(renamed.c_str(), path.c_str());
    EXPECT_EQ(read("a", "x"), "44");
    ::unlink(path.c_str());
    EXPECT_EQ(read("a", "x"), "DEF");
}

TEST_F(ProfileStoreTest, ATransactionReadsOneVersionAndStoresEverythingOnceOrNothing)
{
    writeFileBytes(path, "[a]\nx=1\n");
    store.begin(path);
    write("a", "x", "2");
    write("b", "y", "3");
    EXPECT_EQ(read("a", "x") + read("b", "y"), "23") << "the action's reads see its writes";
    EXPECT_EQ(bytes(), "[a]\nx=1\n") << "nothing reaches the file before the end";
    store.begin(path); // an inner action joins
    write("a", "x", "4");
    EXPECT_TRUE(store.end().ok);
    EXPECT_EQ(bytes(), "[a]\nx=1\n");
    EXPECT_TRUE(store.end().ok);
    EXPECT_EQ(bytes(), "[a]\nx=4\n[b]\r\ny=3\r\n");

    // Another program's change during the action stays, and nothing of the action is stored.
    store.begin(path);
    write("a", "x", "5");
    writeFileBytes(path, "[a]\nx=6\n");
    EXPECT_EQ(read("a", "x"), "5");
    EXPECT_EQ(store.end().error, "Another program changed the file while Wheelbook was working with it.");
    EXPECT_EQ(bytes(), "[a]\nx=6\n");
    // A refused write leaves nothing of its action either.
    store.begin(path);
    write("a", "x", "7");
    store.fail(path);
    EXPECT_TRUE(store.end().ok);
    EXPECT_EQ(bytes(), "[a]\nx=6\n");
    EXPECT_EQ(read("a", "x"), "6");
}

TEST_F(ProfileStoreTest, ListsAddsAndDeletesWholeSections)
{
    writeFileBytes(path, "\xEF\xBB\xBFtop=1\r\n[a]\r\nx=1\r\n\r\n[ B ]\r\n[]\r\n[A]\r\ny=2");
    std::string out;
    EXPECT_EQ(store.getSectionNames(path, 50000, out), 6u);
    EXPECT_EQ(out, std::string("a\0B\0A\0\0", 7)); // file order, every header, none unnamed
    EXPECT_EQ(store.getSectionNames(path, 5, out), 3u);
    EXPECT_EQ(out, std::string("a\0B\0\0", 5)); // cut as the key list is

    ASSERT_TRUE(store.addSection(path, "b").ok); // there already, in another case
    ASSERT_TRUE(store.addSection(path, " new ").ok);
    EXPECT_EQ(bytes(), "\xEF\xBB\xBFtop=1\r\n[a]\r\nx=1\r\n\r\n[ B ]\r\n[]\r\n[A]\r\ny=2\r\n[new]\r\n");
    ASSERT_TRUE(store.deleteSection(path, "A").ok); // the first of that name, up to the next header
    ASSERT_TRUE(store.deleteSection(path, "new").ok);
    ASSERT_TRUE(store.deleteSection(path, "missing").ok);
    EXPECT_EQ(bytes(), "\xEF\xBB\xBFtop=1\r\n[ B ]\r\n[]\r\n[A]\r\ny=2\r\n");
}

TEST_F(ProfileStoreTest, SectionChangesCreateAMissingFileAndAreRefusedLikeOtherWrites)
{
    ASSERT_TRUE(store.deleteSection(path, "a").ok);
    EXPECT_NE(::access(path.c_str(), F_OK), 0);
    ASSERT_TRUE(store.addSection(path, "a").ok);
    EXPECT_EQ(bytes(), "[a]\r\n");
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(store.addSection(path, "b").error, "Permission denied");
    EXPECT_EQ(store.deleteSection(path, "a").error, "Permission denied");
    EXPECT_EQ(bytes(), "[a]\r\n");
    ::chmod(path.c_str(), 0644);
}
