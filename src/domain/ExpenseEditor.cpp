#include "domain/ExpenseEditor.h"

#include "core/AsciiText.h"
#include "core/Money.h"
#include "core/Prompter.h"
#include "datafile/mGeneralFunctions.h"
#include "domain/AppContext.h"
#include "domain/CurrencyList.h"
#include "domain/Logbook.h"

namespace {

bool isDigitKey(int key)
{
    return key >= '0' && key <= '9';
}

constexpr int KeyBackspace = 8;
constexpr int KeyEnter = 13;
constexpr int KeyPoint = 46;

std::string_view trimBlanks(std::string_view text)
{
    return AsciiText::trim(text, " \t\v\f");
}

} // namespace

ExpenseEditor::ExpenseEditor(AppContext& ctx)
    : m_ctx(ctx)
{
}

MiscEditRelease ExpenseEditor::editButtonReleased(std::string_view editCaption)
{
    if (editCaption == AddCaption)
        return MiscEditRelease::ShowPopup;
    if (editCaption == CancelCaption)
        return MiscEditRelease::CancelEdit;
    return MiscEditRelease::Nothing;
}

MiscPopup ExpenseEditor::popupFor(std::string_view catName)
{
    MiscPopup popup;
    popup.addExpenseCaption = "Add Expense to -category-";
    if (IsBlank(catName))
        return popup;
    popup.editEnabled = true;
    if (ExpenseList::isFuelCategory(catName))
        return popup;
    popup.addExpenseEnabled = true;
    // The name keeps its leading blank, so two blanks follow "to".
    popup.addExpenseCaption = "Add Expense to " + std::string(catName);
    return popup;
}

std::optional<MiscEditorView> ExpenseEditor::startEdit(MiscMenuItem item, const std::optional<std::string>& selectedRow)
{
    if (item == MiscMenuItem::EditCategory && !selectedRow)
        return std::nullopt;

    MiscEditorView view;
    view.editCaption = CancelCaption;
    view.saveEnabled = true;
    view.deleteEnabled = false;
    view.listEnabled = false;
    view.currencyIndex = CurrencyList::selectionOf(m_ctx.dataFile().ReadINI("app", "icur", "1"));

    switch (item) {
    case MiscMenuItem::AddCategory:
        view.action = "new";
        view.catNameReadOnly = false;
        view.expencesReadOnly = false;
        view.catName = "";
        view.expences = "0";
        view.focus = MiscFocus::CatName;
        break;
    case MiscMenuItem::AddExpense:
        view.action = "exp";
        view.catNameReadOnly = true;
        view.expencesReadOnly = false;
        view.selectAllExpences = true;
        view.focus = MiscFocus::Expences;
        break;
    case MiscMenuItem::EditCategory:
        view.action = "edt";
        view.expencesReadOnly = false;
        // The fuel category's name is fixed: the fuel entry writes to it.
        if (ExpenseList::isFuelCategory(*selectedRow)) {
            view.catNameReadOnly = true;
            view.focus = MiscFocus::Expences;
        } else {
            view.catNameReadOnly = false;
            view.focus = MiscFocus::CatName;
        }
        break;
    }
    return view;
}

MiscEditorView ExpenseEditor::browseView()
{
    MiscEditorView view;
    view.editCaption = AddCaption;
    view.saveEnabled = false;
    view.deleteEnabled = true;
    view.listEnabled = true;
    view.catNameReadOnly = true;
    view.expencesReadOnly = true;
    view.catName = "";
    view.expences = "";
    return view;
}

std::optional<std::string> ExpenseEditor::nameProblem(std::string_view name)
{
    if (name.find('\r') != std::string_view::npos || name.find('\n') != std::string_view::npos)
        return std::string("it holds a line break.");
    if (name.find('=') != std::string_view::npos)
        return std::string("it contains the character \"=\".");
    const std::string_view trimmed = trimBlanks(name);
    if (!trimmed.empty() && (trimmed.front() == '[' || trimmed.front() == ';'))
        return "it begins with \"" + std::string(1, trimmed.front()) + "\".";
    return std::nullopt;
}

