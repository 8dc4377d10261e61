#include "domain/Logbook.h"

#include "core/AsciiText.h"
#include "core/Numbers.h"
#include "core/TextEncoding.h"
#include "domain/AppContext.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace Logbook {
namespace {

// Readings and key numbers: digits only, at most 18 of them, so that one more, a sum or a
// difference of two never leaves 64 bits.
std::optional<std::int64_t> digitsValue(std::string_view text)
{
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The value cut into `count` fields at "#", the last one taking the rest; nothing when
// there are fewer.
std::optional<std::vector<std::string_view>> fieldsOf(std::string_view value, std::size_t count)
{
    std::vector<std::string_view> fields;
    while (fields.size() + 1 < count) {
        const auto hash = value.find('#');
        if (hash == std::string_view::npos)
            return std::nullopt;
        fields.push_back(value.substr(0, hash));
        value.remove_prefix(hash + 1);
    }
    fields.push_back(value);
    return fields;
}

std::optional<ExpenseAction> actionOf(std::string_view text)
{
    for (const ExpenseAction action :
        {ExpenseAction::New, ExpenseAction::Add, ExpenseAction::Edit, ExpenseAction::Delete}) {
        if (text == actionText(action))
            return action;
    }
    return std::nullopt;
}

// One parser per log: the record, or nothing when any field is missing or malformed.
std::optional<ReadingRecord> parseRecord(std::string_view value, const ReadingRecord*)
{
    const auto f = fieldsOf(value, 2);
    if (!f)
        return std::nullopt;
    const auto date = LogTime::parse((*f)[0]);
    const auto reading = digitsValue((*f)[1]);
    if (!date || !reading)
        return std::nullopt;
    return ReadingRecord {*date, *reading};
}

std::optional<FuelRecord> parseRecord(std::string_view value, const FuelRecord*)
{
    const auto f = fieldsOf(value, 4);
    if (!f)
        return std::nullopt;
    const auto date = LogTime::parse((*f)[0]);
    const auto reading = digitsValue((*f)[1]);
    const auto litres = Money::fromText((*f)[2]);
    const auto cost = Money::fromText((*f)[3]);
    if (!date || !reading || !litres || !cost)
        return std::nullopt;
    return FuelRecord {*date, *reading, *litres, *cost};
}

std::optional<ExpenseRecord> parseRecord(std::string_view value, const ExpenseRecord*)
{
    const auto f = fieldsOf(value, 4);
    if (!f)
        return std::nullopt;
    const auto date = LogTime::parse((*f)[0]);
    const auto action = actionOf((*f)[1]);
    const auto amount = Money::fromText((*f)[2]);
    if (!date || !action || !amount || (*f)[3].empty())
        return std::nullopt;
    return ExpenseRecord {*date, *action, *amount, std::string((*f)[3])};
}

std::optional<ServiceRecord> parseRecord(std::string_view value, const ServiceRecord*)
{
    const auto f = fieldsOf(value, 4);
    if (!f)
        return std::nullopt;
    const auto date = LogTime::parse((*f)[0]);
    const auto lastChanged = digitsValue((*f)[1]);
    const auto changeAfter = digitsValue((*f)[2]);
    if (!date || !lastChanged || !changeAfter || (*f)[3].empty())
        return std::nullopt;
    return ServiceRecord {*date, *lastChanged, *changeAfter, std::string((*f)[3])};
}

template <typename Record> Log<Record> readLog(AppContext& ctx, const char* section)
{
    Log<Record> log;
    std::set<std::string> seen;
    for (auto& [key, value] : ctx.dataFile().ReadINISection(section)) {
        // A key written twice by hand is listed twice, but only its first line is read.
        if (!seen.insert(key).second)
            continue;
        Entry<Record> entry;
        entry.number = digitsValue(key);
        if (entry.number)
            entry.record = parseRecord(value, static_cast<const Record*>(nullptr));
        entry.key = std::move(key);
        entry.raw = std::move(value);
        log.push_back(std::move(entry));
    }
    std::stable_sort(log.begin(), log.end(), [](const Entry<Record>& a, const Entry<Record>& b) {
        return a.number && (!b.number || *a.number < *b.number);
    });
    return log;
}

// Appends "date#fields" under the next running number.
bool append(AppContext& ctx, const char* section, const std::string& fields)
{
    mINIFunctions& ini = ctx.dataFile();
    std::int64_t highest = 0;
    for (const std::string& key : splitKeyList(ini.ReadINIKeys(section)))
        highest = std::max(highest, digitsValue(key).value_or(0));
    return ini.WriteINI(section, numberToText(highest + 1), LogTime::fromTime(ctx.now()).text() + "#" + fields);
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

} // namespace

LogTime LogTime::fromTime(std::time_t time)
{
    std::tm local {};
#ifdef _WIN32
    localtime_s(&local, &time);
#else
    localtime_r(&time, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

std::optional<LogTime> LogTime::parse(std::string_view text)
{
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':')
        return std::nullopt;
    auto number = [&](std::size_t from, std::size_t count) { return digitsValue(text.substr(from, count)); };
    const auto year = number(0, 4), month = number(5, 2), day = number(8, 2), hour = number(11, 2),
               minute = number(14, 2);
    if (!year || !month || !day || !hour || !minute || *month < 1 || *month > 12 || *day < 1
        || *day > daysInMonth(static_cast<int>(*year), static_cast<int>(*month)) || *hour > 23 || *minute > 59)
        return std::nullopt;
    return LogTime {static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day), static_cast<int>(*hour),
        static_cast<int>(*minute)};
}

std::string LogTime::text() const
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", year, month, day, hour, minute);
    return buffer;
}

std::string LogTime::monthText() const
{
    return text().substr(0, 7);
}

std::int64_t LogTime::dayNumber() const
{
    // Days from the civil date, counted in 400-year eras that start on 1 March.
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::string_view actionText(ExpenseAction action)
{
    switch (action) {
    case ExpenseAction::New:
        return "new";
    case ExpenseAction::Add:
        return "add";
    case ExpenseAction::Edit:
        return "edit";
    case ExpenseAction::Delete:
        return "delete";
    }
    return {};
}

Logs read(AppContext& ctx)
{
    const AppContext::Action action(ctx);
    return {readLog<ReadingRecord>(ctx, ReadingSection), readLog<FuelRecord>(ctx, FuelSection),
        readLog<ExpenseRecord>(ctx, ExpenseSection), readLog<ServiceRecord>(ctx, ServiceSection)};
}

Log<ReadingRecord> readReadings(AppContext& ctx)
{
    return readLog<ReadingRecord>(ctx, ReadingSection);
}

bool addReading(AppContext& ctx, std::string_view reading)
{
    return append(ctx, ReadingSection, std::string(reading));
}

bool addReadingIfChanged(AppContext& ctx, std::string_view reading)
{
    const Log<ReadingRecord> log = readLog<ReadingRecord>(ctx, ReadingSection);
    // The last numbered entry; one that does not parse has no reading to be the same as.
    const auto last = std::find_if(log.rbegin(), log.rend(), [](const auto& entry) { return entry.number; });
    if (last != log.rend() && last->record && digitsValue(reading) == last->record->reading)
        return true;
    return addReading(ctx, reading);
}

bool addFillUp(AppContext& ctx, std::int64_t reading, Money litres, Money cost)
{
    return append(ctx, FuelSection, numberToText(reading) + "#" + litres.toText() + "#" + cost.toText());
}

bool addExpense(AppContext& ctx, ExpenseAction action, std::string_view amount, std::string_view category)
{
    return append(
        ctx, ExpenseSection, std::string(actionText(action)) + "#" + std::string(amount) + "#" + std::string(category));
}

bool addService(AppContext& ctx, std::string_view lastChanged, std::string_view changeAfter, std::string_view item)
{
    return append(
        ctx, ServiceSection, std::string(lastChanged) + "#" + std::string(changeAfter) + "#" + std::string(item));
}

std::string storedKeyName(AppContext& ctx, std::string_view section, std::string_view name)
{
    return ctx.dataFile().KeySpelling(section, name);
}

} // namespace Logbook
