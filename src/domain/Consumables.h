#pragma once

#include "domain/ListRow.h"
#include "domain/Statistics.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class AppContext;

// The consumables' rules: the status analysis against the current reading, the
// consumables list, and "&Analyze now!". Each procedure takes what the controls hold
// and returns what they must show.

// A stored consumable value split at its first "#": the last-changed reading before
// it, the change interval after it.
struct ConsumableValue {
    std::string lastChanged;
    std::string changeAfter;
    bool hasSeparator = false;
};
ConsumableValue splitConsumableValue(std::string_view value);

// The reading at which an item is due again: last-changed reading plus interval, both
// whole numbers of 32 bits, as is their sum. Empty when either part is not such a number
// or the sum leaves 32 bits.
std::optional<std::int32_t> duePointOf(std::string_view lastChanged, std::string_view changeAfter);

// Rows for lstStatus, one per stored consumable in file order, judged against the
// reading text of txtMiles. An item not due by distance but due by its date entry gets a
// red bold row "[NAME] change needed! ( due since YYYY-MM-DD.)"; one due by neither has
// its expected date as tool tip (see Reminders.h). Empty (leave lstStatus as it is) when the data file is
// missing (after its message) or no consumables are stored.
std::optional<std::vector<ListRow>> AnalyzeConsumables(
    AppContext& ctx, std::string_view readingText, std::string_view unitName);

// What lstConsumables must show: its rows, and whether lstStatus must be emptied too
// (no consumables stored).
struct ConsumableList {
    std::vector<ListRow> rows;
    bool clearsStatus = false;
};
// Empty when the data file is missing (after its message): both lists keep their rows.
std::optional<ConsumableList> LoadConsumables(AppContext& ctx);

// Both lists after the consumables changed: LoadConsumables, then AnalyzeConsumables.
// A list left empty here keeps its rows.
struct ConsumableLists {
    std::optional<std::vector<ListRow>> consumables;
    std::optional<std::vector<ListRow>> status;
};
ConsumableLists ReloadConsumables(AppContext& ctx, std::string_view readingText, std::string_view unitName);

// The click of "&Analyze now!" (btnConfirm).
struct AnalyzeNowResult {
    // False when nothing was stored: a blank reading (focusReading then says the focus
    // goes back to txtMiles) or a write the data file refused. Nothing else changes then.
    bool stored = false;
    bool focusReading = false;
    std::string fuelFilledMilesCaption; // the new caption of lblFuelFilledMiles
    std::optional<std::vector<ListRow>> status; // rows for lstStatus, or leave it
    StatisticsCaptions statistics;
};
AnalyzeNowResult AnalyzeNow(
    AppContext& ctx, std::string_view readingText, std::string_view unitName, std::string_view currency);
