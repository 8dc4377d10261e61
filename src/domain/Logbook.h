#pragma once

#include "core/Money.h"

#include <compare>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class AppContext;

// The car's dated history, kept in the data file beside the totals so that one file (and
// every back-up of it) holds it all. Four sections, written only by the program, one key
// per event: the key is a running number (1, then one above the highest number there),
// the value the event's fields joined by "#", a name last because it may hold "#" itself.
// An entry is written in the action that stores what it records, so both are stored or
// neither is. Numbers are written as the program stores them elsewhere ("." as the point,
// no grouping, no trailing zeros).
//
//   reading log   date#reading
//   fuel log      date#reading#litres#cost
//   expense log   date#action#amount#category   (action: new, add, edit or delete)
//   service log   date#last changed#change after#item
namespace Logbook {

inline constexpr const char* ReadingSection = "reading log";
inline constexpr const char* FuelSection = "fuel log";
inline constexpr const char* ExpenseSection = "expense log";
inline constexpr const char* ServiceSection = "service log";

// A local date and time to the minute, written "YYYY-MM-DD HH:MM".
struct LogTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;

    static LogTime fromTime(std::time_t time); // in local time
    // Exactly "YYYY-MM-DD HH:MM", a date of the calendar and a time of the day.
    static std::optional<LogTime> parse(std::string_view text);

    std::string text() const; // "YYYY-MM-DD HH:MM"
    std::string monthText() const; // "YYYY-MM"
    std::int64_t dayNumber() const; // days since 1970-01-01

    friend auto operator<=>(const LogTime&, const LogTime&) = default;
};

// The parsed fields of one entry of each log. Readings are whole numbers of digits only
// (at most 18); litres and amounts are exact decimals.
struct ReadingRecord {
    LogTime date;
    std::int64_t reading = 0;
};

struct FuelRecord {
    LogTime date;
    std::int64_t reading = 0; // the reading the fill-up used
    Money litres;
    Money cost;
};

enum class ExpenseAction { New, Add, Edit, Delete };
std::string_view actionText(ExpenseAction action); // "new", "add", "edit", "delete"

struct ExpenseRecord {
    LogTime date;
    ExpenseAction action = ExpenseAction::New;
    Money amount; // added for add; the total typed for new and edit; the total it had for delete
    std::string category;
};

struct ServiceRecord {
    LogTime date;
    std::int64_t lastChanged = 0;
    std::int64_t changeAfter = 0;
    std::string item;
};

// One key of a log section. An entry that does not parse (edited by hand: a field missing,
// a date, reading, number or action that is not one) has no record: it is shown with its
// raw text and marked, and left out of every figure.
template <typename Record> struct Entry {
    std::optional<std::int64_t> number; // none when the key is not a number
    std::string key;
    std::string raw; // the value as stored
    std::optional<Record> record;
};
template <typename Record> using Log = std::vector<Entry<Record>>;

struct Logs {
    Log<ReadingRecord> readings;
    Log<FuelRecord> fuel;
    Log<ExpenseRecord> expenses;
    Log<ServiceRecord> services;
};

// The four logs, each oldest first: by key number, then the keys that are not numbers in
// file order (never parsed). A missing section is an empty log. They are read in one
// action: one version of the file.
Logs read(AppContext& ctx);
// The reading log alone, for what needs no other.
Log<ReadingRecord> readReadings(AppContext& ctx);

// Appending, dated now by the context's clock, inside the caller's action. False when the
// write was refused (it has been reported, and the action stores nothing).
bool addReading(AppContext& ctx, std::string_view reading);
// "&Analyze now!": an entry only when the reading differs from the last entry's.
bool addReadingIfChanged(AppContext& ctx, std::string_view reading);
bool addFillUp(AppContext& ctx, std::int64_t reading, Money litres, Money cost);
bool addExpense(AppContext& ctx, ExpenseAction action, std::string_view amount, std::string_view category);
bool addService(AppContext& ctx, std::string_view lastChanged, std::string_view changeAfter, std::string_view item);

// The key of the section as the file spells it, found as the store finds a key (blanks
// around the name ignored, and the case); the trimmed name when the section has none.
std::string storedKeyName(AppContext& ctx, std::string_view section, std::string_view name);

} // namespace Logbook
