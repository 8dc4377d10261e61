#include "domain/Reminders.h"

#include "core/Numbers.h"
#include "datafile/mGeneralFunctions.h"
#include "domain/AppContext.h"
#include "domain/AppSettings.h"
#include "domain/Consumables.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

constexpr std::int64_t kSoonDays = 14;
// Beyond this an expected date says nothing (and would leave the four-digit year).
constexpr double kFarDays = 36525;

std::string upperName(std::string_view name)
{
    return rowTextOf(name).substr(1);
}

std::string distanceText(double distance, std::string_view unitName)
{
    return numberToText(distance) + " " + std::string(unitName);
}

std::string noticeLine(const ConsumableDue& item, const CalendarDate& today, std::string_view unitName)
{
    const std::string name = upperName(item.name) + ": ";
    if (item.overdueByDistance)
        return name + "change needed (" + overdueDistanceText(-item.left) + " " + std::string(unitName) + " ago)";
    if (item.overdueByDate)
        return name + "change needed (due since " + item.dueDate->text() + ")";
    const std::int64_t days = item.expected ? item.expected->dayNumber() - today.dayNumber() : kSoonDays + 1;
    if (days <= kSoonDays)
        return name + "due in about " + numberToText(days) + (days == 1 ? " day" : " days");
    return name + "due soon (" + distanceText(item.left, unitName) + " left)";
}

// Every item that can fall due, judged, soonest first.
std::vector<ConsumableDue> judgedItems(AppContext& ctx, std::string_view readingText)
{
    std::vector<ConsumableDue> items;
    if (!FileExists(ctx.dataFilePath(), ctx.prompter()))
        return items;
    const AppContext::Action action(ctx);
    const ReminderBasis basis = ReminderBasis::read(ctx);
    const double reading = leadingNumber(readingText);
    for (const auto& [name, value] : ctx.dataFile().ReadINISection("consumables")) {
        ConsumableDue item = judgeConsumable(basis, name, value, reading);
        if (item.duePoint || item.dueDate)
            items.push_back(std::move(item));
    }
    auto order = [](const ConsumableDue& item) {
        const int group = item.status == ReminderStatus::Overdue ? 0 : item.status == ReminderStatus::DueSoon ? 1 : 2;
        const bool undated = !item.dueDay;
        const std::int64_t day = item.dueDay ? item.dueDay->dayNumber() : 0;
        const double left = item.duePoint ? item.left : 0;
        return std::tuple(group, undated, day, left);
    };
    std::stable_sort(items.begin(), items.end(),
        [&order](const ConsumableDue& a, const ConsumableDue& b) { return order(a) < order(b); });
    return items;
}

} // namespace

ReminderBasis ReminderBasis::read(AppContext& ctx)
{
    const AppContext::Action action(ctx);
    ReminderBasis basis;
    basis.today = CalendarDate::today(ctx);
    basis.rate = ConsumableDates::drivingRate(Logbook::readReadings(ctx), basis.today);
    basis.dates = ConsumableDates::DateEntries::read(ctx);
    return basis;
}

ConsumableDue judgeConsumable(const ReminderBasis& basis, std::string_view name, std::string_view value, double reading)
{
    ConsumableDue item;
    item.name = std::string(name);
    const auto hash = value.find('#');
    if (hash != std::string_view::npos) {
        item.duePoint = duePointOf(value.substr(0, hash), value.substr(hash + 1));
        item.interval = item.duePoint ? *wholeNumber32(value.substr(hash + 1)) : 0;
    }
    if (const auto entry = basis.dates.find(name))
        item.dueDate = entry->due();

    const std::int64_t today = basis.today.dayNumber();
    std::optional<std::int64_t> dueDay;
    auto earliest = [&dueDay](std::int64_t day) { dueDay = dueDay ? std::min(*dueDay, day) : day; };
    if (item.duePoint) {
        item.left = static_cast<double>(*item.duePoint) - reading;
        item.overdueByDistance = item.left <= 0;
        // The day the reading reached or reaches the due point, at the usual driving.
        if (basis.rate && std::fabs(item.left) / *basis.rate <= kFarDays) {
            const double days = item.left / *basis.rate;
            earliest(today + static_cast<std::int64_t>(item.overdueByDistance ? std::floor(days) : std::ceil(days)));
        }
    }
    if (item.dueDate) {
        item.overdueByDate = basis.today >= *item.dueDate;
        if (item.overdueByDate || !item.overdueByDistance)
            earliest(item.dueDate->dayNumber());
    }
    if (dueDay)
        item.dueDay = CalendarDate::fromDayNumber(*dueDay);

    if (item.overdueByDistance || item.overdueByDate) {
        item.status = ReminderStatus::Overdue;
        return item;
    }
    item.expected = item.dueDay;
    const bool expectedSoon = item.expected && item.expected->dayNumber() - today <= kSoonDays;
    const bool littleLeft = basis.rate && item.duePoint && item.left * 10 <= static_cast<double>(item.interval);
    if (expectedSoon || littleLeft)
        item.status = ReminderStatus::DueSoon;
    return item;
}

