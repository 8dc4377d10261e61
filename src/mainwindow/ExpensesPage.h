#pragma once

#include "domain/ExpenseEditor.h"
#include "domain/ExpenseList.h"
#include "mainwindow/Widgets.h"

#include <QWidget>

#include <optional>
#include <string>

class AppContext;
class frmMain;
class QAction;
class QLineEdit;
class QTreeWidget;

// The "Car E&xpenses" page: the expense categories with their totals, and the
// editor that creates, adds to, corrects and deletes them.
class ExpensesPage : public QWidget {
    Q_OBJECT
public:
    explicit ExpensesPage(frmMain& main);

    // Rebuilds lstMisc from the data file and stores the grand total of expenses.
    void LoadMiscList();
    // Shows a fill of the list made elsewhere (the settings fill it as they load).
    void showMiscList(MiscListFill fill);

    // The list's tag: the "icur" number of the last fill, which the double-click selects.
    QString miscTag() const;

    QTreeWidget* lstMisc() const { return m_lstMisc; }
    QLineEdit* txtCatName() const { return m_txtCatName; }
    QLineEdit* txtExpences() const { return m_txtExpences; }
    QLabel* lblMiscCur() const { return m_lblMiscCur; }
    Widgets::Button* btnMiscEdit() const { return m_btnMiscEdit; }
    Widgets::Button* btnMiscSave() const { return m_btnMiscSave; }
    Widgets::Button* btnMiscDelete() const { return m_btnMiscDelete; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One builder per frame, called in the order the page shows them: the order in
    // which the controls are made is also their tab order.
    QWidget* buildMiscDatabaseFrame();
    QWidget* buildMiscDetailsFrame();
    QWidget* buildMiscControlsFrame();
    // The key filter, event filters and handlers of the built controls.
    void connectControls();

    AppContext& context();
    std::optional<std::string> selectedRowText() const;

    void onListDoubleClick();
    // A mouse button released over btnMiscEdit: the pop-up menu, or the end of an edit.
    void onEditMouseUp();
    void connectPopupMenu();
    void startEdit(MiscMenuItem item);
    void showEditorView(const MiscEditorView& view);
    void onSaveClick();
    void onDeleteClick();

    frmMain& m_main;
    ExpenseList m_expenseList;
    ExpenseEditor m_editor;
    QTreeWidget* m_lstMisc = nullptr;
    QLineEdit* m_txtCatName = nullptr;
    QLineEdit* m_txtExpences = nullptr;
    QLabel* m_lblMiscCur = nullptr;
    Widgets::Button* m_btnMiscEdit = nullptr;
    Widgets::Button* m_btnMiscSave = nullptr;
    Widgets::Button* m_btnMiscDelete = nullptr;
    QAction* m_mnuMiscAddExp = nullptr;
    QAction* m_mnuMiscEdit = nullptr;
    QAction* m_mnuMiscAddCat = nullptr;
};
