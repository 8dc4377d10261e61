#include "domain/FuelEntry.h"
#include "domain/FuelTotalEditor.h"
#include "domain/Statistics.h"

#include "DomainFixture.h"

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace {
const std::string kFuel = "[init]\nmiles=1000\n[app]\ncost=21\n[fuel]\ntotal=0\n[misc]\nfuel=0\noil=20.5\n";

// The three stored inputs of the statistics.
std::string totals(const std::string& initial, const std::string& fuel, const std::string& cost)
{
    return "[init]\nmiles=" + initial + "\n[app]\ncost=" + cost + "\n[fuel]\ntotal=" + fuel + "\n";
}

class FuelTest : public DomainFixture {
protected:
    FuelInput input(std::string filled, std::string cost, std::string reading = "2000")
    {
        return {std::move(filled), std::move(cost), std::move(reading)};
    }
    // The update; the settings are saved in the middle, and the file is kept as it stood then.
    FuelUpdate update(const FuelInput& in)
    {
        return FuelEntry(ctx).UpdateFuelInfo(in, [this] {
            filesWhenSettingsSaved.push_back(data());
            return true;
        });
    }

    std::vector<std::string> filesWhenSettingsSaved;
    FuelTotalEditor editor;
    const FuelTotalEditor::StatisticsView view {"2000", "Km", "USD"};
};
} // namespace

TEST_F(FuelTest, AFillUpAddsExactAmountsStoresTheTotalsAndShowsTheFigures)
{
    // The file and the fill-up; the average, the cost per unit, lstMisc's fuel row and the file after it.
    const std::tuple<std::string, FuelInput, std::string, std::string, std::string, std::string> cases[] = {
        // 50 litres over 1000 Km; the cost with the stored 20.5 is 95.5.
        {kFuel, input("50", "75"), "5 Litters", "0.1", "75 USD",
            "[init]\nmiles=1000\n[app]\ncost=96\n[fuel]\ntotal=50\n[misc]\nfuel=75\noil=20.5\n[fuel log]\n1=" + kNow
                + "#2000#50#75\n"},
        // The first fill-up at the initial reading shows zero figures but counts; 80.5 goes to 80.
        {kFuel, input("40", "60", "1000"), "0 Litters", "0", "60 USD",
            "[init]\nmiles=1000\n[app]\ncost=80\n[fuel]\ntotal=40\n[misc]\nfuel=60\noil=20.5\n[fuel log]\n1=" + kNow
                + "#1000#40#60\n"},
        // 1550 / 150 and 175.75 / 150, shown with two decimals.
        {"[init]\nmiles=1000\n[fuel]\ntotal=10.3\n[misc]\nfuel=100.25\n", {"5.2", "75.5", "1150"}, "10.33 Litters",
            "1.17", "175.75 USD",
            "[init]\nmiles=1000\n[fuel]\ntotal=15.5\n[misc]\nfuel=175.75\n[app]\ncost=176\n[fuel log]\n1=" + kNow
                + "#1150#5.2#75.5\n"},
    };
    for (const auto& [file, in, avg, perKm, fuelRow, after] : cases) {
        writeData(file);
        filesWhenSettingsSaved.clear();
        const FuelUpdate result = update(in);
        ASSERT_TRUE(result.done) << after;
        EXPECT_EQ(std::tie(result.avgPer100, result.costPerKm), std::tie(avg, perKm));
        EXPECT_EQ(data(), crlf(after));
        EXPECT_EQ(result.fuelTotal, stored("fuel", "total") + " Litters");
        EXPECT_EQ(result.list.rows.front(), (ListRow {" FUEL", {fuelRow}, 3}));
        // The settings were saved once, after the checks and before anything was stored.
        EXPECT_EQ(filesWhenSettingsSaved, std::vector<std::string> {crlf(file)});
    }
    // Settings that were not saved stop the update.
    writeData(kFuel);
    EXPECT_FALSE(FuelEntry(ctx).UpdateFuelInfo(input("40", "75"), [] { return false; }).done);
    EXPECT_EQ(data(), crlf(kFuel));
}

TEST_F(FuelTest, AFillUpRefusesWhatItCannotAddAndStoresNothing)
{
    const std::tuple<std::string, FuelInput, Look, std::string, std::string> cases[] = {
        {kFuel, input(" ", "75"), Info, "Required Data Missing!", "Please specify how much Fuel you filled in Car."},
        {kFuel, input("40", ""), Info, "Required Data Missing ...", "Please specify how much you paid for 40 Litters."},
        {kFuel, input("40", "75", "2000.5"), Info, "Wrong Value specified!",
            "The Car-Run when fuel was last filled (\"2000.5\") is not a whole number. "
            "Confirm the current Car-Run on the Main tab first; nothing was saved."},
        {kFuel, input("4..0", "75"), Info, "Wrong Value specified!",
            "The fuel quantity filled \"4..0\" is not a number. Please correct it; nothing was saved."},
        {"[init]\nmiles=1000\n[fuel]\ntotal=lots\n", input("40", "75"), Warning, "Invalid Data!",
            "The stored fuel total \"lots\" is not a number. "
            "Correct it on this tab (double-click the total) first; nothing was saved."},
        {"[fuel]\ntotal=0\n", input("40", "75"), Info, "Required Data Missing!",
            "The Car-Run when Wheelbook was installed (\"\") is missing or not a whole number. "
            "Set it on the Settings tab first; nothing was saved."},
        // The stored amount counts, not the list's text of it: "5 5" is no amount, though it shows as 5.
        {kFuel + "Tax=5 5\n", input("40", "75"), Warning, "Invalid Expense Value!",
            "The expense category TAX holds \"5 5\", which is not an amount Wheelbook can add to. "
            "Correct it with Edit Category first. Nothing was saved."},
        {kFuel, input("40", "1.2.3"), Info, "Wrong Value specified!",
            "The Cost of Fuel \"1.2.3\" is not a number. Please correct it; nothing was saved."},
        {"[init]\nmiles=1000\n[misc]\nfuel=x\n", input("40", "75"), Warning, "Invalid Expense Value!",
            "The expense category FUEL holds \"x\", which is not an amount Wheelbook can add to. "
            "Correct it with Edit Category first. Nothing was saved."},
    };
    for (const auto& [file, in, look, title, text] : cases) {
        writeData(file);
        expect(title, text, look);
        EXPECT_FALSE(update(in).done) << text;
        EXPECT_EQ(data(), crlf(file));
    }
    EXPECT_TRUE(filesWhenSettingsSaved.empty());
}

