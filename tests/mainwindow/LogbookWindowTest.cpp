#include "PageTest.h"

#include "mainwindow/ChartsTab.h"
#include "mainwindow/frmLogbook.h"

#include <QAbstractBarSeries>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChartView>
#include <QLabel>
#include <QMenuBar>
#include <QTableView>
#include <QXYSeries>

#include <filesystem>

namespace {

const std::string kLogs = std::string(kSampleData)
    + "[fuel log]\r\n1=2026-03-01 09:00#2000#40#70\r\n2=2026-04-01 09:00#2400#35#63.7\r\n"
      "3=2026-04-15 09:00#broken\r\n"
      "[expense log]\r\n1=2026-03-05 10:00#new#150#Tyres, \"winter\" #2\r\n2=2026-04-05 10:00#add#20.5#fuel\r\n"
      "[service log]\r\n1=2026-03-10 08:00#1500#1000#Oil\r\n"
      "[reading log]\r\n1=2026-03-01 09:00#2000\r\n2=2026-04-01 09:00#2500\r\n";

class LogbookWindow : public PageTest {
protected:
    frmLogbook* trigger(const char* menuItem)
    {
        f.main().findChild<QAction*>(QLatin1String(menuItem))->trigger();
        QApplication::processEvents();
        return f.main().findChild<frmLogbook*>();
    }

    // The header, then a line per row, the cells joined by " | ".
    QStringList table(const char* name)
    {
        const QAbstractItemModel* model = f.find<QTableView>(name)->model();
        QStringList lines;
        for (int row = -1; row < model->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model->columnCount(); ++column)
                cells << (row < 0 ? model->headerData(column, Qt::Horizontal) : model->index(row, column).data())
                             .toString();
            lines << cells.join(u" | "_s);
        }
        return lines;
    }

    // A chart as a line: its title, each series (its class, then its values, bar set by bar set), the axes.
    QString chart(const char* name)
    {
        const QChart* chart = f.find<QChartView>(name)->chart();
        QStringList parts {chart->title()};
        for (QAbstractSeries* series : chart->series()) {
            parts << QLatin1String(series->metaObject()->className());
            if (auto* xy = qobject_cast<QXYSeries*>(series)) {
                parts.last() += xy->pointsVisible() ? u" with points"_s : u""_s;
                for (const QPointF& point : xy->points())
                    parts << QDateTime::fromMSecsSinceEpoch(qint64(point.x())).toString(u"yyyy-MM-dd"_s) + u'='
                            + QString::number(point.y());
            }
            if (auto* bars = qobject_cast<QAbstractBarSeries*>(series)) {
                for (const QBarSet* set : bars->barSets()) {
                    parts << set->label() + u':';
                    for (int i = 0; i < set->count(); ++i)
                        parts.last() += u' ' + QString::number(set->at(i));
                }
            }
        }
        for (QAbstractAxis* axis : chart->axes()) {
            auto* months = qobject_cast<QBarCategoryAxis*>(axis);
            parts << axis->titleText() + (months ? months->categories().join(u", "_s) : u""_s);
        }
        return parts.join(u" / "_s);
    }
};

} // namespace

