#include "RegistryTestSupport.h"

#include <sys/stat.h>

namespace {

const std::int32_t HKCU = RegistryStore::HKeyCurrentUser;
const std::int32_t HKCR = RegistryStore::HKeyClassesRoot;
const std::int32_t HKLM = RegistryStore::HKeyLocalMachine;
const std::string kSection = "Software\\Wheelbook\\Test";

std::string text(const char* bytes, std::size_t size)
{
    return std::string(bytes, size);
}

class cRegistryTest : public RegistryTest {
protected:
    cRegistry at(const std::string& valueKey, std::int32_t valueType)
    {
        cRegistry reg(*store);
        reg.setClassKey(HKCU);
        reg.setSectionKey(kSection);
        reg.setValueKey(valueKey);
        reg.setValueType(valueType);
        return reg;
    }
};

TEST_F(cRegistryTest, DefaultFilesFollowXdgConfigHome)
{
    EXPECT_EQ(FileRegistryStore::defaultFilePath(), dir.path() + "/wheelbook/registry.dat");
    EXPECT_EQ(FileRegistryStore::defaultAutostartFolder(), dir.path() + "/autostart");

    at("Name", 1).setValue(std::string("x"));
    struct stat info { };
    ASSERT_EQ(::stat((dir.path() + "/wheelbook/registry.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0077, 0u) << "the registry file is private";

    // A relative XDG_CONFIG_HOME is ignored.
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    const char* home = std::getenv("HOME");
    if (home && *home) {
        EXPECT_EQ(FileRegistryStore::defaultFilePath(), std::string(home) + "/.config/wheelbook/registry.dat");
    }
}

TEST_F(cRegistryTest, TextValuesKeepTheirTerminatorAndReadBack)
{
    auto reg = at("Seventeen", 1);
    reg.setValue(std::string("seventeen chars!!"));
    const auto value = stored(HKCU, kSection, "Seventeen");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, 1u);
    EXPECT_EQ(value->data, text("seventeen chars!!\0", 18));

    reg.setValueType(0);
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("seventeen chars!!")));
    EXPECT_EQ(reg.ValueType(), 1);

    // Whole and decimal numbers written as text are taken as their digits.
    reg.setValueType(1);
    reg.setValue(std::int32_t {-42});
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("-42")));
    reg.setValue(2.5);
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("2.5")));
}

TEST_F(cRegistryTest, TwoPercentSignsApartMakeAnExpandableText)
{
    at("Spread", 1).setValue(std::string("%HOME%\\bin"));
    at("Adjacent", 1).setValue(std::string("100%% sure"));
    at("OnlyOne", 1).setValue(std::string("50% off"));
    at("Plain", 2).setValue(std::string("no signs"));
    at("NearMiss", 1).setValue(std::string("%a%"));
    EXPECT_EQ(stored(HKCU, kSection, "Spread")->type, 2u);
    EXPECT_EQ(stored(HKCU, kSection, "Adjacent")->type, 1u);
    EXPECT_EQ(stored(HKCU, kSection, "OnlyOne")->type, 1u);
    EXPECT_EQ(stored(HKCU, kSection, "Plain")->type, 1u);
    EXPECT_EQ(stored(HKCU, kSection, "NearMiss")->type, 2u);

    // Reading an expandable text expands known names and keeps unknown ones.
    ::setenv("WHEELBOOK_TEST_DIR", "/opt/wb", 1);
    ::unsetenv("WHEELBOOK_UNSET_NAME");
    auto reg = at("Expand", 2);
    reg.setValue(std::string("%WHEELBOOK_TEST_DIR%/bin:%WHEELBOOK_UNSET_NAME%"));
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("/opt/wb/bin:%WHEELBOOK_UNSET_NAME%")));
    EXPECT_EQ(reg.ValueType(), 2);
}

TEST_F(cRegistryTest, EmptyTextThenDeleteAndTheDeleteErrors)
{
    auto reg = at("Wheelbook", 1);
    reg.setValue(std::string());
    EXPECT_EQ(stored(HKCU, kSection, "Wheelbook")->data, text("\0", 1));
    EXPECT_TRUE(reg.DeleteValue());
    EXPECT_FALSE(stored(HKCU, kSection, "Wheelbook"));

    expectRegistryError([&] { reg.DeleteValue(); },
        "Failed to delete registry Key: '-2147483647',Section: 'Software\\Wheelbook\\Test',Key: 'Wheelbook");

    reg.setSectionKey("Software\\Nowhere");
    expectRegistryError(
        [&] { reg.DeleteValue(); }, "Failed to open key '-2147483647',Section: 'Software\\Nowhere' for delete access");
}