std::string overdueDistanceText(double overdue)
{
    // A reading far beyond 32 bits still gets its number.
    if (const auto whole = toWhole32(overdue))
        return numberToText(*whole);
    return numberToText(roundHalfEven(overdue, 0));
}

std::string expectedToolTip(CalendarDate expected)
{
    return "Expected around " + expected.text() + " at your usual driving";
}

std::string dueByDateRemark(std::string_view upperName, CalendarDate dueDate)
{
    return "[" + std::string(upperName) + "] change needed! ( due since " + dueDate.text() + ".)";
}

std::vector<ReminderRow> ReminderList(AppContext& ctx, std::string_view readingText, std::string_view unitName)
{
    std::vector<ReminderRow> rows;
    for (const ConsumableDue& item : judgedItems(ctx, readingText)) {
        ReminderRow& row = rows.emplace_back();
        row.item = upperName(item.name);
        if (item.duePoint) {
            row.dueAtReading = numberToText(*item.duePoint);
            const std::string unit(unitName);
            if (!item.overdueByDistance)
                row.left = distanceText(item.left, unitName);
            else if (const std::string overdue = overdueDistanceText(-item.left); overdue != "0")
                row.left = "-" + overdue + " " + unit;
            else
                row.left = "0 " + unit;
        }
        if (item.dueDate)
            row.dueByDate = item.dueDate->text();
        if (item.expected)
            row.expected = item.expected->text();
        row.kind = item.status;
        switch (item.status) {
        case ReminderStatus::Overdue:
            std::tie(row.status, row.colour) = std::tuple("Overdue", ColourRed);
            break;
        case ReminderStatus::DueSoon:
            std::tie(row.status, row.colour) = std::tuple("Due soon", ColourAmber);
            break;
        case ReminderStatus::Ok:
            row.status = "Ok";
            break;
        }
    }
    return rows;
}

std::optional<ReminderNotice> StartupNotice(AppContext& ctx, std::string_view readingText, std::string_view unitName)
{
    if (!FileExists(ctx.dataFilePath(), ctx.prompter()))
        return std::nullopt;
    const AppContext::Action action(ctx);
    const CalendarDate today = CalendarDate::today(ctx);
    if (!AppSettings::remindAtStart(ctx) || AppSettings::lastRemind(ctx) == today.text())
        return std::nullopt;
    std::vector<std::string> lines;
    std::size_t due = 0;
    for (const ConsumableDue& item : judgedItems(ctx, readingText)) {
        if (item.status == ReminderStatus::Ok)
            continue;
        if (++due <= 5)
            lines.push_back(noticeLine(item, today, unitName));
    }
    if (due == 0)
        return std::nullopt;
    if (due > 5)
        lines.push_back("and " + numberToText(static_cast<std::int64_t>(due - 5)) + " more");
    ReminderNotice notice {"Wheelbook: maintenance due", {}};
    for (const std::string& line : lines)
        notice.body += (notice.body.empty() ? "" : "\n") + line;
    // Told once a day, even when the day cannot be stored (that has been reported).
    AppSettings::setLastRemind(ctx, today.text());
    return notice;
}
