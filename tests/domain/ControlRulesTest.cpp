#include "domain/AppSettings.h"
#include "domain/ComboAutoComplete.h"
#include "domain/CurrencyList.h"
#include "domain/ExpenseEditor.h"
#include "domain/ExpenseList.h"
#include "domain/FuelEntry.h"
#include "domain/FuelTotalEditor.h"
#include "domain/ReadingKeyFilter.h"
#include "domain/RightLeftGesture.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(ControlRules, EachBoxKeepsItsOwnKeysAndTheButtonsDriveTheTrayBoxAndTheExpensesTab)
{
    // For the keys 0 9 backspace . Enter Esc / : - a and an Arabic digit: "+" kept and "-" dropped by the reading
    // boxes (txtInitMiles among them), the fuel boxes and txtFuelTotal; K keep, D drop and S save by txtExpences and
    // txtCatName, editable and then read-only.
    const int keys[] = {'0', '9', 8, '.', 13, 27, '/', ':', '-', 'a', 0x0663};
    std::vector<std::string> answers(7);
    for (int key : keys) {
        answers[0] += keepsReadingKey(static_cast<char32_t>(key)) ? '+' : '-';
        answers[1] += FuelEntry::fuelBoxKeeps(key) ? '+' : '-';
        answers[2] += FuelTotalEditor::keepsKey(static_cast<char32_t>(key)) ? '+' : '-';
        answers[3] += "KDS"[static_cast<int>(ExpenseEditor::expencesKey(true, key))];
        answers[4] += "KDS"[static_cast<int>(ExpenseEditor::catNameKey(true, key))];
        answers[5] += "KDS"[static_cast<int>(ExpenseEditor::expencesKey(false, key))];
        answers[6] += "KDS"[static_cast<int>(ExpenseEditor::catNameKey(false, key))];
    }
    EXPECT_EQ(answers,
        (std::vector<std::string> {
            "+++--------", "++++-------", "++++++-----", "KKKKSDDDDDD", "KKKKSKKKKKK", "KKKKKKKKKKK", "KKKKKKKKKKK"}));
    // The tray box is enabled with the start box, and only when the start box changed.
    EXPECT_EQ(AppSettings::minSystrayEnabledOnChange(0, 1), true);
    EXPECT_EQ(AppSettings::minSystrayEnabledOnChange(1, 0), false);
    EXPECT_EQ(AppSettings::minSystrayEnabledOnChange(1, 1), std::nullopt);
    EXPECT_EQ(AppSettings::minSystrayEnabledOnChange(0, 0), std::nullopt);
    // Press and release pairs: a left release while the right button is held opens the expenses tab.
    using Button = RightLeftGesture::Button;
    RightLeftGesture gesture;
    std::string opened;
    for (const auto& [down, up] :
        {std::pair {Button::Left, Button::Left}, {Button::Right, Button::Middle}, {Button::Left, Button::Left},
            {Button::Left, Button::Left}, {Button::Left, Button::Right}, {Button::Left, Button::Left}}) {
        gesture.mouseDown(down);
        opened += gesture.mouseUp(up) ? '1' : '0';
    }
    EXPECT_EQ(opened, "001100");
}

TEST(ControlRules, TheExpenseMenuFollowsTheNameInTheBoxAndTheEditCaption)
{
    // For each name in the box: "+" or "-" for "Add Expense" and "Edit" enabled, and the caption of "Add Expense".
    std::vector<std::string> menus;
    for (const char* name : {"", " FUEL", "fuel ", " OIL"}) {
        const MiscPopup popup = ExpenseEditor::popupFor(name);
        menus.push_back(std::string(popup.addExpenseEnabled ? "+" : "-") + (popup.editEnabled ? "+ " : "- ")
            + popup.addExpenseCaption);
    }
    EXPECT_EQ(menus,
        (std::vector<std::string> {"-- Add Expense to -category-", "-+ Add Expense to -category-",
            "-+ Add Expense to -category-", "++ Add Expense to  OIL"}));
    EXPECT_EQ(ExpenseEditor::editButtonReleased("&Add"), MiscEditRelease::ShowPopup);
    EXPECT_EQ(ExpenseEditor::editButtonReleased("&Cancel"), MiscEditRelease::CancelEdit);
    // A double-click fills the boxes from the row and the currency from the list's tag.
    const ListRow oil {" OIL", {"20.5 USD"}, 3};
    const auto details = ExpenseList::detailsOf(&oil, "1");
    EXPECT_EQ(std::tie(details->catName, details->expences, details->currencyIndex),
        std::make_tuple(std::string(" OIL"), std::string("20.5"), 1));
    EXPECT_EQ(ExpenseList::detailsOf(&oil, "500")->currencyIndex, -1);
    EXPECT_FALSE(ExpenseList::detailsOf(nullptr, "1"));
}

TEST(ControlRules, TheCurrencyBoxOffersTheListWithItsRepeatsAndTypesAheadThroughIt)
{
    // Stored indexes point into exactly this list.
    ASSERT_EQ(CurrencyList::FillCurrencyList().size(), 142u);
    for (int index : {0, 13, 14, 124})
        EXPECT_EQ(CurrencyList::codeAt(index), "USD") << index;
    for (const auto& [text, index] : {std::pair {"141", 141}, {"142", -1}, {"-1", -1}, {"abc", -1}})
        EXPECT_EQ(CurrencyList::selectionOf(text), index) << text;
    const ComboBoxState eur {"EUR", 1, 2, 9};
    const ComboBoxState empty {"", 0, 0, -1};
    // The box and the key; the box after it, whether the key is kept and whether it beeps. Backspace steps back
    // over the last typed character, Enter keeps the entry, and a repeated code is found at its first place.
    const std::tuple<ComboBoxState, int, ComboBoxState, bool, bool> cases[] = {{{}, 'e', eur, false, false},
        {eur, 'g', {"EGP", 2, 1, 48}, false, false}, {{"EGP", 2, 1, 48}, 8, eur, false, false},
        {eur, 8, empty, false, false}, {eur, 27, empty, false, false}, {eur, '.', empty, false, false},
        {empty, 13, {"USD", 0, 3, 0}, false, false}, {{"USD", 3, 0, 13}, 13, {"USD", 0, 3, 13}, true, false},
        {{"USD", 2, 1, 13}, 'd', {"USD", 3, 0, 0}, false, false}, {eur, 'q', eur, false, true}};
    for (const auto& [before, key, after, keepKey, beep] : cases) {
        const ComboKeyResult r = ComboAutoComplete(CurrencyList::FillCurrencyList(), before, key);
        EXPECT_EQ(std::tie(r.box.text, r.box.selStart, r.box.selLength, r.box.index, r.keepKey, r.beep),
            std::tie(after.text, after.selStart, after.selLength, after.index, keepKey, beep))
            << before.text << " + " << key;
    }
}
