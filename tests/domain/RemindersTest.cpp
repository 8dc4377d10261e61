#include "domain/Reminders.h"
#include "domain/AppSettings.h"
#include "domain/ConsumablePanel.h"
#include "domain/Consumables.h"

#include "DomainFixture.h"

#include <tuple>

namespace {

using RemindersTest = DomainFixture;

ListRow statusRow(std::string text, std::string remark, bool due, std::string toolTip = "")
{
    return {std::move(text), {std::move(remark)}, 1, due ? ColourRed : ColourBlack, due, std::move(toolTip)};
}

// A year of weekly readings at 50 Km a day up to 19200 the day before the clock's, after one
// from before the year that must not count.
std::string weeklyReadings()
{
    std::string log = "[reading log]\n0=2025-05-01 08:00#0\n";
    for (int week = 0; week <= 52; ++week)
        log += std::to_string(week + 1) + "=" + CalendarDate {2025, 5, 29}.plusDays(7 * week).text() + " 08:00#"
            + std::to_string(1000 + 350 * week) + "\n";
    return log;
}

const std::string kDueItems = "[app]\nmiles=20000\n[consumables]\nTyres=0#40000\nOil=14770#5000\nBelt=10000#10600\n"
                              "Timing Belt=12800#8000\nBrake Fluid=0#900000\nCoolant=19000#2000\nFilter=19900#500\n"
                              "Wipers=0#900000\nBattery=0#900000\n[consumable dates]\nBrake Fluid=2024-06-06#24\n"
                              "coolant=2025-06-01#12\nFilter=2026-01-01#12\nWipers=2026-01-01#3\n"
                              "Battery=2025-06-20#12\nGone=2020-01-01#1\n";

} // namespace

TEST_F(RemindersTest, MonthsKeepTheDayOrTheMonthsLastAndAnItemIsDueByDateOnItsDay)
{
    for (const auto& [from, months, to] : {std::tuple {"2024-01-31", 1, "2024-02-29"}, {"2025-01-31", 1, "2025-02-28"},
             {"2024-02-29", 12, "2025-02-28"}, {"2025-11-30", 3, "2026-02-28"}, {"2006-05-28", 240, "2026-05-28"}})
        EXPECT_EQ(CalendarDate::parse(from)->plusMonths(months).text(), to) << from;
    EXPECT_EQ(CalendarDate::fromDayNumber(CalendarDate {2000, 2, 29}.dayNumber() + 366).text(), "2001-03-01");

    writeData("[app]\nmiles=5000\n[consumables]\nOil=4000#5000\nBrake Fluid=0#900000\nCoolant=0#900000\nBelt=100#100\n"
              "Battery=0#900000\nBlank=\n[consumable dates]\nbrake fluid=2026-04-28#1\nCoolant=2006-05-29#240\n"
              "Belt=2020-01-01#12\nBattery=2026-01-31#1\nBlank=2020-01-01#1\nOil=2026-01-01#x\n");
    EXPECT_EQ(AnalyzeConsumables(ctx, "5000", "Km"),
        (std::vector<ListRow> {statusRow(" OIL", "Ok. Change needed after 4000 Km.", false),
            statusRow(" BRAKE FLUID", "[BRAKE FLUID] change needed! ( due since 2026-05-28.)", true),
            statusRow(" COOLANT", "Ok. Change needed after 895000 Km.", false,
                "Expected around 2026-05-29 at your usual driving"),
            statusRow(" BELT", "[BELT] change needed! ( 4800 Km ago.)", true),
            statusRow(" BATTERY", "[BATTERY] change needed! ( due since 2026-02-28.)", true),
            {" BLANK", {"No reading is stored for this item."}, 1, ColourRed}}));
}

TEST_F(RemindersTest, TheDrivingRateSpansTheLastYearsOldestAndNewestReadings)
{
    const std::pair<std::string, std::optional<double>> cases[] = {
        {"1=2026-05-14 10:00#1000\n2=2026-05-27 23:59#1500\n", std::nullopt}, // 13 days
        {"1=2025-05-27 10:00#0\n2=2026-05-14 10:00#1000\n3=2026-05-27 09:00#1100\n", std::nullopt}, // the first too old
        {"1=2025-05-28 10:00#0\n2=2026-05-28 09:00#730\n3=2026-05-29 09:00#9999\n", 2.0}, // a year ago counts
        {"1=2026-01-01 10:00#5000\n3=2026-05-27 10:00#1.5\n2=2026-05-28 10:00#5000\n", std::nullopt}, // no distance
        {"2=2026-05-28 10:00#4000\n1=2026-04-28 10:00#5000\n", std::nullopt}, // the reading went down
        {weeklyReadings().substr(14), 50.0},
    };
    for (const auto& [log, rate] : cases) {
        writeData("[reading log]\n" + log);
        EXPECT_EQ(ConsumableDates::drivingRate(Logbook::read(ctx).readings, {2026, 5, 28}), rate) << log;
    }
}

