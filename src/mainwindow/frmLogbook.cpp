#include "mainwindow/frmLogbook.h"

#include "controls/UiFont.h"
#include "core/Numbers.h"
#include "domain/AppContext.h"
#include "domain/AppSettings.h"
#include "domain/Logbook.h"
#include "domain/LogbookFigures.h"
#include "domain/Reminders.h"
#include "mainwindow/FuelPage.h"
#include "mainwindow/LogTableModel.h"
#include "mainwindow/MainPage.h"
#include "mainwindow/ReminderTableModel.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <map>

namespace {

using Row = LogTableModel::Row;
using LogbookFigures::text;

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

QVariant key(const std::optional<std::int64_t>& value)
{
    return value ? QVariant(qlonglong(*value)) : QVariant();
}

QVariant key(const std::optional<Money>& value)
{
    return value ? QVariant(qlonglong(value->units())) : QVariant();
}

QVariant key(const std::string& text)
{
    return qs(text).toCaseFolded();
}

Row shown(QStringList cells, QVariantList keys)
{
    Row row;
    row.cells = std::move(cells);
    row.keys = std::move(keys);
    return row;
}

// An amount with the currency code, as the main window shows its amounts.
QString amount(const std::optional<Money>& value, const QString& currency)
{
    return value ? qs(value->toText()) + u' ' + currency : QStringLiteral("-");
}

// The rows of a log in log order: each entry that parses as `parsed` makes it, each one
// that does not as its raw text, marked.
template <typename Record, typename Parsed>
std::vector<Row> rowsOf(const Logbook::Log<Record>& log, int columns, Parsed parsed)
{
    std::vector<Row> rows;
    for (std::size_t i = 0; i < log.size(); ++i) {
        const auto& entry = log[i];
        if (entry.record) {
            rows.push_back(parsed(i, *entry.record));
            continue;
        }
        // The raw text goes last, where the table has room for it.
        Row row;
        row.cells << QStringLiteral("(not readable)");
        while (row.cells.size() < columns - 1)
            row.cells << QString();
        row.cells << qs(entry.raw);
        row.toolTip = QStringLiteral("Entry %1 of the log, as stored: %2").arg(qs(entry.key), qs(entry.raw));
        row.unreadable = true;
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

frmLogbook::frmLogbook(frmMain& main)
    : QWidget(&main, Qt::Window)
    , m_main(main)
{
    setObjectName(QStringLiteral("frmLogbook"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Wheelbook Logbook"));
    setFont(uiFont());
    resize(940, 640);

    m_fuel = new LogTableModel(this);
    m_expenses = new LogTableModel(this);
    m_services = new LogTableModel(this);
    m_readings = new LogTableModel(this);
    m_tabLogbook = new QTabWidget(this);
    m_tabLogbook->setObjectName(QStringLiteral("tabLogbook"));
    m_tabLogbook->tabBar()->setFont(uiFont(8.25, true));
    m_tabLogbook->addTab(table("tblFuelLog", m_fuel), QStringLiteral("Fill-ups"));
    m_tabLogbook->addTab(table("tblExpenseLog", m_expenses), QStringLiteral("Expenses"));
    m_tabLogbook->addTab(table("tblServiceLog", m_services), QStringLiteral("Services"));
    m_tabLogbook->addTab(table("tblReadingLog", m_readings), QStringLiteral("Readings"));
    m_charts.emplace(m_tabLogbook);
    m_tabLogbook->addTab(m_charts->page(), QStringLiteral("Charts"));
    m_tabLogbook->addTab(buildReminders(), QStringLiteral("Reminders"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_tabLogbook);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);

    // Every write of the program renames a new file over the data file, which its folder
    // tells; the file itself tells of an edit in place.
    m_follow = new QTimer(this);
    m_follow->setSingleShot(true);
    m_follow->setInterval(50);
    connect(m_follow, &QTimer::timeout, this, &frmLogbook::followDataFile);
    m_watcher = new QFileSystemWatcher(this);
    m_watcher->addPath(qs(main.context().appDir()));
    m_watcher->addPath(qs(main.context().dataFilePath()));
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_follow, qOverload<>(&QTimer::start));
    connect(m_watcher, &QFileSystemWatcher::fileChanged, m_follow, qOverload<>(&QTimer::start));

    reload();
}

void frmLogbook::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_fitted)
        return;
    // Once, when the tables have their widths: each column as wide as its texts, the
    // room left shared out; the user resizes them from there.
    m_fitted = true;
    layout()->activate();
    for (QTableView* view : findChildren<QTableView*>()) {
        view->resizeColumnsToContents();
        QHeaderView* header = view->horizontalHeader();
        // Hidden pages are not laid out yet; every page is as wide as the one shown.
        const int room = m_tabLogbook->currentWidget()->width() - 2 * view->frameWidth()
            - view->verticalScrollBar()->sizeHint().width() - header->length();
        for (int column = 0; room > 0 && column < header->count(); ++column)
            header->resizeSection(column, header->sectionSize(column) + room / header->count());
    }
}

QTableView* frmLogbook::table(const char* name, LogTableModel* model)
{
    auto* view = new QTableView(m_tabLogbook);
    view->setObjectName(QLatin1String(name));
    view->setModel(model);
    model->setFont(font());
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setAlternatingRowColors(true);
    view->setWordWrap(false);
    // Tab leaves the table; the arrows move within it.
    view->setTabKeyNavigation(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->setSortingEnabled(true);
    view->sortByColumn(0, Qt::DescendingOrder);
    return view;
}

QWidget* frmLogbook::buildReminders()
{
    auto* page = new QWidget(m_tabLogbook);
    page->setObjectName(QStringLiteral("pageReminders"));
    m_reminders = new ReminderTableModel(this);
    auto* view = new QTableView(page);
    view->setObjectName(QStringLiteral("tblReminders"));
    view->setModel(m_reminders);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setWordWrap(false);
    view->setTabKeyNavigation(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_chkRemindAtStart = new QCheckBox(QStringLiteral("Tell me at start when something is due"), page);
    m_chkRemindAtStart->setObjectName(QStringLiteral("chkRemindAtStart"));
    connect(m_chkRemindAtStart, &QCheckBox::toggled, this, &frmLogbook::onRemindAtStartToggled);
    // The table as wide as the other pages' tables, which the columns are fitted to.
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(view, 1);
    auto* below = new QHBoxLayout;
    below->setContentsMargins(6, 0, 6, 0);
    below->addWidget(m_chkRemindAtStart);
    layout->addLayout(below);
    return page;
}

void frmLogbook::onRemindAtStartToggled(bool remind)
{
    AppContext& ctx = m_main.context();
    if (AppSettings::setRemindAtStart(ctx, remind))
        return;
    // Refused (and reported): the box shows what the file holds.
    const QSignalBlocker blocker(m_chkRemindAtStart);
    m_chkRemindAtStart->setChecked(AppSettings::remindAtStart(ctx));
}

void frmLogbook::showPage(Page page)
{
    m_tabLogbook->setCurrentIndex(static_cast<int>(page));
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void frmLogbook::followDataFile()
{
    AppContext& ctx = m_main.context();
    // In the middle of an action the file is not yet what the action makes it.
    if (ctx.store().inTransaction()) {
        m_follow->start();
        return;
    }
    const QString path = qs(ctx.dataFilePath());
    if (!m_watcher->files().contains(path) && QFile::exists(path))
        m_watcher->addPath(path);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.readAll() != m_shown)
        reload();
}

void frmLogbook::reload()
{
    AppContext& ctx = m_main.context();
    QFile file(qs(ctx.dataFilePath()));
    m_shown = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const Logbook::Logs logs = Logbook::read(ctx);
    const QString unit = m_main.settingsPage()->cmbUnit()->currentText();
    const QString currency = m_main.fuelPage()->lblFuelCur()->text();

    std::map<std::size_t, LogbookFigures::FillUp> fillUps;
    for (const LogbookFigures::FillUp& fillUp : LogbookFigures::fillUps(logs.fuel))
        fillUps.emplace(fillUp.entry, fillUp);
    const LogbookFigures::FuelTotals totals = LogbookFigures::fuelTotals(logs.fuel);
    m_fuel->setContents(
        {QStringLiteral("Date"), QStringLiteral("Reading"), QStringLiteral("Distance"), QStringLiteral("Litres"),
            QStringLiteral("Cost"), QStringLiteral("per 100 ") + unit, QStringLiteral("Cost per ") + unit},
        rowsOf(logs.fuel, 7,
            [&](std::size_t entry, const Logbook::FuelRecord&) {
                const LogbookFigures::FillUp& f = fillUps.at(entry);
                return shown(
                    {qs(f.date.text()), qs(numberToText(f.reading)), qs(text(f.distance)), qs(f.litres.toText()),
                        amount(f.cost, currency), qs(text(f.per100)), amount(f.costPerUnit, currency)},
                    {key(f.date.text()), key(f.reading), key(f.distance), key(f.litres), key(f.cost), key(f.per100),
                        key(f.costPerUnit)});
            }),
        QStringList {QStringLiteral("Total"), {}, {}, qs(text(totals.litres)), amount(totals.cost, currency),
            qs(text(totals.averagePer100)), {}});

    m_expenses->setContents(
        {QStringLiteral("Date"), QStringLiteral("Category"), QStringLiteral("Action"), QStringLiteral("Amount")},
        rowsOf(logs.expenses, 4, [&](std::size_t, const Logbook::ExpenseRecord& r) {
            const std::string action(Logbook::actionText(r.action));
            return shown({qs(r.date.text()), qs(r.category), qs(action), amount(r.amount, currency)},
                {key(r.date.text()), key(r.category), key(action), key(r.amount)});
        }));

    m_services->setContents({QStringLiteral("Date"), QStringLiteral("Item"), QStringLiteral("Last changed"),
                                QStringLiteral("Change after")},
        rowsOf(logs.services, 4, [&](std::size_t, const Logbook::ServiceRecord& r) {
            return shown(
                {qs(r.date.text()), qs(r.item), qs(numberToText(r.lastChanged)), qs(numberToText(r.changeAfter))},
                {key(r.date.text()), key(r.item), key(r.lastChanged), key(r.changeAfter)});
        }));

    std::map<std::size_t, LogbookFigures::Reading> readings;
    for (const LogbookFigures::Reading& reading : LogbookFigures::readings(logs.readings))
        readings.emplace(reading.entry, reading);
    m_readings->setContents({QStringLiteral("Date"), QStringLiteral("Reading"), QStringLiteral("Distance"),
                                QStringLiteral("Days"), unit + QStringLiteral(" per day")},
        rowsOf(logs.readings, 5, [&](std::size_t entry, const Logbook::ReadingRecord&) {
            const LogbookFigures::Reading& r = readings.at(entry);
            return shown({qs(r.date.text()), qs(numberToText(r.reading)), qs(text(r.distance)), qs(text(r.days)),
                             qs(text(r.perDay))},
                {key(r.date.text()), key(r.reading), key(r.distance), key(r.days), key(r.perDay)});
        }));

    m_charts->fill(logs, unit, currency);

    m_reminders->setRows(ReminderList(ctx, m_main.mainPage()->txtMiles()->text().toStdString(), unit.toStdString()));
    const QSignalBlocker blocker(m_chkRemindAtStart);
    m_chkRemindAtStart->setChecked(AppSettings::remindAtStart(ctx));
}
