#include "PageTest.h"

#include "mainwindow/DateBox.h"

#include <QCalendarWidget>
#include <QTableView>

namespace {

const QString kBrowsing = u"Add+ Edit- Delete+ Save- locked '' locked '' locked '' locked '' locked ''"_s;

class ConsumablesPageTest : public PageTest {
protected:
    void SetUp() override { open(1); }

    QString panel()
    {
        return state({"btnConsumableAdd", "btnConsumableEdit", "btnConsumableDel", "btnConsumableSave", "txtItemName",
            "txtLastChanged", "txtChangeAfter", "dtpChangedOn", "txtChangeMonths"});
    }
};

} // namespace

TEST_F(ConsumablesPageTest, SaveChecksWithTheUnitAndReadingOfTheWindowThenAddsToBothLists)
{
    combo("cmbUnit")->setCurrentText(u"Miles"_s);
    click(button("btnConsumableAdd"));
    EXPECT_EQ(panel(), u"Cancel+ Edit- Delete- Save+ open '' open '' open '' open '' open ''"_s);
    EXPECT_TRUE(focused("txtItemName"));
    type("txtItemName", u"Brake Pads"_s);
    type("txtLastChanged", u"2501"_s);
    f.prompter.expect("Wheelbook", MsgAnswer::Ok,
        "Error : The car hasn't yet reached the distance at which you have changed the consumable. Example : You car "
        "has done 10 Miless and you try to enter an oil change made at 2000Miless.");
    click(button("btnConsumableSave"));
    EXPECT_EQ(panel(), u"Cancel+ Edit- Delete- Save+ open 'Brake Pads' open '2501' open '' open '' open ''"_s);
    EXPECT_EQ(f.dataFile(), kSampleData);

    type("txtLastChanged", u"2000"_s);
    type("txtChangeAfter", u"20000"_s);
    click(button("btnConsumableSave"));
    EXPECT_EQ(f.dataFile(),
        std::string(kSampleData) + "Brake Pads=2000#20000\r\n[service log]\r\n1=" + kNow
            + "#2000#20000#Brake Pads\r\n");
    EXPECT_EQ(panel(), kBrowsing);
    EXPECT_EQ(linesOf(list("lstConsumables")).last(), u" BRAKE PADS | 2000 | 20000"_s);
    EXPECT_EQ(linesOf(list("lstStatus")).last(), u" BRAKE PADS | Ok. Change needed after 19500 Miles."_s);
}

TEST_F(ConsumablesPageTest, ADoubleClickShowsTheSelectedRowForEditAndDelete)
{
    doubleClick("lstConsumables"); // below the rows: nothing is selected
    EXPECT_EQ(panel(), kBrowsing);
    doubleClick("lstConsumables", u" AIR FILTER"_s);
    EXPECT_EQ(
        panel(), u"Add+ Edit+ Delete+ Save- locked ' AIR FILTER' locked '0' locked '15000' locked '' locked ''"_s);
    f.prompter.expect("Are you sure?", MsgAnswer::No,
        "This will Delete Consumable Item \" AIR FILTER\" from Database. Are you sure you want to Delete it?");
    click(button("btnConsumableDel"));
    EXPECT_EQ(f.dataFile(), kSampleData);
    click(button("btnConsumableEdit"));
    EXPECT_EQ(panel(), u"Add- Cancel+ Delete- Save+ open ' AIR FILTER' open '0' open '15000' open '' open ''"_s);
    EXPECT_EQ(box("txtItemName")->selectedText(), u" AIR FILTER"_s);
}

