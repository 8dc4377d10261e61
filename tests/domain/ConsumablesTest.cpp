#include "domain/Consumables.h"

#include "DomainFixture.h"

#include <sys/stat.h>
#include <tuple>

namespace {
const std::string kTotals = "[init]\nmiles=1000\n[app]\nmiles=5000\ncost=350\n[fuel]\ntotal=75\n[consumables]\n";

class ConsumablesTest : public DomainFixture {
protected:
    std::vector<ListRow> analyze(const std::string& reading, const std::string& unit = "Km")
    {
        return AnalyzeConsumables(ctx, reading, unit).value_or(std::vector<ListRow> {{"<left alone>", {}}});
    }
};

// Each procedure's cases under its own name, so `ctest -R AnalyzeConsumables` picks them.
using AnalyzeConsumablesTest = ConsumablesTest;
using LoadConsumablesTest = ConsumablesTest;
using AnalyzeNowTest = ConsumablesTest;

ListRow statusRow(std::string text, std::string remark, Colour colour = ColourRed, bool bold = false)
{
    return {std::move(text), {std::move(remark)}, 1, colour, bold};
}
} // namespace

TEST_F(AnalyzeConsumablesTest, TheStatusJudgesEachItemInFileOrderAgainstTheReadingAsTyped)
{
    writeData(kTotals
        + "engine Oil=100#5000\nNo Hash=5000\nLetters=abc#500\nBig=3000000000#5\nSum=2147483000#1000\nBlank=\n"
          "Belt=0#60000\n");
    EXPECT_EQ(analyze("5100", "Miles"),
        (std::vector<ListRow> {
            statusRow(" ENGINE OIL", "[ENGINE OIL] change needed! ( 0 Miles ago.)", ColourRed, true),
            statusRow(" NO HASH", "The stored value \"5000\" is not valid."),
            statusRow(" LETTERS", "The stored value \"abc#500\" is not valid."),
            statusRow(" BIG", "The stored value \"3000000000#5\" is not valid."),
            statusRow(" SUM", "The stored value \"2147483000#1000\" is not valid."),
            // A blank value does not borrow the numbers of the row before it.
            statusRow(" BLANK", "No reading is stored for this item."),
            statusRow(" BELT", "Ok. Change needed after 54900 Miles.", ColourBlack),
        }));
    // The remark counts from the reading as typed.
    writeData(kTotals + "Oil=500#1000\n");
    for (const auto& [reading, remark] : {
             std::pair {"1000.5", "Ok. Change needed after 499.5 Km."}, // the decimals are kept
             {"1500.5", "[OIL] change needed! ( 0 Km ago.)"}, // half a unit: ties go to the even neighbour
             {"", "Ok. Change needed after 1500 Km."}, // no number counts as 0
             {"99999999999", "[OIL] change needed! ( 99999998499 Km ago.)"}, // beyond 32 bits
         }) {
        EXPECT_EQ(analyze(reading).at(0).subItems, SubItems {remark}) << reading;
    }
}

TEST_F(LoadConsumablesTest, TheListShowsTheStoredTextsAndWithoutItemsOrFileTheListsEmptyOrKeepTheirRows)
{
    writeData(kTotals + "Oil=0100#5000\nNo Hash=5000\nBlank=\nbelt=1#2#3\n");
    const auto list = LoadConsumables(ctx);
    ASSERT_TRUE(list.has_value());
    EXPECT_FALSE(list->clearsStatus);
    EXPECT_EQ(list->rows,
        (std::vector<ListRow> {{" OIL", {"0100", "5000"}, 3}, {" NO HASH", {"5000", ""}, 3}, {" BLANK", {"", ""}, 3},
            {" BELT", {"1", "2#3"}, 3}}));
    writeData(kTotals);
    EXPECT_FALSE(AnalyzeConsumables(ctx, "100", "Km").has_value());
    const ConsumableLists emptied = ReloadConsumables(ctx, "100", "Km");
    EXPECT_EQ(emptied.consumables, std::vector<ListRow>());
    EXPECT_EQ(emptied.status, std::vector<ListRow>());
    std::remove(dir.file("cardata.dat").c_str());
    for (int shown = 0; shown < 3; ++shown)
        expect("Missing Data File ...", kMissingFileText, Critical);
    EXPECT_FALSE(AnalyzeConsumables(ctx, "100", "Km").has_value());
    const ConsumableLists kept = ReloadConsumables(ctx, "100", "Km");
    EXPECT_FALSE(kept.consumables.has_value());
    EXPECT_FALSE(kept.status.has_value());
}

TEST_F(AnalyzeNowTest, StoresTheReadingThenAnalysesAndFiguresAgain)
{
    writeData(kTotals + "Oil=100#5000\n");
    const AnalyzeNowResult result = AnalyzeNow(ctx, "5600", "Miles", "EUR");
    EXPECT_EQ(std::tie(result.stored, result.focusReading), std::tuple(true, false));
    const std::string stored5600
        = crlf("[init]\nmiles=1000\n[app]\nmiles=5600\ncost=350\n[fuel]\ntotal=75\n[consumables]\nOil=100#5000\n"
               "[reading log]\n1="
            + kNow + "#5600\n");
    EXPECT_EQ(data(), stored5600);
    EXPECT_EQ(result.fuelFilledMilesCaption, "5600");
    EXPECT_EQ(result.status,
        (std::vector<ListRow> {statusRow(" OIL", "[OIL] change needed! ( 500 Miles ago.)", ColourRed, true)}));
    EXPECT_EQ(result.statistics, (StatisticsCaptions {"350  EUR", "4600 Miles", "0.0761 EUR", "1.63 Litters"}));
    // A blank reading, or a file that refuses it, changes nothing.
    expect("Required Data Missing!", "Please specify current Miles-reading of your Car.");
    const AnalyzeNowResult blank = AnalyzeNow(ctx, "  ", "Miles", "USD");
    EXPECT_EQ(std::tie(blank.stored, blank.focusReading, blank.status), std::tuple(false, true, std::nullopt));
    ASSERT_EQ(::chmod(dir.file("cardata.dat").c_str(), 0444), 0);
    expect("Data Not Saved!", "", Critical);
    const AnalyzeNowResult refused = AnalyzeNow(ctx, "5700", "Km", "USD");
    EXPECT_EQ(std::tie(refused.stored, refused.focusReading, refused.status), std::tuple(false, false, std::nullopt));
    EXPECT_EQ(data(), stored5600);
}
