#pragma once

#include "domain/Consumables.h"
#include "domain/ListRow.h"

#include <string>
#include <string_view>

class AppContext;

// The detail panel of the "&Consumables" tab as its controls show it: the captions and
// enabled flags of its four buttons, whether the five boxes are locked, and their texts.
// The defaults are the panel as the window opens.
struct ConsumablePanelState {
    std::string addCaption = "Add"; // btnConsumableAdd
    bool addEnabled = true;
    std::string editCaption = "Edit"; // btnConsumableEdit
    bool editEnabled = false;
    bool deleteEnabled = true; // btnConsumableDel
    bool saveEnabled = false; // btnConsumableSave
    bool boxesLocked = true;
    std::string itemName; // txtItemName
    std::string lastChanged; // txtLastChanged
    std::string changeAfter; // txtChangeAfter
    // The optional change by date: dtpChangedOn as "YYYY-MM-DD", empty when left empty,
    // and txtChangeMonths (keys as ConsumableDates::keepsMonthsKey).
    std::string changedOn {};
    std::string changeMonths {};

    bool operator==(const ConsumablePanelState&) const = default;
};

enum class ConsumablePanelMode { Browsing, Adding, Editing };

// Where the keyboard focus goes after an event.
enum class ConsumableFocus {
    Unchanged,
    ItemName, // into txtItemName
    ItemNameSelected, // into txtItemName, its whole text selected
};

struct ConsumablePanelOutcome {
    ConsumablePanelState panel; // the panel as it must show now
    ConsumableFocus focus = ConsumableFocus::Unchanged;
    ConsumableLists lists; // the follow-up loads of a save or a delete
};

// The panel's events. Each click reads its own button's caption (and enabled flag)
// from the state it is given to decide what it means, as the buttons are the panel's
// memory; `selected` is lstConsumables' selected row, or null when none is selected.
// The two date boxes are filled from the item's date entry (both empty when it has none or
// one that is not valid). A save stores the date entry with the item, or removes it when
// both date boxes are empty; a delete removes it with the item.
class ConsumablePanel {
public:
    explicit ConsumablePanel(AppContext& ctx);

    static ConsumablePanelMode modeOf(const ConsumablePanelState& panel);

    ConsumablePanelOutcome doubleClickList(const ConsumablePanelState& panel, const ListRow* selected) const;
    ConsumablePanelOutcome clickAdd(const ConsumablePanelState& panel);
    ConsumablePanelOutcome clickEdit(const ConsumablePanelState& panel, const ListRow* selected);
    // `readingText` is txtMiles' text and `unitName` cmbUnit's, for the follow-up analysis
    // and the messages.
    ConsumablePanelOutcome clickDelete(const ConsumablePanelState& panel, const ListRow* selected,
        std::string_view readingText, std::string_view unitName);
    ConsumablePanelOutcome clickSave(
        const ConsumablePanelState& panel, std::string_view readingText, std::string_view unitName);

private:
    // The first failing check of a save, shown; false when all pass. After the checks of
    // the item come those of its date, each "Required Field Empty ..." (OK, information):
    //   months without a date, or a date that is none: "Please specify the date when you last changed NAME."
    //   a date without months: "Please specify after how many months NAME must be changed."
    //   a date after today: "The date of the last change can't be in the future."
    //   months other than 1 to 240: "The months between changes must be between 1 and 240."
    bool refuseSave(const ConsumablePanelState& panel, std::string_view readingText, std::string_view unitName);
    bool storeDateEntry(const ConsumablePanelState& panel);

    AppContext& m_ctx;
};
