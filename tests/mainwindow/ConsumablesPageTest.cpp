#include "PageTest.h"

namespace {

const QString kBrowsing = u"Add+ Edit- Delete+ Save- locked '' locked '' locked ''"_s;

class ConsumablesPageTest : public PageTest {
protected:
    void SetUp() override { open(1); }

    QString panel()
    {
        return state({"btnConsumableAdd", "btnConsumableEdit", "btnConsumableDel", "btnConsumableSave", "txtItemName",
            "txtLastChanged", "txtChangeAfter"});
    }
};

} // namespace

TEST_F(ConsumablesPageTest, SaveChecksWithTheUnitAndReadingOfTheWindowThenAddsToBothLists)
{
    combo("cmbUnit")->setCurrentText(u"Miles"_s);
    click(button("btnConsumableAdd"));
    EXPECT_EQ(panel(), u"Cancel+ Edit- Delete- Save+ open '' open '' open ''"_s);
    EXPECT_TRUE(focused("txtItemName"));
    type("txtItemName", u"Brake Pads"_s);
    type("txtLastChanged", u"2501"_s);
    f.prompter.expect("Wheelbook", MsgAnswer::Ok,
        "Error : The car hasn't yet reached the distance at which you have changed the consumable. Example : You car "
        "has done 10 Miless and you try to enter an oil change made at 2000Miless.");
    click(button("btnConsumableSave"));
    EXPECT_EQ(panel(), u"Cancel+ Edit- Delete- Save+ open 'Brake Pads' open '2501' open ''"_s);
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
    EXPECT_EQ(panel(), u"Add+ Edit+ Delete+ Save- locked ' AIR FILTER' locked '0' locked '15000'"_s);
    f.prompter.expect("Are you sure?", MsgAnswer::No,
        "This will Delete Consumable Item \" AIR FILTER\" from Database. Are you sure you want to Delete it?");
    click(button("btnConsumableDel"));
    EXPECT_EQ(f.dataFile(), kSampleData);
    click(button("btnConsumableEdit"));
    EXPECT_EQ(panel(), u"Add- Cancel+ Delete- Save+ open ' AIR FILTER' open '0' open '15000'"_s);
    EXPECT_EQ(box("txtItemName")->selectedText(), u" AIR FILTER"_s);
}
