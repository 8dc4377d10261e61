#pragma once

#include "domain/AppSettings.h"
#include "mainwindow/Widgets.h"

#include <QWidget>

#include <memory>

class AppContext;
class frmMain;
class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class StartupRegistry;

// The "&Settings" page: the reading at installation, the unit, the currency, and the
// start-at-log-in, tray and on-top choices.
class SettingsPage : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPage(frmMain& main);
    ~SettingsPage() override;

    // Puts the stored settings into the page and their captions on the other pages,
    // mirrors the start-at-log-in entry, refills the lists and shows tab "&Main".
    void LoadSettings();
    // LoadSettings without its analysis: the window's set-up runs the analysis itself
    // once the settings are shown, so that lstStatus is filled once.
    void loadSettingsForSetUp();
    // Stores the page's settings, applies the on-top choice, mirrors the start-at-log-in
    // entry, refills the lists and shows tab "&Fuel and Statistics". False when nothing
    // was stored (a message has said why).
    bool SaveSettings();

    // The entry of the currency list that cmbCur shows, or -1 when its text is not the
    // selected entry's (typed over, pasted or emptied).
    int currencySelection() const;

    QLineEdit* txtInitMiles() const { return m_txtInitMiles; }
    QLabel* lblDisplayUnit() const { return m_lblDisplayUnit; }
    QComboBox* cmbUnit() const { return m_cmbUnit; }
    QComboBox* cmbCur() const { return m_cmbCur; }
    QCheckBox* chkOnTop() const { return m_chkOnTop; }
    QCheckBox* chkMinSystray() const { return m_chkMinSystray; }
    QCheckBox* chkStartup() const { return m_chkStartup; }
    Widgets::Button* btnDone() const { return m_btnDone; }
    Widgets::Button* btnCancel() const { return m_btnCancel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One builder per frame, called in the order the page shows them: the order in
    // which the controls are made is also their tab order.
    QWidget* buildInitCarMilesFrame();
    QWidget* buildOtherSettingsFrame();
    QWidget* buildApplicationSettingsFrame();
    QWidget* buildSettingsControlsFrame();
    // The key filters, event filters and handlers of the built controls.
    void connectControls();

    AppContext& context();
    StartupRegistry& startupRegistry();
    SettingsForm form() const;
    // The stored settings on the page, their captions and the expense list they fill;
    // returns the tab to show.
    int showStoredSettings();
    void showForm(const SettingsForm& form);
    void showCaptions(const SettingsCaptions& captions);
    void onStartupToggled(bool checked);
    // The type-ahead of cmbCur; true when the key is dropped.
    bool currencyKeyPress(const QKeyEvent* event);

    frmMain& m_main;
    // Stands in where the program keeps no start-at-log-in entry.
    std::unique_ptr<StartupRegistry> m_noStartupEntry;
    int m_startupState = 0;
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
