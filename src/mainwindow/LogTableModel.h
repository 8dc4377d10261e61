#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

// One log as a table: rows of texts, each cell with the value it sorts by (numbers as
// numbers, dates as their "YYYY-MM-DD HH:MM" text), an entry that does not parse shown
// in grey italics, and a footer of totals that stays last whatever the order.
class LogTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Row {
        QStringList cells;
        QVariantList keys; // what each cell sorts by; none: it sorts after every value
        QString toolTip;
        bool unreadable = false;
    };

    explicit LogTableModel(QObject* parent = nullptr);

    // The view's font, which the marked rows and the footer vary.
    void setFont(const QFont& font) { m_font = font; }

    // New contents, in log order (oldest first), put in the order last asked for.
    void setContents(const QStringList& headers, std::vector<Row> rows, std::optional<QStringList> footer = {});

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    struct Placed {
        Row row;
        int entry = 0; // its place in the log: equal values keep the log's order
    };
    // The rows ordered by the column; those without a value in it last.
    void order();

    QStringList m_headers;
    std::vector<Placed> m_rows;
    std::optional<QStringList> m_footer;
    QList<bool> m_figures; // the columns that hold numbers
    QFont m_font;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};
