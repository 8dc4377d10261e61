#include "datafile/mINIFunctions.h"
#include "core/NumberedError.h"
#include "datafile/mGeneralFunctions.h"

#include "ScriptedPrompter.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace {

const std::string kSectionNotFoundText = "Section, init, Not Found. ~(KeyExists)\r\n"
                                         "Verify spelling and capitilization is correct.  Case-sensative.";

class IniTest : public ::testing::Test {
protected:
    IniTest() { ini.SetINIFile(path, 50000); }

    TempDir dir;
    std::string path = dir.file("cardata.dat");
    ScriptedPrompter prompter;
    ProfileStore store;
    mINIFunctions ini {prompter, store};
};

void expect670(const std::function<void()>& call, const std::string& description)
{
    try {
        call();
        ADD_FAILURE() << "no error raised";
    } catch (const NumberedError& e) {
        EXPECT_EQ(e.number(), 670);
        EXPECT_EQ(e.source(), "INIReadWrite");
        EXPECT_EQ(e.description(), description);
    }
}

} // namespace

TEST_F(IniTest, RaisesError670UntilTheFileIsSet)
{
    ScriptedPrompter quiet;
    ProfileStore otherStore;
    mINIFunctions fresh(quiet, otherStore);
    expect670([&] { fresh.ReadINI("a", "b", ""); }, "Buffer size not set");
    expect670([&] { fresh.WriteINI("a", "b", "c"); }, "Buffer size not set");
    expect670([&] { fresh.ReadINIKeys("a"); }, "Buffer size not set");
    expect670([&] { fresh.DeleteINIKey("a", "b"); }, "Buffer size not set");
    fresh.SetINIFile("", 50000);
    expect670([&] { fresh.ReadINI("a", "b", ""); }, "Filename not set");
    fresh.SetINIFile("", 0); // the buffer size is tested first
    expect670([&] { fresh.WriteINI("a", "b", "c"); }, "Buffer size not set");
}

TEST_F(IniTest, EncodesLineBreaksWithTheMarker)
{
    writeFileBytes(path, "[misc]\r\n");
    ini.WriteINI("misc", "note", "a\r\nb");
    EXPECT_EQ(readFileBytes(path), "[misc]\r\nnote=a%%&&Chr(13)&&%%b\r\n");
    EXPECT_EQ(ini.ReadINI("misc", "note", ""), "a\r\nb");
    // Only the pair is encoded, and the marker matches case exactly.
    EXPECT_EQ(ini.ReadINI("misc", "x", "p%%&&chr(13)&&%%q"), "p%%&&chr(13)&&%%q");
    EXPECT_EQ(ini.ReadINI("misc", "x", "p%%&&Chr(13)&&%%q"), "p\r\nq");
    // A lone line break or a NUL, in a value or a name, would break the file's lines: refused, file unchanged.
    for (const auto& [key, value] : std::initializer_list<std::pair<std::string, std::string>> {{"k", "a\nb"},
             {"k", "a\rb"}, {"k", std::string("a\0b", 3)}, {"k\n[x]", "1"}, {std::string("k\0", 2), "1"}}) {
        prompter.expect("Data Not Saved!", MsgAnswer::Ok,
            "Wheelbook could not save its data file " + path + ":\r\n\r\nThe entry " + key
                + " holds a line break or a NUL character, which the file cannot keep.\r\n\r\nThe file keeps its "
                  "previous content.");
        EXPECT_FALSE(ini.WriteINI("misc", key, value));
    }
    EXPECT_EQ(readFileBytes(path), "[misc]\r\nnote=a%%&&Chr(13)&&%%b\r\n");
}

TEST_F(IniTest, WritesNumbersAsPlainText)
{
    ini.WriteINI("n", "whole", -42);
    ini.WriteINI("n", "half", 12.5);
    ini.WriteINI("n", "three", 3.0);
    ini.WriteINI("n", "money", *Money::fromText("15.50"));
    EXPECT_EQ(readFileBytes(path), "[n]\r\nwhole=-42\r\nhalf=12.5\r\nthree=3\r\nmoney=15.5\r\n");
}

TEST_F(IniTest, ListsKeysJoinedByZeroOrNa)
{
    writeFileBytes(path, "[consumables]\r\nOil=100#5000\r\nAir Filter=0#15000\r\n[misc]\r\n");
    const std::string keys = ini.ReadINIKeys("consumables");
    EXPECT_EQ(keys, std::string("Oil\0Air Filter", 14));
    EXPECT_EQ(splitKeyList(keys), (std::vector<std::string> {"Oil", "Air Filter"}));
    EXPECT_EQ(ini.ReadINIKeys("misc"), "-na-");
    EXPECT_EQ(ini.ReadINIKeys("nothing"), "-na-");
    EXPECT_TRUE(splitKeyList("-na-").empty());
    // A section read in one pass gives what the key list and a read per key give, duplicates included.
    writeFileBytes(path, "[c]\r\nk=1\r\nbare\r\n;x=2\r\nK=3\r\nq=\" a \"\r\nbare=4\r\nn=a%%&&Chr(13)&&%%b\r\n");
    std::vector<std::pair<std::string, std::string>> oneByOne;
    for (const std::string& name : splitKeyList(ini.ReadINIKeys("c")))
        oneByOne.emplace_back(name, ini.ReadINI("c", name, ""));
    EXPECT_EQ(ini.ReadINISection("c"), oneByOne);
    EXPECT_EQ(oneByOne.size(), 5u);
    // A list longer than the buffer is not cut: 10,000 names of 14 characters, every one whole.
    std::string many = "[misc]\r\n";
    for (int i = 0; i < 10000; ++i)
        many += "Category " + std::to_string(10000 + i) + "=1\r\n";
    writeFileBytes(path, many);
    const std::vector<std::string> names = splitKeyList(ini.ReadINIKeys("misc"));
    ASSERT_EQ(names.size(), 10000u);
    EXPECT_EQ(names.back(), "Category 19999");
}

