#include "domain/AppSettings.h"
#include "core/NumberedError.h"
#include "domain/ComboAutoComplete.h"
#include "domain/CurrencyList.h"
#include "domain/StartupRegistry.h"

#include "ExpensesFixture.h"

namespace {

// Records what the settings do to the log-in entry; can refuse like a locked registry.
class RecordingRegistry : public StartupRegistry {
public:
    void setRunValue(const std::string& name, const std::string& data) override
    {
        if (refuse)
            throw NumberedError(26001, "Wheelbook.cRegistry", "Access is denied.");
        calls.push_back("set " + name + "=" + data);
    }
    void deleteRunValue(const std::string& name) override { calls.push_back("delete " + name); }

    std::vector<std::string> calls;
    bool refuse = false;
};

} // namespace

class AppSettingsTest : public ExpensesFixture {
protected:
    RecordingRegistry registry;
    AppSettings settings {ctx, registry};
};

TEST_F(AppSettingsTest, AFileWithoutSettingsLoadsTheDefaultsAndRemovesTheEntry)
{
    writeData("[init]\nmiles=\n[misc]\nfuel=10\n");
    const SettingsLoad load = settings.LoadSettings("");

    EXPECT_EQ(load.form.startup, 0);
    EXPECT_EQ(load.form.systray, 0);
    EXPECT_EQ(load.form.onTop, 1);
    EXPECT_EQ(load.form.unitIndex, 1);
    EXPECT_EQ(load.form.currencyIndex, 97);
    EXPECT_EQ(load.form.currencyText, "RON");
    EXPECT_EQ(load.form.initMiles, "");
    EXPECT_EQ(registry.calls, (std::vector<std::string> {"set Wheelbook=", "delete Wheelbook"}));

    EXPECT_EQ(load.captions.displayUnit, "Km");
    EXPECT_EQ(load.captions.avgPer100, "Average Fuel usage per 100 Km :");
    EXPECT_EQ(load.captions.costPerKm, "Operating cost per mile/km");
    EXPECT_EQ(load.captions.currency, "RON");
    EXPECT_FALSE(load.captions.fuelCostPerKm);
    // The expense list keeps its own default until a currency is stored.
    ASSERT_EQ(load.list.rows.size(), 1u);
    EXPECT_EQ(load.list.rows[0].subItems[0], "10 USD");
    EXPECT_EQ(load.tab, 0);
}

TEST_F(AppSettingsTest, LoadPutsTheCurrencyIntoTheCostPerDistanceCaption)
{
    writeData("[app]\nicur=13\nunit=0\nstartup=1\nsystray=1\n[init]\nmiles=1200\n");
    const SettingsLoad load = settings.LoadSettings("0.23 RON");
    EXPECT_EQ(load.form.currencyText, "USD");
    EXPECT_EQ(load.form.initMiles, "1200");
    EXPECT_EQ(load.captions.displayUnit, "Miles");
    EXPECT_EQ(load.captions.fuelCostPerKm, "0.23 USD");
    EXPECT_EQ(registry.calls, (std::vector<std::string> {"set Wheelbook=\"/opt/Wheel Book/wheelbook\" /s"}));

    writeData("[app]\nicur=-1\nunit=7\n");
    const SettingsLoad none = settings.LoadSettings("0.23");
    EXPECT_EQ(none.form.currencyIndex, -1);
    EXPECT_EQ(none.form.currencyText, "");
    EXPECT_EQ(none.form.unitIndex, -1);
    EXPECT_EQ(none.captions.currency, "");
    EXPECT_EQ(none.captions.fuelCostPerKm, "0.23 ");
}

TEST_F(AppSettingsTest, ApplyWritesEveryKeyInOrderAndShowsTheFuelTab)
{
    writeData("[init]\nmiles=100\n");
    const SettingsForm form {1, 1, 0, 0, 9, "EUR", "1500"};
    const SettingsSave save = settings.SaveSettings(form);

    ASSERT_TRUE(save.saved);
    EXPECT_NE(
        data().find("[app]\r\nstartup=1\r\nsystray=1\r\nontop=0\r\nunit=0\r\ncur=EUR\r\nicur=9\r\n"), std::string::npos)
        << data();
    EXPECT_EQ(stored("init", "miles"), "1500");
    EXPECT_FALSE(save.onTop);
    EXPECT_EQ(save.tab, 3);
    EXPECT_EQ(save.captions.displayUnit, "Miles");
    EXPECT_EQ(save.captions.avgPer100, "Average Fuel usage per 100 Miles :");
    EXPECT_EQ(save.captions.costPerKm, "Operating cost per mile/km : ");
    EXPECT_EQ(save.captions.currency, "EUR");
    EXPECT_EQ(registry.calls, (std::vector<std::string> {"set Wheelbook=\"/opt/Wheel Book/wheelbook\" /s"}));

    // What was applied comes back unchanged.
    const SettingsLoad load = settings.LoadSettings("");
    EXPECT_EQ(load.form, form);
}

TEST_F(AppSettingsTest, TheEntryFollowsTheTwoStartBoxes)
{
    writeData("[init]\nmiles=100\n");
    settings.SaveSettings({1, 0, 1, 1, 97, "RON", "100"});
    settings.SaveSettings({0, 1, 1, 1, 97, "RON", "100"});
    settings.SaveSettings({0, 0, 1, 1, 97, "RON", "100"});
    EXPECT_EQ(registry.calls,
        (std::vector<std::string> {"set Wheelbook=\"/opt/Wheel Book/wheelbook\"", "set Wheelbook=", "delete Wheelbook",
            "set Wheelbook=", "delete Wheelbook"}));
}

