#include "mainwindow/SettingsPage.h"

#include "app/UiFont.h"
#include "mainwindow/frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QFrame* line(QWidget* parent, const char* name)
{
    auto* l = new QFrame(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setFont(uiFont());
    return box;
}

} // namespace

SettingsPage::SettingsPage(frmMain& main)
    : m_main(main)
{
    setObjectName(QStringLiteral("pageSettings"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);

    auto* fmInitCarMiles
        = Widgets::frame(this, "fmInitCarMiles", QStringLiteral("Car mileage when Wheelbook was installed"));
    auto* initRow = new QHBoxLayout(fmInitCarMiles);
    m_txtInitMiles = Widgets::textBox(fmInitCarMiles, "txtInitMiles");
    m_txtInitMiles->setMaxLength(9);
    m_lblDisplayUnit = Widgets::label(fmInitCarMiles, "lblDisplayUnit", QStringLiteral("Km"));
    m_lblDisplayUnit->setMinimumWidth(36);
    initRow->addWidget(m_txtInitMiles, 1);
    initRow->addWidget(m_lblDisplayUnit);
    layout->addWidget(fmInitCarMiles, 0, 0);

    auto* fmOtherSettings = Widgets::frame(this, "fmOtherSettings");
    auto* other = new QGridLayout(fmOtherSettings);
    other->addWidget(Widgets::label(fmOtherSettings, "lblUnit", QStringLiteral("Distance measurement unit:")), 0, 0);
    m_cmbUnit = new QComboBox(fmOtherSettings);
    m_cmbUnit->setObjectName(QStringLiteral("cmbUnit"));
    m_cmbUnit->setFont(uiFont());
    m_cmbUnit->addItems({QStringLiteral("Miles"), QStringLiteral("Km")});
    other->addWidget(m_cmbUnit, 0, 1);
    other->addWidget(Widgets::label(fmOtherSettings, "Label2", QStringLiteral("Expense tracking currency:")), 1, 0);
    m_cmbCur = new QComboBox(fmOtherSettings);
    m_cmbCur->setObjectName(QStringLiteral("cmbCur"));
    m_cmbCur->setFont(uiFont());
    m_cmbCur->setEditable(true);
    m_cmbCur->setInsertPolicy(QComboBox::NoInsert);
    m_cmbCur->setToolTip(QStringLiteral("Select Your Currency."));
    other->addWidget(m_cmbCur, 1, 1);
    layout->addWidget(fmOtherSettings, 0, 1);

    auto* fmApplicationSettings = Widgets::frame(this, "fmApplicationSettings", QStringLiteral("Wheelbook Settings"));
    auto* app = new QVBoxLayout(fmApplicationSettings);
    m_chkOnTop = checkBox(
        fmApplicationSettings, "chkOnTop", QStringLiteral("Set Application Window on Top of all open Windows."));
    m_chkMinSystray
        = checkBox(fmApplicationSettings, "chkMinSystray", QStringLiteral("Directly Minimize to System Tray."));
    m_chkStartup
        = checkBox(fmApplicationSettings, "chkStartup", QStringLiteral("Start Application on Windows Startup."));
    app->addWidget(m_chkOnTop);
    app->addWidget(line(fmApplicationSettings, "Line1"));
    app->addWidget(m_chkStartup);
    app->addWidget(line(fmApplicationSettings, "Line2"));
    app->addWidget(m_chkMinSystray);
    app->addStretch(1);
    layout->addWidget(fmApplicationSettings, 1, 0, 1, 2);

    auto* fmSettingsControls = Widgets::frame(this, "fmSettingsControls");
    auto* controls = new QHBoxLayout(fmSettingsControls);
    controls->setContentsMargins(6, 6, 6, 6);
    m_btnDone = Widgets::button(fmSettingsControls, "btnDone", QStringLiteral("Apply && Save"));
    m_btnCancel = Widgets::button(fmSettingsControls, "btnCancel", QStringLiteral("Leave it unchanged"));
    controls->addStretch(1);
    controls->addWidget(m_btnDone);
    controls->addWidget(m_btnCancel);
    layout->addWidget(fmSettingsControls, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);
}

void SettingsPage::LoadSettings() { }

bool SettingsPage::SaveSettings()
{
    return false;
}
