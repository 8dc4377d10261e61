#pragma once

#include "mainwindow/Widgets.h"

#include <QWidget>

class frmMain;
class QLineEdit;
class QTreeWidget;

// The "&Main" page: the status of the consumables and the current reading.
class MainPage : public QWidget {
    Q_OBJECT
public:
    explicit MainPage(frmMain& main);

    void AnalyzeConsumables();

    QTreeWidget* lstStatus() const { return m_lstStatus; }
    QLineEdit* txtMiles() const { return m_txtMiles; }
    Widgets::Button* btnConfirm() const { return m_btnConfirm; }
    QLabel* lblDisplayUnit() const { return m_lblDisplayUnit; }

private:
    frmMain& m_main;
    QTreeWidget* m_lstStatus = nullptr;
    QLineEdit* m_txtMiles = nullptr;
    Widgets::Button* m_btnConfirm = nullptr;
    QLabel* m_lblDisplayUnit = nullptr;
};
