#include "mainwindow/ReminderTableModel.h"

#include "mainwindow/ListRows.h"

#include <QBrush>

namespace {

enum Column { Item, DueAtReading, Left, DueByDate, Expected, Status, Columns };

// The colour over white, a third of its strength.
QColor tint(Colour colour)
{
    const QColor full = ListRows::colourOf(colour);
    auto lighten = [](int part) { return 255 - (255 - part) / 3; };
    return QColor(lighten(full.red()), lighten(full.green()), lighten(full.blue()));
}

} // namespace

ReminderTableModel::ReminderTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void ReminderTableModel::setRows(std::vector<ReminderRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int ReminderTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ReminderTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant ReminderTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const ReminderRow& row = m_rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole: {
        const std::string* cells[]
            = {&row.item, &row.dueAtReading, &row.left, &row.dueByDate, &row.expected, &row.status};
        return QString::fromStdString(*cells[index.column()]);
    }
    case Qt::TextAlignmentRole:
        // Distances line up on the right, as in the logbook's tables.
        if (index.column() == DueAtReading || index.column() == Left)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::BackgroundRole:
        return row.kind == ReminderStatus::Ok ? QVariant() : QVariant(QBrush(tint(row.colour)));
    case Qt::ForegroundRole:
        // Dark text on the light background, whatever the desktop's colours.
        return row.kind == ReminderStatus::Ok ? QVariant() : QVariant(QBrush(Qt::black));
    default:
        return {};
    }
}

QVariant ReminderTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const headers[] = {"Item", "Due at reading", "Left", "Due by date", "Expected", "Status"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < Columns)
        return QString::fromLatin1(headers[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
