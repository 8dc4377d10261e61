#include "domain/ConsumablePanel.h"
#include "domain/AppContext.h"

#include "ScriptedPrompter.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

const std::string kDuplicateText
    = "A consumable item with same name already exists. Either specify different name or double click on the  "
      "consumable in the Consumable List and click the Edit button to change its values.";

class ConsumablePanelTest : public ::testing::Test {
protected:
    ConsumablePanelTest()
    {
        dir.write(
            "cardata.dat", "[app]\r\nmiles=12000\r\n[consumables]\r\nOil=10000#5000\r\nBelt=0#60000\r\n[misc]\r\n");
    }

    std::string data() const { return dir.read("cardata.dat"); }

    // The panel while adding, with these texts typed.
    ConsumablePanelState adding(std::string name, std::string last, std::string after)
    {
        ConsumablePanelState state = panel.clickAdd(ConsumablePanelState()).panel;
        state.itemName = std::move(name);
        state.lastChanged = std::move(last);
        state.changeAfter = std::move(after);
        return state;
    }

    // Saving must be refused with this message and change nothing.
    void expectRefused(const ConsumablePanelState& state, const std::string& reading, const std::string& unit,
        const std::string& title, const std::string& text)
    {
        const std::string before = data();
        prompter.expect(title, MsgAnswer::Ok, text);
        const ConsumablePanelOutcome outcome = panel.clickSave(state, reading, unit);
        EXPECT_EQ(outcome.panel, state);
        EXPECT_FALSE(outcome.lists.consumables.has_value());
        EXPECT_EQ(data(), before);
    }

    TempDir dir;
    ScriptedPrompter prompter;
    AppContext ctx {dir.path(), dir.file("wheelbook"), "", prompter};
    ConsumablePanel panel {ctx};
    const ListRow oilRow {" OIL", {"10000", "5000"}, 3, ColourBlack, false};
};

} // namespace

TEST_F(ConsumablePanelTest, AddOpensAnEmptyPanelAndCancelAsksFirst)
{
    ConsumablePanelState browsing;
    browsing.itemName = " OIL"; // left over from a double-click
    const ConsumablePanelOutcome add = panel.clickAdd(browsing);
    ConsumablePanelState expected;
    expected.addCaption = "Cancel";
    expected.deleteEnabled = false;
    expected.saveEnabled = true;
    expected.boxesLocked = false;
    EXPECT_EQ(add.panel, expected);
    EXPECT_EQ(add.focus, ConsumableFocus::ItemName);
    EXPECT_EQ(ConsumablePanel::modeOf(add.panel), ConsumablePanelMode::Adding);

    ConsumablePanelState typed = add.panel;
    typed.itemName = "Brake Pads";
    const std::string question = "Are you sure you want to Cancel adding new Item to Consumables' Database?";
    prompter.expect("Are you sure", MsgAnswer::No, question);
    EXPECT_EQ(panel.clickAdd(typed).panel, typed);

    prompter.expect("Are you sure", MsgAnswer::Yes, question);
    const ConsumablePanelOutcome cancelled = panel.clickAdd(typed);
    EXPECT_EQ(cancelled.panel, ConsumablePanelState());
    EXPECT_EQ(ConsumablePanel::modeOf(cancelled.panel), ConsumablePanelMode::Browsing);
    EXPECT_EQ(prompter.messages().back().buttons, MsgButtons::YesNo);
    EXPECT_EQ(prompter.messages().back().icon, MsgIcon::Question);
}

TEST_F(ConsumablePanelTest, DoubleClickFillsAndLocksTheBoxesInEveryState)
{
    const ConsumablePanelOutcome browsing = panel.doubleClickList(ConsumablePanelState(), &oilRow);
    EXPECT_EQ(browsing.panel.itemName, " OIL");
    EXPECT_EQ(browsing.panel.lastChanged, "10000");
    EXPECT_EQ(browsing.panel.changeAfter, "5000");
    EXPECT_TRUE(browsing.panel.boxesLocked);
    EXPECT_TRUE(browsing.panel.editEnabled);

    // While adding, the captions and the other buttons stay as they are.
    const ConsumablePanelState add = adding("x", "1", "2");
    ConsumablePanelState expected = add;
    expected.itemName = " OIL";
    expected.lastChanged = "10000";
    expected.changeAfter = "5000";
    expected.boxesLocked = true;
    expected.editEnabled = true;
    EXPECT_EQ(panel.doubleClickList(add, &oilRow).panel, expected);
}

