#pragma once

#include "datafile/DailyBackups.h"
#include "mainwindow/Widgets.h"

#include <QDialog>

#include <vector>

class frmMain;
class QTreeWidget;

// The data file's back-ups, newest first, with what each holds; the chosen one replaces
// the data file (the present file is kept as a back-up too) and the main window shows it
// as its set-up does. A back-up that cannot be read as a data file cannot be restored.
class frmRestore : public QDialog {
    Q_OBJECT
public:
    explicit frmRestore(frmMain& main);

    QTreeWidget* lstBackups() const { return m_lstBackups; }

private:
    struct Listed {
        DailyBackups::Backup backup;
        bool readable = false;
    };
    void fill();
    const Listed* chosen() const;
    void onRestoreClick();

    frmMain& m_main;
    std::vector<Listed> m_backups;
    QTreeWidget* m_lstBackups = nullptr;
    Widgets::Button* m_btnRestore = nullptr;
    Widgets::Button* m_btnClose = nullptr;
};
