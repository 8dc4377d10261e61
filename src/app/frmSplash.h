#pragma once

#include <QTimer>
#include <QWidget>

class Forms;
class QLabel;

// The splash window: the product's picture and a one-line notice, shown for two
// seconds at start-up (then the main window opens) and as the About box.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(Forms& forms);

    // When yes, the splash closes without showing the main window.
    bool No_FrmMain() const { return m_noFrmMain; }
    void setNo_FrmMain(bool value) { m_noFrmMain = value; }

    QTimer& tmrSplash() { return m_timer; }

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void tmrSplashTimer();

    Forms& m_forms;
    QTimer m_timer;
    bool m_noFrmMain = false;
    bool m_started = false;
};
