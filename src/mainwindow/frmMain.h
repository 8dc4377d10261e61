#pragma once

#include "mainwindow/frmLogbook.h"
#include "tray/frmSysTray.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <optional>

class AppContext;
class ConsumablesPage;
class DesktopNotifier;
class ExpensesPage;
class FuelPage;
class MainPage;
class ProgramShell;
class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class SettingsPage;
class frmRestore;

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
    // After the set-up at start: the notice of what is due, when one is due today,
    // through the desktop's notifications, else the tray icon's balloon, else nowhere.
    // Activating it shows the window on the "&Main" tab.
    void remindAtStart();
    // Where the notice goes first (the window keeps it); the session bus's notification
    // service unless set.
    void setDesktopNotifier(DesktopNotifier* notifier);

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

    // Every list and figure from the data file, as the set-up shows them (and the open
    // logbook with them).
    void showDataFile();

    // The logbook window, opened or brought to the front on this page.
    void openLogbook(frmLogbook::Page page);
    frmLogbook* logbook() const { return m_logbook; }
    // "&Export to CSV ...": the folder question, then the export and its message.
    void exportToCsv();
    // Where the export goes; empty when the user cancels. A folder dialog unless set.
    void setExportFolderQuestion(std::function<QString()> question) { m_exportFolder = std::move(question); }
    void openRestore();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildTray();
    void onMenuClick(int index, const QString& key);
    void onSysTrayDoubleClick(int button);
    void onSysTrayMouseUp(int button);
    // The window shown and in front, as the tray's double-click brings it; a notice
    // brings it on the "&Main" tab.
    void showFromTray();
    void showForNotice();
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
    DesktopNotifier* m_notifier = nullptr;
    bool m_noticeInBalloon = false; // the balloon up is the notice
    QPointer<frmLogbook> m_logbook;
    QPointer<frmRestore> m_restore;
    std::function<QString()> m_exportFolder;
};
