#include "domain/ExpenseEditor.h"

#include "ExpensesFixture.h"

TEST(ExpenseEditorPopup, FollowsTheNameInTheBox)
{
    const MiscPopup empty = ExpenseEditor::popupFor("");
    EXPECT_FALSE(empty.addExpenseEnabled);
    EXPECT_FALSE(empty.editEnabled);
    EXPECT_EQ(empty.addExpenseCaption, "Add Expense to -category-");

    const MiscPopup fuel = ExpenseEditor::popupFor(" FUEL");
    EXPECT_FALSE(fuel.addExpenseEnabled);
    EXPECT_TRUE(fuel.editEnabled);
    EXPECT_EQ(fuel.addExpenseCaption, "Add Expense to -category-");

    const MiscPopup oil = ExpenseEditor::popupFor(" OIL");
    EXPECT_TRUE(oil.addExpenseEnabled);
    EXPECT_TRUE(oil.editEnabled);
    EXPECT_EQ(oil.addExpenseCaption, "Add Expense to  OIL");
}

TEST(ExpenseEditorKeys, FilterTheAmountAndSaveOnEnter)
{
    EXPECT_EQ(ExpenseEditor::expencesKey(true, '7'), MiscKey::Keep);
    EXPECT_EQ(ExpenseEditor::expencesKey(true, '.'), MiscKey::Keep);
    EXPECT_EQ(ExpenseEditor::expencesKey(true, 8), MiscKey::Keep);
    EXPECT_EQ(ExpenseEditor::expencesKey(true, 'a'), MiscKey::Drop);
    EXPECT_EQ(ExpenseEditor::expencesKey(true, '-'), MiscKey::Drop);
    EXPECT_EQ(ExpenseEditor::expencesKey(true, 13), MiscKey::Save);
    EXPECT_EQ(ExpenseEditor::expencesKey(false, 13), MiscKey::Keep);
    EXPECT_EQ(ExpenseEditor::catNameKey(true, 'a'), MiscKey::Keep);
    EXPECT_EQ(ExpenseEditor::catNameKey(true, 13), MiscKey::Save);
    EXPECT_EQ(ExpenseEditor::catNameKey(false, 13), MiscKey::Keep);
    EXPECT_EQ(ExpenseEditor::editButtonReleased("&Add"), MiscEditRelease::ShowPopup);
    EXPECT_EQ(ExpenseEditor::editButtonReleased("&Cancel"), MiscEditRelease::CancelEdit);
    EXPECT_EQ(ExpenseEditor::editButtonReleased("Add"), MiscEditRelease::Nothing);
}

class ExpenseEditorTest : public ExpensesFixture {
protected:
    ExpenseEditorTest() { writeData("[app]\nicur=9\ncur=EUR\n[misc]\nfuel=40\ninsurance=161.5\nsmall=0.2\n"); }
    MiscSaveInput input(std::string action, std::string name, std::string amount)
    {
        return {std::move(action), std::move(name), std::move(amount), "GBP", 123};
    }
    ExpenseEditor editor {ctx};
};

