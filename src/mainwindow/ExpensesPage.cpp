#include "mainwindow/ExpensesPage.h"

#include "controls/UiFont.h"
#include "domain/AppContext.h"
#include "mainwindow/FuelPage.h"
#include "mainwindow/KeyFilter.h"
#include "mainwindow/ListRows.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/frmMain.h"

#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QVBoxLayout>

namespace {

// The list view's own text value, as the list control keeps one.
constexpr const char* kTagProperty = "Tag";

bool isEnterKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// A name with "&" in it would otherwise lose the character to an access key.
QString menuText(const std::string& caption)
{
    return QString::fromStdString(caption).replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

ExpensesPage::ExpensesPage(frmMain& main)
    : m_main(main)
    , m_expenseList(main.context())
    , m_editor(main.context())
{
    setObjectName(QStringLiteral("pageExpenses"));
    setFont(uiFont()); // before its controls, which then have it from the page
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buildMiscDatabaseFrame(), 1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildMiscDetailsFrame());
    right->addWidget(buildMiscControlsFrame());
    right->addStretch(1);
    layout->addLayout(right);
    connectControls();
}

QWidget* ExpensesPage::buildMiscDatabaseFrame()
{
    auto* fmMiscDatabase = Widgets::frame(this, "fmMiscDatabase", QStringLiteral("Car expenses list"));
    auto* databaseLayout = new QVBoxLayout(fmMiscDatabase);
    m_lstMisc = Widgets::listView(fmMiscDatabase, "lstMisc", {QStringLiteral("Category"), QStringLiteral("Expenses")});
    databaseLayout->addWidget(m_lstMisc);
    return fmMiscDatabase;
}

QWidget* ExpensesPage::buildMiscDetailsFrame()
{
    auto* fmMiscDetails = Widgets::frame(this, "fmMiscDetails", QStringLiteral("Expense details"));
    auto* grid = new QGridLayout(fmMiscDetails);
    grid->setVerticalSpacing(4);
    grid->addWidget(Widgets::label(fmMiscDetails, "lblCatName", QStringLiteral("Expense Name:")), 0, 0, 1, 2);
    m_txtCatName = Widgets::textBox(fmMiscDetails, "txtCatName", QStringLiteral("Misc. Category Name."));
    m_txtCatName->setReadOnly(true);
    grid->addWidget(m_txtCatName, 1, 0, 1, 2);
    grid->addWidget(Widgets::label(fmMiscDetails, "Label1", QStringLiteral("Expense value:")), 2, 0, 1, 2);
    m_txtExpences
        = Widgets::textBox(fmMiscDetails, "txtExpences", QStringLiteral("Expences on selected Misc. Category."));
    m_txtExpences->setReadOnly(true);
    grid->addWidget(m_txtExpences, 3, 0);
    m_lblMiscCur = Widgets::label(fmMiscDetails, "lblMiscCur", QStringLiteral("USD"));
    m_lblMiscCur->setMinimumWidth(36);
    grid->addWidget(m_lblMiscCur, 3, 1);
    return fmMiscDetails;
}

QWidget* ExpensesPage::buildMiscControlsFrame()
{
    auto* fmMiscControls = Widgets::frame(this, "fmMiscControls");
    auto* buttons = new QHBoxLayout(fmMiscControls);
    buttons->setContentsMargins(6, 6, 6, 6);
    m_btnMiscEdit = Widgets::button(fmMiscControls, "btnMiscEdit", QStringLiteral("&Add"),
        QStringLiteral("Click to Add New Category or Edit existing category or Add Expences to selected Category."));
    m_btnMiscSave = Widgets::button(
        fmMiscControls, "btnMiscSave", QStringLiteral("&Save"), QStringLiteral("Click to Save Changes ..."));
    m_btnMiscDelete = Widgets::button(fmMiscControls, "btnMiscDelete", QStringLiteral("&Delete"),
        QStringLiteral("Delete Selected Misc. Category from Database."));
    // At start the save is enabled though nothing is being edited; with no mode set it
    // only checks the boxes and returns the page to browsing.
    m_btnMiscSave->setEnabled(true);
    buttons->addWidget(m_btnMiscEdit);
    buttons->addWidget(m_btnMiscSave);
    buttons->addWidget(m_btnMiscDelete);
    return fmMiscControls;
}

void ExpensesPage::connectControls()
{
    m_lstMisc->viewport()->installEventFilter(this);
    KeyFilter::install(m_txtExpences, [](char32_t key) {
        return key < 128 && ExpenseEditor::expencesKey(true, static_cast<int>(key)) != MiscKey::Drop;
    });
    // Installed after the key filter, so Enter is seen here first.
    m_txtCatName->installEventFilter(this);
    m_txtExpences->installEventFilter(this);
    connect(m_btnMiscEdit, &XPButton::MouseUp, this, [this] { onEditMouseUp(); });
    Widgets::onClick(m_btnMiscSave, [this] { onSaveClick(); });
    Widgets::onClick(m_btnMiscDelete, [this] { onDeleteClick(); });
}

AppContext& ExpensesPage::context()
{
    return m_main.context();
}

void ExpensesPage::LoadMiscList()
{
    showMiscList(m_expenseList.LoadMiscList());
}

void ExpensesPage::showMiscList(MiscListFill fill)
{
    if (fill.keepList)
        return;
    ListRows::fill(m_lstMisc, std::move(fill.rows));
    if (fill.tag)
        m_lstMisc->setProperty(kTagProperty, QString::fromStdString(*fill.tag));
}

QString ExpensesPage::miscTag() const
{
    return m_lstMisc->property(kTagProperty).toString();
}

std::optional<std::string> ExpensesPage::selectedRowText() const
{
    const auto row = ListRows::selectedRow(m_lstMisc);
    if (!row)
        return std::nullopt;
    return row->text;
}

bool ExpensesPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lstMisc->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // The first press of the double-click has selected the row by now.
        onListDoubleClick();
        return false;
    }
    if ((watched == m_txtCatName || watched == m_txtExpences) && event->type() == QEvent::KeyPress) {
        auto* box = static_cast<QLineEdit*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isEnterKey(key)) {
            const bool editable = !box->isReadOnly();
            const MiscKey what = box == m_txtCatName ? ExpenseEditor::catNameKey(editable, '\r')
                                                     : ExpenseEditor::expencesKey(editable, '\r');
            if (what == MiscKey::Save) {
                onSaveClick();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ExpensesPage::onListDoubleClick()
{
    const auto row = ListRows::selectedRow(m_lstMisc);
    const auto details = ExpenseList::detailsOf(row ? &*row : nullptr, miscTag().toStdString());
    if (!details)
        return;
    m_txtCatName->setText(QString::fromStdString(details->catName));
    m_txtExpences->setText(QString::fromStdString(details->expences));
    m_main.settingsPage()->cmbCur()->setCurrentIndex(details->currencyIndex);
}

void ExpensesPage::connectPopupMenu()
{
    // The window builds its menus after its pages, so the items are found on first use.
    if (m_mnuMiscAddCat)
        return;
    QMenu* menu = m_main.mnuPopupMiscAdd();
    m_mnuMiscAddExp = menu->findChild<QAction*>(QStringLiteral("mnuMiscAddExp"));
    m_mnuMiscEdit = menu->findChild<QAction*>(QStringLiteral("mnuMiscEdit"));
    m_mnuMiscAddCat = menu->findChild<QAction*>(QStringLiteral("mnuMiscAddCat"));
    connect(m_mnuMiscAddExp, &QAction::triggered, this, [this] { startEdit(MiscMenuItem::AddExpense); });
    connect(m_mnuMiscEdit, &QAction::triggered, this, [this] { startEdit(MiscMenuItem::EditCategory); });
    connect(m_mnuMiscAddCat, &QAction::triggered, this, [this] { startEdit(MiscMenuItem::AddCategory); });
}

void ExpensesPage::onEditMouseUp()
{
    switch (ExpenseEditor::editButtonReleased(Widgets::caption(m_btnMiscEdit).toStdString())) {
    case MiscEditRelease::ShowPopup: {
        connectPopupMenu();
        const MiscPopup popup = ExpenseEditor::popupFor(m_txtCatName->text().toStdString());
        m_mnuMiscAddExp->setEnabled(popup.addExpenseEnabled);
        m_mnuMiscAddExp->setText(menuText(popup.addExpenseCaption));
        m_mnuMiscEdit->setEnabled(popup.editEnabled);
        m_mnuMiscAddCat->setEnabled(true);
        // The chosen item starts its edit before the menu returns. The window may be
        // closed from the tray while the menu is open.
        const QPointer<ExpensesPage> self(this);
        m_main.mnuPopupMiscAdd()->exec(QCursor::pos());
        if (!self)
            return;
        break;
    }
    case MiscEditRelease::CancelEdit:
        showEditorView(ExpenseEditor::browseView());
        break;
    case MiscEditRelease::Nothing:
        break;
    }
    LoadMiscList();
    m_main.fuelPage()->ShowStatistics();
}

void ExpensesPage::startEdit(MiscMenuItem item)
{
    if (const auto view = m_editor.startEdit(item, selectedRowText()))
        showEditorView(*view);
}

void ExpensesPage::showEditorView(const MiscEditorView& view)
{
    if (view.action)
        m_main.setAction(QString::fromStdString(*view.action));
    if (view.currencyIndex)
        m_main.settingsPage()->cmbCur()->setCurrentIndex(*view.currencyIndex);
    Widgets::setCaption(m_btnMiscEdit, QString::fromStdString(view.editCaption));
    m_btnMiscSave->setEnabled(view.saveEnabled);
    m_btnMiscDelete->setEnabled(view.deleteEnabled);
    m_lstMisc->setEnabled(view.listEnabled);
    m_txtCatName->setReadOnly(view.catNameReadOnly);
    m_txtExpences->setReadOnly(view.expencesReadOnly);
    if (view.catName)
        m_txtCatName->setText(QString::fromStdString(*view.catName));
    if (view.expences)
        m_txtExpences->setText(QString::fromStdString(*view.expences));
    if (view.selectAllExpences)
        m_txtExpences->selectAll();
    switch (view.focus) {
    case MiscFocus::CatName:
        m_txtCatName->setFocus();
        break;
    case MiscFocus::Expences:
        m_txtExpences->setFocus();
        break;
    case MiscFocus::None:
        break;
    }
}

void ExpensesPage::onSaveClick()
{
    const AppContext::Action action(m_main.context());
    SettingsPage* settings = m_main.settingsPage();
    MiscSaveInput input;
    input.action = m_main.Action().toStdString();
    input.catName = m_txtCatName->text().toStdString();
    input.expences = m_txtExpences->text().toStdString();
    input.currencyText = settings->cmbCur()->currentText().toStdString();
    input.currencyIndex = settings->currencySelection();
    const MiscSaveResult result = m_editor.save(input);
    if (!result.done)
        return;
    showEditorView(result.view);
    showMiscList(result.list);
    m_main.fuelPage()->ShowStatistics();
}

void ExpensesPage::onDeleteClick()
{
    const AppContext::Action action(m_main.context());
    const MiscDeleteResult result = m_editor.remove(selectedRowText());
    if (!result.deleted)
        return;
    showMiscList(result.list);
    m_txtCatName->setReadOnly(true);
    m_txtCatName->clear();
    m_txtExpences->setReadOnly(true);
    m_txtExpences->clear();
}
