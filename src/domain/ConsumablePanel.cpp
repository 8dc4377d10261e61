#include "domain/ConsumablePanel.h"

#include "core/AsciiText.h"
#include "core/Numbers.h"
#include "core/Prompter.h"
#include "datafile/mGeneralFunctions.h"
#include "domain/AppContext.h"
#include "domain/ConsumableDates.h"
#include "domain/Logbook.h"
#include "domain/ReadingKeyFilter.h"

namespace {

constexpr const char* kSection = "consumables";
constexpr const char* kAppTitle = "Wheelbook";

void emptyBoxes(ConsumablePanelState& panel)
{
    panel.itemName.clear();
    panel.lastChanged.clear();
    panel.changeAfter.clear();
    panel.changedOn.clear();
    panel.changeMonths.clear();
}

// A name the data file cannot keep as a key: "=" would end the key early, a leading
// "[" would make a section header and a leading ";" a comment, and a line break would
// split the line.
bool breaksKeyFormat(std::string_view name)
{
    if (name.find_first_of("=\r\n") != std::string_view::npos)
        return true;
    name = AsciiText::trim(name, " \t");
    return !name.empty() && (name.front() == '[' || name.front() == ';');
}

// The outcome of an event that changes nothing yet.
ConsumablePanelOutcome outcomeOf(const ConsumablePanelState& panel)
{
    ConsumablePanelOutcome outcome;
    outcome.panel = panel;
    return outcome;
}

} // namespace

ConsumablePanel::ConsumablePanel(AppContext& ctx)
    : m_ctx(ctx)
{
}

ConsumablePanelMode ConsumablePanel::modeOf(const ConsumablePanelState& panel)
{
    if (panel.addCaption == "Cancel")
        return ConsumablePanelMode::Adding;
    if (panel.editCaption == "Cancel")
        return ConsumablePanelMode::Editing;
    return ConsumablePanelMode::Browsing;
}

ConsumablePanelOutcome ConsumablePanel::doubleClickList(
    const ConsumablePanelState& panel, const ListRow* selected) const
{
    ConsumablePanelOutcome outcome = outcomeOf(panel);
    if (!selected)
        return outcome;
    ConsumablePanelState& next = outcome.panel;
    next.itemName = selected->text;
    next.lastChanged = selected->subItems.size() > 0 ? selected->subItems[0] : std::string();
    next.changeAfter = selected->subItems.size() > 1 ? selected->subItems[1] : std::string();
    // The row text finds the date entry as it finds the item: blank and case aside.
    const auto entry
        = ConsumableDates::parseEntry(m_ctx.dataFile().ReadINI(ConsumableDates::Section, selected->text, ""));
    next.changedOn = entry ? entry->changedOn.text() : std::string();
    next.changeMonths = entry ? numberToText(static_cast<std::int64_t>(entry->months)) : std::string();
    next.boxesLocked = true;
    next.editEnabled = true;
    return outcome;
}

ConsumablePanelOutcome ConsumablePanel::clickAdd(const ConsumablePanelState& panel)
{
    ConsumablePanelOutcome outcome = outcomeOf(panel);
    ConsumablePanelState& next = outcome.panel;
    if (!panel.addEnabled)
        return outcome;
    if (panel.addCaption == "Add") {
        emptyBoxes(next);
        next.boxesLocked = false;
        next.editEnabled = false;
        next.deleteEnabled = false;
        next.saveEnabled = true;
        next.addCaption = "Cancel";
        outcome.focus = ConsumableFocus::ItemName;
    } else if (panel.addCaption == "Cancel") {
        const MsgAnswer answer = m_ctx.prompter().ask(
            {"Are you sure", "Are you sure you want to Cancel adding new Item to Consumables' Database?",
                MsgButtons::YesNo, MsgIcon::Question});
        if (answer != MsgAnswer::Yes)
            return outcome;
        emptyBoxes(next);
        next.boxesLocked = true;
        next.editEnabled = false;
        next.deleteEnabled = true;
        next.saveEnabled = false;
        next.addCaption = "Add";
    }
    return outcome;
}

