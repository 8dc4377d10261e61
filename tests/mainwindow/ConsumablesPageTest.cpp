#include "AppFixture.h"

#include "controls/XPButton.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <ostream>

namespace {

const char* const kData = "[init]\r\nmiles=1000\r\n[app]\r\nmiles=2500\r\nunit=1\r\nicur=9\r\ncost=0\r\n"
                          "[fuel]\r\ntotal=0\r\n[consumables]\r\nOil=1500#1000\r\nAir Filter=0#15000\r\n";

// The detail panel as the user sees it: the four buttons, the boxes' lock and texts.
struct Panel {
    QString add;
    bool addEnabled;
    QString edit;
    bool editEnabled;
    bool deleteEnabled;
    bool saveEnabled;
    bool locked;
    QString name;
    QString lastChanged;
    QString changeAfter;

    bool operator==(const Panel&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Panel& p)
{
    return out << "{Add: \"" << p.add.toStdString() << "\" " << p.addEnabled << ", Edit: \"" << p.edit.toStdString()
               << "\" " << p.editEnabled << ", Delete " << p.deleteEnabled << ", Save " << p.saveEnabled << ", locked "
               << p.locked << ", boxes \"" << p.name.toStdString() << "\" \"" << p.lastChanged.toStdString() << "\" \""
               << p.changeAfter.toStdString() << "\"}";
}

const Panel kBrowsing {QStringLiteral("Add"), true, QStringLiteral("Edit"), false, true, false, true, {}, {}, {}};
const Panel kAdding {QStringLiteral("Cancel"), true, QStringLiteral("Edit"), false, false, true, false, {}, {}, {}};

class ConsumablesPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.open(kData);
        f.find<QComboBox>("cmbUnit")->setCurrentText(QStringLiteral("Km"));
        f.main().tabMain()->setCurrentIndex(1);
        QApplication::processEvents();
    }

    XPButton* button(const char* name) { return f.find<XPButton>(name); }
    QLineEdit* box(const char* name) { return f.find<QLineEdit>(name); }
    QTreeWidget* list() { return f.find<QTreeWidget>("lstConsumables"); }

    Panel panel()
    {
        return {button("btnConsumableAdd")->Caption(), button("btnConsumableAdd")->isEnabled(),
            button("btnConsumableEdit")->Caption(), button("btnConsumableEdit")->isEnabled(),
            button("btnConsumableDel")->isEnabled(), button("btnConsumableSave")->isEnabled(),
            box("txtItemName")->isReadOnly(), box("txtItemName")->text(), box("txtLastChanged")->text(),
            box("txtChangeAfter")->text()};
    }

    // Double-clicks a row of the list as a user would.
    void doubleClickRow(int row)
    {
        QTreeWidgetItem* item = list()->topLevelItem(row);
        const QPoint at = list()->visualItemRect(item).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    void type(const char* name, const QString& text)
    {
        box(name)->clear();
        QTest::keyClicks(box(name), text);
    }

    AppFixture f;
};

} // namespace

TEST_F(ConsumablesPageTest, TheListShowsTheStoredTextsAndThePanelOpensBrowsing)
{
    EXPECT_EQ(rowsOf(list(), 0), (QStringList {QStringLiteral(" OIL"), QStringLiteral(" AIR FILTER")}));
    EXPECT_EQ(rowsOf(list(), 1), (QStringList {QStringLiteral("1500"), QStringLiteral("0")}));
    EXPECT_EQ(rowsOf(list(), 2), (QStringList {QStringLiteral("1000"), QStringLiteral("15000")}));
    EXPECT_FALSE(list()->topLevelItem(0)->icon(0).isNull());
    EXPECT_EQ(panel(), kBrowsing);
}

TEST_F(ConsumablesPageTest, AddingAsksBeforeCancellingAndNoKeepsWhatWasTyped)
{
    box("txtItemName")->setText(QStringLiteral("left over"));
    click(button("btnConsumableAdd"));
    EXPECT_EQ(panel(), kAdding);
    EXPECT_TRUE(box("txtItemName")->hasFocus());
    type("txtItemName", QStringLiteral("Belt"));
    type("txtLastChanged", QStringLiteral("2x0-0"));

    f.prompter.expect(
        "Are you sure", MsgAnswer::No, "Are you sure you want to Cancel adding new Item to Consumables' Database?");
    click(button("btnConsumableAdd"));
    Panel typed = kAdding;
    typed.name = QStringLiteral("Belt");
    typed.lastChanged = QStringLiteral("200");
    EXPECT_EQ(panel(), typed);

    f.prompter.expect("Are you sure", MsgAnswer::Yes);
    click(button("btnConsumableAdd"));
    EXPECT_EQ(f.prompter.messages().back().buttons, MsgButtons::YesNo);
    EXPECT_EQ(f.prompter.messages().back().icon, MsgIcon::Question);
    EXPECT_EQ(panel(), kBrowsing);
    EXPECT_EQ(f.dataFile(), kData);
}

