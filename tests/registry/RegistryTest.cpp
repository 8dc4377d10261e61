#include "core/NumberedError.h"
#include "registry/FileRegistryStore.h"
#include "registry/RunKeyStartupRegistry.h"
#include "registry/cRegistry.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <sys/stat.h>

namespace {

using Stored = std::pair<std::uint32_t, std::string>;
using Names = std::vector<std::string>;
const std::int32_t HKCU = RegistryStore::HKeyCurrentUser;
const std::string kSection = "Software\\Wheelbook\\Test";
const std::string kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kEntry = "[Desktop Entry]\nType=Application\n";

void expectRegistryError(const std::function<void()>& call, const std::string& description)
{
    try {
        call();
        ADD_FAILURE() << "no error raised; expected: " << description;
    } catch (const NumberedError& e) {
        EXPECT_EQ(std::pair(e.number(), e.source()), std::pair(26001L, std::string("Wheelbook.cRegistry")));
        EXPECT_EQ(e.description(), description);
    }
}

// The registry class over a file store under a temporary XDG_CONFIG_HOME, the way the
// program finds its own.
class RegistryTest : public ::testing::Test {
protected:
    ~RegistryTest() override { ::unsetenv("XDG_CONFIG_HOME"); }

    cRegistry at(const std::string& section, const std::string& valueKey, std::int32_t valueType)
    {
        cRegistry reg(store);
        reg.setClassKey(HKCU);
        reg.setSectionKey(section);
        reg.setValueKey(valueKey);
        reg.setValueType(valueType);
        return reg;
    }

    // The type and bytes the store holds, or nothing.
    std::optional<Stored> stored(const std::string& name, std::int32_t root = HKCU, const std::string& path = kSection)
    {
        std::unique_ptr<RegistryKey> key;
        Stored value;
        store.openKey({}, root, path, RegistryStore::KeyQueryValue, key);
        return key && key->queryValue(name, value.first, value.second) == 0 ? std::optional(value) : std::nullopt;
    }

    std::string entry(const std::string& fileName) const { return readFileBytes(dir.file("autostart/" + fileName)); }
    Names entries() const
    {
        Names names;
        for (const auto& file : std::filesystem::directory_iterator(dir.file("autostart")))
            names.push_back(file.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir dir;
    const std::string file = (::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1), FileRegistryStore::defaultFilePath());
    FileRegistryStore store {file};
};

TEST_F(RegistryTest, TextsKeepTheirTerminatorAndAreExpandableWhenTwoPercentSignsStandApart)
{
    for (const auto& [valueType, text, type] :
        std::vector<std::tuple<int, std::string, std::uint32_t>> {{1, "seventeen chars!!", 1}, {1, "%HOME%\\bin", 2},
            {1, "%a%", 2}, {1, "100%% sure", 1}, {1, "50% off", 1}, {2, "no signs", 1}}) {
        at(kSection, "v", valueType).setValue(text);
        EXPECT_EQ(stored("v"), Stored(type, text + '\0')) << text;
    }

    // Reading sets the type found and expands known names only.
    ::setenv("WHEELBOOK_TEST_DIR", "/opt/wb", 1);
    auto reg = at(kSection, "v", 1);
    reg.setValue(std::string("%WHEELBOOK_TEST_DIR%/bin:%WHEELBOOK_UNSET_NAME%"));
    reg.setValueType(0);
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("/opt/wb/bin:%WHEELBOOK_UNSET_NAME%")));
    EXPECT_EQ(reg.ValueType(), 2);
}

TEST_F(RegistryTest, WholeNumbersAreStoredLittleEndianBytesAsBytesAndNothingElse)
{
    for (const auto& [valueType, value, bytes] : std::vector<std::tuple<int, RegistryValue, std::optional<Stored>>> {
             {4, 3.5, {}}, {0, std::string("x"), {}}, {5, std::int32_t {258}, Stored(4, {"\x02\x01\0\0", 4})},
             {3, std::vector<std::uint8_t> {0, 1, 254, 255}, Stored(3, {"\0\x01\xFE\xFF", 4})}}) {
        auto reg = at(kSection, std::to_string(valueType), valueType);
        EXPECT_NO_THROW(reg.setValue(value));
        EXPECT_EQ(stored(std::to_string(valueType)), bytes);
        EXPECT_EQ(reg.Value(), bytes ? value : RegistryValue());
    }
    expectRegistryError([&] { at(kSection, "NotBytes", 3).setValue(std::string("01")); },
        "Application-defined or object-defined error");

    // A big-endian value that another program wrote reads in the right order.
    std::unique_ptr<RegistryKey> key;
    store.openKey({}, HKCU, kSection, RegistryStore::KeyAllUserAccess, key);
    ASSERT_EQ(key->setValue("Network", 5, std::string("\0\0\x01\x02", 4)), RegistryStore::StatusOk);
    auto network = at(kSection, "Network", 0);
    EXPECT_EQ(network.Value(), RegistryValue(std::int32_t {258}));
    EXPECT_EQ(network.ValueType(), 5);
}

