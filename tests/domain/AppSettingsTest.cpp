#include "domain/AppSettings.h"
#include "core/NumberedError.h"
#include "domain/StartupRegistry.h"

#include "DomainFixture.h"

#include <tuple>

namespace {
using Texts = std::vector<std::string>;

// The captions on one line; "-" for lblFuelCostPerKm left as it is.
std::string texts(const SettingsCaptions& c)
{
    return c.displayUnit + "|" + c.avgPer100 + "|" + c.costPerKm + "|" + c.currency + "|"
        + c.fuelCostPerKm.value_or("-");
}

const std::string kStart = "set Wheelbook=\"/opt/Wheel Book/wheelbook\"";

// The fixture stands in for the registry of the log-in entry: it records what the settings
// do to the entry, and can refuse like a locked registry.
class AppSettingsTest : public DomainFixture, public StartupRegistry {
protected:
    void setRunValue(const std::string& name, const std::string& data) override
    {
        if (refuse)
            throw NumberedError(26001, "Wheelbook.cRegistry", "Access is denied.");
        calls.push_back("set " + name + "=" + data);
    }
    void deleteRunValue(const std::string& name) override { calls.push_back("delete " + name); }

    Texts calls;
    bool refuse = false;
    AppSettings settings {ctx, *this};
};
} // namespace

TEST_F(AppSettingsTest, LoadShowsTheStoredSettingsOrTheirDefaultsAndSetsTheEntry)
{
    writeData("[init]\nmiles=\n[misc]\nfuel=10\n");
    const SettingsLoad load = settings.LoadSettings("");
    EXPECT_EQ(load.form, (SettingsForm {0, 0, 1, 1, 97, "RON", ""}));
    EXPECT_EQ(texts(load.captions), "Km|Average Fuel usage per 100 Km :|Operating cost per mile/km|RON|-");
    // The expense list keeps its own default until a currency is stored.
    EXPECT_EQ(load.list.rows, (std::vector<ListRow> {{" FUEL", {"10 USD"}, 3}}));
    EXPECT_EQ(load.tab, 0);
    EXPECT_EQ(data(), crlf("[init]\nmiles=\n[misc]\nfuel=10\n[app]\ncost=10\n")); // no setting is written
    writeData("[app]\nicur=13\nunit=0\nstartup=1\nsystray=1\n[init]\nmiles=1200\n");
    const SettingsLoad ticked = settings.LoadSettings("0.23 RON");
    EXPECT_EQ(ticked.form, (SettingsForm {1, 1, 1, 0, 13, "USD", "1200"}));
    EXPECT_EQ(
        texts(ticked.captions), "Miles|Average Fuel usage per 100 Miles :|Operating cost per mile/km|USD|0.23 USD");
    EXPECT_EQ(calls, (Texts {"delete Wheelbook", kStart + " /s"}));
    // Indexes outside their lists are reported and their defaults stand; a currency typed over the list
    // (-1) selects nothing.
    expect("Invalid Settings!",
        "These settings in the data file are not valid, so their defaults are shown instead:\r\n\r\n"
        "startup = \"yes\"\r\nontop = \"5\"\r\nicur = \"65536\"\r\nunit = \"32768\"\r\n\r\n"
        "Apply & Save stores the values shown.",
        Warning);
    writeData("[app]\nstartup=yes\nontop=5\nicur=65536\nunit=32768\n");
    EXPECT_EQ(settings.LoadSettings("").form, (SettingsForm {0, 0, 1, 1, 97, "RON", ""}));
    expect("Invalid Settings!",
        "These settings in the data file are not valid, so their defaults are shown instead:\r\n\r\n"
        "unit = \"-1\"\r\n\r\nApply & Save stores the values shown.",
        Warning);
    writeData("[app]\nicur=-1\ncur=ABC\nunit=-1\n");
    const SettingsLoad none = settings.LoadSettings("0.23");
    EXPECT_EQ(none.form, (SettingsForm {0, 0, 1, 1, -1, "", ""}));
    EXPECT_EQ(texts(none.captions), "Km|Average Fuel usage per 100 Km :|Operating cost per mile/km||0.23 ");
}

TEST_F(AppSettingsTest, SaveWritesEveryKeyInOrderSetsTheEntryAndShowsTheFuelTab)
{
    writeData("[init]\nmiles=100\n");
    const SettingsForm form {1, 1, 0, 0, 9, "EUR", "1500"};
    const SettingsSave save = settings.SaveSettings(form);
    EXPECT_EQ(data(), crlf("[init]\nmiles=1500\n[app]\nstartup=1\nsystray=1\nontop=0\nunit=0\ncur=EUR\nicur=9\n"));
    EXPECT_EQ(std::tie(save.saved, save.onTop, save.tab), std::tuple(true, false, 3));
    EXPECT_EQ(texts(save.captions), "Miles|Average Fuel usage per 100 Miles :|Operating cost per mile/km : |EUR|-");
    EXPECT_EQ(calls, Texts {kStart + " /s"});
    // The entry follows the two start boxes; a registry that refuses is reported and the rest goes on.
    calls.clear();
    EXPECT_TRUE(settings.SaveSettings({1, 0, 1, 1, 97, "RON", "100"}).onTop);
    settings.SaveSettings({0, 1, 1, 1, 97, "RON", "100"});
    EXPECT_EQ(calls, (Texts {kStart, "delete Wheelbook"}));
    refuse = true;
    expect("Start at Log-in Not Updated!",
        "Wheelbook could not update its start at log-in entry \"Wheelbook\":\r\n\r\n"
        "Error 26001 (Wheelbook.cRegistry): Access is denied.\r\n\r\nThe settings in the data file are not affected.",
        Warning);
    EXPECT_TRUE(settings.SaveSettings({1, 0, 1, 1, 97, "RON", "200"}).saved);
    const std::string saved
        = crlf("[init]\nmiles=200\n[app]\nstartup=1\nsystray=0\nontop=1\nunit=1\ncur=RON\nicur=97\n");
    EXPECT_EQ(data(), saved);
    // A blank or non-numeric initial reading is refused and nothing is stored.
    refuse = false;
    calls.clear();
    expect("Required Data Missing!", "Initial Car-Run can't be an empty field. Please specify some value ...");
    EXPECT_FALSE(settings.SaveSettings({1, 0, 1, 1, 97, "RON", "  "}).saved);
    for (const std::string miles : {"12a", "-5", "1.5", " 12", "1234567890"}) {
        expect("Wrong Value specified!",
            "Initial Car-Run \"" + miles
                + "\" is not a whole number of at most 9 digits. Please specify digits only; nothing was saved.");
        EXPECT_FALSE(settings.SaveSettings({1, 0, 1, 1, 97, "RON", miles}).saved) << miles;
    }
    EXPECT_EQ(data(), saved);
    EXPECT_TRUE(calls.empty());
}