TEST_F(RemindersTest, TheListIsSoonestFirstWithExpectedDatesByDistanceByDateOrTheEarlierOfBoth)
{
    writeData(kDueItems + weeklyReadings());
    std::vector<std::string> rows;
    for (const ReminderRow& r : ReminderList(ctx, "20000", "Km")) {
        const std::string colour = r.colour == ColourRed ? " red" : r.colour == ColourAmber ? " amber" : "";
        rows.push_back(r.item + "|" + r.dueAtReading + "|" + r.left + "|" + r.dueByDate + "|" + r.expected + "|"
            + r.status + colour);
    }
    EXPECT_EQ(rows,
        (std::vector<std::string> {
            "WIPERS|900000|880000 Km|2026-04-01||Overdue red",
            "OIL|19770|-230 Km|||Overdue red",
            "COOLANT|21000|1000 Km|2026-06-01|2026-06-01|Due soon amber", // the date before the distance
            "FILTER|20400|400 Km|2027-01-01|2026-06-05|Due soon amber", // the distance before the date
            "BRAKE FLUID|900000|880000 Km|2026-06-06|2026-06-06|Due soon amber",
            "BELT|20600|600 Km||2026-06-09|Due soon amber",
            "TIMING BELT|20800|800 Km||2026-06-13|Due soon amber", // 16 days, but a tenth of its interval
            "BATTERY|900000|880000 Km|2026-06-20|2026-06-20|Ok",
            "TYRES|40000|20000 Km||2027-07-02|Ok",
        }));
    const auto status = AnalyzeConsumables(ctx, "20000", "Km").value();
    EXPECT_EQ(status.at(0).toolTip, "Expected around 2027-07-02 at your usual driving");
    EXPECT_EQ(status.at(7), statusRow(" WIPERS", "[WIPERS] change needed! ( due since 2026-04-01.)", true));
}

TEST_F(RemindersTest, TheNoticeListsFiveSoonestOnceADayWhenRemindIsOn)
{
    writeData(kDueItems + weeklyReadings());
    const std::string before = data();
    EXPECT_EQ(StartupNotice(ctx, "20000", "Km"),
        (ReminderNotice {"Wheelbook: maintenance due",
            "WIPERS: change needed (due since 2026-04-01)\nOIL: change needed (230 Km ago)\n"
            "COOLANT: due in about 4 days\nFILTER: due in about 8 days\nBRAKE FLUID: due in about 9 days\n"
            "and 2 more"}));
    EXPECT_EQ(data(), crlf("[app]\nmiles=20000\nlastremind=2026-05-28\n") + before.substr(20));
    EXPECT_EQ(StartupNotice(ctx, "20000", "Km"), std::nullopt); // not twice a day
    ctx.setClock([] { return localTime(2026, 6, 12, 0, 1); });
    EXPECT_EQ(StartupNotice(ctx, "20800", "Km").value().body,
        "WIPERS: change needed (due since 2026-04-01)\nOIL: change needed (1030 Km ago)\n"
        "COOLANT: change needed (due since 2026-06-01)\nFILTER: change needed (400 Km ago)\n"
        "BRAKE FLUID: change needed (due since 2026-06-06)\nand 3 more");
    EXPECT_EQ(AppSettings::lastRemind(ctx), "2026-06-12");

    // Without dates or a reading log only an overdue item is told, and only while remind is on.
    writeData("[app]\nmiles=5000\n[consumables]\nBelt=0#5400\nOil=0#5000\n");
    EXPECT_TRUE(AppSettings::remindAtStart(ctx));
    EXPECT_EQ(StartupNotice(ctx, "5000", "Km").value().body, "OIL: change needed (0 Km ago)");
    writeData("[app]\nmiles=5000\n[consumables]\nBelt=0#5400\nOil=0#5000\n");
    EXPECT_EQ(StartupNotice(ctx, "4999", "Km"), std::nullopt); // each with less than a tenth left
    EXPECT_TRUE(AppSettings::setRemindAtStart(ctx, false));
    EXPECT_EQ(StartupNotice(ctx, "5000", "Km"), std::nullopt);
    EXPECT_EQ(data(), crlf("[app]\nmiles=5000\nremind=0\n[consumables]\nBelt=0#5400\nOil=0#5000\n"));
}