TEST_F(FuelTest, StatisticsFigureFromTheStoredTotalsWhichTheFuelTotalEditorChangesWhenConfirmed)
{
    const std::tuple<std::string, std::string, StatisticsCaptions> cases[] = {
        {totals("1000", "120", "350"), "2500", {"350  USD", "1500 Km", "0.2333 USD", "8 Litters"}},
        // Amounts are taken exactly: 45.5 litres, and a cost beyond 16 bits with its decimals.
        {totals("0", "45.5", "40000.5"), "1000", {"40000.5  USD", "1000 Km", "40.0005 USD", "4.55 Litters"}},
        {totals("1000", "50", "100"), "500", {"100  USD", "-500 Km", "-0.2 USD", "-10 Litters"}},
        // A missing or malformed input shows 0 for what depends on it.
        {totals("", "50", "100"), "1500", {"100  USD", "0 Km", "0 USD", "0 Litters"}},
        {totals("1000", "50", "lots"), "1500", {"0  USD", "500 Km", "0 USD", "10 Litters"}},
        {totals("1000", "1.2.3", "100"), "1500", {"100  USD", "500 Km", "0.2 USD", "0 Litters"}},
        {totals("1000", "50", "100"), "9999999999", {"100  USD", "0 Km", "0 USD", "0 Litters"}},
    };
    for (const auto& [file, reading, shown] : cases) {
        writeData(file);
        EXPECT_EQ(ShowStatistics(ctx, reading, "Km", "USD"), shown) << file << reading;
    }
    // The fuel total editor stores only a confirmed number, as typed, and figures again.
    writeData(totals("1000", "75", "350"));
    expect("Are you sure?", "Are you sure you want to change Total Fuel value to 120.5 ?", Question, MsgAnswer::No);
    expect("Wrong Value specified!", "Total Fuel field can't be changed to an empty value ...");
    expect(
        "Wrong Value specified!", "Total Fuel field can't be changed to 1.2.3: please type a number such as 120.5 ...");
    for (const char* text : {"120.5", "", "1.2.3"}) {
        EXPECT_EQ(editor.open("75 Litters"), "75");
        EXPECT_FALSE(editor.enter(ctx, text, view).fuelTotalCaption.has_value()) << text;
        EXPECT_FALSE(editor.isOpen());
    }
    editor.open("75 Litters");
    EXPECT_FALSE(editor.escape().fuelTotalCaption.has_value() || editor.isOpen());
    editor.open("75 Litters");
    EXPECT_FALSE(editor.focusLost().fuelTotalCaption.has_value() || editor.isOpen());
    EXPECT_EQ(data(), crlf(totals("1000", "75", "350")));
    EXPECT_EQ(editor.open("1200.5"), "1200.5");
    expect("Are you sure?", "Are you sure you want to change Total Fuel value to 120.5 ?", Question, MsgAnswer::Yes);
    const FuelTotalEditor::Closing closing = editor.enter(ctx, "120.5", view);
    EXPECT_EQ(data(), crlf(totals("1000", "120.5", "350")));
    EXPECT_EQ(closing.fuelTotalCaption, "120.5 Litters");
    EXPECT_EQ(closing.statistics, (StatisticsCaptions {"350  USD", "1000 Km", "0.35 USD", "12.05 Litters"}));
}

TEST_F(FuelTest, AFillUpKilledAtAnyMomentLeavesTheFileAsItWasOrAsItIsAfter)
{
    // Three keys and the settings change in one fill-up, stored as one file.
    writeData(kFuel);
    const std::string before = data();
    {
        const AppContext::Action action(ctx);
        ASSERT_TRUE(update(input("50", "75")).done);
    }
    const std::string after = data();
    ASSERT_NE(after, before);
    // A fill-up in a child process, killed after `delay` (or left to finish); how long it took.
    auto fillUp = [&](std::chrono::microseconds delay) {
        writeData(kFuel);
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = ::fork();
        if (child == 0) {
            {
                const AppContext::Action action(ctx);
                update(input("50", "75"));
            }
            ::_exit(0);
        }
        if (delay.count() >= 0) {
            std::this_thread::sleep_for(delay);
            ::kill(child, SIGKILL);
        }
        ::waitpid(child, nullptr, 0);
        return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    };
    const auto whole = fillUp(std::chrono::microseconds(-1));
    ASSERT_EQ(data(), after);
    std::mt19937 random(20261207);
    int neither = 0;
    for (int kill = 0; kill < 200; ++kill) {
        fillUp(std::chrono::microseconds(random() % (whole.count() * 5 / 4 + 1)));
        const std::string now = data();
        neither += now != before && now != after;
    }
    EXPECT_EQ(neither, 0);
}
