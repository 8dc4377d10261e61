#include "domain/FuelEntry.h"

#include "ExpensesFixture.h"

class FuelEntryTest : public ExpensesFixture {
protected:
    FuelEntryTest() { writeData("[init]\nmiles=1000\n[app]\ncost=21\n[fuel]\ntotal=0\n[misc]\nfuel=0\noil=20.5\n"); }

    // lstMisc as the last fill left it.
    FuelInput input(std::string filled, std::string cost, std::string reading = "2000")
    {
        return {std::move(filled), std::move(cost), std::move(reading),
            {{" FUEL", {"0 USD"}, 3}, {" OIL", {"20.5 USD"}, 3}}};
    }
    FuelUpdate update(const FuelInput& in)
    {
        return FuelEntry(ctx).UpdateFuelInfo(in, [this] {
            ++settingsSaved;
            storedWhenSettingsSaved = stored("fuel", "total");
            return settingsAnswer;
        });
    }

    int settingsSaved = 0;
    bool settingsAnswer = true;
    std::string storedWhenSettingsSaved;
};

TEST_F(FuelEntryTest, AFillUpOverAThousandUnitsShowsTheAverageAndStoresTheTotals)
{
    const FuelUpdate result = update(input("50", "75"));
    ASSERT_TRUE(result.done);
    EXPECT_EQ(result.avgPer100, "5 Litters");
    EXPECT_EQ(result.costPerKm, "0.1"); // 95.5 over 1000
    EXPECT_EQ(result.fuelTotal, "50 Litters");
    EXPECT_EQ(stored("fuel", "total"), "50");
    EXPECT_EQ(stored("misc", "fuel"), "75");
    EXPECT_EQ(stored("app", "cost"), "96");
    ASSERT_EQ(result.list.rows.size(), 2u);
    EXPECT_EQ(result.list.rows[0].subItems[0], "75 USD");
    // The settings were saved in the middle: after the checks, before the fuel was stored.
    EXPECT_EQ(settingsSaved, 1);
    EXPECT_EQ(storedWhenSettingsSaved, "0");
}

TEST_F(FuelEntryTest, TheFirstFillUpAtTheInitialReadingShowsZeroFiguresButStillCounts)
{
    const FuelUpdate result = update(input("40", "60", "1000"));
    ASSERT_TRUE(result.done);
    EXPECT_EQ(result.avgPer100, "0 Litters");
    EXPECT_EQ(result.costPerKm, "0");
    EXPECT_EQ(stored("fuel", "total"), "40");
    EXPECT_EQ(stored("misc", "fuel"), "60");
    EXPECT_EQ(stored("app", "cost"), "80"); // 80.5, ties to even
}

TEST_F(FuelEntryTest, AddsTheExactAmountsAndShowsTwoDecimals)
{
    writeData("[init]\nmiles=1000\n[fuel]\ntotal=10.3\n[misc]\nfuel=100.25\n");
    const FuelUpdate result = update({"5.2", "75.5", "1150", {{" FUEL", {"100.25 EUR"}, 3}}});
    ASSERT_TRUE(result.done);
    EXPECT_EQ(stored("fuel", "total"), "15.5");
    EXPECT_EQ(result.fuelTotal, "15.5 Litters");
    EXPECT_EQ(stored("misc", "fuel"), "175.75");
    EXPECT_EQ(result.avgPer100, "10.33 Litters"); // 1550 / 150
    EXPECT_EQ(result.costPerKm, "1.17"); // 175.75 / 150
    EXPECT_EQ(stored("app", "cost"), "176");
}

TEST_F(FuelEntryTest, BlankFieldsAreAskedFor)
{
    prompter.expect("Required Data Missing!", MsgAnswer::Ok, "Please specify how much Fuel you filled in Car.");
    EXPECT_FALSE(update(input(" ", "75")).done);
    prompter.expect("Required Data Missing ...", MsgAnswer::Ok, "Please specify how much you paid for 40 Litters.");
    EXPECT_FALSE(update(input("40", "")).done);
    EXPECT_EQ(settingsSaved, 0);
}

TEST_F(FuelEntryTest, RefusesBadNumbersAndStoresNothing)
{
    const std::string before = data();
    prompter.expect("Wrong Value specified!", MsgAnswer::Ok,
        "The Cost of Fuel \"1.2.3\" is not a number. Please correct it; nothing was saved.");
    EXPECT_FALSE(update(input("40", "1.2.3")).done);
    prompter.expect("Wrong Value specified!", MsgAnswer::Ok,
        "The fuel quantity filled \"4..0\" is not a number. Please correct it; nothing was saved.");
    EXPECT_FALSE(update(input("4..0", "75")).done);
    prompter.expect("Wrong Value specified!", MsgAnswer::Ok,
        "The Car-Run when fuel was last filled (\"2000.5\") is not a whole number. "
        "Confirm the current Car-Run on the Main tab first; nothing was saved.");
    EXPECT_FALSE(update(input("40", "75", "2000.5")).done);

    FuelInput badRow = input("40", "75");
    badRow.miscRows[1].subItems[0] = "abc USD";
    prompter.expect("Invalid Expense Value!", MsgAnswer::Ok,
        "The expense category OIL holds \"abc\", which is not an amount Wheelbook can add to. "
        "Correct it with Edit Category first. Nothing was saved.");
    EXPECT_FALSE(update(badRow).done);

    EXPECT_EQ(data(), before);
    EXPECT_EQ(settingsSaved, 0);
}

TEST_F(FuelEntryTest, RefusesAMissingOrNonNumericInitialReading)
{
    for (const std::string file : {"[fuel]\ntotal=0\n", "[init]\nmiles=abc\n"}) {
        writeData(file);
        prompter.expect("Required Data Missing!");
        EXPECT_FALSE(update(input("40", "75")).done);
        EXPECT_EQ(data(), file);
    }
    EXPECT_TRUE(prompter.messages()[0].text.starts_with("The Car-Run when Wheelbook was installed (\"\")"));
    EXPECT_EQ(settingsSaved, 0);
}

TEST_F(FuelEntryTest, RefusesStoredTotalsThatAreNotNumbers)
{
    writeData("[init]\nmiles=1000\n[fuel]\ntotal=lots\n");
    prompter.expect("Invalid Data!", MsgAnswer::Ok,
        "The stored fuel total \"lots\" is not a number. "
        "Correct it on this tab (double-click the total) first; nothing was saved.");
    EXPECT_FALSE(update(input("40", "75")).done);

    writeData("[init]\nmiles=1000\n[misc]\nfuel=x\n");
    prompter.expect("Invalid Expense Value!");
    EXPECT_FALSE(update(input("40", "75")).done);
    EXPECT_EQ(stored("fuel", "total"), "<none>");
    EXPECT_EQ(settingsSaved, 0);
}

TEST_F(FuelEntryTest, SettingsThatAreNotSavedStopTheUpdate)
{
    const std::string before = data();
    settingsAnswer = false;
    EXPECT_FALSE(update(input("40", "75")).done);
    EXPECT_EQ(settingsSaved, 1);
    EXPECT_EQ(data(), before);
}

TEST(FuelEntryKeys, KeepDigitsBackspaceAndThePoint)
{
    EXPECT_TRUE(FuelEntry::fuelBoxKeeps('0'));
    EXPECT_TRUE(FuelEntry::fuelBoxKeeps('.'));
    EXPECT_TRUE(FuelEntry::fuelBoxKeeps(8));
    EXPECT_FALSE(FuelEntry::fuelBoxKeeps('-'));
    EXPECT_FALSE(FuelEntry::fuelBoxKeeps('a'));
}