TEST_F(RemindersTest, ThePanelRefusesADateBadlyGivenAndStoresItWithItsItemOrNeither)
{
    writeData("[app]\nmiles=12000\n[consumables]\nOil=10000#5000\n[consumable dates]\nOIL=2020-01-01#6\n");
    ConsumablePanel panel(ctx);
    auto adding = [&](std::string date, std::string months) {
        ConsumablePanelState state = panel.clickAdd({}).panel;
        std::tie(state.itemName, state.lastChanged, state.changeAfter, state.changedOn, state.changeMonths)
            = std::tie("Brake Fluid", "0", "900000", date, months);
        return state;
    };
    for (const auto& [date, months, text] : {
             std::tuple {"", "12", "Please specify the date when you last changed Brake Fluid."},
             {"2026-02-30", "", "Please specify the date when you last changed Brake Fluid."},
             {"2026-05-01", " ", "Please specify after how many months Brake Fluid must be changed."},
             {"2026-05-29", "12", "The date of the last change can't be in the future."},
             {"2026-05-01", "0", "The months between changes must be between 1 and 240."},
             {"2026-05-01", "241", "The months between changes must be between 1 and 240."},
         }) {
        expect("Required Field Empty ...", text);
        EXPECT_EQ(panel.clickSave(adding(date, months), "12000", "Km").panel, adding(date, months)) << text;
    }
    EXPECT_EQ(panel.clickSave(adding("2026-05-28", "240"), "12000", "Km").panel, ConsumablePanelState());
    const std::string service = "[service log]\n1=" + kNow + "#0#900000#Brake Fluid\n";
    EXPECT_EQ(data(),
        crlf("[app]\nmiles=12000\n[consumables]\nOil=10000#5000\nBrake Fluid=0#900000\n[consumable dates]\n"
             "OIL=2020-01-01#6\nBrake Fluid=2026-05-28#240\n"
            + service));

    // The double-click fills the date boxes; an edit rewrites the entry under the item's spelling.
    const ListRow oil {" OIL", {"10000", "5000"}, 3};
    ConsumablePanelState state = panel.clickEdit(panel.doubleClickList({}, &oil).panel, &oil).panel;
    EXPECT_EQ(std::tie(state.changedOn, state.changeMonths, state.boxesLocked), std::tuple("2020-01-01", "6", false));
    state.changeMonths = "1";
    EXPECT_EQ(panel.clickSave(state, "12000", "Km").panel, ConsumablePanelState());
    EXPECT_EQ(splitKeyList(ctx.dataFile().ReadINIKeys("consumable dates")),
        (std::vector<std::string> {"Brake Fluid", "Oil"}));
    state = panel.clickEdit(panel.doubleClickList({}, &oil).panel, &oil).panel;
    EXPECT_EQ(std::tie(state.changedOn, state.changeMonths), std::tuple("2020-01-01", "1"));
    state.changedOn = state.changeMonths = "";
    EXPECT_EQ(panel.clickSave(state, "12000", "Km").panel, ConsumablePanelState());
    const std::string oilLog = "2=" + kNow + "#10000#5000#Oil\n3=" + kNow + "#10000#5000#Oil\n";
    EXPECT_EQ(data(),
        crlf("[app]\nmiles=12000\n[consumables]\nOil=10000#5000\nBrake Fluid=0#900000\n[consumable dates]\n"
             "Brake Fluid=2026-05-28#240\n"
            + service + oilLog));

    const ListRow brakeFluid {" BRAKE FLUID", {"0", "900000"}, 3};
    expect("Are you sure?",
        "This will Delete Consumable Item \" BRAKE FLUID\" from Database. Are you sure you want to Delete it?",
        Question, MsgAnswer::Yes);
    panel.clickDelete({}, &brakeFluid, "12000", "Km");
    EXPECT_EQ(
        data(), crlf("[app]\nmiles=12000\n[consumables]\nOil=10000#5000\n[consumable dates]\n" + service + oilLog));
}
