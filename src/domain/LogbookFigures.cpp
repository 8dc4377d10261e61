#include "domain/LogbookFigures.h"

#include "core/Numbers.h"
#include "core/TextEncoding.h"

#include <limits>
#include <map>

namespace LogbookFigures {
namespace {

using Logbook::Entry;
using Logbook::Log;
__extension__ typedef __int128 Wide;

// numerator / denominator (a value in whole units, denominator > 0) rounded to 2
// decimals, ties to even, worked out in whole numbers so that nothing is rounded twice.
std::optional<Money> quotient(Wide numerator, Wide denominator)
{
    const bool negative = numerator < 0;
    const Wide hundredths = (negative ? -numerator : numerator) * 100;
    Wide whole = hundredths / denominator;
    const Wide rest = hundredths % denominator;
    if (rest * 2 > denominator || (rest * 2 == denominator && whole % 2 == 1))
        ++whole;
    const Wide units = (negative ? -whole : whole) * (Money::Scale / 100);
    if (units > std::numeric_limits<std::int64_t>::max() || units < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return Money::fromUnits(static_cast<std::int64_t>(units));
}

std::optional<Money> per100(Money litres, std::int64_t distance)
{
    if (distance <= 0)
        return std::nullopt;
    return quotient(static_cast<Wide>(litres.units()) * 100, static_cast<Wide>(distance) * Money::Scale);
}

// Every parsed record with its index in the log, in log order.
template <typename Record, typename Visit> void forEachRecord(const Log<Record>& log, Visit visit)
{
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i].record)
            visit(i, *log[i].record);
    }
}

// The month's amount for the category, when the sum stays in range (else it is left out).
void addTo(std::vector<Money>& amounts, std::size_t category, Money amount)
{
    if (const auto sum = amounts[category].plus(amount))
        amounts[category] = *sum;
}

bool countsAsSpent(const Logbook::ExpenseRecord& record)
{
    return record.action == Logbook::ExpenseAction::Add || record.action == Logbook::ExpenseAction::New;
}

} // namespace

std::vector<FillUp> fillUps(const Log<Logbook::FuelRecord>& log)
{
    std::vector<FillUp> rows;
    forEachRecord(log, [&](std::size_t entry, const Logbook::FuelRecord& record) {
        FillUp row {entry, record.date, record.reading, std::nullopt, record.litres, record.cost, {}, {}};
        if (!rows.empty()) {
            const std::int64_t distance = record.reading - rows.back().reading;
            row.distance = distance;
            row.per100 = per100(record.litres, distance);
            if (distance > 0)
                row.costPerUnit = quotient(record.cost.units(), static_cast<Wide>(distance) * Money::Scale);
        }
        rows.push_back(row);
    });
    return rows;
}

FuelTotals fuelTotals(const Log<Logbook::FuelRecord>& log)
{
    FuelTotals totals;
    std::optional<Money> litres = Money(), cost = Money(), litresAfterFirst = Money();
    std::optional<std::int64_t> first, last;
    forEachRecord(log, [&](std::size_t, const Logbook::FuelRecord& record) {
        litres = litres ? litres->plus(record.litres) : std::nullopt;
        cost = cost ? cost->plus(record.cost) : std::nullopt;
        if (first)
            litresAfterFirst = litresAfterFirst ? litresAfterFirst->plus(record.litres) : std::nullopt;
        else
            first = record.reading;
        last = record.reading;
    });
    totals.litres = litres;
    totals.cost = cost;
    if (first && litresAfterFirst)
        totals.averagePer100 = per100(*litresAfterFirst, *last - *first);
    return totals;
}

std::vector<Reading> readings(const Log<Logbook::ReadingRecord>& log)
{
    std::vector<Reading> rows;
    forEachRecord(log, [&](std::size_t entry, const Logbook::ReadingRecord& record) {
        Reading row {entry, record.date, record.reading, std::nullopt, std::nullopt, std::nullopt};
        if (!rows.empty()) {
            const Reading& previous = rows.back();
            row.distance = record.reading - previous.reading;
            row.days = record.date.dayNumber() - previous.date.dayNumber();
            if (*row.days > 0)
                row.perDay = quotient(*row.distance, *row.days);
        }
        rows.push_back(row);
    });
    return rows;
}

MoneyPerMonth moneyPerMonth(const Log<Logbook::FuelRecord>& fuel, const Log<Logbook::ExpenseRecord>& expenses)
{
    MoneyPerMonth result;
    std::map<std::string, std::size_t> categoryOf; // by the name in upper case
    auto category = [&](const std::string& name) {
        const auto [at, added] = categoryOf.try_emplace(TextEncoding::upper(name), result.categories.size());
        if (added)
            result.categories.push_back(name);
        return at->second;
    };
    bool anyFuel = false;
    forEachRecord(fuel, [&](std::size_t, const Logbook::FuelRecord&) { anyFuel = true; });
    if (anyFuel)
        category("fuel");
    forEachRecord(expenses, [&](std::size_t, const Logbook::ExpenseRecord& record) {
        if (countsAsSpent(record))
            category(record.category);
    });

    std::map<std::string, std::vector<Money>> months;
    auto month = [&](const Logbook::LogTime& date) -> std::vector<Money>& {
        std::vector<Money>& amounts = months[date.monthText()];
        amounts.resize(result.categories.size());
        return amounts;
    };
    forEachRecord(fuel, [&](std::size_t, const Logbook::FuelRecord& record) {
        addTo(month(record.date), category("fuel"), record.cost);
    });
    forEachRecord(expenses, [&](std::size_t, const Logbook::ExpenseRecord& record) {
        if (countsAsSpent(record))
            addTo(month(record.date), category(record.category), record.amount);
    });
    for (auto& [name, amounts] : months)
        result.months.push_back({name, std::move(amounts)});
    return result;
}

std::vector<MonthDistance> distancePerMonth(const Log<Logbook::ReadingRecord>& log)
{
    std::map<std::string, std::int64_t> months;
    const Logbook::ReadingRecord* previous = nullptr;
    forEachRecord(log, [&](std::size_t, const Logbook::ReadingRecord& record) {
        if (previous) {
            std::int64_t& sum = months[record.date.monthText()];
            std::int64_t next = 0;
            if (!__builtin_add_overflow(sum, record.reading - previous->reading, &next))
                sum = next;
        }
        previous = &record;
    });
    std::vector<MonthDistance> result;
    for (const auto& [name, distance] : months)
        result.push_back({name, distance});
    return result;
}

std::vector<EconomyPoint> economy(const std::vector<FillUp>& fillUps)
{
    std::vector<EconomyPoint> points;
    for (const FillUp& fillUp : fillUps) {
        if (fillUp.per100)
            points.push_back({fillUp.date, *fillUp.per100});
    }
    return points;
}

std::string text(const std::optional<Money>& figure)
{
    return figure ? figure->toText() : "-";
}

std::string text(const std::optional<std::int64_t>& figure)
{
    return figure ? numberToText(*figure) : "-";
}

} // namespace LogbookFigures