TEST_F(LogbookWindow, HistoryShowsTheFourLogsNewestFirstAndFollowsAFillUpOfTheMainWindow)
{
    open(3, kLogs);
    QStringList menus;
    for (QAction* menu : f.main().menuBar()->actions())
        menus << menu->text();
    for (QAction* item : f.main().findChild<QMenu*>(u"mnuLogbook"_s)->actions())
        menus << (item->isSeparator() ? u"-"_s : item->text());
    EXPECT_EQ(menus.join(u'/'),
        u"&File/&Logbook/&Help/&History .../&Charts .../-/&Export to CSV .../-/&Restore a Back-up ..."_s);
    frmLogbook* logbook = trigger("mnuLogHistory");
    ASSERT_TRUE(logbook && logbook->isVisible());
    EXPECT_EQ(logbook->tabLogbook()->currentIndex(), 0);
    EXPECT_EQ(table("tblFuelLog"),
        QStringList({u"Date | Reading | Distance | Litres | Cost | per 100 Km | Cost per Km"_s,
            u"2026-04-01 09:00 | 2400 | 400 | 35 | 63.7 USD | 8.75 | 0.16 USD"_s,
            u"2026-03-01 09:00 | 2000 | - | 40 | 70 USD | - | -"_s,
            u"(not readable) |  |  |  |  |  | 2026-04-15 09:00#broken"_s,
            u"Total |  |  | 75 | 133.7 USD | 8.75 | "_s}));
    EXPECT_EQ(table("tblExpenseLog"),
        QStringList({u"Date | Category | Action | Amount"_s, u"2026-04-05 10:00 | fuel | add | 20.5 USD"_s,
            u"2026-03-05 10:00 | Tyres, \"winter\" #2 | new | 150 USD"_s}));
    EXPECT_EQ(table("tblServiceLog"),
        QStringList({u"Date | Item | Last changed | Change after"_s, u"2026-03-10 08:00 | Oil | 1500 | 1000"_s}));
    EXPECT_EQ(table("tblReadingLog"),
        QStringList({u"Date | Reading | Distance | Days | Km per day"_s,
            u"2026-04-01 09:00 | 2500 | 500 | 31 | 16.13"_s, u"2026-03-01 09:00 | 2000 | - | - | -"_s}));
    // Numbers sort as numbers (400 before "-"), the footer stays last.
    QTableView* fuel = f.find<QTableView>("tblFuelLog");
    fuel->sortByColumn(2, Qt::AscendingOrder);
    QStringList dates;
    for (const QString& line : table("tblFuelLog"))
        dates << line.section(u" | "_s, 0, 0);
    EXPECT_EQ(
        dates, QStringList({u"Date"_s, u"2026-04-01 09:00"_s, u"2026-03-01 09:00"_s, u"(not readable)"_s, u"Total"_s}));
    fuel->sortByColumn(0, Qt::DescendingOrder);
    EXPECT_EQ(trigger("mnuLogHistory"), logbook);
    EXPECT_EQ(f.main().findChildren<frmLogbook*>().size(), 1);

    type("txtFuelFilled", u"30"_s);
    type("txtFuelCost", u"60"_s);
    click(button("btnFuelAnalyze"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return table("tblFuelLog").size() == 6; }, 5000));
    EXPECT_EQ(
        table("tblFuelLog").value(1), QString::fromStdString(kNow) + u" | 2500 | 100 | 30 | 60 USD | 30 | 0.6 USD"_s);
    EXPECT_EQ(table("tblFuelLog").last(), u"Total |  |  | 105 | 193.7 USD | 13 | "_s);
}

TEST_F(LogbookWindow, ChartsShowEachLogPerMonthOrNoDataYet)
{
    open(0, kLogs);
    EXPECT_EQ(trigger("mnuLogCharts")->tabLogbook()->currentIndex(), 4);
    EXPECT_EQ(chart("chartEconomy"),
        u"Fuel used per 100 Km, per fill-up / QLineSeries with points / 2026-04-01=8.75 / Date of the fill-up / "
        u"Litres per 100 Km"_s);
    EXPECT_EQ(chart("chartMoney"),
        u"Money spent per month / QStackedBarSeries / fuel: 70 84.2 / Tyres, \"winter\" #2: 150 0 / "
        u"Mar 2026, Apr 2026 / Spent in USD"_s);
    EXPECT_EQ(chart("chartDistance"), u"Distance driven per month / QBarSeries / Km: 500 / Apr 2026 / Km driven"_s);
    for (const char* name : {"lblEconomyNoData", "lblMoneyNoData", "lblDistanceNoData"})
        EXPECT_FALSE(f.find(name)->isVisible()) << name;

    f.stop();
    open(0);
    trigger("mnuLogCharts");
    for (const char* name : {"lblEconomyNoData", "lblMoneyNoData", "lblDistanceNoData"})
        EXPECT_EQ(f.find<QLabel>(name)->isVisible() ? f.find<QLabel>(name)->text() : u""_s, u"No data yet"_s) << name;
}

