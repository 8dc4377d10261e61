#include "mainwindow/FuelPage.h"

#include "controls/UiFont.h"
#include "domain/AppContext.h"
#include "domain/FuelEntry.h"
#include "mainwindow/ExpensesPage.h"
#include "mainwindow/KeyFilter.h"
#include "mainwindow/ListRows.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/frmMain.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>
#include <QVBoxLayout>

FuelPage::FuelPage(frmMain& main)
    : m_main(main)
{
    setObjectName(QStringLiteral("pageFuel"));
    setFont(uiFont()); // before its controls, which then have it from the page
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    auto* top = new QHBoxLayout;
    top->addWidget(buildFuelInputFrame(), 1);
    top->addWidget(buildFuelControlsFrame());
    layout->addLayout(top);
    layout->addWidget(buildFuelStatsFrame(), 1);
    connectControls();
}

QWidget* FuelPage::buildFuelInputFrame()
{
    auto* fmFuelInput = Widgets::frame(this, "fmFuelInput", QStringLiteral("Fuel usage and cost"));
    auto* input = new QGridLayout(fmFuelInput);
    input->setContentsMargins(6, 2, 6, 4);
    input->setVerticalSpacing(2);
    input->addWidget(Widgets::label(fmFuelInput, "lblFuelFilled",
                         QStringLiteral("Total fuel quantity filled in the car (Litters/Gallons):")),
        0, 0);
    m_txtFuelFilled = Widgets::textBox(
        fmFuelInput, "txtFuelFilled", QStringLiteral("Specify how many litters of Fuel you filled in your Car ..."));
    m_txtFuelFilled->setFixedWidth(90);
    input->addWidget(m_txtFuelFilled, 0, 1);
    input->addWidget(Widgets::label(fmFuelInput, "Label5", QStringLiteral("Cost of Fuel:")), 1, 0);
    m_txtFuelCost = Widgets::textBox(
        fmFuelInput, "txtFuelCost", QStringLiteral("Specify How much you paid for the Fuel you filled in Car ..."));
    m_txtFuelCost->setFixedWidth(90);
    input->addWidget(m_txtFuelCost, 1, 1);
    m_lblFuelCur = Widgets::label(fmFuelInput, "lblFuelCur", QStringLiteral("USD"));
    input->addWidget(m_lblFuelCur, 1, 2);
    input->addWidget(
        Widgets::label(fmFuelInput, "Label3", QStringLiteral("Car mileage when fuel was last filled:")), 2, 0);
    m_lblFuelFilledMiles = Widgets::label(fmFuelInput, "lblFuelFilledMiles", QStringLiteral("0"));
    m_lblFuelFilledMiles->setToolTip(
        QStringLiteral("Reading of Car-Run when you filled Fuel in your Car. You may change this value from Main Tab. "
                       "Don't Forget to click \"Analyze now\" button."));
    input->addWidget(m_lblFuelFilledMiles, 2, 1);
    m_lblDisplayUnit = Widgets::label(fmFuelInput, "lblDisplayUnit", QStringLiteral("Km"));
    input->addWidget(m_lblDisplayUnit, 2, 2);
    return fmFuelInput;
}

QWidget* FuelPage::buildFuelControlsFrame()
{
    auto* fmFuelControls = Widgets::frame(this, "fmFuelControls");
    auto* controls = new QVBoxLayout(fmFuelControls);
    controls->setContentsMargins(6, 6, 6, 6);
    m_btnFuelAnalyze = Widgets::button(fmFuelControls, "btnFuelAnalyze", QStringLiteral("Update Fuel Info"),
        QStringLiteral("Click to Update Fuel Info ..."));
    m_btnFuelAnalyze->setFixedWidth(110);
    controls->addStretch(1);
    controls->addWidget(m_btnFuelAnalyze);
    controls->addStretch(1);
    return fmFuelControls;
}

