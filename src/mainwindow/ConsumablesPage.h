#pragma once

#include "domain/ConsumablePanel.h"
#include "mainwindow/Widgets.h"

#include <QList>
#include <QWidget>

class DateBox;
class frmMain;
class QLineEdit;
class QTreeWidget;

// The "&Consumables" page: the list of consumables and its detail panel.
class ConsumablesPage : public QWidget {
    Q_OBJECT
public:
    explicit ConsumablesPage(frmMain& main);

    // Rebuilds lstConsumables from the data file (and empties lstStatus when no
    // consumables are stored).
    void LoadConsumables();
    // LoadConsumables and the status list's AnalyzeConsumables over one reading of the items.
    void ReloadConsumables();

    QTreeWidget* lstConsumables() const { return m_lstConsumables; }
    QLineEdit* txtItemName() const { return m_txtItemName; }
    QLineEdit* txtLastChanged() const { return m_txtLastChanged; }
    QLineEdit* txtChangeAfter() const { return m_txtChangeAfter; }
    DateBox* dtpChangedOn() const { return m_dtpChangedOn; }
    QLineEdit* txtChangeMonths() const { return m_txtChangeMonths; }
    Widgets::Button* btnConsumableAdd() const { return m_btnAdd; }
    Widgets::Button* btnConsumableEdit() const { return m_btnEdit; }
    Widgets::Button* btnConsumableSave() const { return m_btnSave; }
    Widgets::Button* btnConsumableDel() const { return m_btnDel; }
    const QList<QLabel*>& lblDisplayUnit() const { return m_lblDisplayUnit; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One builder per frame, called in the order the page shows them: the order in
    // which the controls are made is also their tab order.
    QWidget* buildDatabaseFrame();
    QWidget* buildAddNewFrame();
    QWidget* buildControlsFrame();
    // The key filters, event filter and click handlers of the built controls.
    void connectControls();

    // The detail panel as its controls show it, and back.
    ConsumablePanelState panelState() const;
    void apply(ConsumablePanelOutcome outcome);
    std::string readingText() const;
    std::string unitName() const;

    void onDoubleClick();
    void onAddClick();
    void onEditClick();
    void onDeleteClick();
    void onSaveClick();

    frmMain& m_main;
    ConsumablePanel m_panel;
    QTreeWidget* m_lstConsumables = nullptr;
    QLineEdit* m_txtItemName = nullptr;
    QLineEdit* m_txtLastChanged = nullptr;
    QLineEdit* m_txtChangeAfter = nullptr;
    DateBox* m_dtpChangedOn = nullptr;
    QLineEdit* m_txtChangeMonths = nullptr;
    Widgets::Button* m_btnAdd = nullptr;
    Widgets::Button* m_btnEdit = nullptr;
    Widgets::Button* m_btnSave = nullptr;
    Widgets::Button* m_btnDel = nullptr;
    QList<QLabel*> m_lblDisplayUnit;
};
