#pragma once

#include "domain/Logbook.h"

#include <QWidget>

class QChart;
class QChartView;
class QStackedWidget;

// The logbook's charts: the economy of each fill-up over time, the money spent per month
// stacked by category, and the distance driven per month. A chart without data says so
// instead of showing an empty frame.
class LogbookCharts : public QWidget {
    Q_OBJECT
public:
    explicit LogbookCharts(QWidget* parent = nullptr);

    void fill(const Logbook::Logs& logs, const QString& unit, const QString& currency);

private:
    struct Slot {
        QStackedWidget* stack = nullptr;
        QChartView* view = nullptr;
    };
    Slot slot(const char* viewName, const char* emptyName);
    // Shows the chart in the slot, or "No data yet" when there is none.
    static void place(const Slot& slot, QChart* chart);

    Slot m_economy;
    Slot m_money;
    Slot m_distance;
};
