#include "domain/Consumables.h"

#include "core/AsciiText.h"
#include "core/Numbers.h"
#include "core/Prompter.h"
#include "core/TextEncoding.h"
#include "datafile/mGeneralFunctions.h"
#include "domain/AppContext.h"
#include "domain/Logbook.h"
#include "domain/ReadingKeyFilter.h"
#include "domain/Reminders.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr const char* kSection = "consumables";
constexpr int kStatusIcon = 1;
constexpr int kConsumableIcon = 3;

// A stored consumable as views into the data file's copy: they last while the caller's
// action makes no write, which is as long as a list is being made from them.
struct StoredConsumable {
    std::string_view name;
    std::string_view value;
};

bool dataFileFound(AppContext& ctx)
{
    if (FileExists(ctx.dataFilePath(), ctx.prompter()))
        return true;
    ctx.prompter().ask({"Missing Data File ...",
        "Wheelbook Data File Missing. Please re-install the application to solve this problem.", MsgButtons::Ok,
        MsgIcon::Critical});
    return false;
}

// Every stored consumable in file order; empty when the section holds none. The caller
// holds an action, so the list and the values come from one version of the file.
std::optional<std::vector<StoredConsumable>> readConsumables(AppContext& ctx)
{
    std::vector<StoredConsumable> items;
    ctx.dataFile().ReadINISection(kSection, [&items](std::string_view name, std::string_view value) {
        items.push_back({name, value});
    });
    if (items.empty())
        return std::nullopt;
    return items;
}

// The pieces of a remark in one string, made in place: the literal pieces are copied
// by their known lengths, with no call. (GCC 12 misreports "[" + text at -O3.)
template <std::size_t N> std::size_t pieceSize(const char (&)[N])
{
    return N - 1;
}

std::size_t pieceSize(std::string_view piece)
{
    return piece.size();
}

template <std::size_t N> char* put(char* out, const char (&literal)[N])
{
    std::memcpy(out, literal, N - 1);
    return out + N - 1;
}

char* put(char* out, std::string_view piece)
{
    return std::copy(piece.begin(), piece.end(), out);
}

template <typename... Pieces> std::string joined(const Pieces&... pieces)
{
    std::string text((pieceSize(pieces) + ...), '\0');
    char* out = text.data();
    ((out = put(out, pieces)), ...);
    return text;
}

// Fills in the status row of an item whose row text is set, in place: lists of thousands of rows.
void fillStatusRow(
    ListRow& row, const StoredConsumable& item, double current, std::string_view unitName, const ReminderBasis& basis)
{
    row.icon = kStatusIcon;

    if (IsBlank(item.value)) {
        row.subItems.push_back("No reading is stored for this item.");
        row.colour = ColourRed;
        return;
    }
    const std::string_view value = item.value;
    const auto hash = value.find('#');
    const std::optional<std::int32_t> due
        = hash != std::string_view::npos ? duePointOf(value.substr(0, hash), value.substr(hash + 1)) : std::nullopt;
    if (!due) {
        row.subItems.push_back(joined("The stored value \"", item.value, "\" is not valid."));
        row.colour = ColourRed;
        return;
    }

    // The remark's name is the row text without its leading blank; a whole number (nearly
    // every one) is written straight into the remark.
    const std::string_view name = std::string_view(row.text).substr(1);
    char digits[24];
    std::string numberText;
    auto number = [&](double value, bool overdue) -> std::string_view {
        if (value == std::trunc(value) && std::fabs(value) < 2147483647.0) {
            const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<std::int64_t>(value)).ptr;
            return std::string_view(digits, static_cast<std::size_t>(end - digits));
        }
        numberText = overdue ? overdueDistanceText(value) : numberToText(value);
        return numberText;
    };
    if (current >= static_cast<double>(*due)) {
        const std::string_view overdue = number(current - static_cast<double>(*due), true);
        row.subItems.push_back(joined("[", name, "] change needed! ( ", overdue, " ", unitName, " ago.)"));
        row.colour = ColourRed;
        row.bold = true;
        return;
    }
    // Not due by distance: due by date, or expected some day.
    const ConsumableDue judged = judgeConsumable(basis, item.name, value, current);
    if (judged.overdueByDate) {
        row.subItems.push_back(dueByDateRemark(name, *judged.dueDate));
        row.colour = ColourRed;
        row.bold = true;
        return;
    }
    const std::string_view remaining = number(static_cast<double>(*due) - current, false);
    row.subItems.push_back(joined("Ok. Change needed after ", remaining, " ", unitName, "."));
    row.colour = ColourBlack;
    if (judged.expected)
        row.toolTip = expectedToolTip(*judged.expected);
}