TEST_F(ExpenseEditorTest, EachMenuItemSetsItsMode)
{
    const auto added = editor.startEdit(MiscMenuItem::AddCategory, std::nullopt);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->action, "new");
    EXPECT_EQ(added->editCaption, "&Cancel");
    EXPECT_TRUE(added->saveEnabled);
    EXPECT_FALSE(added->deleteEnabled);
    EXPECT_FALSE(added->listEnabled);
    EXPECT_FALSE(added->catNameReadOnly);
    EXPECT_EQ(added->catName, "");
    EXPECT_EQ(added->expences, "0");
    EXPECT_EQ(added->focus, MiscFocus::CatName);
    EXPECT_EQ(added->currencyIndex, 9);

    const auto expense = editor.startEdit(MiscMenuItem::AddExpense, std::string(" OIL"));
    EXPECT_EQ(expense->action, "exp");
    EXPECT_TRUE(expense->catNameReadOnly);
    EXPECT_FALSE(expense->expencesReadOnly);
    EXPECT_FALSE(expense->catName); // the boxes keep the chosen category
    EXPECT_TRUE(expense->selectAllExpences);
    EXPECT_EQ(expense->focus, MiscFocus::Expences);

    const auto edit = editor.startEdit(MiscMenuItem::EditCategory, std::string(" OIL"));
    EXPECT_EQ(edit->action, "edt");
    EXPECT_FALSE(edit->catNameReadOnly);
    EXPECT_EQ(edit->focus, MiscFocus::CatName);

    const auto fuel = editor.startEdit(MiscMenuItem::EditCategory, std::string(" FUEL"));
    EXPECT_TRUE(fuel->catNameReadOnly);
    EXPECT_FALSE(fuel->expencesReadOnly);
    EXPECT_EQ(fuel->focus, MiscFocus::Expences);

    EXPECT_FALSE(editor.startEdit(MiscMenuItem::EditCategory, std::nullopt));
}

TEST_F(ExpenseEditorTest, AMissingIcurSelectsEntryOne)
{
    writeData("[misc]\n");
    EXPECT_EQ(editor.startEdit(MiscMenuItem::AddCategory, std::nullopt)->currencyIndex, 1);
}

TEST_F(ExpenseEditorTest, ANewCategoryIsStoredAsTypedWithoutTouchingTheCurrency)
{
    const MiscSaveResult result = editor.save(input("new", "Parking", "0150"));
    ASSERT_TRUE(result.done);
    EXPECT_EQ(stored("misc", "Parking"), "0150");
    EXPECT_EQ(stored("app", "cur"), "EUR");
    EXPECT_EQ(stored("app", "icur"), "9");
    EXPECT_EQ(result.view.editCaption, "&Add");
    EXPECT_FALSE(result.view.saveEnabled);
    EXPECT_TRUE(result.view.listEnabled);
    EXPECT_TRUE(result.view.catNameReadOnly);
    EXPECT_EQ(result.view.catName, "");
    ASSERT_EQ(result.list.rows.size(), 4u);
    EXPECT_EQ(result.list.rows[3], (ListRow {" PARKING", {"0150 EUR"}, 3}));
}

TEST_F(ExpenseEditorTest, AddingAnExpenseAddsExactAmountsAndStoresTheCurrency)
{
    ASSERT_TRUE(editor.save(input("exp", " INSURANCE", "10")).done);
    EXPECT_EQ(stored("misc", "insurance"), "171.5");
    EXPECT_EQ(stored("app", "cur"), "GBP");
    EXPECT_EQ(stored("app", "icur"), "123");

    ASSERT_TRUE(editor.save(input("exp", " SMALL", "0.1")).done);
    EXPECT_EQ(stored("misc", "small"), "0.3");
    EXPECT_EQ(stored("app", "cost"), "212"); // 40 + 171.5 + 0.3 = 211.8

    ASSERT_TRUE(editor.save(input("exp", " NEWONE", "5")).done);
    EXPECT_EQ(stored("misc", "newone"), "5");
}

TEST_F(ExpenseEditorTest, EditingAsksFirstAndStaysOpenOnNo)
{
    prompter.expect("Are you sure?", MsgAnswer::No, "Are you sure you want to Save Changes to  INSURANCE?");
    EXPECT_FALSE(editor.save(input("edt", " INSURANCE", "300")).done);
    EXPECT_EQ(stored("misc", "insurance"), "161.5");
    EXPECT_EQ(stored("app", "cur"), "EUR");

    prompter.expect("Are you sure?", MsgAnswer::Yes, "Are you sure you want to Save Changes to CAR INSURANCE?");
    ASSERT_TRUE(editor.save(input("edt", "CAR INSURANCE", "300")).done);
    EXPECT_EQ(stored("misc", "CAR INSURANCE"), "300");
    EXPECT_EQ(stored("misc", "insurance"), "161.5");
    EXPECT_EQ(stored("app", "cur"), "GBP");
    EXPECT_EQ(stored("app", "icur"), "123");
}