TEST_F(cRegistryTest, NumbersAreStoredLittleEndianOnlyWhenWhole)
{
    auto half = at("Half", 4);
    EXPECT_NO_THROW(half.setValue(3.5));
    EXPECT_FALSE(stored(HKCU, kSection, "Half"));
    EXPECT_NO_THROW(at("Text", 4).setValue(std::string("7")));
    EXPECT_FALSE(stored(HKCU, kSection, "Text"));

    auto big = at("BigEndian", 5);
    big.setValue(std::int32_t {258});
    const auto value = stored(HKCU, kSection, "BigEndian");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, 4u);
    EXPECT_EQ(value->data, text("\x02\x01\x00\x00", 4));
    EXPECT_EQ(big.Value(), RegistryValue(std::int32_t {258}));
    EXPECT_EQ(big.ValueType(), 4);

    at("Small", 4).setValue(std::int16_t {-1});
    EXPECT_EQ(stored(HKCU, kSection, "Small")->data, text("\xFF\xFF\xFF\xFF", 4));

    // A big-endian value written by someone else reads back in the right order.
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(store->openKey({}, HKCU, kSection, RegistryStore::KeyAllUserAccess, key), RegistryStore::StatusOk);
    ASSERT_EQ(key->setValue("Network", 5, text("\x00\x00\x01\x02", 4)), RegistryStore::StatusOk);
    auto network = at("Network", 0);
    EXPECT_EQ(network.Value(), RegistryValue(std::int32_t {258}));
    EXPECT_EQ(network.ValueType(), 5);
}

TEST_F(cRegistryTest, BinaryTakesOnlyBytesAndOtherTypesStoreNothing)
{
    const std::vector<std::uint8_t> bytes {0, 1, 254, 255};
    auto binary = at("Blob", 3);
    binary.setValue(bytes);
    EXPECT_EQ(stored(HKCU, kSection, "Blob")->type, 3u);
    EXPECT_EQ(binary.Value(), RegistryValue(bytes));

    expectRegistryError(
        [&] { at("NotBytes", 3).setValue(std::string("0102")); }, "Application-defined or object-defined error");
    EXPECT_FALSE(stored(HKCU, kSection, "NotBytes"));

    EXPECT_NO_THROW(at("TypeNone", 0).setValue(std::string("x")));
    EXPECT_NO_THROW(at("TypeLink", 6).setValue(std::string("x")));
    EXPECT_FALSE(stored(HKCU, kSection, "TypeNone"));
    EXPECT_FALSE(stored(HKCU, kSection, "TypeLink"));
}

TEST_F(cRegistryTest, ReadingWhatIsNotThereGivesTheDefault)
{
    auto reg = at("Missing", 1);
    reg.setDefault(std::string("fallback"));
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("fallback")));
    reg.setSectionKey("Software\\No\\Such\\Key");
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("fallback")));
    EXPECT_EQ(reg.ValueType(), 1);
}

TEST_F(cRegistryTest, MachineNamesAndUnreachableComputers)
{
    auto reg = at("Remote", 1);
    reg.setMachine("ab");
    EXPECT_EQ(reg.Machine(), "");
    reg.setMachine("server");
    EXPECT_EQ(reg.Machine(), "\\\\server");
    reg.setMachine("\\\\server");
    EXPECT_EQ(reg.Machine(), "\\\\server");

    // No other computer is reachable from the file store: reading gives the default,
    // writing fails once instead of retrying for ever.
    reg.setDefault(std::string("d"));
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("d")));
    expectRegistryError([&] { reg.setValue(std::string("v")); },
        "Failed to set registry value Key: '-2147483647',Section: 'Software\\Wheelbook\\Test',Key: 'Remote' to value: "
        "'v'");
    EXPECT_FALSE(reg.KeyExists());
}

