#include "domain/Logbook.h"
#include "domain/Consumables.h"
#include "domain/CsvExport.h"
#include "domain/InitialReading.h"
#include "domain/LogbookFigures.h"

#include "DomainFixture.h"

#include <filesystem>
#include <sys/stat.h>

namespace {

using namespace LogbookFigures;

// A year's start of hand-kept history: out of key order, a hand-deleted entry, a few that do not parse.
const std::string kHistory
    = "[reading log]\n2=2026-01-20 18:00#10500\n1=2026-01-01 10:00#10000\n"
      "3=2026-01-20 19:00#10520\n4=2026-02-10 08:00#1.5\n6=2026-03-02 12:00#11520\nnote=x\n"
      "[fuel log]\n1=2026-01-05 08:00#10000#40#60\n2=2026-01-20 18:30#10500#35.5#53.25\n"
      "3=2026-02-02 09:00#10500#10#15\n4=2026-02-30 09:00#10700#20#30\n"
      "5=2026-02-14 07:15#10900#28.5#42.75\n"
      "[expense log]\n1=2026-01-03 09:00#new#100#Parking\n2=2026-01-15 09:00#add#20.5#parking\n"
      "3=2026-02-01 09:00#edit#500#Parking\n4=2026-02-03 09:00#add#300#Insurance\n"
      "5=2026-02-05 09:00#delete#300#Insurance\n6=2026-02-06 09:00#bogus#1#X\n7=2026-02-06#add#1\n";

// Each entry's key, marked "!" when it does not parse.
template <typename Record> std::string keys(const Logbook::Log<Record>& log)
{
    std::string text;
    for (const auto& entry : log)
        text += entry.key + (entry.record ? " " : "! ");
    return text;
}

using LogbookTest = DomainFixture;

} // namespace

TEST_F(LogbookTest, TheFirstRunAndAnalyzeNowLogTheReadingNumberedOnFromTheHighestKey)
{
    writeData("[init]\nmiles=\n[consumables]\n");
    ASSERT_TRUE(StoreInitialReading(ctx, "000", 1));
    EXPECT_EQ(data(),
        crlf("[init]\nmiles=000\n[consumables]\n[app]\nmiles=000\nunit=1\n[reading log]\n1=" + kNow + "#000\n"));

    // Entry 2 deleted by hand, a key that is no number: the next is 4, and only a reading that differs is logged.
    const std::string log
        = "[app]\nmiles=700\n[reading log]\n1=2026-01-01 10:00#500\n3=2026-02-01 10:00#0700\nnote=x\n";
    writeData(log);
    EXPECT_TRUE(AnalyzeNow(ctx, "700", "Km", "EUR").stored);
    EXPECT_EQ(data(), crlf(log));
    EXPECT_TRUE(AnalyzeNow(ctx, "0800", "Km", "EUR").stored);
    EXPECT_EQ(data(),
        crlf("[app]\nmiles=0800\n[reading log]\n1=2026-01-01 10:00#500\n3=2026-02-01 10:00#0700\nnote=x\n"
             "4="
            + kNow + "#0800\n"));
}

TEST_F(LogbookTest, ARefusedStoreWritesNoEntry)
{
    const std::string shipped = "[init]\nmiles=\n[consumables]\n";
    writeData(shipped);
    ASSERT_EQ(::chmod(dir.file("cardata.dat").c_str(), 0444), 0);
    expect("Data Not Saved!",
        "Wheelbook could not save its data file " + dir.file("cardata.dat")
            + ":\r\n\r\nPermission denied\r\n\r\nThe file keeps its previous content.",
        Critical);
    EXPECT_FALSE(StoreInitialReading(ctx, "800", 0));
    EXPECT_EQ(data(), crlf(shipped));
}

TEST_F(LogbookTest, TheLogsReadInKeyOrderWithEntriesThatDoNotParseMarked)
{
    writeData(kHistory);
    const Logbook::Logs logs = Logbook::read(ctx);
    EXPECT_EQ(keys(logs.readings), "1 2 3 4! 6 note! ");
    EXPECT_EQ(keys(logs.fuel), "1 2 3 4! 5 ");
    EXPECT_EQ(keys(logs.expenses), "1 2 3 4 5 6! 7! ");
    EXPECT_EQ(logs.fuel[3].raw, "2026-02-30 09:00#10700#20#30");
    EXPECT_TRUE(logs.services.empty());
    const Logbook::ExpenseRecord& first = *logs.expenses[0].record;
    EXPECT_EQ(std::tuple(first.date.text(), first.action, first.amount, first.category),
        std::tuple("2026-01-03 09:00", Logbook::ExpenseAction::New, *Money::fromText("100"), "Parking"));
}

