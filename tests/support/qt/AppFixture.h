#pragma once

#include "app/Forms.h"
#include "app/InstanceLock.h"
#include "domain/AppContext.h"
#include "mainwindow/frmMain.h"
#include "registry/FileRegistryStore.h"
#include "registry/RunKeyStartupRegistry.h"

#include "ScriptedPrompter.h"
#include "TempDir.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <ctime>
#include <memory>
#include <stdexcept>

// The program over a temporary application folder: its own data file, a scripted
// prompter, a registry file and autostart folder of its own, its own instance lock,
// and a desktop with a notification area (offscreen there is none).
class AppFixture {
public:
    explicit AppFixture(std::string commandLine = {})
        : registryStore(dir.file("registry.ini"), dir.file("autostart"))
        , startupRegistry(registryStore)
        , m_commandLine(std::move(commandLine))
    {
    }

    void writeDataFile(const std::string& bytes) { dir.write("cardata.dat", bytes); }
    std::string dataFile() const { return dir.read("cardata.dat"); }

    // The entry procedure, as the program runs it at start; again after a stop, a restart.
    Forms& start(int splashMs = 20)
    {
        load();
        forms->setSplashIntervalMs(splashMs);
        endedSpy = std::make_unique<QSignalSpy>(forms.get(), &Forms::ended);
        started = forms->SubMain();
        return *forms;
    }

    // Loads and shows the main window over this data file, as the splash does.
    frmMain& open(const std::string& dataFileBytes)
    {
        writeDataFile(dataFileBytes);
        load();
        lock->acquire();
        frmMain* form = forms->showMain();
        if (!form)
            throw std::runtime_error("the main window did not load");
        QApplication::processEvents();
        return *form;
    }

    void stop()
    {
        endedSpy.reset();
        forms.reset();
        lock.reset();
        context.reset();
    }

    frmMain& waitForMain()
    {
        if (!QTest::qWaitFor([&] { return forms->mainForm() && forms->mainForm()->isVisible(); }, 5000))
            throw std::runtime_error("the main window did not show");
        return *forms->mainForm();
    }

    frmMain& main() { return *forms->mainForm(); }
    bool ended() const { return forms->hasEnded(); }

    template <typename T = QWidget> T* find(const char* name)
    {
        return forms->mainForm()->findChild<T*>(QLatin1String(name));
    }

    TempDir dir;
    ScriptedPrompter prompter;
    FileRegistryStore registryStore;
    RunKeyStartupRegistry startupRegistry;
    frmSysTray::Capabilities tray {true, true};
    std::unique_ptr<AppContext> context;
    std::unique_ptr<InstanceLock> lock;
    std::unique_ptr<Forms> forms;
    std::unique_ptr<QSignalSpy> endedSpy;
    bool started = false;

private:
    void load()
    {
        stop();
        context = std::make_unique<AppContext>(dir.path(), dir.file("wheelbook"), m_commandLine, prompter);
        context->setStartupRegistry(&startupRegistry);
        context->setClock([] {
            std::tm local {};
            local.tm_year = 2026 - 1900, local.tm_mon = 4, local.tm_mday = 28, local.tm_hour = 12, local.tm_min = 34;
            local.tm_isdst = -1;
            return std::mktime(&local);
        });
        lock = std::make_unique<InstanceLock>(
            InstanceLock::lockPathFor(QString::fromStdString(dir.file("cardata.dat"))));
        forms = std::make_unique<Forms>(*context, *lock);
        forms->setTrayCapabilities(tray);
    }

    std::string m_commandLine;
};

// Clicks a button as a user would.
inline void click(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

// The texts of a list's rows in one column.
inline QStringList rowsOf(const QTreeWidget* list, int column = 0)
{
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows << list->topLevelItem(i)->text(column);
    return rows;
}

// What the fixture's clock dates log entries with, in whatever zone the tests run.
inline const std::string kNow = "2026-05-28 12:34";

inline const char* const kConfigured = "[init]\r\nmiles=5000\r\n[app]\r\nmiles=5200\r\n[consumables]\r\n";
inline const char* const kShipped = "[init]\r\nmiles=\r\n[consumables]\r\n";
inline const char* const kSampleData
    = "[init]\r\nmiles=1000\r\n[app]\r\nmiles=2500\r\nunit=1\r\ncur=USD\r\nicur=0\r\ncost=350\r\nstartup=0\r\n"
      "systray=0\r\nontop=0\r\n[fuel]\r\ntotal=100\r\n[misc]\r\nfuel=200\r\nInsurance=150\r\n"
      "[consumables]\r\nOil=1500#1000\r\nAir Filter=0#15000\r\n";
