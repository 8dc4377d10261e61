#include "domain/CsvExport.h"

#include "core/DurableFile.h"
#include "core/Numbers.h"
#include "domain/AppContext.h"
#include "domain/Consumables.h"
#include "domain/Logbook.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace CsvExport {
namespace {

using Logbook::Entry;
using Logbook::Log;

void addRow(std::string& csv, const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            csv += ',';
        csv += field(fields[i]);
    }
    csv += "\r\n";
}

// A log's rows: the key, then the record's fields for an entry that parses, or its raw
// text in the last column for one that does not.
template <typename Record, typename Fields>
std::string logCsv(const std::vector<std::string>& header, const Log<Record>& log, Fields fields)
{
    std::string csv;
    addRow(csv, header);
    for (const Entry<Record>& entry : log) {
        std::vector<std::string> row(header.size());
        row.front() = entry.key;
        if (entry.record) {
            std::vector<std::string> values = fields(*entry.record);
            std::move(values.begin(), values.end(), row.begin() + 1);
        } else {
            row.back() = entry.raw;
        }
        addRow(csv, row);
    }
    return csv;
}

std::string joinedPath(const std::string& folder, const char* name)
{
    const bool separated = !folder.empty() && (folder.back() == '/' || folder.back() == '\\');
    return folder + (separated ? "" : "/") + name;
}

} // namespace

std::string field(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

Result exportTo(AppContext& ctx, const std::string& folder)
{
    std::vector<std::string> contents;
    {
        // One version of the file for all six.
        const AppContext::Action action(ctx);
        const Logbook::Logs logs = Logbook::read(ctx);
        contents.push_back(logCsv({"Entry", "Date", "Reading", "Litres", "Cost", "Unparsed"}, logs.fuel,
            [](const Logbook::FuelRecord& r) -> std::vector<std::string> {
                return {r.date.text(), numberToText(r.reading), r.litres.toText(), r.cost.toText()};
            }));
        contents.push_back(logCsv({"Entry", "Date", "Action", "Amount", "Category", "Unparsed"}, logs.expenses,
            [](const Logbook::ExpenseRecord& r) -> std::vector<std::string> {
                return {r.date.text(), std::string(Logbook::actionText(r.action)), r.amount.toText(), r.category};
            }));
        contents.push_back(logCsv({"Entry", "Date", "Item", "Last changed", "Change after", "Unparsed"}, logs.services,
            [](const Logbook::ServiceRecord& r) -> std::vector<std::string> {
                return {r.date.text(), r.item, numberToText(r.lastChanged), numberToText(r.changeAfter)};
            }));
        contents.push_back(logCsv({"Entry", "Date", "Reading", "Unparsed"}, logs.readings,
            [](const Logbook::ReadingRecord& r) -> std::vector<std::string> {
                return {r.date.text(), numberToText(r.reading)};
            }));
        std::string consumables;
        addRow(consumables, {"Name", "Last changed", "Change after"});
        for (const auto& [name, value] : ctx.dataFile().ReadINISection("consumables")) {
            const ConsumableValue parts = splitConsumableValue(value);
            addRow(consumables, {name, parts.lastChanged, parts.changeAfter});
        }
        contents.push_back(std::move(consumables));
        std::string categories;
        addRow(categories, {"Name", "Total"});
        for (const auto& [name, total] : ctx.dataFile().ReadINISection("misc"))
            addRow(categories, {name, total});
        contents.push_back(std::move(categories));
    }

    Result result;
    for (std::size_t i = 0; i < contents.size(); ++i) {
        const std::string path = joinedPath(folder, FileNames[i]);
        if (const int error = DurableFile::replace(path, contents[i], 0644); error != 0) {
            result.failedFile = path;
            result.error = std::strerror(error);
            result.message = {"Export Failed!",
                "Wheelbook could not write " + path + ":\r\n\r\n" + result.error
                    + "\r\n\r\nThat file and the ones after it were not written.",
                MsgButtons::Ok, MsgIcon::Exclamation};
            return result;
        }
        result.written.push_back(path);
    }
    result.ok = true;
    result.message
        = {"Logbook Exported", "Exported " + std::to_string(result.written.size()) + " files to " + folder + ".",
            MsgButtons::Ok, MsgIcon::Information};
    return result;
}

} // namespace CsvExport
