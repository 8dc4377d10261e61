// Renders the splash, the first-run dialog, each page of the main window, each page of
// the logbook and the restore dialog over a sample data file (a year of a car's history
// up to 2026-05-28, with a few daily back-ups), as PNG files in the folder given on the
// command line.
//   xvfb-run -a build/tools/screens/wheelbook_screens /tmp/screens [data-file]
#include "app/Forms.h"
#include "app/InstanceLock.h"
#include "controls/ProgramStyle.h"
#include "core/Money.h"
#include "core/Prompter.h"
#include "domain/AppContext.h"
#include "mainwindow/frmLogbook.h"
#include "mainwindow/frmRestore.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>
#include <map>
#include <string>

namespace {

class PrintingPrompter : public Prompter {
public:
    MsgAnswer ask(const Message& message) override
    {
        std::printf("message: %s | %s\n", message.title.c_str(), message.text.c_str());
        return message.buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    }
};

// A year of one car: a reading every week, a fill-up most weeks, the insurance every
// month, parking, washes, a set of tyres and two services, and the consumables changed
// along the way. `weeks` cuts it short: the file as it was then, for the back-ups.
std::string yearOfData(int weeks)
{
    unsigned seed = 12345;
    auto random = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(range));
    };
    auto money = [](long long cents) { return Money::fromUnits(cents * 100).toText(); };
    auto stamp = [](const QDate& day, int hour, int minute) {
        return day.toString(QStringLiteral("yyyy-MM-dd")).toStdString()
            + QStringLiteral(" %1:%2")
                  .arg(hour, 2, 10, QLatin1Char('0'))
                  .arg(minute, 2, 10, QLatin1Char('0'))
                  .toStdString();
    };
    const QDate start(2025, 6, 2);
    std::string readingLog, fuelLog, expenseLog, serviceLog;
    int readings = 0, fills = 0, expenses = 0, services = 0;
    long long reading = 38200, lastFill = 0, litresTotal = 0;
    std::map<std::string, long long> spent; // cents by category
    std::map<std::string, std::string> consumables = {{"Engine Oil", "31000#15000"}, {"Oil Filter", "31000#15000"},
        {"Air Filter", "24000#30000"}, {"Timing Belt", "12000#60000"}, {"Brake Fluid", "20500#20000"},
        {"Coolant", "12000#100000"}, {"Wiper Blades", "38200#50000"}};
    // Changed by date as well: the coolant every three years (due in April), the wiper
    // blades every year (due next week), the brake fluid every two.
    std::string consumableDates = "Coolant=2023-04-20#36\r\nWiper Blades=2025-06-04#12\r\n";
    auto expense = [&](const QDate& day, const std::string& category, long long cents) {
        const bool first = spent.find(category) == spent.end();
        spent[category] += cents;
        expenseLog += std::to_string(++expenses) + "=" + stamp(day, 17, 5 + random(50)) + (first ? "#new#" : "#add#")
            + money(cents) + "#" + category + "\r\n";
    };
    auto service = [&](const QDate& day, const std::string& item, long long every) {
        consumables[item] = std::to_string(reading) + "#" + std::to_string(every);
        serviceLog += std::to_string(++services) + "=" + stamp(day, 10, 30) + "#" + std::to_string(reading) + "#"
            + std::to_string(every) + "#" + item + "\r\n";
    };
    for (int week = 0; week < weeks; ++week) {
        const QDate day = start.addDays(7 * week);
        // A road trip in August; otherwise commuting and the odd weekend out.
        reading += week == 9 || week == 10 ? 900 + random(200) : 260 + random(260);
        readingLog
            += std::to_string(++readings) + "=" + stamp(day, 19, random(60)) + "#" + std::to_string(reading) + "\r\n";
        if (week != 5 && week != 30) {
            const bool winter = day.month() == 12 || day.month() <= 2;
            const long long per100 = (winter ? 690 : 630) + random(110); // hundredths of a litre
            const long long litres = lastFill == 0 ? 3850 : (reading + 12 - lastFill) * per100 / 100;
            const long long cents = litres * (168 + random(18)) / 100;
            lastFill = reading + 12;
            litresTotal += litres;
            spent["fuel"] += cents;
            fuelLog += std::to_string(++fills) + "=" + stamp(day.addDays(1), 7 + random(3), random(60)) + "#"
                + std::to_string(lastFill) + "#" + money(litres) + "#" + money(cents) + "\r\n";
            if (fills == 31) // edited by hand, with a comma for the point
                fuelLog += std::to_string(++fills) + "=" + stamp(day.addDays(2), 8, 10) + "#"
                    + std::to_string(lastFill + 40) + "#41,2#73.40\r\n";
        }
        if (day.day() <= 7)
            expense(day.addDays(1), "Insurance", 4650);
        if (week % 3 == 1)
            expense(day.addDays(2), "Parking", 600 + random(2400));
        if (week % 8 == 3)
            expense(day.addDays(3), "Car Wash", 1200);
        if (week == 6) {
            expense(day.addDays(1), "Service", 28990);
            service(day.addDays(1), "Engine Oil", 15000);
            service(day.addDays(1), "Oil Filter", 15000);
        }
        if (week == 20)
            expense(day.addDays(4), "Tyres", 42800);
        if (week == 22)
            service(day.addDays(2), "Air Filter", 30000);
        if (week == 37) {
            service(day.addDays(3), "Brake Fluid", 20000);
            consumableDates
                += "Brake Fluid=" + day.addDays(3).toString(QStringLiteral("yyyy-MM-dd")).toStdString() + "#24\r\n";
        }
        if (week == 47) {
            expense(day.addDays(1), "Service", 14500);
            service(day.addDays(1), "Engine Oil", 15000);
            service(day.addDays(1), "Oil Filter", 15000);
        }
    }
    long long total = 0;
    std::string misc;
    for (const auto& [category, cents] : spent) {
        total += cents;
        misc += category + "=" + money(cents) + "\r\n";
    }
    std::string file = "[init]\r\nmiles=38150\r\n[app]\r\nmiles=" + std::to_string(reading)
        + "\r\nunit=1\r\ncur=EUR\r\nicur=9\r\ncost=" + std::to_string(Money::fromUnits(total * 100).roundedWhole())
        + "\r\nstartup=0\r\nsystray=0\r\nontop=0\r\n[fuel]\r\ntotal=" + money(litresTotal) + "\r\n[misc]\r\n" + misc
        + "[consumables]\r\n";
    for (const char* item :
        {"Engine Oil", "Oil Filter", "Air Filter", "Timing Belt", "Brake Fluid", "Coolant", "Wiper Blades"})
        file += std::string(item) + "=" + consumables[item] + "\r\n";
    return file + "[consumable dates]\r\n" + consumableDates + "[reading log]\r\n" + readingLog + "[fuel log]\r\n"
        + fuelLog + "[expense log]\r\n" + expenseLog + "[service log]\r\n" + serviceLog;
}

