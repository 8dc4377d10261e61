#pragma once

#include "domain/Logbook.h"
#include "domain/ReadingKeyFilter.h"

#include <compare>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

class AppContext;

// A day of the calendar, written "YYYY-MM-DD".
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;

    static CalendarDate fromTime(std::time_t time); // in local time
    static CalendarDate today(const AppContext& ctx); // by the context's clock
    // Exactly "YYYY-MM-DD", a date of the calendar.
    static std::optional<CalendarDate> parse(std::string_view text);
    static CalendarDate fromDayNumber(std::int64_t days);

    std::int64_t dayNumber() const; // days since 1970-01-01
    std::string text() const; // "YYYY-MM-DD"
    CalendarDate plusDays(std::int64_t days) const { return fromDayNumber(dayNumber() + days); }
    // The same day `months` later; a day the month does not have becomes its last day, so
    // 31 January plus one month is 28 (or 29) February, and 29 February plus a year of
    // months is 28 February.
    CalendarDate plusMonths(int months) const;

    friend auto operator<=>(const CalendarDate&, const CalendarDate&) = default;
};

// The optional change by date of a consumable: the day it was last changed and the months
// between changes. Kept in its own section, one key per item spelled as the item's key in
// "consumables", so a file without dates (and every older reader of the file) sees the
// consumables exactly as before:
//
//   [consumable dates]
//   Brake Fluid=2024-06-01#24
namespace ConsumableDates {

inline constexpr const char* Section = "consumable dates";
inline constexpr int MinMonths = 1;
inline constexpr int MaxMonths = 240;
inline constexpr std::size_t MonthsDigits = 3; // what txtChangeMonths holds

// txtChangeMonths takes the keys the reading boxes take: digits and backspace.
constexpr bool keepsMonthsKey(char32_t key)
{
    return keepsReadingKey(key);
}

struct DateEntry {
    CalendarDate changedOn;
    int months = 0;

    CalendarDate due() const { return changedOn.plusMonths(months); }
    std::string text() const; // "YYYY-MM-DD#months"
};

// "YYYY-MM-DD#months" with a real date and 1 to 240 months in digits; nothing otherwise
// (an entry edited by hand into something else is left out, as if absent).
std::optional<DateEntry> parseEntry(std::string_view value);

// The months typed in txtChangeMonths: digits only, 1 to 240.
std::optional<int> monthsOf(std::string_view text);

// Every date entry of the file, found by item name as the store finds a key: blanks
// around the name and the case of ASCII letters do not count, and the first of two
// spellings wins. Entries whose item is gone are simply never asked for.
class DateEntries {
public:
    static DateEntries read(AppContext& ctx);
    std::optional<DateEntry> find(std::string_view itemName) const;

private:
    std::unordered_map<std::string, std::string> m_values;
};

// The distance driven per day, from the reading log: between the oldest and the newest
// parsed entry dated within the last 365 days (today included), when they lie at least
// 14 days apart and the reading grew. Nothing otherwise.
std::optional<double> drivingRate(const Logbook::Log<Logbook::ReadingRecord>& readings, CalendarDate today);

} // namespace ConsumableDates
