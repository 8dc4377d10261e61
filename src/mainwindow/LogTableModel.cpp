#include "mainwindow/LogTableModel.h"

#include <QBrush>

#include <algorithm>

LogTableModel::LogTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void LogTableModel::setContents(const QStringList& headers, std::vector<Row> rows, std::optional<QStringList> footer)
{
    beginResetModel();
    m_headers = headers;
    m_rows.clear();
    m_rows.reserve(rows.size());
    for (Row& row : rows)
        m_rows.push_back({std::move(row), static_cast<int>(m_rows.size())});
    m_footer = std::move(footer);
    m_figures = QList<bool>(headers.size(), false);
    for (const Placed& placed : m_rows) {
        for (qsizetype column = 0; column < placed.row.keys.size(); ++column)
            m_figures[column] = m_figures[column] || placed.row.keys[column].typeId() == QMetaType::LongLong;
    }
    order();
    endResetModel();
}

int LogTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size()) + (m_footer ? 1 : 0);
}

int LogTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headers.size());
}

QVariant LogTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const bool isFooter = index.row() == static_cast<int>(m_rows.size());
    const Row* row = isFooter ? nullptr : &m_rows[static_cast<std::size_t>(index.row())].row;
    switch (role) {
    case Qt::DisplayRole:
        return isFooter ? m_footer->value(index.column()) : row->cells.value(index.column());
    case Qt::ToolTipRole:
        return isFooter || row->toolTip.isEmpty() ? QVariant() : QVariant(row->toolTip);
    case Qt::TextAlignmentRole:
        // Figures line up on the right, as in a spreadsheet, "-" and totals with them.
        if (m_figures.value(index.column()) && !(row && row->unreadable))
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::FontRole:
        if (isFooter || row->unreadable) {
            QFont font = m_font;
            font.setBold(isFooter);
            font.setItalic(!isFooter);
            return font;
        }
        return {};
    case Qt::ForegroundRole:
        return !isFooter && row->unreadable ? QVariant(QBrush(Qt::gray)) : QVariant();
    default:
        return {};
    }
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_headers.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void LogTableModel::sort(int column, Qt::SortOrder order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // A selection follows its rows; the footer stays where it is.
    const QModelIndexList before = persistentIndexList();
    std::vector<int> entries;
    for (const QModelIndex& index : before)
        entries.push_back(index.row() < static_cast<int>(m_rows.size()) ? m_rows[std::size_t(index.row())].entry : -1);
    m_sortColumn = column;
    m_sortOrder = order;
    this->order();
    std::vector<int> rowOf(m_rows.size());
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        rowOf[std::size_t(m_rows[row].entry)] = static_cast<int>(row);
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i)
        after << index(entries[std::size_t(i)] < 0 ? before[i].row() : rowOf[std::size_t(entries[std::size_t(i)])],
            before[i].column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void LogTableModel::order()
{
    const int column = m_sortColumn;
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const Placed& a, const Placed& b) {
        const QVariant x = column < 0 ? QVariant(a.entry) : a.row.keys.value(column);
        const QVariant y = column < 0 ? QVariant(b.entry) : b.row.keys.value(column);
        if (x.isValid() != y.isValid())
            return x.isValid();
        QPartialOrdering compared = x.isValid() ? QVariant::compare(x, y) : QPartialOrdering::Equivalent;
        if (compared == QPartialOrdering::Equivalent || compared == QPartialOrdering::Unordered)
            return descending ? a.entry > b.entry : a.entry < b.entry;
        return descending ? compared == QPartialOrdering::Greater : compared == QPartialOrdering::Less;
    });
}