TEST_F(ExpenseEditorTest, BlankBoxesAreRefusedAndAnEmptyModeWritesNothing)
{
    prompter.expect("Required Data Missing!", MsgAnswer::Ok, "Please specify Category Name.");
    EXPECT_FALSE(editor.save(input("new", "  ", "5")).done);
    prompter.expect("Required Data Missing!", MsgAnswer::Ok, "Please specify Expences for Parking.");
    EXPECT_FALSE(editor.save(input("new", "Parking", "")).done);

    const MiscSaveResult idle = editor.save(input("", "Parking", "5"));
    EXPECT_TRUE(idle.done);
    EXPECT_EQ(idle.view.editCaption, "&Add");
    EXPECT_EQ(stored("misc", "Parking"), "<none>");
    EXPECT_EQ(stored("app", "cost"), "202"); // only the refill wrote
}

TEST_F(ExpenseEditorTest, RefusesNamesThatBreakTheDataFile)
{
    const std::string before = data();
    const std::pair<std::string, std::string> cases[] = {
        {"a=b", "it contains the character \"=\"."},
        {" [tax", "it begins with \"[\"."},
        {";note", "it begins with \";\"."},
        {"two\r\nlines", "it holds a line break."},
    };
    for (const auto& [name, reason] : cases) {
        prompter.expect("Wrong Category Name!", MsgAnswer::Ok,
            "The category name \"" + name + "\" cannot be saved: " + reason + " Please choose another name.");
        EXPECT_FALSE(editor.save(input("new", name, "5")).done) << name;
        prompter.expect("Wrong Category Name!");
        EXPECT_FALSE(editor.save(input("edt", name, "5")).done) << name;
    }
    EXPECT_EQ(data(), before);
}

TEST_F(ExpenseEditorTest, RefusesAmountsThatAreNotNumbers)
{
    writeData("[misc]\nbad=abc\nok=1\n");
    const std::string before = data();
    prompter.expect("Wrong Value specified!", MsgAnswer::Ok,
        "The expense value \"1.2.3\" for  OK is not a number. Please correct it; nothing was saved.");
    EXPECT_FALSE(editor.save(input("exp", " OK", "1.2.3")).done);
    prompter.expect("Wrong Value specified!");
    EXPECT_FALSE(editor.save(input("new", "Parking", ".")).done);

    prompter.expect("Invalid Expense Value!", MsgAnswer::Ok,
        "The expense category BAD holds \"abc\", which is not an amount Wheelbook can add to. "
        "Correct it with Edit Category first. Nothing was saved.");
    EXPECT_FALSE(editor.save(input("exp", " BAD", "5")).done);
    EXPECT_EQ(data(), before);
}

TEST_F(ExpenseEditorTest, DeleteAsksAndNeverTouchesFuel)
{
    const std::string before = data();
    EXPECT_FALSE(editor.remove(std::string(" FUEL")).deleted);
    EXPECT_FALSE(editor.remove(std::nullopt).deleted);

    prompter.expect("Are you sure?", MsgAnswer::No,
        "Are you sure you want to Delete  INSURANCE from Miscellaneous Items Database?");
    EXPECT_FALSE(editor.remove(std::string(" INSURANCE")).deleted);
    EXPECT_EQ(data(), before);

    prompter.expect("Are you sure?", MsgAnswer::Yes);
    const MiscDeleteResult result = editor.remove(std::string(" INSURANCE"));
    EXPECT_TRUE(result.deleted);
    EXPECT_EQ(stored("misc", "insurance"), "<none>");
    ASSERT_EQ(result.list.rows.size(), 2u);
    EXPECT_EQ(result.list.rows[1].text, " SMALL");
}
