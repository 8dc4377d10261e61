#include "domain/ConsumablePanel.h"

#include "DomainFixture.h"

#include <tuple>

namespace {
const std::string kItems = "[app]\nmiles=12000\n[consumables]\nOil=10000#5000\nBelt=0#60000\n[misc]\n";

class ConsumablePanelTest : public DomainFixture {
protected:
    ConsumablePanelTest() { writeData(kItems); }

    // The panel while adding, with these texts typed.
    ConsumablePanelState adding(std::string name, std::string last, std::string after)
    {
        ConsumablePanelState state = panel.clickAdd(ConsumablePanelState()).panel;
        std::tie(state.itemName, state.lastChanged, state.changeAfter) = std::tie(name, last, after);
        return state;
    }

    ConsumablePanel panel {ctx};
    const ListRow oilRow {" OIL", {"10000", "5000"}, 3};
};

// The panel on one line: each button's caption with "+" when enabled and "-" when not,
// whether the boxes are locked or open, and the texts of the three boxes.
std::string shown(const ConsumablePanelState& p)
{
    auto button = [](const std::string& caption, bool enabled) { return caption + (enabled ? "+ " : "- "); };
    return button(p.addCaption, p.addEnabled) + button(p.editCaption, p.editEnabled) + button("Delete", p.deleteEnabled)
        + button("Save", p.saveEnabled) + (p.boxesLocked ? "locked [" : "open [") + p.itemName + "] [" + p.lastChanged
        + "] [" + p.changeAfter + "]";
}
} // namespace

TEST_F(ConsumablePanelTest, TheButtonsFollowTheModeCancellingAsksFirstAndNoRowDoesNothing)
{
    ConsumablePanelState browsing;
    browsing.itemName = " OIL"; // left over from a double-click
    const ConsumablePanelOutcome add = panel.clickAdd(browsing);
    EXPECT_EQ(shown(add.panel), "Cancel+ Edit- Delete- Save+ open [] [] []");
    EXPECT_EQ(add.focus, ConsumableFocus::ItemName);
    EXPECT_EQ(ConsumablePanel::modeOf(add.panel), ConsumablePanelMode::Adding);
    const ConsumablePanelState typed = adding("Brake Pads", "", "");
    const std::string question = "Are you sure you want to Cancel adding new Item to Consumables' Database?";
    expect("Are you sure", question, Question, MsgAnswer::No);
    EXPECT_EQ(panel.clickAdd(typed).panel, typed);
    expect("Are you sure", question, Question, MsgAnswer::Yes);
    const ConsumablePanelOutcome cancelled = panel.clickAdd(typed);
    EXPECT_EQ(shown(cancelled.panel), "Add+ Edit- Delete+ Save- locked [] [] []");
    EXPECT_EQ(ConsumablePanel::modeOf(cancelled.panel), ConsumablePanelMode::Browsing);
    // A double-click fills and locks the boxes in every mode; Edit opens them.
    browsing = panel.doubleClickList(ConsumablePanelState(), &oilRow).panel;
    EXPECT_EQ(shown(browsing), "Add+ Edit+ Delete+ Save- locked [ OIL] [10000] [5000]");
    EXPECT_EQ(shown(panel.doubleClickList(adding("x", "1", "2"), &oilRow).panel),
        "Cancel+ Edit+ Delete- Save+ locked [ OIL] [10000] [5000]");
    const ConsumablePanelOutcome edit = panel.clickEdit(browsing, &oilRow);
    EXPECT_EQ(shown(edit.panel), "Add- Cancel+ Delete- Save+ open [ OIL] [10000] [5000]");
    EXPECT_EQ(edit.focus, ConsumableFocus::ItemNameSelected);
    EXPECT_EQ(ConsumablePanel::modeOf(edit.panel), ConsumablePanelMode::Editing);
    ConsumablePanelState edited = edit.panel;
    edited.lastChanged = "11000";
    expect("Are you sure", "Are you sure you want to Cancel?", Question, MsgAnswer::No);
    EXPECT_EQ(panel.clickEdit(edited, &oilRow).panel, edited);
    expect("Are you sure", "Are you sure you want to Cancel?", Question, MsgAnswer::Yes);
    EXPECT_EQ(panel.clickEdit(edited, &oilRow).panel, browsing); // refilled from the row
    // No selected row, or a disabled button, does nothing.
    EXPECT_EQ(panel.doubleClickList(browsing, nullptr).panel, browsing);
    EXPECT_EQ(panel.clickEdit(browsing, nullptr).panel, browsing);
    EXPECT_EQ(panel.clickDelete(browsing, nullptr, "12000", "Km").panel, browsing);
    EXPECT_EQ(panel.clickEdit(typed, &oilRow).panel, typed);
    EXPECT_EQ(panel.clickDelete(typed, &oilRow, "12000", "Km").panel, typed);
    EXPECT_EQ(panel.clickSave(ConsumablePanelState(), "12000", "Km").panel, ConsumablePanelState());
}

