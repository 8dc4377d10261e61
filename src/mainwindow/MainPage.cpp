#include "mainwindow/MainPage.h"

#include "mainwindow/frmMain.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

MainPage::MainPage(frmMain& main)
    : m_main(main)
{
    setObjectName(QStringLiteral("pageMain"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);

    auto* fmStatus = Widgets::frame(this, "fmStatus", QStringLiteral("Status of Consumables ... "));
    auto* statusLayout = new QVBoxLayout(fmStatus);
    m_lstStatus
        = Widgets::listView(fmStatus, "lstStatus", {QStringLiteral("Item"), QStringLiteral("Wheelbook Remark")});
    statusLayout->addWidget(m_lstStatus);
    layout->addWidget(fmStatus, 1);

    auto* fmCurrentMiles = Widgets::frame(this, "fmCurrentMiles", QStringLiteral("Enter current car mileage"));
    auto* milesLayout = new QHBoxLayout(fmCurrentMiles);
    auto* fmMiles = Widgets::frame(fmCurrentMiles, "fmMiles");
    auto* fmMilesLayout = new QHBoxLayout(fmMiles);
    fmMilesLayout->setContentsMargins(6, 2, 6, 2);
    m_txtMiles = Widgets::textBox(fmMiles, "txtMiles", QStringLiteral("Specify current reading of Car Run ..."));
    m_txtMiles->setMaxLength(9);
    m_lblDisplayUnit = Widgets::label(fmMiles, "lblDisplayUnit", QStringLiteral("Km"));
    fmMilesLayout->addWidget(m_txtMiles, 1);
    fmMilesLayout->addWidget(m_lblDisplayUnit);
    auto* fmAnalyse = Widgets::frame(fmCurrentMiles, "fmAnalyse");
    auto* analyseLayout = new QHBoxLayout(fmAnalyse);
    analyseLayout->setContentsMargins(6, 2, 6, 2);
    m_btnConfirm = Widgets::button(fmAnalyse, "btnConfirm", QStringLiteral("&Analyze now!"),
        QStringLiteral("Click to Analyse Status of Car Consumables ..."));
    m_btnConfirm->setFixedWidth(120);
    analyseLayout->addWidget(m_btnConfirm);
    milesLayout->addWidget(fmMiles, 1);
    milesLayout->addWidget(fmAnalyse);
    layout->addWidget(fmCurrentMiles);
}

void MainPage::AnalyzeConsumables() { }
