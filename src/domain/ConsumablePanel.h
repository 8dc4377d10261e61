#pragma once

#include "domain/Consumables.h"
#include "domain/ListRow.h"

#include <string>
#include <string_view>

class AppContext;

// The detail panel of the "&Consumables" tab as its controls show it: the captions and
// enabled flags of its four buttons, whether the three boxes are locked, and their texts.
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
    // The first failing check of a save, shown; false when all pass.
    bool refuseSave(const ConsumablePanelState& panel, std::string_view readingText, std::string_view unitName);

    AppContext& m_ctx;
};