MiscSaveResult ExpenseEditor::save(const MiscSaveInput& input)
{
    Prompter& prompter = m_ctx.prompter();
    if (IsBlank(input.catName)) {
        prompter.ask({"Required Data Missing!", "Please specify Category Name.", MsgButtons::Ok, MsgIcon::Information});
        return {};
    }
    if (IsBlank(input.expences)) {
        prompter.ask({"Required Data Missing!", "Please specify Expences for " + input.catName + ".", MsgButtons::Ok,
            MsgIcon::Information});
        return {};
    }

    const bool writes = input.action == "new" || input.action == "exp" || input.action == "edt";
    if (!writes)
        return finishSave(); // the start condition: nothing to store

    if (input.action != "exp") {
        if (const auto problem = nameProblem(input.catName)) {
            prompter.ask({"Wrong Category Name!",
                "The category name \"" + input.catName + "\" cannot be saved: " + *problem
                    + " Please choose another name.",
                MsgButtons::Ok, MsgIcon::Information});
            return {};
        }
    }
    const auto amount = Money::fromText(input.expences);
    if (!amount) {
        prompter.ask({"Wrong Value specified!",
            "The expense value \"" + input.expences + "\" for " + input.catName
                + " is not a number. Please correct it; nothing was saved.",
            MsgButtons::Ok, MsgIcon::Information});
        return {};
    }

    // The log entry is stored with the category, or neither is.
    AppContext::Action action(m_ctx);
    mINIFunctions& ini = m_ctx.dataFile();
    auto logged = [&](Logbook::ExpenseAction logAction, Money logAmount) {
        return Logbook::addExpense(
            m_ctx, logAction, logAmount.toText(), Logbook::storedKeyName(m_ctx, "misc", input.catName));
    };
    if (input.action == "new") {
        if (!ini.WriteINI("misc", input.catName, input.expences) || !logged(Logbook::ExpenseAction::New, *amount)
            || !action.finish())
            return {};
        return finishSave();
    }

    if (input.action == "exp") {
        const std::string stored = ini.ReadINI("misc", input.catName, "0");
        const auto storedAmount = Money::fromText(stored);
        if (!storedAmount) {
            prompter.ask(
                {"Invalid Expense Value!", ExpenseList::badAmountText(input.catName, stored) + " Nothing was saved.",
                    MsgButtons::Ok, MsgIcon::Exclamation});
            return {};
        }
        const auto sum = storedAmount->plus(*amount);
        if (!sum) {
            prompter.ask({"Wrong Value specified!",
                "Adding " + input.expences + " to " + input.catName
                    + " gives a total too large to keep. Nothing was saved.",
                MsgButtons::Ok, MsgIcon::Information});
            return {};
        }
        if (!ini.WriteINI("misc", input.catName, *sum) || !logged(Logbook::ExpenseAction::Add, *amount))
            return {};
        writeCurrency(input);
        if (!action.finish())
            return {};
        return finishSave();
    }

    // "edt"
    const MsgAnswer answer = prompter.ask({"Are you sure?",
        "Are you sure you want to Save Changes to " + input.catName + "?", MsgButtons::YesNo, MsgIcon::Question});
    if (answer != MsgAnswer::Yes)
        return {};
    if (!ini.WriteINI("misc", input.catName, input.expences) || !logged(Logbook::ExpenseAction::Edit, *amount))
        return {};
    writeCurrency(input);
    if (!action.finish())
        return {};
    return finishSave();
}

bool ExpenseEditor::writeCurrency(const MiscSaveInput& input)
{
    mINIFunctions& ini = m_ctx.dataFile();
    return ini.WriteINI("app", "cur", input.currencyText) && ini.WriteINI("app", "icur", input.currencyIndex);
}

MiscSaveResult ExpenseEditor::finishSave()
{
    MiscSaveResult result;
    result.done = true;
    result.view = browseView();
    result.list = ExpenseList(m_ctx).LoadMiscList();
    return result;
}

MiscDeleteResult ExpenseEditor::remove(const std::optional<std::string>& selectedRow)
{
    MiscDeleteResult result;
    if (!selectedRow || ExpenseList::isFuelCategory(*selectedRow))
        return result;
    const MsgAnswer answer = m_ctx.prompter().ask(
        {"Are you sure?", "Are you sure you want to Delete " + *selectedRow + " from Miscellaneous Items Database?",
            MsgButtons::YesNo, MsgIcon::Question});
    if (answer != MsgAnswer::Yes)
        return result;
    AppContext::Action action(m_ctx);
    mINIFunctions& ini = m_ctx.dataFile();
    // What the category held, for the log. A total that is no amount is logged as it is
    // ("-" if it holds the separator "#"), so the log shows an entry that does not parse.
    const std::string total = ini.ReadINI("misc", *selectedRow, "");
    const auto amount = Money::fromText(total);
    const std::string logged = amount ? amount->toText() : total.find('#') == std::string::npos ? total : "-";
    const std::string name = Logbook::storedKeyName(m_ctx, "misc", *selectedRow);
    if (!ini.DeleteINIKey("misc", *selectedRow)
        || !Logbook::addExpense(m_ctx, Logbook::ExpenseAction::Delete, logged, name) || !action.finish())
        return result;
    result.deleted = true;
    result.list = ExpenseList(m_ctx).LoadMiscList();
    return result;
}

MiscKey ExpenseEditor::catNameKey(bool editable, int key)
{
    return editable && key == KeyEnter ? MiscKey::Save : MiscKey::Keep;
}

MiscKey ExpenseEditor::expencesKey(bool editable, int key)
{
    if (!editable)
        return MiscKey::Keep;
    if (key == KeyEnter)
        return MiscKey::Save;
    if (isDigitKey(key) || key == KeyBackspace || key == KeyPoint)
        return MiscKey::Keep;
    return MiscKey::Drop;
}
