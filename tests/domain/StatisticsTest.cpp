#include "domain/Statistics.h"
#include "domain/AppContext.h"
#include "domain/FuelTotalEditor.h"
#include "domain/RightLeftGesture.h"

#include "ScriptedPrompter.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

class ShowStatisticsTest : public ::testing::Test {
protected:
    void writeData(const std::string& initial, const std::string& fuel, const std::string& cost)
    {
        dir.write("cardata.dat",
            "[init]\r\nmiles=" + initial + "\r\n[app]\r\ncost=" + cost + "\r\n[fuel]\r\ntotal=" + fuel + "\r\n");
    }
    StatisticsCaptions show(const std::string& reading) { return ShowStatistics(ctx, reading, "Km", "USD"); }

    TempDir dir;
    ScriptedPrompter prompter;
    AppContext ctx {dir.path(), dir.file("wheelbook"), "", prompter};
};

StatisticsCaptions captions(std::string expense, std::string distance, std::string perKm, std::string per100)
{
    return {std::move(expense), std::move(distance), std::move(perKm), std::move(per100)};
}

} // namespace

TEST_F(ShowStatisticsTest, NothingTravelledShowsZeros)
{
    writeData("1000", "0", "0");
    EXPECT_EQ(show("1000"), captions("0  USD", "0 Km", "0 USD", "0 Litters"));
}

TEST_F(ShowStatisticsTest, FiguresFromTheStoredTotals)
{
    writeData("1000", "120", "350");
    EXPECT_EQ(show("2500"), captions("350  USD", "1500 Km", "0.2333 USD", "8 Litters"));
    EXPECT_EQ(
        ShowStatistics(ctx, "2500", "Miles", "EUR"), captions("350  EUR", "1500 Miles", "0.2333 EUR", "8 Litters"));
}

TEST_F(ShowStatisticsTest, AmountsAreTakenExactly)
{
    writeData("0", "45.5", "40000.5");
    // 45.5 litres, not 46; a cost beyond 16 bits, with its decimals.
    EXPECT_EQ(show("1000"), captions("40000.5  USD", "1000 Km", "40.0005 USD", "4.55 Litters"));
}

TEST_F(ShowStatisticsTest, DisplayRoundingTakesTiesToEven)
{
    writeData("0", "1.25", "1");
    // 0.125 litres per 100 Km shows 0.12; 1 / 3000 shows 0.0003.
    EXPECT_EQ(show("1000").fuelAvgPer100, "0.12 Litters");
    EXPECT_EQ(show("3000").fuelCostPerKm, "0.0003 USD");
}

TEST_F(ShowStatisticsTest, AReadingBelowTheInitialGivesNegativeFigures)
{
    writeData("1000", "50", "100");
    EXPECT_EQ(show("500"), captions("100  USD", "-500 Km", "-0.2 USD", "-10 Litters"));
}

TEST_F(ShowStatisticsTest, MissingOrMalformedInputsShowZeroForWhatDependsOnThem)
{
    writeData("", "50", "100");
    EXPECT_EQ(show("1500"), captions("100  USD", "0 Km", "0 USD", "0 Litters"));

    writeData("1000", "50", "lots");
    EXPECT_EQ(show("1500"), captions("0  USD", "500 Km", "0 USD", "10 Litters"));

    writeData("1000", "1.2.3", "100");
    EXPECT_EQ(show("1500"), captions("100  USD", "500 Km", "0.2 USD", "0 Litters"));

    writeData("1000", "50", "100");
    EXPECT_EQ(show("abc"), captions("100  USD", "0 Km", "0 USD", "0 Litters"));
    EXPECT_EQ(show("9999999999"), captions("100  USD", "0 Km", "0 USD", "0 Litters"));

    dir.write("cardata.dat", "[init]\r\nmiles=1000\r\n");
    EXPECT_EQ(show("1500"), captions("0  USD", "500 Km", "0 USD", "0 Litters"));
}

