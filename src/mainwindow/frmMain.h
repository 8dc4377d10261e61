#pragma once

#include "tray/frmSysTray.h"

#include <QMainWindow>
#include <QPointer>

#include <optional>

class AppContext;
class ConsumablesPage;
class ExpensesPage;
class FuelPage;
class MainPage;
class ProgramShell;
class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class SettingsPage;

// The application's one working window: the header, the five pages, the menus and
// the notification-area icon with its menu.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* WebPage = "https://wheelbook.org/";
    static constexpr const char* HelpFileName = "Reference.chm";

    frmMain(AppContext& context, ProgramShell& shell);
    ~frmMain() override;

    // The set-up that runs when the window is loaded.
    void load();
    // "/s": loaded but not shown; it waits in the notification area.
    void hideToTrayAtStart();

    QString Action() const { return m_action; }
    void setAction(const QString& action) { m_action = action; }

    AppContext& context() { return m_context; }
    QTabWidget* tabMain() const { return m_tabMain; }
    MainPage* mainPage() const { return m_mainPage; }
    ConsumablesPage* consumablesPage() const { return m_consumablesPage; }
    ExpensesPage* expensesPage() const { return m_expensesPage; }
    FuelPage* fuelPage() const { return m_fuelPage; }
    SettingsPage* settingsPage() const { return m_settingsPage; }
    frmSysTray* oSysTray() const { return m_oSysTray; }
    QMenu* mnuPopupMiscAdd() const { return m_mnuPopupMiscAdd; }

    // Hides the window to the notification area (or minimises it where there is none).
    void minimizeToTray();
    // The tray and menu commands, by key: "show", "help", "visit", "about", "close".
    void runCommand(const QString& key);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    // Every list and figure from the data file, as the set-up shows them.
    void showDataFile();
    void buildTray();
    void onMenuClick(int index, const QString& key);
    void onSysTrayDoubleClick(int button);
    void onSysTrayMouseUp(int button);
    bool hasNotificationArea() const;

    AppContext& m_context;
    ProgramShell& m_shell;
    QString m_action;
    QTabWidget* m_tabMain = nullptr;
    MainPage* m_mainPage = nullptr;
    ConsumablesPage* m_consumablesPage = nullptr;
    ExpensesPage* m_expensesPage = nullptr;
    FuelPage* m_fuelPage = nullptr;
    SettingsPage* m_settingsPage = nullptr;
    QAction* m_mnuWebLink = nullptr;
    QMenu* m_mnuPopupMiscAdd = nullptr;
    QPointer<frmSysTray> m_oSysTray;
};