void write(const QString& path, const std::string& bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void doubleClick(QTreeWidget* list, const QString& row)
{
    QTreeWidgetItem* item = list->findItems(row, Qt::MatchExactly).value(0);
    list->setCurrentItem(item);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void save(QWidget* widget, const QString& folder, const QString& name)
{
    QTest::qWait(300);
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    widget->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ProgramStyle::install(); // as the program does
    QApplication::setQuitOnLastWindowClosed(false);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screens");
    QDir().mkpath(folder);
    QTemporaryDir appDir;
    const QString dataFile = appDir.filePath(QStringLiteral("cardata.dat"));
    if (argc > 2)
        QFile::copy(QString::fromLocal8Bit(argv[2]), dataFile);
    else
        write(dataFile, yearOfData(52));
    // The back-ups of the last days, one made before a restore, and one cut short.
    QDir(appDir.path()).mkdir(QStringLiteral("backups"));
    const QString backups = appDir.filePath(QStringLiteral("backups/cardata-%1.dat"));
    write(backups.arg(QStringLiteral("2026-05-18")), yearOfData(51));
    write(backups.arg(QStringLiteral("2026-05-11")), yearOfData(50));
    write(backups.arg(QStringLiteral("2026-05-07-201512-before-restore")), yearOfData(49));
    write(backups.arg(QStringLiteral("2026-05-04")), yearOfData(49));
    write(backups.arg(QStringLiteral("2026-04-27")), yearOfData(48).substr(900, 2000));

    PrintingPrompter prompter;
    {
        // The first-run dialog over a shipped file.
        QTemporaryDir firstRunDir;
        QFile shipped(firstRunDir.filePath(QStringLiteral("cardata.dat")));
        shipped.open(QIODevice::WriteOnly);
        shipped.write("[init]\r\nmiles=\r\n[consumables]\r\n");
        shipped.close();
        AppContext context(firstRunDir.path().toStdString(), "", "", prompter);
        InstanceLock lock(firstRunDir.filePath(QStringLiteral("lock")));
        Forms forms(context, lock);
        forms.SubMain();
        save(forms.initConfigForm(), folder, QStringLiteral("frmInitConfig"));
    }

    AppContext context(appDir.path().toStdString(), "", "", prompter);
    // The sample as of a few days after its last week, whatever the day the pictures are taken.
    if (argc <= 2)
        context.setClock([] { return QDateTime(QDate(2026, 5, 28), QTime(12, 34)).toSecsSinceEpoch(); });
    InstanceLock lock(appDir.filePath(QStringLiteral("lock")));
    Forms forms(context, lock);
    forms.setSplashIntervalMs(60000);
    forms.setTrayCapabilities({true, true});
    forms.SubMain();
    save(forms.splashForm(), folder, QStringLiteral("frmSplash"));
    frmMain* main = forms.showMain();
    forms.splashForm()->close();
    const char* pages[] = {"tab0-main", "tab1-consumables", "tab2-expenses", "tab3-fuel", "tab4-settings"};
    for (int i = 0; i < 5; ++i) {
        main->tabMain()->setCurrentIndex(i);
        if (i == 1) // the details of an item changed by date as well
            doubleClick(
                main->findChild<QTreeWidget*>(QStringLiteral("lstConsumables")), QStringLiteral(" BRAKE FLUID"));
        save(main, folder, QLatin1String(pages[i]));
    }

    main->findChild<QAction*>(QStringLiteral("mnuLogHistory"))->trigger();
    frmLogbook* logbook = main->logbook();
    const char* logPages[]
        = {"log0-fillups", "log1-expenses", "log2-services", "log3-readings", "log4-charts", "log5-reminders"};
    for (int i = 0; i < 6; ++i) {
        logbook->tabLogbook()->setCurrentIndex(i);
        save(logbook, folder, QLatin1String(logPages[i]));
    }
    // The end of the fill-ups: the entry edited by hand and the totals.
    logbook->tabLogbook()->setCurrentIndex(0);
    logbook->findChild<QTableView*>(QStringLiteral("tblFuelLog"))->scrollToBottom();
    save(logbook, folder, QStringLiteral("log0-fillups-end"));
    logbook->close();
    main->findChild<QAction*>(QStringLiteral("mnuLogRestore"))->trigger();
    save(main->findChild<frmRestore*>(), folder, QStringLiteral("frmRestore"));
    return 0;
}