TEST_F(ConsumablePanelTest, SaveRefusesInTheOrderOfItsChecksAndChangesNothing)
{
    const std::string badName = "Item Name can't contain \"=\" or a line break, nor begin with \"[\" or \";\", because "
                                "the data file could not keep such a name.";
    const std::string example = "Error : The car hasn't yet reached the distance at which you have changed the "
                                "consumable. Example : You car has done 10 ";
    struct Case {
        std::string name, last, after, title, text;
        Look look = Info;
        std::string reading = "12000", unit = "Km";
    };
    const Case cases[] = {
        {"  ", "", "", "Required Field Empty ...", "Item Name can't be empty."},
        {"Oil=Filter", "100", "200", "Invalid Item Name ...", badName},
        {"[misc]", "100", "200", "Invalid Item Name ...", badName},
        {" ;note", "100", "200", "Invalid Item Name ...", badName},
        {"Two\r\nLines", "100", "200", "Invalid Item Name ...", badName},
        {"Oil", "", "", "Item with same Name already Exists ...",
            "A consumable item with same name already exists. Either specify different name or double click on the  "
            "consumable in the Consumable List and click the Edit button to change its values."},
        {" Brake Pads ", " ", "", "Required Field Empty ...",
            "Please specify the Km when you last changed  Brake Pads . This field can't be empty."},
        {"Brake Pads", "12001", "", "Wheelbook", example + "Kms and you try to enter an oil change made at 2000Kms.",
            Plain},
        {"Brake Pads", "10", "", "Wheelbook", example + "Miless and you try to enter an oil change made at 2000Miless.",
            Plain, "", "Miles"},
        // A reading equal to the last change passes that check.
        {"Brake Pads", "12000", "", "Required Field Empty ...",
            "Please specify the Km after which it's necessary to change Car's Brake Pads. This field can't be empty."},
        // Digits only, nine at most, whatever way they got into the box.
        {"Brake Pads", "1234567890", "5", "Invalid Value ...",
            "Please specify the Km when you last changed Brake Pads as a whole number of at most 9 digits.", Info,
            "4000000000", "Km"},
        {"Brake Pads", "1.5", "5", "Invalid Value ...",
            "Please specify the Km when you last changed Brake Pads as a whole number of at most 9 digits.", Info},
        {"Brake Pads", "1000", "+5", "Invalid Value ...",
            "Please specify the Km after which it's necessary to change Car's Brake Pads as a whole number that, added "
            "to 1000, gives no more than 2147483647.",
            Info},
    };
    for (const auto& [name, last, after, title, text, look, reading, unit] : cases) {
        const ConsumablePanelState state = adding(name, last, after);
        expect(title, text, look);
        const ConsumablePanelOutcome outcome = panel.clickSave(state, reading, unit);
        EXPECT_EQ(outcome.panel, state) << text;
        EXPECT_FALSE(outcome.lists.consumables.has_value()) << text;
    }
    EXPECT_EQ(data(), crlf(kItems));
}

TEST_F(ConsumablePanelTest, AKeyIsFoundWhateverTheCaseOfTheNameAndARenameMakesANewOne)
{
    // "oil" is the stored "Oil", which keeps its spelling.
    panel.clickSave(adding("oil", "11000", "6000"), "12000", "Km");
    EXPECT_EQ(stored("consumables", "Oil"), "11000#6000");
    // A name changed while editing saves under the new name; the old key stays as it was.
    ConsumablePanelState state = panel.clickEdit(panel.doubleClickList({}, &oilRow).panel, &oilRow).panel;
    state.itemName = "Engine Oil";
    panel.clickSave(state, "12000", "Km");
    EXPECT_EQ(data().substr(0, data().find("[misc]")),
        crlf("[app]\nmiles=12000\n[consumables]\nOil=11000#6000\nBelt=0#60000\nEngine Oil=10000#5000\n"));
}

TEST_F(ConsumablePanelTest, SavingOrDeletingWritesTheFileAndReloadsBothLists)
{
    const ConsumablePanelOutcome saved = panel.clickSave(adding("Brake Pads", "10500", "5000"), "12000", "Km");
    EXPECT_EQ(data(),
        crlf("[app]\nmiles=12000\n[consumables]\nOil=10000#5000\nBelt=0#60000\nBrake Pads=10500#5000\n[misc]\n"
             "[service log]\n1="
            + kNow + "#10500#5000#Brake Pads\n"));
    EXPECT_EQ(saved.panel, ConsumablePanelState());
    EXPECT_EQ(saved.lists.consumables,
        (std::vector<ListRow> {oilRow, {" BELT", {"0", "60000"}, 3}, {" BRAKE PADS", {"10500", "5000"}, 3}}));
    EXPECT_EQ(saved.lists.status.value().back().subItems, SubItems {"Ok. Change needed after 3500 Km."});
    // Saving an edit resets the panel too; the row text reaches the stored key.
    ConsumablePanelState state = panel.clickEdit(panel.doubleClickList({}, &oilRow).panel, &oilRow).panel;
    state.lastChanged = "12000";
    EXPECT_EQ(panel.clickSave(state, "12000", "Km").panel, ConsumablePanelState());
    state = panel.doubleClickList({}, &oilRow).panel;
    const std::string question
        = "This will Delete Consumable Item \" OIL\" from Database. Are you sure you want to Delete it?";
    expect("Are you sure?", question, Question, MsgAnswer::No);
    EXPECT_FALSE(panel.clickDelete(state, &oilRow, "12000", "Km").lists.consumables.has_value());
    EXPECT_EQ(stored("consumables", "Oil"), "12000#5000");
    expect("Are you sure?", question, Question, MsgAnswer::Yes);
    const ConsumablePanelOutcome deleted = panel.clickDelete(state, &oilRow, "12000", "Km");
    // The edit is logged under the key as the file spells it; a delete is not logged.
    EXPECT_EQ(data(),
        crlf("[app]\nmiles=12000\n[consumables]\nBelt=0#60000\nBrake Pads=10500#5000\n[misc]\n[service log]\n1=" + kNow
            + "#10500#5000#Brake Pads\n2=" + kNow + "#12000#5000#Oil\n"));
    EXPECT_EQ(deleted.panel, state); // the boxes and buttons are not touched
    EXPECT_EQ(deleted.lists.consumables,
        (std::vector<ListRow> {{" BELT", {"0", "60000"}, 3}, {" BRAKE PADS", {"10500", "5000"}, 3}}));
}