// The status rows; their texts are taken from `named` (rows of the same items in the same
// order) when given, so a reload makes each text once.
std::vector<ListRow> statusRows(const std::vector<StoredConsumable>& items, std::string_view readingText,
    std::string_view unitName, const ReminderBasis& basis, const std::vector<ListRow>* named = nullptr)
{
    const double current = leadingNumber(readingText);
    std::vector<ListRow> rows;
    rows.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        ListRow& row = rows.emplace_back();
        row.text = named ? (*named)[i].text : rowTextOf(items[i].name);
        fillStatusRow(row, items[i], current, unitName, basis);
    }
    return rows;
}

std::vector<ListRow> consumableRows(const std::vector<StoredConsumable>& items)
{
    std::vector<ListRow> rows;
    rows.reserve(items.size());
    for (const StoredConsumable& item : items) {
        ListRow& row = rows.emplace_back();
        row.text = rowTextOf(item.name);
        row.icon = kConsumableIcon;
        row.subItems.resize(2);
        if (!IsBlank(item.value)) {
            // A value without "#" shows whole in the first column, so it can be seen and edited.
            const auto hash = item.value.find('#');
            row.subItems[0] = item.value.substr(0, hash);
            if (hash != std::string_view::npos)
                row.subItems[1] = item.value.substr(hash + 1);
        }
    }
    return rows;
}

} // namespace

ConsumableValue splitConsumableValue(std::string_view value)
{
    const auto hash = value.find('#');
    if (hash == std::string_view::npos)
        return {std::string(value), {}, false};
    return {std::string(value.substr(0, hash)), std::string(value.substr(hash + 1)), true};
}

std::optional<std::int32_t> duePointOf(std::string_view lastChanged, std::string_view changeAfter)
{
    const auto last = wholeNumber32(lastChanged);
    const auto interval = wholeNumber32(changeAfter);
    std::int32_t due = 0;
    if (!last || !interval || __builtin_add_overflow(*last, *interval, &due))
        return std::nullopt;
    return due;
}

std::optional<std::vector<ListRow>> AnalyzeConsumables(
    AppContext& ctx, std::string_view readingText, std::string_view unitName)
{
    if (!dataFileFound(ctx))
        return std::nullopt;
    const AppContext::Action action(ctx);
    // Read before the items, whose views last only until the next read.
    const ReminderBasis basis = ReminderBasis::read(ctx);
    const auto items = readConsumables(ctx);
    if (!items)
        return std::nullopt;
    return statusRows(*items, readingText, unitName, basis);
}

std::optional<ConsumableList> LoadConsumables(AppContext& ctx)
{
    if (!dataFileFound(ctx))
        return std::nullopt;
    const AppContext::Action action(ctx);
    const auto items = readConsumables(ctx);
    if (!items)
        return ConsumableList {{}, true};
    return ConsumableList {consumableRows(*items), false};
}

ConsumableLists ReloadConsumables(AppContext& ctx, std::string_view readingText, std::string_view unitName)
{
    // LoadConsumables, then AnalyzeConsumables, over one reading of the items.
    ConsumableLists lists;
    if (!dataFileFound(ctx)) {
        dataFileFound(ctx); // each of the two says so
        return lists;
    }
    const AppContext::Action action(ctx);
    const ReminderBasis basis = ReminderBasis::read(ctx);
    const auto items = readConsumables(ctx);
    if (!items) {
        lists.consumables = std::vector<ListRow>();
        lists.status = std::vector<ListRow>();
        return lists;
    }
    lists.consumables = consumableRows(*items);
    lists.status = statusRows(*items, readingText, unitName, basis, &*lists.consumables);
    return lists;
}

AnalyzeNowResult AnalyzeNow(
    AppContext& ctx, std::string_view readingText, std::string_view unitName, std::string_view currency)
{
    AnalyzeNowResult result;
    if (IsBlank(readingText)) {
        ctx.prompter().ask(
            {"Required Data Missing!", "Please specify current " + std::string(unitName) + "-reading of your Car.",
                MsgButtons::Ok, MsgIcon::Information});
        result.focusReading = true;
        return result;
    }
    if (!isReadingText(readingText)) {
        ctx.prompter().ask({"Wrong Value specified!",
            "The current reading \"" + std::string(readingText) + "\" is not a whole number of at most "
                + std::to_string(ReadingDigits) + " digits. Please specify digits only; nothing was saved.",
            MsgButtons::Ok, MsgIcon::Information});
        result.focusReading = true;
        return result;
    }
    {
        // The reading and its log entry are stored together, or neither is.
        AppContext::Action action(ctx);
        if (!ctx.dataFile().WriteINI("app", "miles", readingText) || !Logbook::addReadingIfChanged(ctx, readingText)
            || !action.finish())
            return result;
    }
    result.stored = true;
    result.fuelFilledMilesCaption = std::string(readingText);
    result.status = AnalyzeConsumables(ctx, readingText, unitName);
    result.statistics = ShowStatistics(ctx, result.fuelFilledMilesCaption, unitName, currency);
    return result;
}
