#include "RegistryTestSupport.h"

#include "registry/AutostartEntry.h"

#include <filesystem>
#include <sys/stat.h>

namespace {

const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class RunKeyTest : public RegistryTest {
protected:
    // The start-at-log-in entry as the settings write it.
    cRegistry startup(const std::string& name = "Wheelbook")
    {
        cRegistry reg(*store);
        reg.setClassKey(RegistryStore::HKeyCurrentUser);
        reg.setSectionKey(kRun);
        reg.setValueKey(name);
        reg.setValueType(1);
        return reg;
    }

    std::vector<std::string> autostartFolder() const
    {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path() + "/autostart", error))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::vector<std::string> runValues()
    {
        std::vector<std::string> names;
        std::int32_t count = 0;
        startup().EnumerateValues(names, count);
        EXPECT_EQ(count, static_cast<std::int32_t>(names.size()));
        return names;
    }
};

bool hasLine(const std::string& file, const std::string& line)
{
    return ("\n" + readFileBytes(file)).find("\n" + line + "\n") != std::string::npos;
}

TEST_F(RunKeyTest, TheEntryAppearsChangesWithTheTrayChoiceAndDisappears)
{
    const std::string file = autostartFile("Wheelbook.desktop");
    const std::string program = "\"/opt/Wheel book/wheelbook\"";

    startup().setValue(program);
    EXPECT_TRUE(hasLine(file, "[Desktop Entry]"));
    EXPECT_TRUE(hasLine(file, "Type=Application"));
    EXPECT_TRUE(hasLine(file, "Name=Wheelbook"));
    EXPECT_TRUE(hasLine(file, "Exec=\"/opt/Wheel book/wheelbook\""));
    EXPECT_EQ(startup().Value(), RegistryValue(program));

    startup().setValue(program + " /s");
    EXPECT_TRUE(hasLine(file, "Exec=\"/opt/Wheel book/wheelbook\" /s"));
    EXPECT_EQ(startup().Value(), RegistryValue(program + " /s"));
    EXPECT_EQ(autostartFolder(), std::vector<std::string> {"Wheelbook.desktop"}) << "no temporary file is left";

    // The value lives in the autostart folder only.
    EXPECT_EQ(readFileBytes(FileRegistryStore::defaultFilePath()).find("Wheelbook 1"), std::string::npos);

    // Removal as the settings do it: the empty text first, then the delete; twice in a row.
    for (int round = 0; round < 2; ++round) {
        auto reg = startup();
        reg.setValue(std::string());
        EXPECT_TRUE(hasLine(file, "Hidden=true")) << "an entry with no command runs nothing";
        EXPECT_TRUE(reg.DeleteValue());
        EXPECT_TRUE(autostartFolder().empty());
    }
}

TEST_F(RunKeyTest, EnumerationListsEveryRunnableEntry)
{
    EXPECT_TRUE(runValues().empty());
    startup().setValue(std::string("\"/opt/wb/wheelbook\""));
    writeFileBytes(autostartFile("other.desktop"), "[Desktop Entry]\nType=Application\nExec=other-app --quiet\n");
    writeFileBytes(autostartFile("disabled.desktop"), "[Desktop Entry]\nHidden=true\nExec=disabled\n");
    writeFileBytes(autostartFile("notes.txt"), "not an entry\n");
    EXPECT_EQ(runValues(), (std::vector<std::string> {"Wheelbook", "other"}));
    EXPECT_EQ(startup("OTHER").Value(), RegistryValue(std::string("\"other-app\" --quiet")));

    // The Run key and those above it always exist; the Run key cannot be deleted.
    cRegistry reg = startup();
    EXPECT_TRUE(reg.KeyExists());
    reg.setSectionKey("Software\\Microsoft\\Windows\\CurrentVersion");
    std::vector<std::string> sections;
    std::int32_t count = 0;
    EXPECT_TRUE(reg.EnumerateSections(sections, count));
    EXPECT_EQ(sections, std::vector<std::string> {"Run"});
    reg.setSectionKey(kRun);
    expectRegistryError([&] { reg.DeleteKey(); },
        "Failed to delete registry Key: '-2147483647',Section: 'Software\\Microsoft\\Windows\\CurrentVersion\\Run");
}

TEST_F(RunKeyTest, NamesAreMatchedWithoutCaseAndKeptSafeAsFileNames)
{
    startup("Wheelbook").setValue(std::string("\"/a\""));
    startup("WHEELBOOK").setValue(std::string("\"/b\""));
    EXPECT_EQ(autostartFolder(), std::vector<std::string> {"Wheelbook.desktop"});
    EXPECT_EQ(startup("wheelbook").Value(), RegistryValue(std::string("\"/b\"")));

    startup("../escape/50%").setValue(std::string("\"/c\""));
    EXPECT_TRUE(std::filesystem::exists(autostartFile("%2E.%2Fescape%2F50%25.desktop")));
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "/escape"));
    EXPECT_EQ(runValues(), (std::vector<std::string> {"../escape/50%", "Wheelbook"}));
    EXPECT_TRUE(startup("../escape/50%").DeleteValue());
}