TEST_F(RegistryTest, DeletesAndFailuresRaiseTheirMessages)
{
    auto reg = at(kSection, "Wheelbook", 1);
    reg.setValue(std::string());
    EXPECT_EQ(stored("Wheelbook"), Stored(1, std::string(1, '\0')));
    EXPECT_TRUE(reg.DeleteValue());
    EXPECT_FALSE(stored("Wheelbook"));
    expectRegistryError([&] { reg.DeleteValue(); },
        "Failed to delete registry Key: '-2147483647',Section: 'Software\\Wheelbook\\Test',Key: 'Wheelbook");
    reg.setSectionKey("Software\\Nowhere");
    expectRegistryError(
        [&] { reg.DeleteValue(); }, "Failed to open key '-2147483647',Section: 'Software\\Nowhere' for delete access");
    reg.setClassKey(0);
    expectRegistryError([&] { reg.CreateKey(); }, "Failed to create registry Key: 'Software\\Nowhere");
    expectRegistryError([&] { reg.setValue(std::string("x")); },
        "Failed to set registry value Key: '0',Section: 'Software\\Nowhere',Key: 'Wheelbook' to value: 'x'");

    // No other computer is reachable from the file store.
    for (const auto& [given, kept] : std::vector<std::pair<std::string, std::string>> {
             {"ab", ""}, {"server", "\\\\server"}, {"\\\\server", "\\\\server"}}) {
        reg.setMachine(given);
        EXPECT_EQ(reg.Machine(), kept);
    }
    EXPECT_EQ(reg.ValueEx(HKCU, kSection, "Remote", 1, std::string("d")), RegistryValue(std::string("d")));
    expectRegistryError([&] { reg.setValue(std::string("v")); },
        "Failed to set registry value Key: '-2147483647',Section: 'Software\\Wheelbook\\Test',Key: 'Remote' to value: "
        "'v'");
    EXPECT_FALSE(reg.KeyExists());
}

TEST_F(RegistryTest, KeysAreMadeListedInOrderKeptInOneIniFileAndDeleted)
{
    auto reg = at(kSection, "", 1);
    const auto list = [&](bool sections) {
        Names names {"stale"};
        std::int32_t count = 7;
        EXPECT_TRUE(sections ? reg.EnumerateSections(names, count) : reg.EnumerateValues(names, count));
        return std::pair(names, count);
    };
    EXPECT_EQ(list(true), std::pair(Names {}, 0));
    EXPECT_EQ(list(false), std::pair(Names {}, 0));

    for (const char* child : {"Zulu", "a b", "Mike"}) {
        reg.setSectionKey(kSection + "\\" + child);
        reg.CreateKey();
    }
    reg.setSectionKey(kSection);
    EXPECT_EQ(list(true), std::pair(Names {"Zulu", "a b", "Mike"}, 3));
    // Names of any kind; rewriting one, in any case, keeps its place.
    for (const char* name : {"x=y", "", "@", ";[z]", "X=Y"}) {
        reg.setValueKey(name);
        reg.setValue(std::string(" 50% ") + name);
    }
    EXPECT_EQ(list(false), std::pair(Names {"x=y", "", "@", ";[z]"}, 4));

    expectRegistryError(
        [&] { reg.DeleteKey(); }, "Failed to delete registry Key: '-2147483647',Section: 'Software\\Wheelbook\\Test");
    reg.setSectionKey("software\\WHEELBOOK\\test\\zulu");
    EXPECT_TRUE(reg.DeleteKey());
    expectRegistryError([&] { reg.DeleteKey(); },
        "Failed to delete registry Key: '-2147483647',Section: 'software\\WHEELBOOK\\test\\zulu");
    EXPECT_EQ(readFileBytes(file),
        "[HKEY_CURRENT_USER\\Software]\r\n[HKEY_CURRENT_USER\\Software\\Wheelbook]\r\n"
        "[HKEY_CURRENT_USER\\Software\\Wheelbook\\Test]\r\nx%3Dy=1:%2050%25%20X=Y%00\r\n@=1:%2050%25%20%00\r\n"
        "%40=1:%2050%25%20@%00\r\n%3B%5Bz%5D=1:%2050%25%20;[z]%00\r\n"
        "[HKEY_CURRENT_USER\\Software\\Wheelbook\\Test\\a%20b]\r\n[HKEY_CURRENT_USER\\Software\\Wheelbook\\Test\\Mike]"
        "\r\n");
    FileRegistryStore again(file);
    EXPECT_EQ(cRegistry(again).ValueEx(HKCU, kSection, "@", 0, {}), RegistryValue(std::string(" 50% @")));
}