TEST_F(LogbookTest, FillUpsShowFullToFullEconomyRoundedOnceToTwoDecimals)
{
    writeData(kHistory);
    const Logbook::Logs logs = Logbook::read(ctx);
    std::vector<std::string> rows;
    for (const FillUp& f : fillUps(logs.fuel)) {
        rows.push_back(std::to_string(f.entry) + " " + f.date.text() + " " + std::to_string(f.reading) + " "
            + text(f.distance) + " " + f.litres.toText() + " " + f.cost.toText() + " " + text(f.per100) + " "
            + text(f.costPerUnit));
    }
    // The first has nothing to measure against, a distance of 0 gives no figure, the unparsable one counts
    // nowhere; 53.25 / 500 = 0.1065 rounds up, and 28.5 x 100 / 400 = 7.125 goes to the even 7.12.
    EXPECT_EQ(rows,
        (std::vector<std::string> {"0 2026-01-05 08:00 10000 - 40 60 - -",
            "1 2026-01-20 18:30 10500 500 35.5 53.25 7.1 0.11", "2 2026-02-02 09:00 10500 0 10 15 - -",
            "4 2026-02-14 07:15 10900 400 28.5 42.75 7.12 0.11"}));
    // (35.5 + 10 + 28.5) x 100 / 900 = 8.2222...
    const FuelTotals totals = fuelTotals(logs.fuel);
    EXPECT_EQ(std::tie(totals.litres, totals.cost, totals.averagePer100),
        std::tuple(Money::fromText("114"), Money::fromText("171"), Money::fromText("8.22")));
    std::vector<std::string> points;
    for (const EconomyPoint& p : economy(fillUps(logs.fuel)))
        points.push_back(p.date.text() + " " + p.per100.toText());
    EXPECT_EQ(points, (std::vector<std::string> {"2026-01-20 18:30 7.1", "2026-02-14 07:15 7.12"}));
    // A single fill-up, or none, has no average.
    writeData("[fuel log]\n1=2026-01-05 08:00#10000#40#60\n");
    EXPECT_EQ(text(fuelTotals(Logbook::read(ctx).fuel).averagePer100), "-");
    EXPECT_EQ(text(fuelTotals({}).litres), "0");
}

TEST_F(LogbookTest, ReadingsAndMonthTotals)
{
    writeData(kHistory);
    const Logbook::Logs logs = Logbook::read(ctx);
    std::vector<std::string> rows;
    for (const Reading& r : readings(logs.readings))
        rows.push_back(std::to_string(r.reading) + " " + text(r.distance) + " " + text(r.days) + " " + text(r.perDay));
    // Calendar days: two readings on one day give no distance per day; 20 January to 2 March is 41 days.
    EXPECT_EQ(
        rows, (std::vector<std::string> {"10000 - - -", "10500 500 19 26.32", "10520 20 0 -", "11520 1000 41 24.39"}));
    std::vector<std::string> distances;
    for (const MonthDistance& m : distancePerMonth(logs.readings))
        distances.push_back(m.month + " " + std::to_string(m.distance));
    EXPECT_EQ(distances, (std::vector<std::string> {"2026-01 520", "2026-03 1000"}));

    // Fuel from the fuel log; other categories from "new" and "add" alone, matched without regard to case.
    const MoneyPerMonth money = moneyPerMonth(logs.fuel, logs.expenses);
    EXPECT_EQ(money.categories, (std::vector<std::string> {"fuel", "Parking", "Insurance"}));
    std::vector<std::string> months;
    for (const MonthAmounts& m : money.months) {
        months.push_back(m.month);
        for (const Money amount : m.amounts)
            months.back() += " " + amount.toText();
    }
    EXPECT_EQ(months, (std::vector<std::string> {"2026-01 113.25 120.5 0", "2026-02 57.75 0 300"}));
}

TEST_F(LogbookTest, TheExportWritesSixFilesWithFieldsQuotedAsNeeded)
{
    writeData("[consumables]\nOil=10000#5000\nTyres, \"Winter\" #1=500\n[misc]\nfuel=60\nTolls, \"Bridge\" #2=12.5\n"
              "[fuel log]\n1=2026-01-05 08:00#10000#40#60\n2=broken\n"
              "[expense log]\n1=2026-01-07 10:00#add#12.5#Tolls, \"Bridge\" #2\n"
              "[service log]\n1=2026-01-08 11:00#10000#5000#Tyres, \"Winter\" #1\n"
              "[reading log]\n1=2026-01-01 10:00#10000\n");
    std::filesystem::create_directory(dir.file("out"));
    const CsvExport::Result result = CsvExport::exportTo(ctx, dir.file("out"));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(std::tie(result.message.title, result.message.text, result.message.icon),
        std::tuple("Logbook Exported", "Exported 6 files to " + dir.file("out") + ".", MsgIcon::Information));
    const std::vector<std::string> files = {
        "Entry,Date,Reading,Litres,Cost,Unparsed\n1,2026-01-05 08:00,10000,40,60,\n2,,,,,broken\n",
        "Entry,Date,Action,Amount,Category,Unparsed\n1,2026-01-07 10:00,add,12.5,\"Tolls, \"\"Bridge\"\" #2\",\n",
        "Entry,Date,Item,Last changed,Change after,Unparsed\n"
        "1,2026-01-08 11:00,\"Tyres, \"\"Winter\"\" #1\",10000,5000,\n",
        "Entry,Date,Reading,Unparsed\n1,2026-01-01 10:00,10000,\n",
        "Name,Last changed,Change after\nOil,10000,5000\n\"Tyres, \"\"Winter\"\" #1\",500,\n",
        "Name,Total\nfuel,60\n\"Tolls, \"\"Bridge\"\" #2\",12.5\n",
    };
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(readFileBytes(dir.file("out/") + CsvExport::FileNames[i]), crlf(files[i])) << i;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("out")), {}), 6);

    // A folder that is not there: the first file is named with the reason, and nothing is written.
    const CsvExport::Result failed = CsvExport::exportTo(ctx, dir.file("none"));
    EXPECT_EQ(std::tie(failed.ok, failed.written, failed.message.title, failed.message.text),
        std::tuple(false, std::vector<std::string>(), "Export Failed!",
            "Wheelbook could not write " + dir.file("none/fuel-log.csv")
                + ":\r\n\r\nNo such file or directory\r\n\r\nThat file and the ones after it were not written."));
}
