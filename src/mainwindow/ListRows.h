#pragma once

#include "domain/ListRow.h"

#include <optional>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

// Report lists as the domain describes their rows: the row text, the further
// columns, the icon, the fore colour and the bold flag.
namespace ListRows {

// Replaces every row of the list with these (the list keeps them: pass what is no
// longer needed by moving it).
void fill(QTreeWidget* list, std::vector<ListRow> rows);

// A row as the list shows it (text, further columns and icon; colour and bold are
// for show only and not read back).
ListRow rowOf(const QTreeWidgetItem* item);

// The list's selected row; none when nothing is selected.
std::optional<ListRow> selectedRow(const QTreeWidget* list);

} // namespace ListRows