TEST_F(ConsumablesPageTest, ASavedItemJoinsBothListsAndThePanelReturnsToBrowsing)
{
    click(button("btnConsumableAdd"));
    type("txtItemName", QStringLiteral("Brake Pads"));
    type("txtLastChanged", QStringLiteral("2000"));
    type("txtChangeAfter", QStringLiteral("20000"));
    click(button("btnConsumableSave"));

    EXPECT_NE(f.dataFile().find("Air Filter=0#15000\r\nBrake Pads=2000#20000\r\n"), std::string::npos);
    EXPECT_EQ(panel(), kBrowsing);
    EXPECT_EQ(rowsOf(list()).last(), QStringLiteral(" BRAKE PADS"));
    auto* lstStatus = f.find<QTreeWidget>("lstStatus");
    ASSERT_EQ(lstStatus->topLevelItemCount(), 3);
    EXPECT_EQ(lstStatus->topLevelItem(2)->text(0), QStringLiteral(" BRAKE PADS"));
    EXPECT_EQ(lstStatus->topLevelItem(2)->text(1), QStringLiteral("Ok. Change needed after 19500 Km."));
}

TEST_F(ConsumablesPageTest, SaveRefusesInOrderWithTheUnitOfTheSettingsAndStoresNothing)
{
    f.find<QComboBox>("cmbUnit")->setCurrentText(QStringLiteral("Miles"));
    click(button("btnConsumableAdd"));
    f.prompter.expect("Required Field Empty ...", MsgAnswer::Ok, "Item Name can't be empty.");
    click(button("btnConsumableSave"));

    type("txtItemName", QStringLiteral("Oil"));
    f.prompter.expect("Item with same Name already Exists ...", MsgAnswer::Ok,
        "A consumable item with same name already exists. Either specify different name or double click on the  "
        "consumable in the Consumable List and click the Edit button to change its values.");
    click(button("btnConsumableSave"));

    type("txtItemName", QStringLiteral("Belt"));
    f.prompter.expect("Required Field Empty ...", MsgAnswer::Ok,
        "Please specify the Miles when you last changed Belt. This field can't be empty.");
    click(button("btnConsumableSave"));

    type("txtLastChanged", QStringLiteral("2501"));
    f.prompter.expect("Wheelbook", MsgAnswer::Ok,
        "Error : The car hasn't yet reached the distance at which you have changed the consumable. Example : You car "
        "has done 10 Miless and you try to enter an oil change made at 2000Miless.");
    click(button("btnConsumableSave"));
    EXPECT_EQ(f.prompter.messages().back().icon, MsgIcon::None);

    type("txtLastChanged", QStringLiteral("2500"));
    f.prompter.expect("Required Field Empty ...", MsgAnswer::Ok,
        "Please specify the Miles after which it's necessary to change Car's Belt. This field can't be empty.");
    click(button("btnConsumableSave"));

    Panel typed = kAdding;
    typed.name = QStringLiteral("Belt");
    typed.lastChanged = QStringLiteral("2500");
    EXPECT_EQ(panel(), typed);
    EXPECT_EQ(f.dataFile(), kData);
}

TEST_F(ConsumablesPageTest, EditingUpdatesTheItemInPlace)
{
    doubleClickRow(0);
    Panel shown = kBrowsing;
    shown.editEnabled = true;
    shown.name = QStringLiteral(" OIL");
    shown.lastChanged = QStringLiteral("1500");
    shown.changeAfter = QStringLiteral("1000");
    EXPECT_EQ(panel(), shown);

    click(button("btnConsumableEdit"));
    Panel editing = shown;
    editing.addEnabled = false;
    editing.edit = QStringLiteral("Cancel");
    editing.deleteEnabled = false;
    editing.saveEnabled = true;
    editing.locked = false;
    EXPECT_EQ(panel(), editing);
    EXPECT_TRUE(box("txtItemName")->hasFocus());
    EXPECT_EQ(box("txtItemName")->selectedText(), QStringLiteral(" OIL"));

    type("txtLastChanged", QStringLiteral("2400"));
    click(button("btnConsumableSave"));
    EXPECT_NE(f.dataFile().find("[consumables]\r\nOil=2400#1000\r\nAir Filter=0#15000\r\n"), std::string::npos);
    EXPECT_EQ(panel(), kBrowsing);
    EXPECT_EQ(rowsOf(list(), 1), (QStringList {QStringLiteral("2400"), QStringLiteral("0")}));
    EXPECT_EQ(
        f.find<QTreeWidget>("lstStatus")->topLevelItem(0)->text(1), QStringLiteral("Ok. Change needed after 900 Km."));
}

