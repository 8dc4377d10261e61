#include "mainwindow/ListRows.h"

#include "controls/Artwork.h"

#include <QTreeWidget>

namespace {

constexpr int kIconRole = Qt::UserRole;

using ListRows::colourOf;

// A row that keeps the domain's row and answers text, colour, font, icon and tool tip from it
// when the list asks, rather than storing a value per column and role: a fill of
// thousands of rows would otherwise spend most of its time converting and storing
// what the list shows a screenful of.
class RowItem : public QTreeWidgetItem {
public:
    RowItem(ListRow row, int columns, QIcon icon)
        : m_row(std::move(row))
        , m_columns(columns)
        , m_icon(std::move(icon))
    {
    }

    QVariant data(int column, int role) const override
    {
        if (column < 0 || column >= m_columns)
            return QTreeWidgetItem::data(column, role);
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            if (column == 0)
                return QString::fromStdString(m_row.text);
            if (static_cast<std::size_t>(column) <= m_row.subItems.size())
                return QString::fromStdString(m_row.subItems[static_cast<std::size_t>(column) - 1]);
            return QVariant();
        case Qt::ForegroundRole:
            return QBrush(colourOf(m_row.colour));
        case Qt::FontRole:
            if (!m_row.bold || !treeWidget())
                return QVariant();
            return boldFont();
        case Qt::ToolTipRole:
            return m_row.toolTip.empty() ? QVariant() : QVariant(QString::fromStdString(m_row.toolTip));
        case Qt::DecorationRole:
            return column == 0 ? QVariant(m_icon) : QVariant();
        case kIconRole:
            return column == 0 ? QVariant(m_row.icon) : QVariant();
        default:
            return QTreeWidgetItem::data(column, role);
        }
    }

private:
    QFont boldFont() const
    {
        QFont font = treeWidget()->font();
        font.setBold(true);
        return font;
    }

    ListRow m_row;
    int m_columns;
    QIcon m_icon;
};

} // namespace

namespace ListRows {

QColor colourOf(Colour colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
        static_cast<int>((colour >> 16) & 0xFF));
}

void fill(QTreeWidget* list, std::vector<ListRow> rows)
{
    list->clear();
    const int columns = list->columnCount();
    // Every row of a list shares a handful of icons; load each once per fill.
    QIcon icons[5];

    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (ListRow& row : rows) {
        const int slot = row.icon >= 1 && row.icon <= 4 ? row.icon : 0;
        if (icons[slot].isNull())
            icons[slot] = Artwork::listIcon(row.icon);
        items.append(new RowItem(std::move(row), columns, icons[slot]));
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