TEST_F(RunKeyTest, OtherKindsOfValuesStayInTheRegistryFile)
{
    auto number = startup("Delay");
    number.setValueType(4);
    number.setValue(std::int32_t {30});
    auto unnamed = startup("");
    unnamed.setValue(std::string("default"));
    EXPECT_TRUE(autostartFolder().empty());
    EXPECT_EQ(runValues(), (std::vector<std::string> {"Delay", ""}));

    // A text under a name that held a number replaces it, and the other way round.
    startup("Delay").setValue(std::string("\"/opt/delay\""));
    EXPECT_EQ(autostartFolder(), std::vector<std::string> {"Delay.desktop"});
    EXPECT_EQ(runValues(), (std::vector<std::string> {"", "Delay"}));
    number.setValue(std::int32_t {31});
    EXPECT_TRUE(autostartFolder().empty());
    EXPECT_EQ(number.Value(), RegistryValue(std::int32_t {31}));
}

TEST_F(RunKeyTest, AnExpandableCommandRunsExpanded)
{
    ::setenv("WHEELBOOK_TEST_BIN", "/usr/local/bin", 1);
    auto reg = startup();
    reg.setValue(std::string("\"%WHEELBOOK_TEST_BIN%/wheelbook\" /s"));
    EXPECT_TRUE(hasLine(autostartFile("Wheelbook.desktop"), "Exec=/usr/local/bin/wheelbook /s"));
    EXPECT_EQ(stored(RegistryStore::HKeyCurrentUser, kRun, "Wheelbook")->type, 2u);
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("\"/usr/local/bin/wheelbook\" /s")));
}

TEST_F(RunKeyTest, RefusedWritesAndDeletesAreReported)
{
    // Something that is not a folder where the autostart folder belongs.
    writeFileBytes(dir.path() + "/autostart", "");
    expectRegistryError([&] { startup().setValue(std::string("\"/opt/wb/wheelbook\" /s")); },
        "Failed to set registry value Key: '-2147483647',Section: "
        "'Software\\Microsoft\\Windows\\CurrentVersion\\Run',Key: 'Wheelbook' to value: '\"/opt/wb/wheelbook\" /s'");
    std::filesystem::remove(dir.path() + "/autostart");

    startup().setValue(std::string("\"/opt/wb/wheelbook\""));
    const std::string file = autostartFile("Wheelbook.desktop");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    expectRegistryError([&] { startup().setValue(std::string("\"/opt/wb/wheelbook\" /s")); },
        "Failed to set registry value Key: '-2147483647',Section: "
        "'Software\\Microsoft\\Windows\\CurrentVersion\\Run',Key: 'Wheelbook' to value: '\"/opt/wb/wheelbook\" /s'");
    expectRegistryError([&] { startup().DeleteValue(); },
        "Failed to delete registry Key: '-2147483647',Section: "
        "'Software\\Microsoft\\Windows\\CurrentVersion\\Run',Key: "
        "'Wheelbook");
    EXPECT_TRUE(hasLine(file, "Exec=/opt/wb/wheelbook"));
}

TEST_F(RunKeyTest, CreateWinStartupWritesOnlyForAnExistingProgram)
{
    cRegistry reg(*store);
    reg.CreateWinStartup("Ghost", dir.path() + "/no-such-program");
    EXPECT_TRUE(autostartFolder().empty());
    EXPECT_EQ(reg.ClassKey(), 0);

    const std::string program = dir.path() + "/program";
    writeFileBytes(program, "");
    reg.CreateWinStartup("Wheelbook", program);
    EXPECT_FALSE(reg.LastError());
    EXPECT_TRUE(hasLine(autostartFile("Wheelbook.desktop"), "Exec=" + program));

    reg.CreateWinStartup("Wheelbook", program, true);
    EXPECT_FALSE(reg.LastError());
    EXPECT_TRUE(autostartFolder().empty());

    // A failure does not escape: it is left for the caller to read.
    EXPECT_NO_THROW(reg.CreateWinStartup("Wheelbook", program, true));
    ASSERT_TRUE(reg.LastError());
    EXPECT_EQ(reg.LastError()->number(), 26001);
    EXPECT_EQ(reg.LastError()->description(),
        "Failed to delete registry Key: '-2147483647',Section: "
        "'Software\\Microsoft\\Windows\\CurrentVersion\\Run',Key: "
        "'Wheelbook");
}

TEST(AutostartEntry, ExecLinesAreQuotedAndEscaped)
{
    EXPECT_EQ(AutostartEntry::execValue("\"/usr/bin/wheelbook\" /s"), "/usr/bin/wheelbook /s");
    EXPECT_EQ(AutostartEntry::execValue("\"/home/me/My Apps/wheelbook\""), "\"/home/me/My Apps/wheelbook\"");
    // $, ` and \ are escaped inside quotes, then every \ once more for the string; % is doubled.
    EXPECT_EQ(AutostartEntry::execValue("\"/opt/a$b\\c/100%\" /s"), "\"/opt/a\\\\$b\\\\\\\\c/100%%\" /s");
    EXPECT_EQ(AutostartEntry::commandOfExec("\"/opt/a\\\\$b\\\\\\\\c/100%%\" /s"), "\"/opt/a$b\\c/100%\" /s");
    // Field codes run as nothing at log-in.
    EXPECT_EQ(AutostartEntry::commandOfExec("app %U --flag"), "\"app\" --flag");
    EXPECT_EQ(AutostartEntry::commandOfExec(AutostartEntry::execValue("\"/x y/z\" \"two words\" ''")),
        "\"/x y/z\" \"two words\" ''");
}

} // namespace