TEST_F(ConsumablePanelTest, NoSelectedRowOrADisabledButtonDoesNothing)
{
    ConsumablePanelState state;
    state.editEnabled = true;
    state.itemName = " OIL";
    EXPECT_EQ(panel.doubleClickList(state, nullptr).panel, state);
    EXPECT_EQ(panel.clickEdit(state, nullptr).panel, state);
    EXPECT_EQ(panel.clickDelete(state, nullptr, "12000", "Km").panel, state);

    const ConsumablePanelState add = adding("Brake Pads", "100", "200");
    EXPECT_EQ(panel.clickEdit(add, &oilRow).panel, add);
    EXPECT_EQ(panel.clickDelete(add, &oilRow, "12000", "Km").panel, add);
    EXPECT_EQ(panel.clickSave(ConsumablePanelState(), "12000", "Km").panel, ConsumablePanelState());
    EXPECT_TRUE(prompter.messages().empty());
}

TEST_F(ConsumablePanelTest, EditUnlocksAndCancelRefillsFromTheRow)
{
    const ConsumablePanelState browsing = panel.doubleClickList(ConsumablePanelState(), &oilRow).panel;
    const ConsumablePanelOutcome edit = panel.clickEdit(browsing, &oilRow);
    ConsumablePanelState expected = browsing;
    expected.boxesLocked = false;
    expected.addEnabled = false;
    expected.deleteEnabled = false;
    expected.saveEnabled = true;
    expected.editCaption = "Cancel";
    EXPECT_EQ(edit.panel, expected);
    EXPECT_EQ(edit.focus, ConsumableFocus::ItemNameSelected);
    EXPECT_EQ(ConsumablePanel::modeOf(edit.panel), ConsumablePanelMode::Editing);

    ConsumablePanelState typed = edit.panel;
    typed.lastChanged = "11000";
    prompter.expect("Are you sure", MsgAnswer::No, "Are you sure you want to Cancel?");
    EXPECT_EQ(panel.clickEdit(typed, &oilRow).panel, typed);

    prompter.expect("Are you sure", MsgAnswer::Yes, "Are you sure you want to Cancel?");
    EXPECT_EQ(panel.clickEdit(typed, &oilRow).panel, browsing);
}

TEST_F(ConsumablePanelTest, SaveChecksRunInOrderWithTheirMessages)
{
    expectRefused(adding("  ", "", ""), "12000", "Km", "Required Field Empty ...", "Item Name can't be empty.");
    expectRefused(adding("Oil", "", ""), "12000", "Km", "Item with same Name already Exists ...", kDuplicateText);
    expectRefused(adding(" Brake Pads ", " ", ""), "12000", "Km", "Required Field Empty ...",
        "Please specify the Km when you last changed  Brake Pads . This field can't be empty.");
    const std::string example = "Error : The car hasn't yet reached the distance at which you have changed the "
                                "consumable. Example : You car has done 10 ";
    expectRefused(adding("Brake Pads", "12001", ""), "12000", "Km", "Wheelbook",
        example + "Kms and you try to enter an oil change made at 2000Kms.");
    expectRefused(adding("Brake Pads", "10", ""), "", "Miles", "Wheelbook",
        example + "Miless and you try to enter an oil change made at 2000Miless.");
    EXPECT_EQ(prompter.messages().back().icon, MsgIcon::None);
    // A reading equal to the last change passes that check.
    expectRefused(adding("Brake Pads", "12000", ""), "12000", "Km", "Required Field Empty ...",
        "Please specify the Km after which it's necessary to change Car's Brake Pads. This field can't be empty.");
}

TEST_F(ConsumablePanelTest, SaveRefusesNumbersTheAnalysisCannotRead)
{
    expectRefused(adding("Brake Pads", "3000000000", "5"), "4000000000", "Km", "Invalid Value ...",
        "Please specify the Km when you last changed Brake Pads as a whole number no larger than 2147483647.");
    expectRefused(adding("Brake Pads", "2147483000", "1000"), "2147483000", "Km", "Invalid Value ...",
        "Please specify the Km after which it's necessary to change Car's Brake Pads as a whole number that, added "
        "to 2147483000, gives no more than 2147483647.");
    EXPECT_EQ(prompter.messages().back().icon, MsgIcon::Information);
}

TEST_F(ConsumablePanelTest, SaveRefusesNamesThatWouldBreakTheFile)
{
    const std::string text = "Item Name can't contain \"=\" or a line break, nor begin with \"[\" or \";\", because "
                             "the data file could not keep such a name.";
    for (const char* name : {"Oil=Filter", "[misc]", " ;note", "Two\r\nLines"})
        expectRefused(adding(name, "100", "200"), "12000", "Km", "Invalid Item Name ...", text);
}