ConsumablePanelOutcome ConsumablePanel::clickEdit(const ConsumablePanelState& panel, const ListRow* selected)
{
    ConsumablePanelOutcome outcome = outcomeOf(panel);
    ConsumablePanelState& next = outcome.panel;
    if (!panel.editEnabled)
        return outcome;
    if (panel.editCaption == "Edit") {
        // There is nothing to edit without a row.
        if (!selected)
            return outcome;
        next.boxesLocked = false;
        next.addEnabled = false;
        next.deleteEnabled = false;
        next.saveEnabled = true;
        next.editCaption = "Cancel";
        outcome.focus = ConsumableFocus::ItemNameSelected;
    } else if (panel.editCaption == "Cancel") {
        const MsgAnswer answer = m_ctx.prompter().ask(
            {"Are you sure", "Are you sure you want to Cancel?", MsgButtons::YesNo, MsgIcon::Question});
        if (answer != MsgAnswer::Yes)
            return outcome;
        emptyBoxes(next);
        next.boxesLocked = true;
        next.addEnabled = true;
        next.deleteEnabled = true;
        next.saveEnabled = false;
        next.editEnabled = false;
        next.editCaption = "Edit";
        outcome.panel = doubleClickList(next, selected).panel;
    }
    return outcome;
}

ConsumablePanelOutcome ConsumablePanel::clickDelete(
    const ConsumablePanelState& panel, const ListRow* selected, std::string_view readingText, std::string_view unitName)
{
    ConsumablePanelOutcome outcome = outcomeOf(panel);
    if (!panel.deleteEnabled || !selected)
        return outcome;
    const MsgAnswer answer = m_ctx.prompter().ask({"Are you sure?",
        "This will Delete Consumable Item \"" + selected->text
            + "\" from Database. Are you sure you want to Delete it?",
        MsgButtons::YesNo, MsgIcon::Question});
    if (answer != MsgAnswer::Yes)
        return outcome;
    // The row text finds the keys: the store ignores the blank and the case. The item's date
    // entry goes with it, or neither does.
    {
        AppContext::Action action(m_ctx);
        if (!m_ctx.dataFile().DeleteINIKey(kSection, selected->text)
            || !m_ctx.dataFile().DeleteINIKey(ConsumableDates::Section, selected->text) || !action.finish())
            return outcome;
    }
    outcome.lists = ReloadConsumables(m_ctx, readingText, unitName);
    return outcome;
}