TEST_F(ConsumablesPageTest, CancellingAnEditAsksAndYesRefillsTheBoxesFromTheSelectedRow)
{
    doubleClickRow(1);
    click(button("btnConsumableEdit"));
    type("txtItemName", QStringLiteral("Cabin Filter"));

    f.prompter.expect("Are you sure", MsgAnswer::No, "Are you sure you want to Cancel?");
    click(button("btnConsumableEdit"));
    EXPECT_EQ(panel().edit, QStringLiteral("Cancel"));
    EXPECT_EQ(panel().name, QStringLiteral("Cabin Filter"));
    EXPECT_FALSE(panel().locked);

    f.prompter.expect("Are you sure", MsgAnswer::Yes, "Are you sure you want to Cancel?");
    click(button("btnConsumableEdit"));
    Panel refilled = kBrowsing;
    refilled.editEnabled = true;
    refilled.name = QStringLiteral(" AIR FILTER");
    refilled.lastChanged = QStringLiteral("0");
    refilled.changeAfter = QStringLiteral("15000");
    EXPECT_EQ(panel(), refilled);
    EXPECT_EQ(f.dataFile(), kData);
}

TEST_F(ConsumablesPageTest, ADoubleClickWhileAddingRefillsAndLocksButKeepsTheCaptions)
{
    click(button("btnConsumableAdd"));
    type("txtItemName", QStringLiteral("Belt"));
    doubleClickRow(0);
    Panel expected = kAdding;
    expected.editEnabled = true;
    expected.locked = true;
    expected.name = QStringLiteral(" OIL");
    expected.lastChanged = QStringLiteral("1500");
    expected.changeAfter = QStringLiteral("1000");
    EXPECT_EQ(panel(), expected);
    // Delete is not offered while adding.
    click(button("btnConsumableDel"));
    EXPECT_EQ(f.dataFile(), kData);
}

TEST_F(ConsumablesPageTest, ADoubleClickWhileEditingRefillsAndLocksButKeepsTheCaptions)
{
    doubleClickRow(0);
    click(button("btnConsumableEdit"));
    type("txtItemName", QStringLiteral("Gear Oil"));
    doubleClickRow(1);
    const Panel expected {QStringLiteral("Add"), false, QStringLiteral("Cancel"), true, false, true, true,
        QStringLiteral(" AIR FILTER"), QStringLiteral("0"), QStringLiteral("15000")};
    EXPECT_EQ(panel(), expected);
}

TEST_F(ConsumablesPageTest, DeleteAsksWithTheRowTextAndTheLastDeletionEmptiesBothLists)
{
    list()->setCurrentItem(list()->topLevelItem(1));
    f.prompter.expect("Are you sure?", MsgAnswer::No,
        "This will Delete Consumable Item \" AIR FILTER\" from Database. Are you sure you want to Delete it?");
    click(button("btnConsumableDel"));
    EXPECT_EQ(f.dataFile(), kData);

    f.prompter.expect("Are you sure?", MsgAnswer::Yes);
    click(button("btnConsumableDel"));
    EXPECT_EQ(f.dataFile().find("Air Filter"), std::string::npos);
    EXPECT_EQ(rowsOf(list()), QStringList {QStringLiteral(" OIL")});
    EXPECT_EQ(rowsOf(f.find<QTreeWidget>("lstStatus")), QStringList {QStringLiteral(" OIL")});

    list()->setCurrentItem(list()->topLevelItem(0));
    f.prompter.expect("Are you sure?", MsgAnswer::Yes);
    click(button("btnConsumableDel"));
    EXPECT_EQ(list()->topLevelItemCount(), 0);
    EXPECT_EQ(f.find<QTreeWidget>("lstStatus")->topLevelItemCount(), 0);
    EXPECT_EQ(panel(), kBrowsing);
}

TEST_F(ConsumablesPageTest, WithoutASelectedRowDoubleClickEditAndDeleteDoNothing)
{
    doubleClickRow(0);
    list()->clearSelection();
    const Panel before = panel();
    click(button("btnConsumableEdit"));
    click(button("btnConsumableDel"));
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, list()->viewport()->height() - 5));
    EXPECT_EQ(panel(), before);
    EXPECT_EQ(f.dataFile(), kData);
}
