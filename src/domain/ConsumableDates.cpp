#include "domain/ConsumableDates.h"

#include "core/AsciiText.h"
#include "core/Numbers.h"
#include "domain/AppContext.h"

#include <algorithm>
#include <cstdio>

namespace {

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

// The key as the store compares it.
std::string lookupName(std::string_view name)
{
    return AsciiText::lower(AsciiText::trim(name, AsciiText::Blanks));
}

} // namespace

CalendarDate CalendarDate::fromTime(std::time_t time)
{
    const Logbook::LogTime local = Logbook::LogTime::fromTime(time);
    return {local.year, local.month, local.day};
}

CalendarDate CalendarDate::today(const AppContext& ctx)
{
    return fromTime(ctx.now());
}

std::optional<CalendarDate> CalendarDate::parse(std::string_view text)
{
    if (text.size() != 10)
        return std::nullopt;
    const auto time = Logbook::LogTime::parse(std::string(text) + " 00:00");
    if (!time)
        return std::nullopt;
    return CalendarDate {time->year, time->month, time->day};
}

CalendarDate CalendarDate::fromDayNumber(std::int64_t days)
{
    // The civil date of a day number, in 400-year eras that start on 1 March.
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

std::int64_t CalendarDate::dayNumber() const
{
    return Logbook::LogTime {year, month, day, 0, 0}.dayNumber();
}

std::string CalendarDate::text() const
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    return buffer;
}

CalendarDate CalendarDate::plusMonths(int months) const
{
    const int count = year * 12 + (month - 1) + months;
    const int newYear = count / 12;
    const int newMonth = count % 12 + 1;
    return {newYear, newMonth, std::min(day, daysInMonth(newYear, newMonth))};
}

namespace ConsumableDates {

std::string DateEntry::text() const
{
    return changedOn.text() + "#" + numberToText(static_cast<std::int64_t>(months));
}

std::optional<int> monthsOf(std::string_view text)
{
    if (text.empty() || text.size() > MonthsDigits || !isReadingText(text))
        return std::nullopt;
    const auto months = wholeNumber32(text);
    if (!months || *months < MinMonths || *months > MaxMonths)
        return std::nullopt;
    return *months;
}

std::optional<DateEntry> parseEntry(std::string_view value)
{
    const auto hash = value.find('#');
    if (hash == std::string_view::npos)
        return std::nullopt;
    const auto date = CalendarDate::parse(value.substr(0, hash));
    const auto months = monthsOf(value.substr(hash + 1));
    if (!date || !months)
        return std::nullopt;
    return DateEntry {*date, *months};
}

DateEntries DateEntries::read(AppContext& ctx)
{
    DateEntries entries;
    ctx.dataFile().ReadINISection(Section, [&entries](std::string_view name, std::string_view value) {
        entries.m_values.try_emplace(lookupName(name), value);
    });
    return entries;
}

std::optional<DateEntry> DateEntries::find(std::string_view itemName) const
{
    // Most files keep no dates: no name is folded for them.
    if (m_values.empty())
        return std::nullopt;
    const auto found = m_values.find(lookupName(itemName));
    if (found == m_values.end())
        return std::nullopt;
    return parseEntry(found->second);
}

std::optional<double> drivingRate(const Logbook::Log<Logbook::ReadingRecord>& readings, CalendarDate today)
{
    const std::int64_t last = today.dayNumber();
    const Logbook::ReadingRecord* oldest = nullptr;
    const Logbook::ReadingRecord* newest = nullptr;
    for (const auto& entry : readings) {
        if (!entry.record)
            continue;
        const Logbook::ReadingRecord& record = *entry.record;
        const std::int64_t day = record.date.dayNumber();
        if (day < last - 365 || day > last)
            continue;
        if (!oldest || record.date < oldest->date)
            oldest = &record;
        if (!newest || record.date >= newest->date)
            newest = &record;
    }
    if (!oldest)
        return std::nullopt;
    const std::int64_t days = newest->date.dayNumber() - oldest->date.dayNumber();
    const std::int64_t distance = newest->reading - oldest->reading;
    if (days < 14 || distance <= 0)
        return std::nullopt;
    return static_cast<double>(distance) / static_cast<double>(days);
}

} // namespace ConsumableDates