bool ConsumablePanel::refuseSave(
    const ConsumablePanelState& panel, std::string_view readingText, std::string_view unitName)
{
    Prompter& prompter = m_ctx.prompter();
    const std::string unit(unitName);
    const std::string& name = panel.itemName;
    auto refuse = [&](std::string title, std::string text, MsgIcon icon = MsgIcon::Information) {
        prompter.ask({std::move(title), std::move(text), MsgButtons::Ok, icon});
        return true;
    };

    if (IsBlank(name))
        return refuse("Required Field Empty ...", "Item Name can't be empty.");
    if (breaksKeyFormat(name))
        return refuse("Invalid Item Name ...",
            "Item Name can't contain \"=\" or a line break, nor begin with \"[\" or \";\", because the data file "
            "could not keep such a name.");
    if (m_ctx.dataFile().KeyExists(m_ctx.dataFilePath(), kSection, name))
        return refuse("Item with same Name already Exists ...",
            "A consumable item with same name already exists. Either specify different name or double click on the  "
            "consumable in the Consumable List and click the Edit button to change its values.");
    if (IsBlank(panel.lastChanged))
        return refuse("Required Field Empty ...",
            "Please specify the " + unit + " when you last changed " + name + ". This field can't be empty.");
    if (leadingNumber(readingText) < leadingNumber(panel.lastChanged))
        return refuse(kAppTitle,
            "Error : The car hasn't yet reached the distance at which you have changed the consumable. Example : "
            "You car has done 10 "
                + unit + "s and you try to enter an oil change made at 2000" + unit + "s.",
            MsgIcon::None);
    // The analysis reads both numbers and their sum as 32-bit whole numbers; a box holds nine digits.
    if (!isReadingText(panel.lastChanged))
        return refuse("Invalid Value ...",
            "Please specify the " + unit + " when you last changed " + name + " as a whole number of at most "
                + std::to_string(ReadingDigits) + " digits.");
    if (IsBlank(panel.changeAfter))
        return refuse("Required Field Empty ...",
            "Please specify the " + unit + " after which it's necessary to change Car's " + name
                + ". This field can't be empty.");
    if (!isReadingText(panel.changeAfter) || !duePointOf(panel.lastChanged, panel.changeAfter))
        return refuse("Invalid Value ...",
            "Please specify the " + unit + " after which it's necessary to change Car's " + name
                + " as a whole number that, added to " + panel.lastChanged + ", gives no more than 2147483647.");

    const bool dateGiven = !IsBlank(panel.changedOn);
    const bool monthsGiven = !IsBlank(panel.changeMonths);
    const auto changedOn = CalendarDate::parse(AsciiText::trim(panel.changedOn));
    if ((monthsGiven && !dateGiven) || (dateGiven && !changedOn))
        return refuse("Required Field Empty ...", "Please specify the date when you last changed " + name + ".");
    if (dateGiven && !monthsGiven)
        return refuse("Required Field Empty ...", "Please specify after how many months " + name + " must be changed.");
    if (dateGiven && *changedOn > CalendarDate::today(m_ctx))
        return refuse("Required Field Empty ...", "The date of the last change can't be in the future.");
    if (monthsGiven && !ConsumableDates::monthsOf(AsciiText::trim(panel.changeMonths)))
        return refuse("Required Field Empty ...", "The months between changes must be between 1 and 240.");
    return false;
}

bool ConsumablePanel::storeDateEntry(const ConsumablePanelState& panel)
{
    mINIFunctions& ini = m_ctx.dataFile();
    // Keyed by the item's key as the file spells it, which the item's write has just settled.
    const std::string key = ini.KeySpelling(kSection, panel.itemName);
    if (IsBlank(panel.changedOn))
        return ini.DeleteINIKey(ConsumableDates::Section, key);
    const ConsumableDates::DateEntry entry {*CalendarDate::parse(AsciiText::trim(panel.changedOn)),
        *ConsumableDates::monthsOf(AsciiText::trim(panel.changeMonths))};
    // An entry spelled otherwise (by hand) would keep its spelling: it is written anew.
    if (ini.KeySpelling(ConsumableDates::Section, key) != key && !ini.DeleteINIKey(ConsumableDates::Section, key))
        return false;
    return ini.WriteINI(ConsumableDates::Section, key, entry.text());
}

ConsumablePanelOutcome ConsumablePanel::clickSave(
    const ConsumablePanelState& panel, std::string_view readingText, std::string_view unitName)
{
    ConsumablePanelOutcome outcome = outcomeOf(panel);
    if (!panel.saveEnabled || refuseSave(panel, readingText, unitName))
        return outcome;
    // The log entry and the date entry are stored with the item, or none is.
    AppContext::Action action(m_ctx);
    if (!m_ctx.dataFile().WriteINI(kSection, panel.itemName, panel.lastChanged + "#" + panel.changeAfter)
        || !Logbook::addService(
            m_ctx, panel.lastChanged, panel.changeAfter, Logbook::storedKeyName(m_ctx, kSection, panel.itemName))
        || !storeDateEntry(panel) || !action.finish())
        return outcome;

    ConsumablePanelState& next = outcome.panel;
    next.addEnabled = true;
    next.deleteEnabled = true;
    next.editEnabled = false;
    next.saveEnabled = false;
    next.addCaption = "Add";
    next.editCaption = "Edit";
    emptyBoxes(next);
    next.boxesLocked = true;
    outcome.lists = ReloadConsumables(m_ctx, readingText, unitName);
    return outcome;
}