TEST_F(IniTest, TheScansMatchLinesExactlyWhereTheStoreMatchesLoosely)
{
    writeFileBytes(path,
        "[Init]\r\nmiles=5\r\n[consumables]\r\nOil Filter=1#2\r\n[other]\r\nOil=3#4\r\n"
        " [a]\r\n[b]\r\nk =1\r\n[misc]\r\nfuel=10\r\n");
    EXPECT_EQ(ini.ReadINI("init", "miles", ""), "5");
    EXPECT_EQ(ini.ReadINI("consumables", "oil filter", ""), "1#2");
    // Section and key as written, case and blanks included; a key ends its search at the next header.
    for (const auto& [section, key, found] :
        std::initializer_list<std::tuple<const char*, const char*, bool>> {{"Init", "", true}, {"init", "", false},
            {"a", "", false}, {"consumables", "Oil Filter", true}, {"consumables", "oil filter", false},
            {"consumables", "Oil", false}, {"other", "Oil", true}, {"b", "k", false}, {"b", "k ", true}}) {
        EXPECT_EQ(*key ? ini.KeyExists(path, section, key) : ini.SectionExists(path, section), found)
            << section << "/" << key;
    }
    // Deleting the last key of a section keeps its header for the scans.
    ini.DeleteINIKey("misc", " FUEL");
    EXPECT_TRUE(ini.SectionExists(path, "misc"));
    EXPECT_EQ(ini.ReadINIKeys("misc"), "-na-");
}

TEST_F(IniTest, KeyExistsReportsAMissingSectionOnce)
{
    writeFileBytes(path, "[app]\r\nmiles=1\r\n");
    prompter.expect("Section Not Found.", MsgAnswer::Ok, kSectionNotFoundText);
    EXPECT_FALSE(ini.KeyExists(path, "init", "miles"));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].icon, MsgIcon::Information);
}

TEST_F(IniTest, TheScansReportAMissingOrHiddenFile)
{
    const std::string missing = dir.file("gone.dat");
    prompter.expect("File Not Found", MsgAnswer::Ok, missing + " not found.");
    EXPECT_FALSE(ini.SectionExists(missing, "init"));
    EXPECT_EQ(prompter.messages().back().icon, MsgIcon::Critical);

    const std::string hidden = dir.file(".hidden.dat");
    writeFileBytes(hidden, "[init]\r\nmiles=1\r\n");
    EXPECT_TRUE(FileExists(hidden, prompter));
    prompter.expect("File Not Found", MsgAnswer::Ok, hidden + " not found.");
    EXPECT_FALSE(ini.KeyExists(hidden, "init", "miles"));
}

TEST_F(IniTest, ARefusedWriteIsShownAndTheFileKeepsItsContent)
{
    writeFileBytes(path, "[app]\r\nmiles=1000\r\n");
    ::chmod(path.c_str(), 0444);
    prompter.expect("Data Not Saved!", MsgAnswer::Ok,
        "Wheelbook could not save its data file " + path
            + ":\r\n\r\nPermission denied\r\n\r\nThe file keeps its previous content.");
    EXPECT_FALSE(ini.WriteINI("app", "miles", "2000"));
    EXPECT_EQ(prompter.messages().back().icon, MsgIcon::Critical);
    EXPECT_EQ(readFileBytes(path), "[app]\r\nmiles=1000\r\n");
}

TEST(GeneralFunctions, IsBlankRemovesOnlySpacesAndFileExistsIsForFilesOnly)
{
    EXPECT_TRUE(IsBlank("") && IsBlank("   "));
    EXPECT_FALSE(IsBlank("\t") || IsBlank(" 0 "));
    TempDir dir;
    ScriptedPrompter prompter;
    dir.write("f", "x");
    EXPECT_TRUE(FileExists(dir.file("f"), prompter));
    EXPECT_FALSE(FileExists(dir.file("g"), prompter) || FileExists(dir.path(), prompter)
        || FileExists(dir.file("f/inside"), prompter));
}

TEST(GeneralFunctions, FileExistsShowsAnErrorWhileLooking)
{
    TempDir dir;
    ScriptedPrompter prompter;
    prompter.expect("Error ! (Source : FileExists)");
    EXPECT_FALSE(FileExists(dir.file(std::string(5000, 'x')), prompter));
    EXPECT_EQ(prompter.messages().back().text.rfind("52 : \r\n\r\nBad file name or number", 0), 0u);
}

TEST(GeneralFunctions, ADataFileThatCannotBeReadSaysWhy)
{
    TempDir dir;
    ::chmod(dir.path().c_str(), 0755);
    const std::string path = dir.file("cardata.dat");
    writeFileBytes(path, "[init]\r\nmiles=5\r\n");
    EXPECT_EQ(DataFileProblem(path), std::nullopt);
    ::chmod(path.c_str(), 0);
    // Root reads it all the same: ask as somebody else.
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            ::_exit(2);
        ::_exit(DataFileProblem(path) == std::optional<std::string>("it can not be read: Permission denied") ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
