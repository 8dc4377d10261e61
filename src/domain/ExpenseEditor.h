#pragma once

#include "domain/ExpenseList.h"

#include <optional>
#include <string>
#include <string_view>

class AppContext;

// The three items of the pop-up menu of btnMiscEdit.
enum class MiscMenuItem { AddExpense, EditCategory, AddCategory };

// The pop-up menu as it is shown: enabled states and the add-expense caption.
// "Add new Category ..." is always enabled.
struct MiscPopup {
    bool addExpenseEnabled = false; // mnuMiscAddExp
    bool editEnabled = false; // mnuMiscEdit
    std::string addExpenseCaption; // mnuMiscAddExp
};

// What a mouse release over btnMiscEdit means, by its caption. Whatever it is, the
// page then refills the list (LoadMiscList) and the statistics, after the pop-up
// has closed.
enum class MiscEditRelease { ShowPopup, CancelEdit, Nothing };

// The box that gets the focus.
enum class MiscFocus { None, CatName, Expences };

// The controls of the expenses tab in one state of the editor.
struct MiscEditorView {
    std::optional<std::string> action; // frmMain's Action, when it changes
    std::string editCaption; // btnMiscEdit: "&Add" or "&Cancel"
    bool saveEnabled = false; // btnMiscSave
    bool deleteEnabled = true; // btnMiscDelete
    bool listEnabled = true; // lstMisc
    bool catNameReadOnly = true; // txtCatName
    bool expencesReadOnly = true; // txtExpences
    std::optional<std::string> catName; // txtCatName's new text, when it changes
    std::optional<std::string> expences; // txtExpences's new text, when it changes
    bool selectAllExpences = false;
    MiscFocus focus = MiscFocus::None;
    std::optional<int> currencyIndex; // cmbCur's new selection, when it changes
};

// What btnMiscSave reads from the window.
struct MiscSaveInput {
    std::string action; // frmMain's Action
    std::string catName; // txtCatName
    std::string expences; // txtExpences
    std::string currencyText; // cmbCur's text
    int currencyIndex = -1; // cmbCur's selection
};

struct MiscSaveResult {
    // No: a message refused the save (or the edit was not confirmed); the edit stays open.
    bool done = false;
    MiscEditorView view; // the browse state, when done
    MiscListFill list; // the refilled list, when done; then ShowStatistics
};

struct MiscDeleteResult {
    // Yes: the category is gone, and both boxes are emptied and made read-only.
    bool deleted = false;
    MiscListFill list; // the refilled list, when deleted (the statistics are not refreshed)
};

// What a key pressed in one of the detail boxes does.
enum class MiscKey { Keep, Drop, Save };

// The editor of expense categories on the "Car E&xpenses" tab: new category ("new"),
// add an expense to a category ("exp"), edit a category ("edt"), delete. The state
// lives in the controls (captions, enabled states) and in frmMain's Action, which
// the page passes in; the category "fuel" belongs to the fuel entry and is never
// deleted, renamed or given an expense by hand here, though its total may be corrected.
class ExpenseEditor {
public:
    static constexpr const char* AddCaption = "&Add";
    static constexpr const char* CancelCaption = "&Cancel";

    explicit ExpenseEditor(AppContext& ctx);

    static MiscEditRelease editButtonReleased(std::string_view editCaption);
    static MiscPopup popupFor(std::string_view catName);

    // A menu item starts an edit. selectedRow is the text of lstMisc's selected row;
    // "Edit Category" with no row selected does nothing (no value).
    std::optional<MiscEditorView> startEdit(MiscMenuItem item, const std::optional<std::string>& selectedRow);

    // The browse state, left by a completed save or by "&Cancel" (nothing is written).
    static MiscEditorView browseView();

    // btnMiscSave, also run by Enter in the boxes.
    MiscSaveResult save(const MiscSaveInput& input);

    // btnMiscDelete on the selected row; nothing selected or "fuel" does nothing.
    MiscDeleteResult remove(const std::optional<std::string>& selectedRow);

    // Key filters: the key as a character code (8 backspace, 13 Enter).
    static MiscKey catNameKey(bool editable, int key);
    static MiscKey expencesKey(bool editable, int key);

    // The reason a category name cannot be a key of the data file, or nothing.
    static std::optional<std::string> nameProblem(std::string_view name);

private:
    bool writeCurrency(const MiscSaveInput& input);
    MiscSaveResult finishSave();

    AppContext& m_ctx;
};
