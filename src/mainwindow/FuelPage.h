#pragma once

#include "mainwindow/Widgets.h"

#include <QWidget>

class frmMain;
class QLineEdit;

// The "&Fuel and Statistics" page: fill-ups, the fuel total and the statistics.
class FuelPage : public QWidget {
    Q_OBJECT
public:
    explicit FuelPage(frmMain& main);

    void ShowStatistics();

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

private:
    frmMain& m_main;
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