TEST_F(ConsumablePanelTest, SavingANewItemStoresItAndReloadsBothLists)
{
    const ConsumablePanelOutcome saved = panel.clickSave(adding("Brake Pads", "10500", "5000"), "12000", "Km");
    EXPECT_EQ(data(),
        "[app]\r\nmiles=12000\r\n[consumables]\r\nOil=10000#5000\r\nBelt=0#60000\r\nBrake Pads=10500#5000\r\n"
        "[misc]\r\n");
    EXPECT_EQ(saved.panel, ConsumablePanelState());
    ASSERT_TRUE(saved.lists.consumables.has_value());
    EXPECT_EQ(saved.lists.consumables->size(), 3u);
    EXPECT_EQ(saved.lists.consumables->back(), (ListRow {" BRAKE PADS", {"10500", "5000"}, 3, ColourBlack, false}));
    ASSERT_TRUE(saved.lists.status.has_value());
    EXPECT_EQ(saved.lists.status->back().subItems, std::vector<std::string> {"Ok. Change needed after 3500 Km."});
}

TEST_F(ConsumablePanelTest, ANameInAnotherCaseReachesTheExistingKey)
{
    panel.clickSave(adding("oil", "11000", "6000"), "12000", "Km");
    EXPECT_EQ(data(), "[app]\r\nmiles=12000\r\n[consumables]\r\nOil=11000#6000\r\nBelt=0#60000\r\n[misc]\r\n");
}

TEST_F(ConsumablePanelTest, EditingThroughTheRowTextUpdatesTheKeyInPlace)
{
    ConsumablePanelState state = panel.doubleClickList(ConsumablePanelState(), &oilRow).panel;
    state = panel.clickEdit(state, &oilRow).panel;
    state.lastChanged = "12000";
    const ConsumablePanelOutcome saved = panel.clickSave(state, "12000", "Km");
    EXPECT_EQ(data(), "[app]\r\nmiles=12000\r\n[consumables]\r\nOil=12000#5000\r\nBelt=0#60000\r\n[misc]\r\n");
    EXPECT_EQ(saved.panel, ConsumablePanelState());
    EXPECT_EQ(saved.lists.consumables->front(), (ListRow {" OIL", {"12000", "5000"}, 3, ColourBlack, false}));
}

TEST_F(ConsumablePanelTest, RenamingWhileEditingKeepsTheOldKey)
{
    ConsumablePanelState state = panel.doubleClickList(ConsumablePanelState(), &oilRow).panel;
    state = panel.clickEdit(state, &oilRow).panel;
    state.itemName = "Engine Oil";
    panel.clickSave(state, "12000", "Km");
    EXPECT_EQ(data(),
        "[app]\r\nmiles=12000\r\n[consumables]\r\nOil=10000#5000\r\nBelt=0#60000\r\nEngine Oil=10000#5000\r\n"
        "[misc]\r\n");
}

TEST_F(ConsumablePanelTest, DeleteAsksWithTheRowTextAndReloads)
{
    ConsumablePanelState state = panel.doubleClickList(ConsumablePanelState(), &oilRow).panel;
    const std::string question
        = "This will Delete Consumable Item \" OIL\" from Database. Are you sure you want to Delete it?";
    prompter.expect("Are you sure?", MsgAnswer::No, question);
    const ConsumablePanelOutcome kept = panel.clickDelete(state, &oilRow, "12000", "Km");
    EXPECT_FALSE(kept.lists.consumables.has_value());
    EXPECT_NE(data().find("Oil=10000#5000"), std::string::npos);

    prompter.expect("Are you sure?", MsgAnswer::Yes, question);
    const ConsumablePanelOutcome deleted = panel.clickDelete(state, &oilRow, "12000", "Km");
    EXPECT_EQ(data(), "[app]\r\nmiles=12000\r\n[consumables]\r\nBelt=0#60000\r\n[misc]\r\n");
    EXPECT_EQ(deleted.panel, state); // the boxes and buttons are not touched
    ASSERT_TRUE(deleted.lists.consumables.has_value());
    EXPECT_EQ(deleted.lists.consumables->size(), 1u);
    EXPECT_EQ(deleted.lists.status->front().text, " BELT");

    const ListRow beltRow {" BELT", {"0", "60000"}, 3, ColourBlack, false};
    prompter.expect("Are you sure?", MsgAnswer::Yes);
    const ConsumablePanelOutcome last = panel.clickDelete(state, &beltRow, "12000", "Km");
    EXPECT_EQ(last.lists.consumables, std::vector<ListRow>());
    EXPECT_EQ(last.lists.status, std::vector<ListRow>());
}