QWidget* FuelPage::buildFuelStatsFrame()
{
    auto* fmFuelStats = Widgets::frame(this, "fmFuelStats", QStringLiteral("Fuel Statistics ... "));
    auto* stats = new QVBoxLayout(fmFuelStats);
    stats->setContentsMargins(6, 2, 6, 4);
    stats->setSpacing(2);
    auto* totalRow = new QHBoxLayout;
    totalRow->addWidget(Widgets::label(fmFuelStats, "lblTotalFuelFilled",
        QStringLiteral("Fuel Filled since Installation of Wheelbook (doubleclick to edit):")));
    auto* totalCell = new QWidget(fmFuelStats);
    totalCell->setFixedSize(120, 22);
    m_lblFuelTotal = Widgets::label(totalCell, "lblFuelTotal", QStringLiteral("0 Litters"));
    m_lblFuelTotal->setGeometry(0, 0, 120, 22);
    m_txtFuelTotal = Widgets::textBox(totalCell, "txtFuelTotal");
    m_txtFuelTotal->hide();
    totalRow->addWidget(totalCell);
    totalRow->addStretch(1);
    stats->addLayout(totalRow);
    stats->addWidget(buildPerformanceFrame(fmFuelStats));
    auto* hint = Widgets::label(fmFuelStats, "Label6",
        QStringLiteral("Hold the right mouse button on the cost per distance and click the left "
                       "one\nto open Car Expenses."));
    hint->setFont(uiFont(7));
    hint->setStyleSheet(QStringLiteral("color: #555;"));
    stats->addWidget(hint);
    return fmFuelStats;
}

QWidget* FuelPage::buildPerformanceFrame(QWidget* parent)
{
    auto* fmPerformance
        = Widgets::frame(parent, "fmPerformance", QStringLiteral("Car Expenses and Fuel Usage Statistics "));
    auto* figures = new QGridLayout(fmPerformance);
    figures->setContentsMargins(6, 2, 6, 4);
    figures->setVerticalSpacing(2);
    figures->setColumnStretch(1, 1);
    m_lblCostPerKm = Widgets::label(fmPerformance, "lblCostPerKm", QStringLiteral("Average car cost per Km/Mile :"));
    m_lblAvgPer100
        = Widgets::label(fmPerformance, "lblAvgPer100", QStringLiteral("Average Fuel usage per 100 Km/Miles :"));
    m_lblTotalExpense = Widgets::label(fmPerformance, "lblTotalExpense", QStringLiteral("0  USD"));
    m_lblTotalDistance = Widgets::label(fmPerformance, "lblTotalDistance", QStringLiteral("0 Km"));
    m_lblFuelCostPerKm = Widgets::label(fmPerformance, "lblFuelCostPerKm", QStringLiteral("0 USD"));
    m_lblFuelAvgPer100 = Widgets::label(fmPerformance, "lblFuelAvgPer100", QStringLiteral("0 Litters"));
    QLabel* captions[] = {Widgets::label(fmPerformance, "lblTotalExpenses", QStringLiteral("Total expenses :")),
        Widgets::label(fmPerformance, "lblDistanceTraveled", QStringLiteral("Total distance traveled :")),
        m_lblCostPerKm, m_lblAvgPer100};
    QLabel* values[] = {m_lblTotalExpense, m_lblTotalDistance, m_lblFuelCostPerKm, m_lblFuelAvgPer100};
    for (int row = 0; row < 4; ++row) {
        figures->addWidget(captions[row], row, 0);
        values[row]->setFont(uiFont(8.25, true));
        figures->addWidget(values[row], row, 1);
    }
    return fmPerformance;
}

void FuelPage::connectControls()
{
    KeyFilter::install(m_txtFuelFilled, FuelEntry::fuelBoxKeeps);
    KeyFilter::install(m_txtFuelCost, FuelEntry::fuelBoxKeeps);
    KeyFilter::install(m_txtFuelTotal, FuelTotalEditor::keepsKey);
    // Installed after the key filter, so Enter and Esc reach the editor first.
    m_txtFuelTotal->installEventFilter(this);
    m_lblFuelTotal->installEventFilter(this);
    m_lblFuelCostPerKm->installEventFilter(this);
    Widgets::onClick(m_btnFuelAnalyze, [this] { onFuelAnalyzeClick(); });
}

FuelTotalEditor::StatisticsView FuelPage::statisticsView() const
{
    SettingsPage* settings = m_main.settingsPage();
    return {m_lblFuelFilledMiles->text().toStdString(), settings->cmbUnit()->currentText().toStdString(),
        settings->cmbCur()->currentText().toStdString()};
}

