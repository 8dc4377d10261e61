#pragma once

#include <QMainWindow>

class Forms;

// The main window. (For now a plain shell: the pages come next.)
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(Forms& forms);
    ~frmMain() override;

    // The set-up that runs when the window is loaded.
    void load();
    // "/s": loaded but not shown; it waits in the notification area.
    void hideToTrayAtStart();

    QString Action() const { return m_action; }
    void setAction(const QString& action) { m_action = action; }

private:
    Forms& m_forms;
    QString m_action;
};
