#pragma once

#include "mainwindow/Widgets.h"

#include <QWidget>

class frmMain;
class QAction;
class QLineEdit;
class QMenu;
class QTreeWidget;

// The "Car E&xpenses" page: the expense categories and their editor.
class ExpensesPage : public QWidget {
    Q_OBJECT
public:
    explicit ExpensesPage(frmMain& main);

    void LoadMiscList();

    QTreeWidget* lstMisc() const { return m_lstMisc; }
    QLineEdit* txtCatName() const { return m_txtCatName; }
    QLineEdit* txtExpences() const { return m_txtExpences; }
    QLabel* lblMiscCur() const { return m_lblMiscCur; }
    Widgets::Button* btnMiscEdit() const { return m_btnMiscEdit; }
    Widgets::Button* btnMiscSave() const { return m_btnMiscSave; }
    Widgets::Button* btnMiscDelete() const { return m_btnMiscDelete; }

private:
    frmMain& m_main;
    QTreeWidget* m_lstMisc = nullptr;
    QLineEdit* m_txtCatName = nullptr;
    QLineEdit* m_txtExpences = nullptr;
    QLabel* m_lblMiscCur = nullptr;
    Widgets::Button* m_btnMiscEdit = nullptr;
    Widgets::Button* m_btnMiscSave = nullptr;
    Widgets::Button* m_btnMiscDelete = nullptr;
};