void FuelPage::ShowStatistics()
{
    const FuelTotalEditor::StatisticsView view = statisticsView();
    showStatisticsCaptions(::ShowStatistics(m_main.context(), view.readingCaption, view.unitName, view.currency));
}

void FuelPage::showStatisticsCaptions(const StatisticsCaptions& captions)
{
    m_lblTotalExpense->setText(QString::fromStdString(captions.totalExpense));
    m_lblTotalDistance->setText(QString::fromStdString(captions.totalDistance));
    m_lblFuelCostPerKm->setText(QString::fromStdString(captions.fuelCostPerKm));
    m_lblFuelAvgPer100->setText(QString::fromStdString(captions.fuelAvgPer100));
}

void FuelPage::onFuelAnalyzeClick()
{
    const AppContext::Action action(m_main.context());
    FuelInput input;
    input.filled = m_txtFuelFilled->text().toStdString();
    input.cost = m_txtFuelCost->text().toStdString();
    input.reading = m_lblFuelFilledMiles->text().toStdString();
    const FuelUpdate update
        = FuelEntry(m_main.context()).UpdateFuelInfo(input, [this] { return m_main.settingsPage()->SaveSettings(); });
    if (!update.done)
        return;
    m_lblFuelAvgPer100->setText(QString::fromStdString(update.avgPer100));
    m_lblFuelCostPerKm->setText(QString::fromStdString(update.costPerKm));
    m_lblFuelTotal->setText(QString::fromStdString(update.fuelTotal));
    // The update has refilled the expense list already (and stored the total); show that fill.
    m_main.expensesPage()->showMiscList(update.list);
}

void FuelPage::openFuelTotalEditor()
{
    const std::string text = m_fuelTotalEditor.open(m_lblFuelTotal->text().toStdString());
    m_lblFuelTotal->hide();
    m_txtFuelTotal->setGeometry(m_lblFuelTotal->geometry());
    m_txtFuelTotal->setText(QString::fromStdString(text));
    m_txtFuelTotal->show();
    m_txtFuelTotal->selectAll();
    m_txtFuelTotal->setFocus(Qt::MouseFocusReason);
}

bool FuelPage::fuelTotalKeyPress(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        closeFuelTotalEditor(m_fuelTotalEditor.escape());
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const AppContext::Action action(m_main.context());
        const std::string text = m_txtFuelTotal->text().toStdString();
        closeFuelTotalEditor(m_fuelTotalEditor.enter(m_main.context(), text, statisticsView()));
        return true;
    }
    default:
        return false;
    }
}

void FuelPage::closeFuelTotalEditor(const FuelTotalEditor::Closing& closing)
{
    m_txtFuelTotal->clear();
    m_txtFuelTotal->hide();
    m_lblFuelTotal->show();
    if (closing.fuelTotalCaption)
        m_lblFuelTotal->setText(QString::fromStdString(*closing.fuelTotalCaption));
    if (closing.statistics)
        showStatisticsCaptions(*closing.statistics);
}

void FuelPage::costPerKmMouse(QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    const RightLeftGesture::Button button = mouse->button() == Qt::LeftButton ? RightLeftGesture::Button::Left
        : mouse->button() == Qt::RightButton                                  ? RightLeftGesture::Button::Right
                                                                              : RightLeftGesture::Button::Middle;
    if (event->type() == QEvent::MouseButtonPress)
        m_gesture.mouseDown(button);
    else if (m_gesture.mouseUp(button))
        m_main.tabMain()->setCurrentIndex(RightLeftGesture::ExpensesTab);
}

bool FuelPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lblFuelTotal && event->type() == QEvent::MouseButtonDblClick) {
        openFuelTotalEditor();
        return true;
    }
    if (watched == m_lblFuelCostPerKm
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        costPerKmMouse(event);
        return false;
    }
    if (watched == m_txtFuelTotal) {
        if (event->type() == QEvent::KeyPress)
            return fuelTotalKeyPress(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut && m_fuelTotalEditor.isOpen()) {
            // A pop-up menu on the box or another application taking over is not
            // the user leaving the box.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                closeFuelTotalEditor(m_fuelTotalEditor.focusLost());
        }
    }
    return QWidget::eventFilter(watched, event);
}
