#include "mainwindow/ListRows.h"

#include "controls/Artwork.h"

#include <QHash>
#include <QTreeWidget>

namespace {

constexpr int kIconRole = Qt::UserRole;

QColor colourOf(Colour colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
        static_cast<int>((colour >> 16) & 0xFF));
}

} // namespace

namespace ListRows {

void fill(QTreeWidget* list, const std::vector<ListRow>& rows)
{
    list->clear();
    const int columns = list->columnCount();
    QFont boldFont = list->font();
    boldFont.setBold(true);
    // Every row of a list shares a handful of icons; draw each once per fill.
    QHash<int, QIcon> icons;

    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const ListRow& row : rows) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, QString::fromStdString(row.text));
        for (std::size_t i = 0; i < row.subItems.size() && static_cast<int>(i) + 1 < columns; ++i)
            item->setText(static_cast<int>(i) + 1, QString::fromStdString(row.subItems[i]));
        auto icon = icons.find(row.icon);
        if (icon == icons.end())
            icon = icons.insert(row.icon, QIcon(Artwork::listIcon(row.icon)));
        item->setIcon(0, *icon);
        item->setData(0, kIconRole, row.icon);
        const QBrush foreground(colourOf(row.colour));
        for (int column = 0; column < columns; ++column) {
            item->setForeground(column, foreground);
            if (row.bold)
                item->setFont(column, boldFont);
        }
        items.append(item);
    }
    list->addTopLevelItems(items);
}

ListRow rowOf(const QTreeWidgetItem* item)
{
    ListRow row;
    row.text = item->text(0).toStdString();
    const int columns = item->treeWidget() ? item->treeWidget()->columnCount() : item->columnCount();
    for (int column = 1; column < columns; ++column)
        row.subItems.push_back(item->text(column).toStdString());
    const QVariant icon = item->data(0, kIconRole);
    if (icon.isValid())
        row.icon = icon.toInt();
    return row;
}

std::optional<ListRow> selectedRow(const QTreeWidget* list)
{
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return rowOf(selected.first());
}

} // namespace ListRows
