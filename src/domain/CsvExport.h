#pragma once

#include "core/Prompter.h"

#include <string>
#include <string_view>
#include <vector>

class AppContext;

// The data file as six CSV files for spreadsheets: UTF-8 without a byte order mark,
// comma-separated, lines ending in CR LF, one header row, a field quoted when it holds a
// comma, a quote or a line break (quotes doubled), dates as the logs keep them
// ("YYYY-MM-DD HH:MM") and numbers with "." as the point whatever the desktop's locale.
//
//   fuel-log.csv            Entry,Date,Reading,Litres,Cost,Unparsed
//   expense-log.csv         Entry,Date,Action,Amount,Category,Unparsed
//   service-log.csv         Entry,Date,Item,Last changed,Change after,Unparsed
//   reading-log.csv         Entry,Date,Reading,Unparsed
//   consumables.csv         Name,Last changed,Change after
//   expense-categories.csv  Name,Total
//
// A log's rows are its entries oldest first, "Entry" being the key. An entry that does not
// parse keeps its place: its key, then its raw text under "Unparsed", the other fields
// empty, so nothing of the file is lost. Consumables and categories are written as stored,
// in file order.
namespace CsvExport {

inline constexpr const char* FileNames[] = {"fuel-log.csv", "expense-log.csv", "service-log.csv", "reading-log.csv",
    "consumables.csv", "expense-categories.csv"};

struct Result {
    bool ok = false;
    std::vector<std::string> written; // the paths written, in the order above
    std::string failedFile; // the path that could not be written
    std::string error; // the system's reason
    Message message; // what the window shows, whichever way it went
};

// Writes the six files into the folder, each to a temporary name first and then renamed, so
// a file is there whole or not at all. The first that cannot be written stops the export:
// the ones before it stay, it and those after it are not written.
Result exportTo(AppContext& ctx, const std::string& folder);

// One field as a CSV line holds it.
std::string field(std::string_view text);

} // namespace CsvExport
