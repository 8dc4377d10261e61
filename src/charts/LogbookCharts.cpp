#include "charts/LogbookCharts.h"

#include "domain/LogbookFigures.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QStackedWidget>
#include <QValueAxis>

namespace {

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

QDateTime dateTimeOf(const Logbook::LogTime& time)
{
    return QDateTime(QDate(time.year, time.month, time.day), QTime(time.hour, time.minute));
}

// "2026-05" as "May 2026".
QString monthCaption(const std::string& month)
{
    return QDate::fromString(qs(month) + QStringLiteral("-01"), Qt::ISODate).toString(QStringLiteral("MMM yyyy"));
}

QChart* chart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setBold(true);
    chart->setTitleFont(font);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    return chart;
}

QValueAxis* valueAxis(const QString& title, double max)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(0, max > 0 ? max : 1);
    axis->applyNiceNumbers();
    axis->setLabelFormat(QStringLiteral("%g"));
    return axis;
}

QBarCategoryAxis* monthAxis(const QStringList& months)
{
    auto* axis = new QBarCategoryAxis;
    axis->append(months);
    // Twelve months side by side do not fit their captions level.
    if (months.size() > 6)
        axis->setLabelsAngle(-90);
    return axis;
}

void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y)
{
    chart->addSeries(series);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

QChart* economyChart(const std::vector<LogbookFigures::EconomyPoint>& points, const QString& unit)
{
    if (points.empty())
        return nullptr;
    QChart* c = chart(QStringLiteral("Fuel used per 100 %1, per fill-up").arg(unit));
    auto* series = new QLineSeries;
    series->setName(QStringLiteral("Litres per 100 ") + unit);
    series->setPointsVisible(true);
    double max = 0;
    for (const LogbookFigures::EconomyPoint& point : points) {
        series->append(double(dateTimeOf(point.date).toMSecsSinceEpoch()), point.per100.toDouble());
        max = std::max(max, point.per100.toDouble());
    }
    auto* x = new QDateTimeAxis;
    x->setTitleText(QStringLiteral("Date of the fill-up"));
    x->setFormat(QStringLiteral("MMM yyyy"));
    // One fill-up alone still gets a span of days to stand in.
    const QDateTime first = dateTimeOf(points.front().date), last = dateTimeOf(points.back().date);
    x->setRange(first.addDays(first == last ? -1 : 0), last.addDays(first == last ? 1 : 0));
    x->setTickCount(std::min<int>(5, int(points.size()) + 1));
    c->legend()->hide();
    attach(c, series, x, valueAxis(QStringLiteral("Litres per 100 ") + unit, max));
    return c;
}

QChart* moneyChart(const LogbookFigures::MoneyPerMonth& money, const QString& currency)
{
    if (money.months.empty())
        return nullptr;
    QChart* c = chart(QStringLiteral("Money spent per month"));
    auto* series = new QStackedBarSeries;
    for (std::size_t i = 0; i < money.categories.size(); ++i) {
        auto* set = new QBarSet(qs(money.categories[i]));
        for (const LogbookFigures::MonthAmounts& month : money.months)
            *set << month.amounts[i].toDouble();
        series->append(set);
    }
    QStringList months;
    double max = 0;
    for (const LogbookFigures::MonthAmounts& month : money.months) {
        months << monthCaption(month.month);
        double sum = 0;
        for (const Money& amount : month.amounts)
            sum += amount.toDouble();
        max = std::max(max, sum);
    }
    c->legend()->setAlignment(Qt::AlignRight);
    attach(c, series, monthAxis(months), valueAxis(QStringLiteral("Spent in ") + currency, max));
    return c;
}

QChart* distanceChart(const std::vector<LogbookFigures::MonthDistance>& distances, const QString& unit)
{
    if (distances.empty())
        return nullptr;
    QChart* c = chart(QStringLiteral("Distance driven per month"));
    auto* set = new QBarSet(unit);
    QStringList months;
    double max = 0;
    for (const LogbookFigures::MonthDistance& month : distances) {
        *set << double(month.distance);
        months << monthCaption(month.month);
        max = std::max(max, double(month.distance));
    }
    auto* series = new QBarSeries;
    series->append(set);
    c->legend()->hide();
    attach(c, series, monthAxis(months), valueAxis(unit + QStringLiteral(" driven"), max));
    return c;
}

} // namespace

LogbookCharts::LogbookCharts(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pgCharts"));
    m_economy = slot("chartEconomy", "lblEconomyNoData");
    m_money = slot("chartMoney", "lblMoneyNoData");
    m_distance = slot("chartDistance", "lblDistanceNoData");
    auto* layout = new QGridLayout(this);
    // The money chart has the most to show (a bar per month, a colour per category): a row of its own.
    layout->addWidget(m_economy.stack, 0, 0);
    layout->addWidget(m_distance.stack, 0, 1);
    layout->addWidget(m_money.stack, 1, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
}

LogbookCharts::Slot LogbookCharts::slot(const char* viewName, const char* emptyName)
{
    Slot slot;
    slot.stack = new QStackedWidget(this);
    slot.view = new QChartView(slot.stack);
    slot.view->setObjectName(QLatin1String(viewName));
    slot.view->setRenderHint(QPainter::Antialiasing);
    auto* empty = new QLabel(QStringLiteral("No data yet"), slot.stack);
    empty->setObjectName(QLatin1String(emptyName));
    empty->setAlignment(Qt::AlignCenter);
    empty->setFrameShape(QFrame::StyledPanel);
    slot.stack->addWidget(slot.view);
    slot.stack->addWidget(empty);
    return slot;
}

void LogbookCharts::place(const Slot& slot, QChart* chart)
{
    // The view hands its old chart back rather than deleting it.
    QChart* old = slot.view->chart();
    slot.view->setChart(chart ? chart : new QChart);
    delete old;
    slot.stack->setCurrentIndex(chart ? 0 : 1);
}

void LogbookCharts::fill(const Logbook::Logs& logs, const QString& unit, const QString& currency)
{
    place(m_economy, economyChart(LogbookFigures::economy(LogbookFigures::fillUps(logs.fuel)), unit));
    place(m_money, moneyChart(LogbookFigures::moneyPerMonth(logs.fuel, logs.expenses), currency));
    place(m_distance, distanceChart(LogbookFigures::distancePerMonth(logs.readings), unit));
}