TEST_F(ConsumablesPageTest, TheDateBoxesFollowThePanelAndTheirDateMakesTheStatusRows)
{
    const std::string dated = std::string(kSampleData) + "[consumable dates]\r\nAir Filter=2025-01-15#12\r\n";
    open(1, dated);
    QTreeWidget* status = list("lstStatus");
    EXPECT_EQ(linesOf(status).last(), u" AIR FILTER | [AIR FILTER] change needed! ( due since 2026-01-15.)"_s);
    EXPECT_EQ(status->topLevelItem(1)->foreground(0).color(), QColor(Qt::red));
    doubleClick("lstConsumables", u" AIR FILTER"_s);
    const QString shown = u"locked ' AIR FILTER' locked '0' locked '15000' locked '2025-01-15' locked '12'"_s;
    EXPECT_EQ(panel(), u"Add+ Edit+ Delete+ Save- "_s + shown);
    click(button("btnConsumableEdit"));
    EXPECT_EQ(
        panel(), u"Add- Cancel+ Delete- Save+ open ' AIR FILTER' open '0' open '15000' open '2025-01-15' open '12'"_s);
    f.prompter.expect("Are you sure", MsgAnswer::Yes, "Are you sure you want to Cancel?");
    click(button("btnConsumableEdit"));
    EXPECT_EQ(panel(), u"Add+ Edit+ Delete+ Save- "_s + shown);
    click(button("btnConsumableAdd"));
    EXPECT_EQ(panel(), u"Cancel+ Edit- Delete- Save+ open '' open '' open '' open '' open ''"_s);
    f.prompter.expect(
        "Are you sure", MsgAnswer::Yes, "Are you sure you want to Cancel adding new Item to Consumables' Database?");
    click(button("btnConsumableAdd"));
    EXPECT_EQ(panel(), kBrowsing);
    click(button("btnConsumableAdd"));
    type("txtItemName", u"Brake Fluid"_s);
    type("txtLastChanged", u"2000"_s);
    type("txtChangeAfter", u"40000"_s);
    type("dtpChangedOn", u"2026-06-01"_s);
    type("txtChangeMonths", u"2x4."_s);
    f.prompter.expect("Required Field Empty ...", MsgAnswer::Ok, "The date of the last change can't be in the future.");
    click(button("btnConsumableSave"));
    EXPECT_EQ(panel(),
        u"Cancel+ Edit- Delete- Save+ open 'Brake Fluid' open '2000' open '40000' open '2026-06-01' open '24'"_s);
    EXPECT_EQ(f.dataFile(), dated);
    // The calendar, by keyboard: it opens on the last day it offers, today; four months back.
    QTest::keyClick(box("dtpChangedOn"), Qt::Key_Down, Qt::AltModifier);
    QCalendarWidget* calendar = f.main().findChild<DateBox*>()->calendar();
    ASSERT_TRUE(calendar);
    auto* days = calendar->findChild<QTableView*>();
    for (int month = 0; month < 4; ++month)
        QTest::keyClick(days, Qt::Key_PageUp);
    QTest::keyClick(days, Qt::Key_Return);
    click(button("btnConsumableSave"));
    EXPECT_EQ(f.dataFile(),
        std::string(kSampleData) + "Brake Fluid=2000#40000\r\n[consumable dates]\r\nAir Filter=2025-01-15#12\r\n"
            + "Brake Fluid=2026-01-28#24\r\n[service log]\r\n1=" + kNow + "#2000#40000#Brake Fluid\r\n");
    EXPECT_EQ(linesOf(status).last(), u" BRAKE FLUID | Ok. Change needed after 39500 Km."_s);
    for (int column : {0, 1})
        EXPECT_EQ(status->topLevelItem(2)->toolTip(column), u"Expected around 2028-01-28 at your usual driving"_s);

    doubleClick("lstConsumables", u" BRAKE FLUID"_s);
    EXPECT_EQ(panel(),
        u"Add+ Edit+ Delete+ Save- locked ' BRAKE FLUID' locked '2000' locked '40000' locked '2026-01-28' locked '24'"_s);
    f.prompter.expect("Are you sure?", MsgAnswer::Yes,
        "This will Delete Consumable Item \" BRAKE FLUID\" from Database. Are you sure you want to Delete it?");
    click(button("btnConsumableDel"));
    EXPECT_EQ(f.dataFile(), dated + "[service log]\r\n1=" + kNow + "#2000#40000#Brake Fluid\r\n");
}
