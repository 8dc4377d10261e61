#pragma once

#include "domain/Reminders.h"

#include <QAbstractTableModel>

#include <vector>

// The reminder list as a table, in the list's order (soonest first): an item overdue or due
// soon on a background of its colour, light enough to read the text on.
class ReminderTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ReminderTableModel(QObject* parent = nullptr);

    void setRows(std::vector<ReminderRow> rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<ReminderRow> m_rows;
};
