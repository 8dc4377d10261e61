#include "mainwindow/ExpensesPage.h"

#include "mainwindow/frmMain.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

ExpensesPage::ExpensesPage(frmMain& main)
    : m_main(main)
{
    setObjectName(QStringLiteral("pageExpenses"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);

    auto* fmMiscDatabase = Widgets::frame(this, "fmMiscDatabase", QStringLiteral("Car expenses list"));
    auto* databaseLayout = new QVBoxLayout(fmMiscDatabase);
    m_lstMisc = Widgets::listView(fmMiscDatabase, "lstMisc", {QStringLiteral("Category"), QStringLiteral("Expenses")});
    databaseLayout->addWidget(m_lstMisc);
    layout->addWidget(fmMiscDatabase, 1);

    auto* right = new QVBoxLayout;
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
    right->addWidget(fmMiscDetails);

    auto* fmMiscControls = Widgets::frame(this, "fmMiscControls");
    auto* buttons = new QHBoxLayout(fmMiscControls);
    buttons->setContentsMargins(6, 6, 6, 6);
    m_btnMiscEdit = Widgets::button(fmMiscControls, "btnMiscEdit", QStringLiteral("&Add"),
        QStringLiteral("Click to Add New Category or Edit existing category or Add Expences to selected Category."));
    m_btnMiscSave = Widgets::button(
        fmMiscControls, "btnMiscSave", QStringLiteral("&Save"), QStringLiteral("Click to Save Changes ..."));
    m_btnMiscDelete = Widgets::button(fmMiscControls, "btnMiscDelete", QStringLiteral("&Delete"),
        QStringLiteral("Delete Selected Misc. Category from Database."));
    m_btnMiscSave->setEnabled(false);
    buttons->addWidget(m_btnMiscEdit);
    buttons->addWidget(m_btnMiscSave);
    buttons->addWidget(m_btnMiscDelete);
    right->addWidget(fmMiscControls);
    right->addStretch(1);
    layout->addLayout(right);
}

void ExpensesPage::LoadMiscList() { }
