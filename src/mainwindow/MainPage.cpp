#include "mainwindow/MainPage.h"

#include "controls/UiFont.h"
#include "domain/AppContext.h"
#include "domain/Consumables.h"
#include "domain/ReadingKeyFilter.h"
#include "mainwindow/FuelPage.h"
#include "mainwindow/KeyFilter.h"
#include "mainwindow/ListRows.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/frmMain.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

MainPage::MainPage(frmMain& main)
    : m_main(main)
{
    setObjectName(QStringLiteral("pageMain"));
    setFont(uiFont()); // before its controls, which then have it from the page
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buildStatusFrame(), 1);
    layout->addWidget(buildCurrentMilesFrame());
    connectControls();
}

QWidget* MainPage::buildStatusFrame()
{
    auto* fmStatus = Widgets::frame(this, "fmStatus", QStringLiteral("Status of Consumables ... "));
    auto* statusLayout = new QVBoxLayout(fmStatus);
    m_lstStatus
        = Widgets::listView(fmStatus, "lstStatus", {QStringLiteral("Item"), QStringLiteral("Wheelbook Remark")});
    statusLayout->addWidget(m_lstStatus);
    return fmStatus;
}

QWidget* MainPage::buildCurrentMilesFrame()
{
    auto* fmCurrentMiles = Widgets::frame(this, "fmCurrentMiles", QStringLiteral("Enter current car mileage"));
    auto* milesLayout = new QHBoxLayout(fmCurrentMiles);
    QWidget* fmMiles = buildMilesFrame(fmCurrentMiles);
    QWidget* fmAnalyse = buildAnalyseFrame(fmCurrentMiles);
    milesLayout->addWidget(fmMiles, 1);
    milesLayout->addWidget(fmAnalyse);
    return fmCurrentMiles;
}

QWidget* MainPage::buildMilesFrame(QWidget* parent)
{
    auto* fmMiles = Widgets::frame(parent, "fmMiles");
    auto* fmMilesLayout = new QHBoxLayout(fmMiles);
    fmMilesLayout->setContentsMargins(6, 2, 6, 2);
    m_txtMiles = Widgets::textBox(fmMiles, "txtMiles", QStringLiteral("Specify current reading of Car Run ..."));
    m_lblDisplayUnit = Widgets::label(fmMiles, "lblDisplayUnit", QStringLiteral("Km"));
    fmMilesLayout->addWidget(m_txtMiles, 1);
    fmMilesLayout->addWidget(m_lblDisplayUnit);
    return fmMiles;
}

QWidget* MainPage::buildAnalyseFrame(QWidget* parent)
{
    auto* fmAnalyse = Widgets::frame(parent, "fmAnalyse");
    auto* analyseLayout = new QHBoxLayout(fmAnalyse);
    analyseLayout->setContentsMargins(6, 2, 6, 2);
    m_btnConfirm = Widgets::button(fmAnalyse, "btnConfirm", QStringLiteral("&Analyze now!"),
        QStringLiteral("Click to Analyse Status of Car Consumables ..."));
    m_btnConfirm->setFixedWidth(120);
    analyseLayout->addWidget(m_btnConfirm);
    return fmAnalyse;
}

void MainPage::connectControls()
{
    KeyFilter::install(m_txtMiles, keepsReadingKey, ReadingDigits);
    Widgets::onClick(m_btnConfirm, [this] { onConfirmClick(); });
}

void MainPage::AnalyzeConsumables()
{
    auto rows = ::AnalyzeConsumables(m_main.context(), m_txtMiles->text().toStdString(),
        m_main.settingsPage()->cmbUnit()->currentText().toStdString());
    if (rows)
        setStatusRows(std::move(*rows));
}

void MainPage::setStatusRows(std::vector<ListRow> rows)
{
    ListRows::fill(m_lstStatus, std::move(rows));
}

void MainPage::onConfirmClick()
{
    const AppContext::Action action(m_main.context());
    SettingsPage* settings = m_main.settingsPage();
    const AnalyzeNowResult result = AnalyzeNow(m_main.context(), m_txtMiles->text().toStdString(),
        settings->cmbUnit()->currentText().toStdString(), settings->cmbCur()->currentText().toStdString());
    if (result.focusReading)
        m_txtMiles->setFocus();
    if (!result.stored)
        return;
    FuelPage* fuel = m_main.fuelPage();
    fuel->lblFuelFilledMiles()->setText(QString::fromStdString(result.fuelFilledMilesCaption));
    if (result.status)
        setStatusRows(*result.status);
    fuel->showStatisticsCaptions(result.statistics);
}
