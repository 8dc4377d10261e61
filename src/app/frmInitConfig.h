#pragma once

#include <QWidget>

class Forms;
class QComboBox;
class QLineEdit;
class XPButton;

// The first-run dialog: asks once for the car's reading and the distance unit.
// It cannot be closed without an answer.
class frmInitConfig : public QWidget {
    Q_OBJECT
public:
    explicit frmInitConfig(Forms& forms);

    // The Done action (the button, or Enter in the reading box).
    void done();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Forms& m_forms;
    QLineEdit* m_txtInitMiles = nullptr;
    QComboBox* m_cmbUnit = nullptr;
    XPButton* m_btnDone = nullptr;
    bool m_finished = false;
    bool m_loaded = false;
};
