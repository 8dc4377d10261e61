#pragma once

#include "domain/ListRow.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class AppContext;

// What a fill of lstMisc asks of the list.
struct MiscListFill {
    // The data file is missing: the list keeps its rows and its tag.
    bool keepList = false;
    // Otherwise the list's new rows (none for an empty section).
    std::vector<ListRow> rows;
    // The list's new tag, the "icur" number as text, when the fill set one.
    std::optional<std::string> tag;
};

// What a double-click on lstMisc puts into the detail boxes and the currency box.
struct MiscDetails {
    std::string catName; // txtCatName
    std::string expences; // txtExpences
    int currencyIndex = -1; // cmbCur's selection
};

// The expense categories of section "misc": the list that shows them with their
// totals, and the grand total "cost" that the statistics divide by the distance.
class ExpenseList {
public:
    static constexpr int RowIcon = 3;

    explicit ExpenseList(AppContext& ctx);

    // Rebuilds the rows from the data file and stores the grand total: the exact sum
    // of the categories, rounded once (ties to even) to a whole number. A category
    // that holds no amount is shown as stored and named in a message, and "cost"
    // then keeps its previous value rather than take a wrong one.
    MiscListFill LoadMiscList();

    // The double-click: the selected row (none when nothing is selected, which does
    // nothing) and the list's tag.
    static std::optional<MiscDetails> detailsOf(const ListRow* selected, std::string_view tag);

    // The category that fuel entries feed: the name, blanks trimmed, is "fuel" in any case.
    static bool isFuelCategory(std::string_view name);

    // The text of an amount column ("161.5 EUR") up to its first blank.
    static std::string amountOf(std::string_view expensesColumn);

    // The message that names a category whose stored value is not an amount.
    static std::string badAmountText(std::string_view name, std::string_view value);

private:
    AppContext& m_ctx;
};
