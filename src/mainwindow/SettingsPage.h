#pragma once

#include "mainwindow/Widgets.h"

#include <QWidget>

class frmMain;
class QCheckBox;
class QComboBox;
class QLineEdit;

// The "&Settings" page.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPage(frmMain& main);

    void LoadSettings();
    // Stores the page's settings; false when nothing was stored.
    bool SaveSettings();

    QLineEdit* txtInitMiles() const { return m_txtInitMiles; }
    QLabel* lblDisplayUnit() const { return m_lblDisplayUnit; }
    QComboBox* cmbUnit() const { return m_cmbUnit; }
    QComboBox* cmbCur() const { return m_cmbCur; }
    QCheckBox* chkOnTop() const { return m_chkOnTop; }
    QCheckBox* chkMinSystray() const { return m_chkMinSystray; }
    QCheckBox* chkStartup() const { return m_chkStartup; }
    Widgets::Button* btnDone() const { return m_btnDone; }
    Widgets::Button* btnCancel() const { return m_btnCancel; }

private:
    frmMain& m_main;
    QLineEdit* m_txtInitMiles = nullptr;
    QLabel* m_lblDisplayUnit = nullptr;
    QComboBox* m_cmbUnit = nullptr;
    QComboBox* m_cmbCur = nullptr;
    QCheckBox* m_chkOnTop = nullptr;
    QCheckBox* m_chkMinSystray = nullptr;
    QCheckBox* m_chkStartup = nullptr;
    Widgets::Button* m_btnDone = nullptr;
    Widgets::Button* m_btnCancel = nullptr;
};