TEST_F(cRegistryTest, KeysAreCreatedTestedEnumeratedAndDeleted)
{
    auto reg = at("", 1);
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_TRUE(reg.CreateKey());
    EXPECT_TRUE(reg.KeyExists());

    std::vector<std::string> names {"stale"};
    std::int32_t count = 7;
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(count, 0);

    for (const char* child : {"Zulu", "alpha", "Mike"}) {
        reg.setSectionKey(kSection + "\\" + child);
        reg.CreateKey();
    }
    reg.setSectionKey(kSection);
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_EQ(names, (std::vector<std::string> {"Zulu", "alpha", "Mike"}));
    EXPECT_EQ(count, 3);

    // Values keep the order they were made in; rewriting one (in any case) keeps its place.
    for (const char* name : {"b", "a", "c"}) {
        reg.setValueKey(name);
        reg.setValue(std::string(name));
    }
    reg.setValueKey("B");
    reg.setValue(std::string("again"));
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(names, (std::vector<std::string> {"b", "a", "c"}));
    EXPECT_EQ(count, 3);
    reg.setValueKey("b");
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("again")));

    expectRegistryError(
        [&] { reg.DeleteKey(); }, "Failed to delete registry Key: '-2147483647',Section: 'Software\\Wheelbook\\Test");
    reg.setSectionKey("software\\WHEELBOOK\\test\\zulu");
    EXPECT_TRUE(reg.DeleteKey());
    expectRegistryError([&] { reg.DeleteKey(); },
        "Failed to delete registry Key: '-2147483647',Section: 'software\\WHEELBOOK\\test\\zulu");

    reg.setSectionKey("Software\\No\\Such\\Key");
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(count, 0);

    // A new store over the same file sees the same keys and values.
    FileRegistryStore again(FileRegistryStore::defaultFilePath());
    cRegistry other(again);
    other.setClassKey(HKCU);
    other.setSectionKey(kSection);
    EXPECT_TRUE(other.EnumerateSections(names, count));
    EXPECT_EQ(names, (std::vector<std::string> {"alpha", "Mike"}));
    other.setValueKey("c");
    EXPECT_EQ(other.Value(), RegistryValue(std::string("c")));
}

TEST_F(cRegistryTest, FailuresWithoutARootKey)
{
    cRegistry reg(*store);
    reg.setSectionKey("Software\\A");
    reg.setValueKey("v");
    reg.setValueType(1);
    expectRegistryError([&] { reg.CreateKey(); }, "Failed to create registry Key: 'Software\\A");
    expectRegistryError([&] { reg.setValue(std::string("x")); },
        "Failed to set registry value Key: '0',Section: 'Software\\A',Key: 'v' to value: 'x'");
}

TEST_F(cRegistryTest, ValueExSetsTheLocationAndAnEmptyTextWritesTheDefault)
{
    cRegistry reg(*store);
    reg.setValueEx(HKCU, kSection, "Ex", 1, std::string("default text"), std::string());
    EXPECT_EQ(stored(HKCU, kSection, "Ex")->data, text("default text\0", 13));
    EXPECT_EQ(reg.ClassKey(), HKCU);
    EXPECT_EQ(reg.SectionKey(), kSection);
    EXPECT_EQ(reg.ValueKey(), "Ex");

    cRegistry reader(*store);
    EXPECT_EQ(
        reader.ValueEx(HKCU, kSection, "Ex", 0, std::string("unused")), RegistryValue(std::string("default text")));
    EXPECT_EQ(reader.ValueEx(HKCU, kSection, "Nope", 0, std::int32_t {5}), RegistryValue(std::int32_t {5}));
}

TEST_F(cRegistryTest, AStoreThatCannotBeReadIsNeverOverwritten)
{
    at("Kept", 1).setValue(std::string("yes"));
    const std::string file = FileRegistryStore::defaultFilePath();
    writeFileBytes(file, "not a registry file\n");
    auto reg = at("Kept", 1);
    reg.setDefault(std::string("default"));
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("default")));
    expectRegistryError([&] { reg.setValue(std::string("no")); },
        "Failed to set registry value Key: '-2147483647',Section: 'Software\\Wheelbook\\Test',Key: 'Kept' to value: "
        "'no'");
    EXPECT_EQ(readFileBytes(file), "not a registry file\n");
}

TEST_F(cRegistryTest, ARefusedStoreIsReportedNotSwallowed)
{
    auto reg = at("Locked", 1);
    reg.setValue(std::string("before"));
    const std::string file = FileRegistryStore::defaultFilePath();
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    expectRegistryError([&] { reg.setValue(std::string("after")); },
        "Failed to set registry value Key: '-2147483647',Section: 'Software\\Wheelbook\\Test',Key: 'Locked' to value: "
        "'after'");
    EXPECT_EQ(reg.Value(), RegistryValue(std::string("before")));
}

