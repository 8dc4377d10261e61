#pragma once

#include "mainwindow/ChartsTab.h"

#include <QByteArray>
#include <QWidget>

#include <optional>

class frmMain;
class LogTableModel;
class QCheckBox;
class QFileSystemWatcher;
class QTabWidget;
class QTableView;
class QTimer;
class ReminderTableModel;

// The car's dated history: the four logs as tables, newest first, the charts, and what
// falls due when. It follows the data file: whatever changes the file (an action of the
// main window, a restore), the open window shows what the file holds.
class frmLogbook : public QWidget {
    Q_OBJECT
public:
    enum class Page { FillUps, Expenses, Services, Readings, Charts, Reminders };

    explicit frmLogbook(frmMain& main);

    // Shows the window in front on this page.
    void showPage(Page page);
    // Reads the logs again and fills every page, units and currency as the settings have them.
    void reload();

    QTabWidget* tabLogbook() const { return m_tabLogbook; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTableView* table(const char* name, LogTableModel* model);
    // The reminder list, and whether to be told of it at start.
    QWidget* buildReminders();
    void onRemindAtStartToggled(bool remind);
    // After the data file's folder changed: a reload when the file's bytes did.
    void followDataFile();

    frmMain& m_main;
    QTabWidget* m_tabLogbook = nullptr;
    LogTableModel* m_fuel = nullptr;
    LogTableModel* m_expenses = nullptr;
    LogTableModel* m_services = nullptr;
    LogTableModel* m_readings = nullptr;
    std::optional<ChartsTab> m_charts;
    ReminderTableModel* m_reminders = nullptr;
    QCheckBox* m_chkRemindAtStart = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_follow = nullptr;
    QByteArray m_shown; // the data file as the pages show it
    bool m_fitted = false;
};
