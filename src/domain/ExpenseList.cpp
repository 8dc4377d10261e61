#include "domain/ExpenseList.h"

#include "core/AsciiText.h"
#include "core/Money.h"
#include "core/Numbers.h"
#include "core/Prompter.h"
#include "datafile/mGeneralFunctions.h"
#include "domain/AppContext.h"
#include "domain/CurrencyList.h"

ExpenseList::ExpenseList(AppContext& ctx)
    : m_ctx(ctx)
{
}

MiscListFill ExpenseList::LoadMiscList()
{
    MiscListFill fill;
    if (!FileExists(m_ctx.dataFilePath(), m_ctx.prompter())) {
        m_ctx.prompter().ask({"Missing Data File ...",
            "Wheelbook Data File Missing. Please re-install the application to solve this problem.", MsgButtons::Ok,
            MsgIcon::Critical});
        fill.keepList = true;
        return fill;
    }

    // One version of the file for the list, the currency and the total it stores.
    const AppContext::Action action(m_ctx);
    mINIFunctions& ini = m_ctx.dataFile();
    const std::string currency = ini.ReadINI("app", "cur", "USD");
    const std::string icur = ini.ReadINI("app", "icur", "1");

    const auto icurNumber = wholeNumber32(icur);
    fill.tag = numberToText(icurNumber ? *icurNumber : -1);

    Money total;
    bool totalKnown = true;
    std::string badOnes;
    ini.ReadINISection("misc", [&](std::string_view name, std::string_view value) {
        ListRow& row = fill.rows.emplace_back();
        row.text = rowTextOf(name);
        std::string& amountColumn = row.subItems.emplace_back();
        amountColumn.reserve(value.size() + 1 + currency.size());
        amountColumn.append(value).append(" ").append(currency);
        row.icon = RowIcon;

        const auto amount = Money::fromText(value);
        const auto sum = amount ? total.plus(*amount) : std::nullopt;
        if (!sum) {
            totalKnown = false;
            badOnes += "\r\n" + row.text.substr(1) + ": \"" + std::string(value) + "\"";
            return;
        }
        total = *sum;
    });
    if (fill.rows.empty()) {
        fill.tag.reset();
        return fill;
    }

    if (!totalKnown) {
        m_ctx.prompter().ask({"Invalid Expense Value!",
            "These expense categories do not hold an amount Wheelbook can add up:\r\n" + badOnes
                + "\r\n\r\nThe total of expenses is left as it was. Correct them with Edit Category.",
            MsgButtons::Ok, MsgIcon::Exclamation});
        return fill;
    }
    ini.WriteINI("app", "cost", total.roundedWhole());
    return fill;
}

std::optional<MiscDetails> ExpenseList::detailsOf(const ListRow* selected, std::string_view tag)
{
    if (!selected)
        return std::nullopt;
    MiscDetails details;
    details.catName = selected->text;
    details.expences = selected->subItems.empty() ? std::string() : amountOf(selected->subItems.front());
    details.currencyIndex = CurrencyList::selectionOf(tag);
    return details;
}

bool ExpenseList::isFuelCategory(std::string_view name)
{
    const std::string_view trimmed = AsciiText::trim(name);
    if (trimmed.size() != 4)
        return false;
    for (std::size_t i = 0; i < 4; ++i) {
        char c = trimmed[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != "fuel"[i])
            return false;
    }
    return true;
}

std::string ExpenseList::amountOf(std::string_view expensesColumn)
{
    return std::string(expensesColumn.substr(0, expensesColumn.find(' ')));
}

std::string ExpenseList::badAmountText(std::string_view name, std::string_view value)
{
    return "The expense category " + std::string(AsciiText::trim(name)) + " holds \"" + std::string(value)
        + "\", which is not an amount Wheelbook can add to. Correct it with Edit Category first.";
}