TEST_F(cRegistryTest, CreateEXEAssociationWritesBothClassRoots)
{
    cRegistry reg(*store);
    reg.CreateEXEAssociation(
        "  /opt/wb/wheelbook ", "Wheelbook.Data", "Wheelbook data", "wbk", "", true, "", true, "Make one", true, "", 2);

    const std::string quoted = "\"/opt/wb/wheelbook\"";
    const std::vector<std::pair<std::string, std::string>> expected {
        {".wbk", "Wheelbook.Data"},
        {"Wheelbook.Data", "Wheelbook data"},
        {"Wheelbook.Data\\shell\\open", "&Open"},
        {"Wheelbook.Data\\shell\\open\\command", quoted + " \"%1\""},
        {"Wheelbook.Data\\shell\\print", "&Print"},
        {"Wheelbook.Data\\shell\\print\\command", quoted + " /p \"%1\""},
        {"Wheelbook.Data\\shell\\add", "&Install wbk"},
        {"Wheelbook.Data\\shell\\add\\command", quoted + " /a \"%1\""},
        {"Wheelbook.Data\\shell\\new", "Make one"},
        {"Wheelbook.Data\\shell\\new\\command", quoted + " /n \"%1\""},
        {"Wheelbook.Data\\DefaultIcon", quoted + ",2"},
    };
    for (const auto& [section, value] : expected) {
        for (const auto& [root, prefix] :
            {std::pair {HKCR, std::string()}, {HKLM, std::string("SOFTWARE\\Classes\\")}}) {
            const auto found = stored(root, prefix + section, "");
            ASSERT_TRUE(found) << prefix << section;
            EXPECT_EQ(found->type, 1u);
            EXPECT_EQ(found->data, value + '\0') << prefix << section;
        }
    }
    EXPECT_EQ(reg.ClassKey(), HKLM);
    EXPECT_EQ(reg.SectionKey(), "Wheelbook.Data\\DefaultIcon");

    // Without the options: no print, install or new verbs, no icon; a quoted path stays as it is.
    cRegistry plain(*store);
    plain.CreateEXEAssociation("\"/opt/x\"", "Plain.Class", "Plain", "pln");
    EXPECT_EQ(stored(HKCR, "Plain.Class\\shell\\open\\command", "")->data, text("\"/opt/x\" \"%1\"\0", 14));
    EXPECT_FALSE(stored(HKCR, "Plain.Class\\shell\\print", ""));
    EXPECT_FALSE(stored(HKCR, "Plain.Class\\DefaultIcon", ""));
}

TEST_F(cRegistryTest, CreateAdditionalEXEAssociationsRecordsItsFailures)
{
    cRegistry reg(*store);
    reg.CreateAdditionalEXEAssociations("Wheelbook.Data", {std::string("edit"), std::string("&Edit")});
    ASSERT_TRUE(reg.LastError());
    EXPECT_EQ(reg.LastError()->number(), -2147194452);
    EXPECT_EQ(reg.LastError()->source(), "Wheelbook.cRegistry");
    EXPECT_EQ(reg.LastError()->description(),
        "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");

    const std::vector<RegistryValue> verbs {std::string("edit"), std::string("&Edit"),
        std::string("\"/opt/wb/wheelbook\" /e \"%1\""), std::string("view"), std::string("&View"),
        std::string("viewer %1")};
    reg.CreateAdditionalEXEAssociations("Wheelbook.Data", verbs);
    ASSERT_TRUE(reg.LastError());
    EXPECT_EQ(reg.LastError()->number(), -2147194451);
    EXPECT_EQ(
        reg.LastError()->description(), "Error - attempt to create additional associations before class defined.");
    EXPECT_FALSE(stored(HKCR, "Wheelbook.Data\\shell\\edit", ""));

    // Right after the class is made on the same object (which leaves the root at
    // HKEY_LOCAL_MACHINE), the class is found and the verbs are written.
    reg.CreateEXEAssociation("/opt/wb/wheelbook", "Wheelbook.Data", "Wheelbook data", "wbk");
    reg.CreateAdditionalEXEAssociations("Wheelbook.Data", verbs);
    EXPECT_FALSE(reg.LastError());
    for (const auto& [root, prefix] : {std::pair {HKCR, std::string()}, {HKLM, std::string("SOFTWARE\\Classes\\")}}) {
        EXPECT_EQ(stored(root, prefix + "Wheelbook.Data\\shell\\edit", "")->data, std::string("&Edit") + '\0');
        EXPECT_EQ(stored(root, prefix + "Wheelbook.Data\\shell\\edit\\command", "")->data,
            std::string("\"/opt/wb/wheelbook\" /e \"%1\"") + '\0');
        EXPECT_EQ(
            stored(root, prefix + "Wheelbook.Data\\shell\\view\\command", "")->data, std::string("viewer %1") + '\0');
    }
}

} // namespace
