#pragma once

#include "domain/Logbook.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The figures the logbook shows, from the parsed entries alone (an entry that does not
// parse counts nowhere), in log order. Quotients are worked out exactly from the stored
// decimals and rounded once, to 2 decimals with ties to the even neighbour; they are shown
// as the program shows its other figures: "." as the point, no trailing zeros ("7.1").
// A figure that cannot be had is empty and shown as "-".
namespace LogbookFigures {

// One fill-up with what it tells: full-to-full economy, the litres of this fill-up over
// the distance since the previous one.
struct FillUp {
    std::size_t entry = 0; // its index in the log
    Logbook::LogTime date;
    std::int64_t reading = 0;
    std::optional<std::int64_t> distance; // since the previous fill-up; none for the first
    Money litres;
    Money cost;
    std::optional<Money> per100; // litres x 100 / distance; none when the distance is none or <= 0
    std::optional<Money> costPerUnit; // cost / distance; likewise
};
std::vector<FillUp> fillUps(const Logbook::Log<Logbook::FuelRecord>& log);

// The fill-ups' footer. The average is the litres of every fill-up after the first, times
// 100, over the distance from the first fill-up's reading to the last one's: the first
// fill-up's litres were burnt before the log began.
struct FuelTotals {
    std::optional<Money> litres; // none only when the sum leaves the range of an amount
    std::optional<Money> cost;
    std::optional<Money> averagePer100;
};
FuelTotals fuelTotals(const Logbook::Log<Logbook::FuelRecord>& log);

struct Reading {
    std::size_t entry = 0;
    Logbook::LogTime date;
    std::int64_t reading = 0;
    std::optional<std::int64_t> distance; // since the previous entry
    std::optional<std::int64_t> days; // calendar days since it
    std::optional<Money> perDay; // distance / days; none when the days are none or <= 0
};
std::vector<Reading> readings(const Logbook::Log<Logbook::ReadingRecord>& log);

// Money spent per month ("YYYY-MM", ascending; only months with an amount) by category:
// "fuel" from the fuel log's costs, every other category from the amounts of the expense
// log's "add" and "new" entries. Categories match without regard to case, as the data
// file's keys do, and keep the spelling of their first entry; "fuel" comes first, then
// the others in the order they first appear.
struct MonthAmounts {
    std::string month;
    std::vector<Money> amounts; // one per category
};
struct MoneyPerMonth {
    std::vector<std::string> categories;
    std::vector<MonthAmounts> months;
};
MoneyPerMonth moneyPerMonth(
    const Logbook::Log<Logbook::FuelRecord>& fuel, const Logbook::Log<Logbook::ExpenseRecord>& expenses);

// The distance between each two readings of the reading log, counted in the month of the
// later one (ascending; only months with a reading after the first).
struct MonthDistance {
    std::string month;
    std::int64_t distance = 0;
};
std::vector<MonthDistance> distancePerMonth(const Logbook::Log<Logbook::ReadingRecord>& log);

// The economy of each fill-up that has one, over time.
struct EconomyPoint {
    Logbook::LogTime date;
    Money per100;
};
std::vector<EconomyPoint> economy(const std::vector<FillUp>& fillUps);

// A figure as shown: "-" when there is none.
std::string text(const std::optional<Money>& figure);
std::string text(const std::optional<std::int64_t>& figure);

} // namespace LogbookFigures
