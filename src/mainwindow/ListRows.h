#pragma once

#include "domain/ListRow.h"

#include <QColor>

#include <optional>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

// Report lists as the domain describes their rows: the row text, the further
// columns, the icon, the fore colour, the bold flag and the tool tip.
namespace ListRows {

// A colour of the domain's as Qt has it.
QColor colourOf(Colour colour);

// Replaces every row of the list with these (the list keeps them: pass what is no
// longer needed by moving it).
void fill(QTreeWidget* list, std::vector<ListRow> rows);

// A row as the list shows it (text, further columns and icon; colour, bold and tool
// tip are for show only and not read back).
ListRow rowOf(const QTreeWidgetItem* item);

// The list's selected row; none when nothing is selected.
std::optional<ListRow> selectedRow(const QTreeWidget* list);

} // namespace ListRows
