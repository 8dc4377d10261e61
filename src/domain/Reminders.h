#pragma once

#include "domain/ConsumableDates.h"
#include "domain/ListRow.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class AppContext;

// When each consumable is due: by distance (its stored "last changed#change after"), by
// date (its optional date entry), and when it is expected at the user's usual driving.
// The reminder list and the notice at start are made from it.

enum class ReminderStatus { Ok, DueSoon, Overdue };

// What the judgement of an item needs besides the item: read once per list.
struct ReminderBasis {
    CalendarDate today;
    std::optional<double> rate; // distance per day, see ConsumableDates::drivingRate
    ConsumableDates::DateEntries dates;

    static ReminderBasis read(AppContext& ctx);
};

// One item judged against a reading.
struct ConsumableDue {
    std::string name; // as the file spells it
    std::optional<std::int32_t> duePoint; // none when the stored value is not valid
    std::int32_t interval = 0; // the distance between changes
    double left = 0; // duePoint minus the reading; below 0 when overdue
    std::optional<CalendarDate> dueDate; // date entry plus its months
    bool overdueByDistance = false; // the reading reached duePoint
    bool overdueByDate = false; // today is dueDate or after it
    // For an item not overdue: the earlier of the day the distance is expected to be
    // reached (at the driving rate; none beyond 100 years) and dueDate.
    std::optional<CalendarDate> expected;
    // Overdue by either; else due soon when expected within 14 days, or, when the driving
    // rate is known, with at most a tenth of `interval` left. (Without a rate and a date
    // nothing tells how soon "soon" is, so a file that keeps neither gets no early warnings.)
    ReminderStatus status = ReminderStatus::Ok;
    // The day it fell due or is expected to: what orders the reminders.
    std::optional<CalendarDate> dueDay;

    bool overdue() const { return status == ReminderStatus::Overdue; }
};
ConsumableDue judgeConsumable(
    const ReminderBasis& basis, std::string_view name, std::string_view value, double reading);

// The overdue distance as lstStatus writes it: a whole number, ties to the even neighbour.
std::string overdueDistanceText(double overdue);

// lstStatus' tool tip of an item with an expected date.
std::string expectedToolTip(CalendarDate expected); // "Expected around YYYY-MM-DD at your usual driving"

// The row of an item due by date but not by distance, as red and bold as a distance-due one.
// `upperName` is the row text without its leading blank.
std::string dueByDateRemark(std::string_view upperName, CalendarDate dueDate);

// One row of tblReminders (the "Reminders" page).
struct ReminderRow {
    std::string item; // the name in upper case
    std::string dueAtReading; // "15000", or empty when the stored value is not valid
    std::string left; // "800 Km"; "-230 Km" when overdue; empty without dueAtReading
    std::string dueByDate; // "YYYY-MM-DD", or empty without a date entry
    std::string expected; // "YYYY-MM-DD" for an item not overdue that has one, else empty
    std::string status; // "Overdue", "Due soon" or "Ok"
    ReminderStatus kind = ReminderStatus::Ok;
    Colour colour = ColourBlack; // ColourRed for "Overdue", ColourAmber for "Due soon"

    bool operator==(const ReminderRow&) const = default;
};

// Every item that can fall due (a valid stored value or a date entry; lstStatus reports
// the others), soonest first:
//   1. "Overdue", then "Due soon", then "Ok";
//   2. within each, by the day it fell or falls due, earliest first: for an overdue item
//      the earlier of its due date and the day the reading reached its due point at the
//      driving rate; for the others the expected date;
//   3. then the items without such a day, by distance left, least first (most overdue);
//   4. then in file order.
// Empty when the data file is missing or holds no consumables (no message: the status
// list says so).
std::vector<ReminderRow> ReminderList(AppContext& ctx, std::string_view readingText, std::string_view unitName);

// The desktop notice at start.
struct ReminderNotice {
    std::string title; // "Wheelbook: maintenance due"
    std::string body; // lines joined by "\n"

    bool operator==(const ReminderNotice&) const = default;
};

// The notice to send after the main window's set-up, or nothing. There is one when
// `remind` is on, an item is overdue or due soon, and `lastremind` is not today; giving one
// stores today as `lastremind` (in its own action), so a restart the same day is quiet.
// The body lists the overdue and due-soon items soonest first (as ReminderList), at most
// five, then "and N more" for the rest. One line per item:
//   overdue by distance      "ENGINE OIL: change needed (230 Km ago)"
//   overdue by date only     "BRAKE FLUID: change needed (due since 2026-05-01)"
//   expected within 14 days  "COOLANT: due in about 9 days" ("about 1 day" for one)
//   due soon by distance     "TIMING BELT: due soon (800 Km left)"
std::optional<ReminderNotice> StartupNotice(AppContext& ctx, std::string_view readingText, std::string_view unitName);