// A module that is missing, or that is not the charts module, leaves the tab saying why.
TEST(ChartsTab, WithoutItsModuleSaysWhyAndDrawsNothing)
{
    for (const QString& module : {u"/nonexistent/wheelbook-charts"_s, u"/lib/x86_64-linux-gnu/libz.so.1"_s}) {
        QWidget parent;
        const ChartsTab tab(&parent, {module});
        const auto* label = qobject_cast<QLabel*>(tab.page());
        ASSERT_TRUE(label) << module.toStdString();
        EXPECT_EQ(label->objectName(), u"pgCharts"_s);
        EXPECT_TRUE(label->text().startsWith(u"The charts cannot be shown: "_s)) << label->text().toStdString();
        tab.fill({}, u"Km"_s, u"USD"_s);
    }
}

TEST_F(LogbookWindow, ExportWritesTheSixFilesIntoTheChosenFolderOrNothingWhenCancelled)
{
    open(0, kLogs);
    const std::string folder = f.dir.file("export");
    std::filesystem::create_directory(folder);
    f.main().setExportFolderQuestion([] { return QString(); });
    trigger("mnuLogExport");
    EXPECT_TRUE(std::filesystem::is_empty(folder));

    f.main().setExportFolderQuestion([&] { return QString::fromStdString(folder); });
    f.prompter.expect("Logbook Exported", MsgAnswer::Ok, "Exported 6 files to " + folder + ".");
    trigger("mnuLogExport");
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.insert(entry.path().filename().string());
    EXPECT_EQ(files,
        std::set<std::string>({"fuel-log.csv", "expense-log.csv", "service-log.csv", "reading-log.csv",
            "consumables.csv", "expense-categories.csv"}));
    EXPECT_EQ(readFileBytes(folder + "/expense-log.csv"),
        "Entry,Date,Action,Amount,Category,Unparsed\r\n1,2026-03-05 10:00,new,150,\"Tyres, \"\"winter\"\" #2\",\r\n"
        "2,2026-04-05 10:00,add,20.5,fuel,\r\n");
}

TEST_F(LogbookWindow, RemindersListWhatFallsDueSoonestFirstAndTheBoxStoresWhetherToTellAtStart)
{
    // At the log's 500 Km in 31 days: the coolant's 200 Km left take 13 days.
    const std::string data = edited(kLogs,
        {{"Air Filter=0#15000\r\n",
            "Air Filter=0#15000\r\nCoolant=1000#1700\r\n[consumable dates]\r\nAir Filter=2025-01-15#12\r\n"}});
    open(0, data);
    f.main().openLogbook(frmLogbook::Page::Reminders);
    EXPECT_EQ(table("tblReminders"),
        QStringList({u"Item | Due at reading | Left | Due by date | Expected | Status"_s,
            u"AIR FILTER | 15000 | 12500 Km | 2026-01-15 |  | Overdue"_s, u"OIL | 2500 | 0 Km |  |  | Overdue"_s,
            u"COOLANT | 2700 | 200 Km |  | 2026-06-10 | Due soon"_s}));
    const QAbstractItemModel* model = f.find<QTableView>("tblReminders")->model();
    QStringList backgrounds;
    for (int row = 0; row < model->rowCount(); ++row)
        backgrounds << model->index(row, 5).data(Qt::BackgroundRole).value<QBrush>().color().name();
    EXPECT_EQ(backgrounds, QStringList({u"#ffaaaa"_s, u"#ffaaaa"_s, u"#ffeaaa"_s}));

    auto* remind = f.find<QCheckBox>("chkRemindAtStart");
    EXPECT_TRUE(remind->isChecked());
    remind->click();
    EXPECT_EQ(f.dataFile(), edited(data, {{"ontop=0\r\n", "ontop=0\r\nremind=0\r\n"}}));
}
