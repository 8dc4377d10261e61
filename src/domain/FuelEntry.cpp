#include "domain/FuelEntry.h"

#include "core/AsciiText.h"
#include "core/Money.h"
#include "core/Numbers.h"
#include "core/Prompter.h"
#include "datafile/mGeneralFunctions.h"
#include "domain/AppContext.h"
#include "domain/Logbook.h"

#include <cstdint>

namespace {

// A figure per distance unit as shown: held as a currency amount, then rounded
// to 2 decimals.
std::string perDistance(double value, std::int64_t distance)
{
    if (distance < 1)
        return "0";
    const auto figure = Money::fromDouble(value / static_cast<double>(distance));
    return figure ? figure->rounded(2).toText() : numberToText(roundHalfEven(value / static_cast<double>(distance), 2));
}

// A reading is digits only (blanks around them aside) and fits 32 bits.
std::optional<std::int32_t> wholeReading(std::string_view text)
{
    text = AsciiText::trim(text);
    if (text.empty())
        return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    return wholeNumber32(text);
}

} // namespace

FuelEntry::FuelEntry(AppContext& ctx)
    : m_ctx(ctx)
{
}

FuelUpdate FuelEntry::UpdateFuelInfo(const FuelInput& input, const std::function<bool()>& saveSettings)
{
    Prompter& prompter = m_ctx.prompter();
    auto refuse = [&](const char* title, const std::string& text, MsgIcon icon = MsgIcon::Information) {
        prompter.ask({title, text, MsgButtons::Ok, icon});
        return FuelUpdate {};
    };

    if (IsBlank(input.filled))
        return refuse("Required Data Missing!", "Please specify how much Fuel you filled in Car.");
    if (IsBlank(input.cost))
        return refuse(
            "Required Data Missing ...", "Please specify how much you paid for " + input.filled + " Litters.");

    mINIFunctions& ini = m_ctx.dataFile();

    const auto reading = wholeReading(input.reading);
    if (!reading)
        return refuse("Wrong Value specified!",
            "The Car-Run when fuel was last filled (\"" + input.reading
                + "\") is not a whole number. Confirm the current Car-Run on the Main tab first; nothing was saved.");
    const auto filled = Money::fromText(input.filled);
    if (!filled)
        return refuse("Wrong Value specified!",
            "The fuel quantity filled \"" + input.filled + "\" is not a number. Please correct it; nothing was saved.");
    const std::string storedTotal = ini.ReadINI("fuel", "total", "0");
    const auto oldTotal = Money::fromText(storedTotal);
    if (!oldTotal)
        return refuse("Invalid Data!",
            "The stored fuel total \"" + storedTotal
                + "\" is not a number. Correct it on this tab (double-click the total) first; nothing was saved.",
            MsgIcon::Exclamation);
    const auto newTotal = oldTotal->plus(*filled);
    if (!newTotal)
        return refuse("Wrong Value specified!",
            "Adding " + input.filled + " to the fuel total gives a total too large to keep; nothing was saved.");
    const std::string storedInitial = ini.ReadINI("init", "miles", "");
    const auto initial = wholeReading(storedInitial);
    if (!initial)
        return refuse("Required Data Missing!",
            "The Car-Run when Wheelbook was installed (\"" + storedInitial
                + "\") is missing or not a whole number. Set it on the Settings tab first; nothing was saved.");
    const std::int64_t distance = static_cast<std::int64_t>(*reading) - *initial;

    // Every earlier expense, earlier fuel included, as stored: a list row's text may hide
    // what the file holds ("5 5" shows as an amount of 5).
    Money expenseSum;
    std::optional<std::string> badSum; // the first reason the stored amounts cannot be added
    ini.ReadINISection("misc", [&](std::string_view name, std::string_view amountText) {
        if (badSum)
            return;
        const auto amount = Money::fromText(amountText);
        const auto sum = amount ? expenseSum.plus(*amount) : std::nullopt;
        if (!amount)
            badSum = ExpenseList::badAmountText(rowTextOf(name), amountText) + " Nothing was saved.";
        else if (!sum)
            badSum = "The expenses add up to a total too large to keep; nothing was saved.";
        else
            expenseSum = *sum;
    });
    if (badSum)
        return refuse("Invalid Expense Value!", *badSum, MsgIcon::Exclamation);
    const auto cost = Money::fromText(input.cost);
    if (!cost)
        return refuse("Wrong Value specified!",
            "The Cost of Fuel \"" + input.cost + "\" is not a number. Please correct it; nothing was saved.");
    const auto expenseTotal = expenseSum.plus(*cost);
    const std::string storedFuel = ini.ReadINI("misc", "fuel", "0");
    const auto oldFuel = Money::fromText(storedFuel);
    if (!oldFuel)
        return refuse("Invalid Expense Value!", ExpenseList::badAmountText("FUEL", storedFuel) + " Nothing was saved.",
            MsgIcon::Exclamation);
    const auto newFuel = oldFuel->plus(*cost);
    if (!expenseTotal || !newFuel)
        return refuse("Wrong Value specified!",
            "Adding " + input.cost + " to the expenses gives a total too large to keep; nothing was saved.");

    FuelUpdate update;
    update.avgPer100 = perDistance(newTotal->toDouble() * 100.0, distance) + " Litters";
    update.costPerKm = perDistance(expenseTotal->toDouble(), distance);

    // The settings, the totals and the fill-up's log entry are stored together, or none of them.
    AppContext::Action action(m_ctx);
    if (!saveSettings())
        return {};

    if (!ini.WriteINI("fuel", "total", *newTotal) || !ini.WriteINI("misc", "fuel", *newFuel)
        || !ini.WriteINI("app", "cost", expenseTotal->roundedWhole())
        || !Logbook::addFillUp(m_ctx, *reading, *filled, *cost) || !action.finish())
        return {};

    update.fuelTotal = ini.ReadINI("fuel", "total", "0") + " Litters";
    update.list = ExpenseList(m_ctx).LoadMiscList();
    update.done = true;
    return update;
}

bool FuelEntry::fuelBoxKeeps(int key)
{
    return (key >= '0' && key <= '9') || key == 8 || key == 46;
}
