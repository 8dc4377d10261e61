#pragma once

#include "app/Forms.h"
#include "app/InstanceLock.h"
#include "core/AppContext.h"
#include "mainwindow/frmMain.h"
#include "registry/FileRegistryStore.h"
#include "registry/RunKeyStartupRegistry.h"

#include "ScriptedPrompter.h"
#include "TempDir.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

// A loaded, shown main window over a temporary application folder: its own data
// file, a scripted prompter, a registry file and autostart folder of its own, and a
// desktop that has a notification area.
class MainWindowFixture {
public:
    MainWindowFixture()
        : registryStore(dir.file("registry.dat"), dir.file("autostart"))
        , startupRegistry(registryStore)
    {
    }

    // Loads and shows the main window over this data file.
    frmMain& open(const std::string& dataFile)
    {
        dir.write("cardata.dat", dataFile);
        context = std::make_unique<AppContext>(dir.path(), dir.file("wheelbook"), "", prompter);
        context->setStartupRegistry(&startupRegistry);
        lock = std::make_unique<InstanceLock>(QString::fromStdString(dir.file("instance.lock")));
        lock->acquire();
        forms = std::make_unique<Forms>(*context, *lock);
        forms->setTrayCapabilities(tray);
        frmMain* main = forms->showMain();
        if (!main)
            throw std::runtime_error("the main window did not load");
        QApplication::processEvents();
        return *main;
    }

    frmMain& main() { return *forms->mainForm(); }
    std::string dataFile() const { return dir.read("cardata.dat"); }

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
};

// Clicks an XP-style button as a user would.
inline void click(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

// The texts of a list's rows, column by column.
inline QStringList rowsOf(const QTreeWidget* list, int column = 0)
{
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows << list->topLevelItem(i)->text(column);
    return rows;
}

inline const char* const kSampleData
    = "[init]\r\nmiles=1000\r\n[app]\r\nmiles=2500\r\nunit=1\r\ncur=USD\r\nicur=0\r\ncost=350\r\nstartup=0\r\n"
      "systray=0\r\nontop=0\r\n[fuel]\r\ntotal=100\r\n[misc]\r\nfuel=200\r\nInsurance=150\r\n"
      "[consumables]\r\nOil=1500#1000\r\nAir Filter=0#15000\r\n";
