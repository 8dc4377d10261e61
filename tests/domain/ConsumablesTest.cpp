#include "domain/Consumables.h"
#include "domain/AppContext.h"
#include "domain/ReadingKeyFilter.h"

#include "ScriptedPrompter.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const std::string kMissingFileText
    = "Wheelbook Data File Missing. Please re-install the application to solve this problem.";

class ConsumableStatusTest : public ::testing::Test {
protected:
    void writeData(const std::string& consumables)
    {
        dir.write("cardata.dat",
            "[init]\r\nmiles=1000\r\n[app]\r\nmiles=5000\r\ncost=350\r\n[fuel]\r\ntotal=75\r\n[consumables]\r\n"
                + consumables);
    }
    std::vector<ListRow> analyze(const std::string& reading, const std::string& unit = "Km")
    {
        auto rows = AnalyzeConsumables(ctx, reading, unit);
        EXPECT_TRUE(rows.has_value());
        return rows.value_or(std::vector<ListRow>());
    }
    static std::vector<std::string> remarks(const std::vector<ListRow>& rows)
    {
        std::vector<std::string> texts;
        for (const ListRow& row : rows)
            texts.push_back(row.subItems.empty() ? std::string() : row.subItems.front());
        return texts;
    }

    TempDir dir;
    ScriptedPrompter prompter;
    AppContext ctx {dir.path(), dir.file("wheelbook"), "", prompter};
};

ListRow statusRow(std::string text, std::string remark, Colour colour, bool bold)
{
    return ListRow {std::move(text), {std::move(remark)}, 1, colour, bold};
}

} // namespace

TEST_F(ConsumableStatusTest, DueItemsAreRedAndBoldAndTheOthersBlackInFileOrder)
{
    writeData("Oil=100#5000\r\nAir Filter=0#15000\r\n");
    EXPECT_EQ(analyze("5100", "Miles"),
        (std::vector<ListRow> {
            statusRow(" OIL", "[OIL] change needed! ( 0 Miles ago.)", ColourRed, true),
            statusRow(" AIR FILTER", "Ok. Change needed after 9900 Miles.", ColourBlack, false),
        }));

    writeData("Timing Belt=0#60000\r\nEngine Oil=1000#4000\r\nair filter=0#15000\r\n");
    EXPECT_EQ(remarks(analyze("5250")),
        (std::vector<std::string> {"Ok. Change needed after 54750 Km.", "[ENGINE OIL] change needed! ( 250 Km ago.)",
            "Ok. Change needed after 9750 Km."}));
}

TEST_F(ConsumableStatusTest, RemainingDistanceKeepsTheReadingsDecimals)
{
    writeData("Oil=500#1000\r\n");
    EXPECT_EQ(remarks(analyze("1000.5")), std::vector<std::string> {"Ok. Change needed after 499.5 Km."});
    // Half a unit over the due point is counted to the even neighbour.
    EXPECT_EQ(remarks(analyze("1500.5")), std::vector<std::string> {"[OIL] change needed! ( 0 Km ago.)"});
    EXPECT_EQ(remarks(analyze("1501.5")), std::vector<std::string> {"[OIL] change needed! ( 2 Km ago.)"});
}

TEST_F(ConsumableStatusTest, TheUnitChangesOnlyTheWord)
{
    writeData("Oil=100#5000\r\nBelt=0#60000\r\n");
    EXPECT_EQ(remarks(analyze("5350", "Miles")),
        (std::vector<std::string> {"[OIL] change needed! ( 250 Miles ago.)", "Ok. Change needed after 54650 Miles."}));
    EXPECT_EQ(remarks(analyze("5350", "Km")),
        (std::vector<std::string> {"[OIL] change needed! ( 250 Km ago.)", "Ok. Change needed after 54650 Km."}));
}

TEST_F(ConsumableStatusTest, AnEmptyReadingCountsAsZero)
{
    writeData("Oil=100#5000\r\n");
    EXPECT_EQ(remarks(analyze("")), std::vector<std::string> {"Ok. Change needed after 5100 Km."});
    EXPECT_EQ(remarks(analyze("abc")), std::vector<std::string> {"Ok. Change needed after 5100 Km."});
}

TEST_F(ConsumableStatusTest, MalformedEntriesGetTheirOwnRowAndTheRestIsComputed)
{
    writeData("Oil=100#5000\r\nNo Hash=5000\r\nLetters=abc#500\r\nBig=3000000000#5\r\nSum=2147483000#1000\r\n"
              "Blank=\r\nBelt=0#60000\r\n");
    const auto rows = analyze("5100");
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0], statusRow(" OIL", "[OIL] change needed! ( 0 Km ago.)", ColourRed, true));
    EXPECT_EQ(rows[1], statusRow(" NO HASH", "The stored value \"5000\" is not valid.", ColourRed, false));
    EXPECT_EQ(rows[2].subItems.front(), "The stored value \"abc#500\" is not valid.");
    EXPECT_EQ(rows[3].subItems.front(), "The stored value \"3000000000#5\" is not valid.");
    EXPECT_EQ(rows[4].subItems.front(), "The stored value \"2147483000#1000\" is not valid.");
    // A blank value does not borrow the numbers of the row before it.
    EXPECT_EQ(rows[5], statusRow(" BLANK", "No reading is stored for this item.", ColourRed, false));
    EXPECT_EQ(rows[6], statusRow(" BELT", "Ok. Change needed after 54900 Km.", ColourBlack, false));
}