TEST_F(RegistryTest, TheFileFollowsXdgConfigHomeReadsAnyContentAndIsNeverOverwrittenUnread)
{
    EXPECT_EQ(file, dir.path() + "/wheelbook/registry.ini");
    EXPECT_EQ(FileRegistryStore::defaultAutostartFolder(), dir.path() + "/autostart");
    const std::string garbage = std::string("\0\xFF=\n[HKEY_CURRENT_USER\\Software\\Wheelbook\\Test]\nv=1:%zz\n", 56);
    auto reg = cRegistry(store);
    reg.setValueEx(HKCU, kSection, "w", 1, {}, std::string("w"));
    struct stat info { };
    EXPECT_EQ(::stat(dir.file("wheelbook").c_str(), &info) == 0 ? info.st_mode & 0777 : 0, 0700u) << "private";
    writeFileBytes(file, garbage + "w=x:1\n[");
    EXPECT_EQ(reg.ValueEx(HKCU, kSection, "v", 1, {}), RegistryValue(std::string("%zz")));
    EXPECT_EQ(reg.ValueEx(HKCU, kSection, "w", 1, std::string("d")), RegistryValue(std::string("d")));
    reg.setValue(std::string("x"));
    EXPECT_EQ(readFileBytes(file),
        garbage + "w=1:x%00\n[\r\n[HKEY_CURRENT_USER\\Software]\r\n[HKEY_CURRENT_USER\\Software\\Wheelbook]\r\n");

    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("d")));
    expectRegistryError([&] { reg.setValue(std::string("y")); },
        "Failed to set registry value Key: '-2147483647',Section: 'Software\\Wheelbook\\Test',Key: 'w' to value: 'y'");
    EXPECT_TRUE(std::filesystem::is_empty(file));

    ::setenv("XDG_CONFIG_HOME", "relative/config", 1); // ignored
    const char* home = std::getenv("HOME");
    EXPECT_EQ(FileRegistryStore::defaultFilePath(), std::string(home ? home : "") + "/.config/wheelbook/registry.ini");
}