namespace {

class FuelTotalEditorTest : public ShowStatisticsTest {
protected:
    FuelTotalEditorTest() { writeData("1000", "75", "350"); }
    std::string storedTotal() { return ctx.dataFile().ReadINI("fuel", "total", "0"); }

    FuelTotalEditor editor;
    const FuelTotalEditor::StatisticsView view {"2000", "Km", "USD"};
};

} // namespace

TEST_F(FuelTotalEditorTest, KeepsDigitsPointBackspaceEnterAndEscape)
{
    for (char32_t key : {U'0', U'9', U'.', char32_t {8}, char32_t {13}, char32_t {27}})
        EXPECT_TRUE(FuelTotalEditor::keepsKey(key)) << static_cast<int>(key);
    for (char32_t key : {U'a', U'-', U',', U' '})
        EXPECT_FALSE(FuelTotalEditor::keepsKey(key)) << static_cast<int>(key);
}

TEST_F(FuelTotalEditorTest, ConfirmedValueIsStoredAsTyped)
{
    EXPECT_EQ(editor.open("1200.5"), "1200.5");
    EXPECT_EQ(editor.open("75 Litters"), "75");
    EXPECT_TRUE(editor.isOpen());
    prompter.expect("Are you sure?", MsgAnswer::Yes, "Are you sure you want to change Total Fuel value to 120.5 ?");
    const FuelTotalEditor::Closing closing = editor.enter(ctx, "120.5", view);
    EXPECT_FALSE(editor.isOpen());
    EXPECT_EQ(storedTotal(), "120.5");
    EXPECT_EQ(closing.fuelTotalCaption, "120.5 Litters");
    ASSERT_TRUE(closing.statistics.has_value());
    EXPECT_EQ(closing.statistics->fuelAvgPer100, "12.05 Litters");
    EXPECT_EQ(prompter.messages().back().icon, MsgIcon::Question);
}

TEST_F(FuelTotalEditorTest, EveryOtherEndingLeavesTheTotal)
{
    editor.open("75 Litters");
    prompter.expect("Are you sure?", MsgAnswer::No);
    EXPECT_FALSE(editor.enter(ctx, "120.5", view).fuelTotalCaption.has_value());
    EXPECT_FALSE(editor.isOpen());

    editor.open("75 Litters");
    prompter.expect("Wrong Value specified!", MsgAnswer::Ok, "Total Fuel field can't be changed to an empty value ...");
    EXPECT_FALSE(editor.enter(ctx, "", view).fuelTotalCaption.has_value());
    EXPECT_FALSE(editor.isOpen());

    editor.open("75 Litters");
    prompter.expect("Wrong Value specified!", MsgAnswer::Ok,
        "Total Fuel field can't be changed to 1.2.3: please type a number such as 120.5 ...");
    EXPECT_FALSE(editor.enter(ctx, "1.2.3", view).fuelTotalCaption.has_value());

    editor.open("75 Litters");
    EXPECT_FALSE(editor.escape().fuelTotalCaption.has_value());
    EXPECT_FALSE(editor.isOpen());

    editor.open("75 Litters");
    EXPECT_FALSE(editor.focusLost().fuelTotalCaption.has_value());
    EXPECT_FALSE(editor.isOpen());

    EXPECT_EQ(storedTotal(), "75");
}

TEST(RightLeftGesture, RightHeldThenLeftOpensTheExpensesTab)
{
    using Button = RightLeftGesture::Button;
    RightLeftGesture gesture;
    EXPECT_FALSE(gesture.mouseUp(Button::Left));
    gesture.mouseDown(Button::Left);
    EXPECT_FALSE(gesture.mouseUp(Button::Left));

    gesture.mouseDown(Button::Right);
    EXPECT_FALSE(gesture.mouseUp(Button::Middle));
    EXPECT_TRUE(gesture.mouseUp(Button::Left));
    EXPECT_TRUE(gesture.mouseUp(Button::Left)); // still held
    EXPECT_FALSE(gesture.mouseUp(Button::Right));
    EXPECT_FALSE(gesture.mouseUp(Button::Left));
    EXPECT_EQ(RightLeftGesture::ExpensesTab, 2);
}