TEST_F(ConsumableStatusTest, AReadingBeyond32BitsStillShowsTheOverdueDistance)
{
    writeData("Oil=100#5000\r\n");
    EXPECT_EQ(
        remarks(analyze("99999999999")), std::vector<std::string> {"[OIL] change needed! ( 99999994899 Km ago.)"});
}

TEST_F(ConsumableStatusTest, LeavesTheListAloneWithoutItemsOrWithoutTheFile)
{
    writeData("");
    EXPECT_FALSE(AnalyzeConsumables(ctx, "100", "Km").has_value());

    std::remove(dir.file("cardata.dat").c_str());
    prompter.expect("Missing Data File ...", MsgAnswer::Ok, kMissingFileText);
    EXPECT_FALSE(AnalyzeConsumables(ctx, "100", "Km").has_value());
    EXPECT_EQ(prompter.messages().back().icon, MsgIcon::Critical);
}

TEST_F(ConsumableStatusTest, ListRowsShowTheStoredTextsAsTheyStand)
{
    writeData("Oil=0100#5000\r\nNo Hash=5000\r\nBlank=\r\nbelt=1#2#3\r\n");
    const auto list = LoadConsumables(ctx);
    ASSERT_TRUE(list.has_value());
    EXPECT_FALSE(list->clearsStatus);
    EXPECT_EQ(list->rows,
        (std::vector<ListRow> {
            {" OIL", {"0100", "5000"}, 3, ColourBlack, false},
            {" NO HASH", {"5000", ""}, 3, ColourBlack, false},
            {" BLANK", {"", ""}, 3, ColourBlack, false},
            {" BELT", {"1", "2#3"}, 3, ColourBlack, false},
        }));
}

TEST_F(ConsumableStatusTest, NoItemsEmptiesBothListsAndNoFileKeepsThem)
{
    writeData("");
    const ConsumableLists emptied = ReloadConsumables(ctx, "100", "Km");
    EXPECT_EQ(emptied.consumables, std::vector<ListRow>());
    EXPECT_EQ(emptied.status, std::vector<ListRow>());

    std::remove(dir.file("cardata.dat").c_str());
    prompter.expect("Missing Data File ...", MsgAnswer::Ok, kMissingFileText)
        .expect("Missing Data File ...", MsgAnswer::Ok, kMissingFileText);
    const ConsumableLists kept = ReloadConsumables(ctx, "100", "Km");
    EXPECT_FALSE(kept.consumables.has_value());
    EXPECT_FALSE(kept.status.has_value());
}

TEST_F(ConsumableStatusTest, AnalyzeNowStoresTheReadingThenAnalysesAndFiguresAgain)
{
    writeData("Oil=100#5000\r\n");
    const AnalyzeNowResult result = AnalyzeNow(ctx, "5600", "Km", "USD");
    EXPECT_TRUE(result.stored);
    EXPECT_FALSE(result.focusReading);
    EXPECT_EQ(ctx.dataFile().ReadINI("app", "miles", ""), "5600");
    EXPECT_EQ(result.fuelFilledMilesCaption, "5600");
    ASSERT_TRUE(result.status.has_value());
    EXPECT_EQ(remarks(*result.status), std::vector<std::string> {"[OIL] change needed! ( 500 Km ago.)"});
    EXPECT_EQ(result.statistics.totalDistance, "4600 Km");
    EXPECT_EQ(result.statistics.totalExpense, "350  USD");
}

TEST_F(ConsumableStatusTest, AnalyzeNowRefusesABlankReading)
{
    writeData("Oil=100#5000\r\n");
    const std::string before = dir.read("cardata.dat");
    prompter.expect("Required Data Missing!", MsgAnswer::Ok, "Please specify current Miles-reading of your Car.");
    const AnalyzeNowResult result = AnalyzeNow(ctx, "  ", "Miles", "USD");
    EXPECT_FALSE(result.stored);
    EXPECT_TRUE(result.focusReading);
    EXPECT_FALSE(result.status.has_value());
    EXPECT_EQ(prompter.messages().back().icon, MsgIcon::Information);
    EXPECT_EQ(dir.read("cardata.dat"), before);
}

TEST_F(ConsumableStatusTest, AnalyzeNowStopsWhenTheReadingCannotBeStored)
{
    writeData("Oil=100#5000\r\n");
    ASSERT_EQ(::chmod(dir.file("cardata.dat").c_str(), 0444), 0);
    prompter.expect("Data Not Saved!");
    const AnalyzeNowResult result = AnalyzeNow(ctx, "5600", "Km", "USD");
    EXPECT_FALSE(result.stored);
    EXPECT_FALSE(result.status.has_value());
    EXPECT_EQ(ctx.dataFile().ReadINI("app", "miles", ""), "5000");
}

TEST(ReadingKeyFilter, KeepsOnlyDigitsAndBackspace)
{
    for (char32_t key : {U'0', U'5', U'9', char32_t {8}})
        EXPECT_TRUE(keepsReadingKey(key)) << static_cast<int>(key);
    for (char32_t key : {U'.', U'-', U'a', U' ', char32_t {13}, char32_t {27}, char32_t {0x0663}})
        EXPECT_FALSE(keepsReadingKey(key)) << static_cast<int>(key);
}
