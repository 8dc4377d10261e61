#pragma once

#include "mainwindow/Widgets.h"

#include <QList>
#include <QWidget>

class frmMain;
class QLineEdit;
class QTreeWidget;

// The "&Consumables" page: the list of consumables and its detail panel.
class ConsumablesPage : public QWidget {
    Q_OBJECT
public:
    explicit ConsumablesPage(frmMain& main);

    void LoadConsumables();

    QTreeWidget* lstConsumables() const { return m_lstConsumables; }
    QLineEdit* txtItemName() const { return m_txtItemName; }
    QLineEdit* txtLastChanged() const { return m_txtLastChanged; }
    QLineEdit* txtChangeAfter() const { return m_txtChangeAfter; }
    Widgets::Button* btnConsumableAdd() const { return m_btnAdd; }
    Widgets::Button* btnConsumableEdit() const { return m_btnEdit; }
    Widgets::Button* btnConsumableSave() const { return m_btnSave; }
    Widgets::Button* btnConsumableDel() const { return m_btnDel; }
    const QList<QLabel*>& lblDisplayUnit() const { return m_lblDisplayUnit; }

private:
    frmMain& m_main;
    QTreeWidget* m_lstConsumables = nullptr;
    QLineEdit* m_txtItemName = nullptr;
    QLineEdit* m_txtLastChanged = nullptr;
    QLineEdit* m_txtChangeAfter = nullptr;
    Widgets::Button* m_btnAdd = nullptr;
    Widgets::Button* m_btnEdit = nullptr;
    Widgets::Button* m_btnSave = nullptr;
    Widgets::Button* m_btnDel = nullptr;
    QList<QLabel*> m_lblDisplayUnit;
};