TEST_F(RegistryTest, TheRunEntryIsAlsoAnAutostartFileThatFollowsTheTrayChoice)
{
    RunKeyStartupRegistry startup(store);
    const std::string program = "\"/opt/Wheel book/wheelbook\"";
    const std::string head = kEntry + "Name=Wheelbook\n";
    startup.setRunValue("Wheelbook", program);
    EXPECT_EQ(entry("Wheelbook.desktop"), head + "Exec=\"/opt/Wheel book/wheelbook\"\n");
    startup.setRunValue("WHEELBOOK", program + " /s");
    EXPECT_EQ(entry("Wheelbook.desktop"), head + "Exec=\"/opt/Wheel book/wheelbook\" /s\n");
    EXPECT_EQ(entries(), Names {"Wheelbook.desktop"});
    // The same entry again writes nothing, neither the registry file nor the entry.
    struct stat before { };
    struct stat ini { };
    ::stat(dir.file("autostart/Wheelbook.desktop").c_str(), &before);
    ::stat(file.c_str(), &ini);
    startup.setRunValue("Wheelbook", program + " /s");
    struct stat after { };
    ::stat(dir.file("autostart/Wheelbook.desktop").c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    ::stat(file.c_str(), &after);
    EXPECT_EQ(after.st_ino, ini.st_ino);

    // The registry file is what is read back.
    std::filesystem::remove(dir.file("autostart/Wheelbook.desktop"));
    EXPECT_EQ(at(kRun, "wheelbook", 1).Value(), RegistryValue(program + " /s"));
    auto reg = at(kRun, "Wheelbook", 1);
    reg.setValue(std::string());
    EXPECT_EQ(entry("Wheelbook.desktop"), head + "Hidden=true\n");
    writeFileBytes(dir.file("autostart/Stale.desktop"), kEntry); // an entry the registry file never held goes too
    startup.deleteRunValue("Stale");
    for (int round = 0; round < 2; ++round) { // gone already is no failure
        startup.deleteRunValue("Wheelbook");
        EXPECT_EQ(std::pair(entries(), stored("Wheelbook", HKCU, kRun)), std::pair(Names {}, std::optional<Stored>()));
    }
    startup.setRunValue("Wheelbook", program);
    reg.setValueType(4);
    reg.setValue(std::int32_t {1});
    EXPECT_EQ(entries(), Names {}) << "a number runs nothing";

    // The registry class's own log-in entry keeps its failure instead of throwing it.
    writeFileBytes(dir.file("program"), "");
    reg.CreateWinStartup("App", dir.file("program"));
    EXPECT_EQ(entries(), Names {"App.desktop"});
    reg.CreateWinStartup("App", dir.file("program"), true);
    reg.CreateWinStartup("App", dir.file("program"), true);
    EXPECT_EQ(reg.LastError()->description(),
        "Failed to delete registry Key: '-2147483647',Section: '" + kRun + "',Key: 'App");
}

TEST_F(RegistryTest, AutostartFileNamesAndExecLinesAreEscaped)
{
    ::setenv("WHEELBOOK_TEST_BIN", "/usr/local/bin", 1);
    for (const auto& [name, command, fileName, lines] :
        std::vector<std::array<std::string, 4>> {{"../up/50%", "\"/opt/a$b\\c/100%\" /s", "%2E.%2Fup%2F50%25.desktop",
                                                     "Name=../up/50%\nExec=\"/opt/a\\\\$b\\\\\\\\c/100%%\" /s\n"},
            {" Tab\tName", "\"/x y/z\" \"two words\" \"\"", " Tab%09Name.desktop",
                "Name=\\sTab\\tName\nExec=\"/x y/z\" \"two words\" \"\"\n"},
            {"Expand", "\"%WHEELBOOK_TEST_BIN%/wb\"", "Expand.desktop", "Name=Expand\nExec=/usr/local/bin/wb\n"}}) {
        at(kRun, name, 1).setValue(command);
        EXPECT_EQ(entry(fileName), kEntry + lines) << name;
    }
}

TEST_F(RegistryTest, ARefusedWriteOrDeleteIsRaised)
{
    RunKeyStartupRegistry startup(store);
    const std::string failed
        = "Failed to set registry value Key: '-2147483647',Section: '" + kRun + "',Key: 'Wheelbook' to value: '/wb'";
    writeFileBytes(dir.file("autostart"), ""); // not a folder
    expectRegistryError([&] { startup.setRunValue("Wheelbook", "/wb"); }, failed);
    std::filesystem::remove(dir.file("autostart"));
    startup.setRunValue("Wheelbook", "/old");
    ASSERT_EQ(::chmod(dir.file("autostart/Wheelbook.desktop").c_str(), 0444), 0);
    expectRegistryError([&] { startup.setRunValue("Wheelbook", "/wb"); }, failed);

    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    expectRegistryError([&] { startup.setRunValue("Wheelbook", "/wb"); }, failed);
    expectRegistryError([&] { at(kRun, "Wheelbook", 1).DeleteValue(); },
        "Failed to delete registry Key: '-2147483647',Section: '" + kRun + "',Key: 'Wheelbook");
    EXPECT_EQ(entry("Wheelbook.desktop"), kEntry + "Name=Wheelbook\nExec=/old\n");
}

TEST_F(RegistryTest, AFileTypeIsRegisteredUnderBothClassRoots)
{
    cRegistry reg(store);
    reg.CreateEXEAssociation(" /opt/wb ", "Wb.Data", "Data", "wbk", "", true, "", true, "Make one", true, "", 2);
    reg.CreateAdditionalEXEAssociations("Wb.Data", {std::string("edit"), std::string("&Edit"), std::string("wb /e")});
    for (const auto& [path, value] : std::vector<std::pair<std::string, std::string>> {{".wbk", "Wb.Data"},
             {"Wb.Data\\shell\\print\\command", "\"/opt/wb\" /p \"%1\""}, {"Wb.Data\\shell\\add", "&Install wbk"},
             {"Wb.Data\\DefaultIcon", "\"/opt/wb\",2"}, {"Wb.Data\\shell\\edit\\command", "wb /e"}}) {
        EXPECT_EQ(stored("", RegistryStore::HKeyClassesRoot, path), Stored(1, value + '\0')) << path;
        EXPECT_EQ(stored("", RegistryStore::HKeyLocalMachine, "SOFTWARE\\Classes\\" + path), Stored(1, value + '\0'));
    }
}

} // namespace
