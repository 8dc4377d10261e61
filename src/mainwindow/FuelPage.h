#pragma once

#include "domain/FuelTotalEditor.h"
#include "domain/RightLeftGesture.h"
#include "domain/Statistics.h"
#include "mainwindow/Widgets.h"

#include <QWidget>

class frmMain;
class QKeyEvent;
class QLineEdit;

// The "&Fuel and Statistics" page: fill-ups, the fuel total and the statistics.
class FuelPage : public QWidget {
    Q_OBJECT
public:
    explicit FuelPage(frmMain& main);

    // Recomputes the four figures from the stored totals and the confirmed reading.
    void ShowStatistics();
    // Shows figures computed elsewhere.
    void showStatisticsCaptions(const StatisticsCaptions& captions);

    QLineEdit* txtFuelFilled() const { return m_txtFuelFilled; }
    QLineEdit* txtFuelCost() const { return m_txtFuelCost; }
    QLabel* lblFuelFilledMiles() const { return m_lblFuelFilledMiles; }
    QLabel* lblFuelCur() const { return m_lblFuelCur; }
    QLabel* lblDisplayUnit() const { return m_lblDisplayUnit; }
    Widgets::Button* btnFuelAnalyze() const { return m_btnFuelAnalyze; }
    QLineEdit* txtFuelTotal() const { return m_txtFuelTotal; }
    QLabel* lblFuelTotal() const { return m_lblFuelTotal; }
    QLabel* lblTotalExpense() const { return m_lblTotalExpense; }
    QLabel* lblTotalDistance() const { return m_lblTotalDistance; }
    QLabel* lblFuelCostPerKm() const { return m_lblFuelCostPerKm; }
    QLabel* lblFuelAvgPer100() const { return m_lblFuelAvgPer100; }
    QLabel* lblCostPerKm() const { return m_lblCostPerKm; }
    QLabel* lblAvgPer100() const { return m_lblAvgPer100; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One builder per frame, called in the order the page shows them: the order in
    // which the controls are made is also their tab order.
    QWidget* buildFuelInputFrame();
    QWidget* buildFuelControlsFrame();
    QWidget* buildFuelStatsFrame();
    // Inside fmFuelStats.
    QWidget* buildPerformanceFrame(QWidget* parent);
    // The key filters, event filters and click handlers of the built controls.
    void connectControls();

    // "Update Fuel Info".
    void onFuelAnalyzeClick();
    // The fuel total's in-place editor over lblFuelTotal.
    void openFuelTotalEditor();
    bool fuelTotalKeyPress(QKeyEvent* event);
    void closeFuelTotalEditor(const FuelTotalEditor::Closing& closing);
    FuelTotalEditor::StatisticsView statisticsView() const;
    // The right-then-left gesture on lblFuelCostPerKm.
    void costPerKmMouse(QEvent* event);

    frmMain& m_main;
    FuelTotalEditor m_fuelTotalEditor;
    RightLeftGesture m_gesture;
    QLineEdit* m_txtFuelFilled = nullptr;
    QLineEdit* m_txtFuelCost = nullptr;
    QLabel* m_lblFuelFilledMiles = nullptr;
    QLabel* m_lblFuelCur = nullptr;
    QLabel* m_lblDisplayUnit = nullptr;
    Widgets::Button* m_btnFuelAnalyze = nullptr;
    QLineEdit* m_txtFuelTotal = nullptr;
    QLabel* m_lblFuelTotal = nullptr;
    QLabel* m_lblTotalExpense = nullptr;
    QLabel* m_lblTotalDistance = nullptr;
    QLabel* m_lblFuelCostPerKm = nullptr;
    QLabel* m_lblFuelAvgPer100 = nullptr;
    QLabel* m_lblCostPerKm = nullptr;
    QLabel* m_lblAvgPer100 = nullptr;
};
