#pragma once

#include "domain/ListRow.h"
#include "mainwindow/Widgets.h"

#include <QWidget>

#include <vector>

class frmMain;
class QLineEdit;
class QTreeWidget;

// The "&Main" page: the status of the consumables and the current reading.
class MainPage : public QWidget {
    Q_OBJECT
public:
    explicit MainPage(frmMain& main);

    // Rebuilds lstStatus from the stored consumables, judged against txtMiles' text.
    void AnalyzeConsumables();
    // Replaces lstStatus' rows.
    void setStatusRows(std::vector<ListRow> rows);

    QTreeWidget* lstStatus() const { return m_lstStatus; }
    QLineEdit* txtMiles() const { return m_txtMiles; }
    Widgets::Button* btnConfirm() const { return m_btnConfirm; }
    QLabel* lblDisplayUnit() const { return m_lblDisplayUnit; }

private:
    // One builder per frame, called in the order the page shows them: the order in
    // which the controls are made is also their tab order.
    QWidget* buildStatusFrame();
    QWidget* buildCurrentMilesFrame();
    // Inside fmCurrentMiles.
    QWidget* buildMilesFrame(QWidget* parent);
    QWidget* buildAnalyseFrame(QWidget* parent);
    // The key filter and click handler of the built controls.
    void connectControls();

    // "&Analyze now!": stores the reading, then the analysis and the statistics.
    void onConfirmClick();

    frmMain& m_main;
    QTreeWidget* m_lstStatus = nullptr;
    QLineEdit* m_txtMiles = nullptr;
    Widgets::Button* m_btnConfirm = nullptr;
    QLabel* m_lblDisplayUnit = nullptr;
};