TEST_F(AppSettingsTest, ARefusingRegistryIsReportedAndTheRestGoesOn)
{
    writeData("[init]\nmiles=100\n");
    registry.refuse = true;
    prompter.expect("Start at Log-in Not Updated!", MsgAnswer::Ok,
        "Wheelbook could not update its start at log-in entry \"Wheelbook\":\r\n\r\n"
        "Error 26001 (Wheelbook.cRegistry): Access is denied.\r\n\r\nThe settings in the data file are not affected.");
    const SettingsSave save = settings.SaveSettings({1, 0, 1, 1, 97, "RON", "100"});
    EXPECT_TRUE(save.saved);
    EXPECT_EQ(save.tab, 3);
    EXPECT_EQ(stored("app", "startup"), "1");
}

TEST_F(AppSettingsTest, RefusesAnInitialReadingThatIsBlankOrNotAWholeNumber)
{
    writeData("[init]\nmiles=100\n");
    const std::string before = data();
    prompter.expect("Required Data Missing!", MsgAnswer::Ok,
        "Initial Car-Run can't be an empty field. Please specify some value ...");
    EXPECT_FALSE(settings.SaveSettings({1, 0, 1, 1, 97, "RON", "  "}).saved);
    prompter.expect("Wrong Value specified!", MsgAnswer::Ok,
        "Initial Car-Run \"12a\" is not a whole number. Please specify digits only; nothing was saved.");
    EXPECT_FALSE(settings.SaveSettings({1, 0, 1, 1, 97, "RON", "12a"}).saved);
    EXPECT_EQ(data(), before);
    EXPECT_TRUE(registry.calls.empty());
}

TEST_F(AppSettingsTest, ReportsStoredSettingsThatAreNotValidAndShowsTheirDefaults)
{
    writeData("[app]\nstartup=yes\nontop=5\n");
    prompter.expect("Invalid Settings!", MsgAnswer::Ok,
        "These settings in the data file are not valid, so their defaults are shown instead:\r\n\r\n"
        "startup = \"yes\"\r\nontop = \"5\"\r\n\r\nApply & Save stores the values shown.");
    const SettingsLoad load = settings.LoadSettings("");
    EXPECT_EQ(load.form.startup, 0);
    EXPECT_EQ(load.form.onTop, 1);
}

TEST(AppSettingsRules, TheTrayBoxFollowsChangesOfTheStartBoxOnly)
{
    EXPECT_EQ(AppSettings::minSystrayEnabledOnChange(0, 1), true);
    EXPECT_EQ(AppSettings::minSystrayEnabledOnChange(1, 0), false);
    EXPECT_EQ(AppSettings::minSystrayEnabledOnChange(0, 0), std::nullopt);
    EXPECT_EQ(AppSettings::minSystrayEnabledOnChange(1, 1), std::nullopt);

    EXPECT_TRUE(AppSettings::initMilesKeeps('0'));
    EXPECT_TRUE(AppSettings::initMilesKeeps('9'));
    EXPECT_TRUE(AppSettings::initMilesKeeps(8));
    EXPECT_FALSE(AppSettings::initMilesKeeps('.'));
    EXPECT_FALSE(AppSettings::initMilesKeeps('a'));
    EXPECT_FALSE(AppSettings::initMilesKeeps(13));
}

TEST(ComboAutoCompleteTest, TypesAheadThroughTheCurrencyList)
{
    const auto& list = CurrencyList::FillCurrencyList();
    ComboKeyResult r = ComboAutoComplete(list, {}, 'e');
    EXPECT_EQ(r.box, (ComboBoxState {"EUR", 1, 2, 9}));
    EXPECT_FALSE(r.keepKey);

    r = ComboAutoComplete(list, r.box, 'g');
    EXPECT_EQ(r.box, (ComboBoxState {"EGP", 2, 1, 48}));

    r = ComboAutoComplete(list, r.box, 8);
    EXPECT_EQ(r.box, (ComboBoxState {"EUR", 1, 2, 9}));

    r = ComboAutoComplete(list, r.box, 27);
    EXPECT_EQ(r.box, (ComboBoxState {"", 0, 0, -1}));
    EXPECT_FALSE(r.keepKey);

    r = ComboAutoComplete(list, r.box, 13);
    EXPECT_EQ(r.box, (ComboBoxState {"USD", 0, 3, 0}));
}

TEST(ComboAutoCompleteTest, KeepsTheBoxOnAMissAndReachesOnlyTheFirstOfARepeatedCode)
{
    const auto& list = CurrencyList::FillCurrencyList();
    const ComboBoxState eur {"EUR", 1, 2, 9};
    const ComboKeyResult miss = ComboAutoComplete(list, eur, 'q');
    EXPECT_TRUE(miss.beep);
    EXPECT_EQ(miss.box, eur);

    ComboKeyResult r = ComboAutoComplete(list, {"USD", 0, 3, 13}, 'U');
    r = ComboAutoComplete(list, r.box, 's');
    r = ComboAutoComplete(list, r.box, 'd');
    EXPECT_EQ(r.box, (ComboBoxState {"USD", 3, 0, 0}));

    const ComboKeyResult enter = ComboAutoComplete(list, {"USD", 3, 0, 13}, 13);
    EXPECT_EQ(enter.box, (ComboBoxState {"USD", 0, 3, 13}));
    EXPECT_TRUE(enter.keepKey);

    EXPECT_EQ(ComboAutoComplete(list, eur, '.').box, (ComboBoxState {"", 0, 0, -1}));
    EXPECT_EQ(ComboAutoComplete(list, eur, 8).box, (ComboBoxState {"", 0, 0, -1}));
}
