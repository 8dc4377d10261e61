#include "mainwindow/ConsumablesPage.h"

#include "mainwindow/frmMain.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

ConsumablesPage::ConsumablesPage(frmMain& main)
    : m_main(main)
{
    setObjectName(QStringLiteral("pageConsumables"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);

    auto* fmDatabase = Widgets::frame(this, "fmDatabase", QStringLiteral("Consumables list"));
    auto* databaseLayout = new QVBoxLayout(fmDatabase);
    m_lstConsumables = Widgets::listView(fmDatabase, "lstConsumables",
        {QStringLiteral("Item"), QStringLiteral("Last Changed"), QStringLiteral("Change After")});
    databaseLayout->addWidget(m_lstConsumables);
    layout->addWidget(fmDatabase, 1);

    auto* right = new QVBoxLayout;
    auto* fmAddNew = Widgets::frame(this, "fmAddNew", QStringLiteral("Consumable details"));
    auto* grid = new QGridLayout(fmAddNew);
    grid->setVerticalSpacing(4);
    m_txtItemName = Widgets::textBox(fmAddNew, "txtItemName", QStringLiteral("Name of Consumable Item."));
    m_txtLastChanged = Widgets::textBox(fmAddNew, "txtLastChanged",
        QStringLiteral("This is a Reading which shows miles when you last changed selected Consumable Item."));
    m_txtChangeAfter = Widgets::textBox(fmAddNew, "txtChangeAfter",
        QStringLiteral("After these many miles, it's necessary to change selected Consumable Item."));
    const QString captions[]
        = {QStringLiteral("Name:"), QStringLiteral("Last changed:"), QStringLiteral("Needs change after:")};
    QLineEdit* boxes[] = {m_txtItemName, m_txtLastChanged, m_txtChangeAfter};
    for (int row = 0; row < 3; ++row) {
        grid->addWidget(Widgets::label(fmAddNew, "lblConsumableInfo", captions[row]), row * 2, 0, 1, 2);
        grid->addWidget(boxes[row], row * 2 + 1, 0);
        boxes[row]->setReadOnly(true);
        if (row > 0) {
            boxes[row]->setMaxLength(9);
            auto* unit = Widgets::label(fmAddNew, "lblDisplayUnit", QStringLiteral("Km"));
            unit->setMinimumWidth(36);
            m_lblDisplayUnit.append(unit);
            grid->addWidget(unit, row * 2 + 1, 1);
        }
    }
    right->addWidget(fmAddNew);

    auto* fmControls = Widgets::frame(this, "fmControls");
    auto* buttons = new QGridLayout(fmControls);
    buttons->setContentsMargins(6, 6, 6, 6);
    m_btnAdd = Widgets::button(fmControls, "btnConsumableAdd", QStringLiteral("Add"),
        QStringLiteral("Click to Add New Item to List of Consumables."));
    m_btnEdit = Widgets::button(fmControls, "btnConsumableEdit", QStringLiteral("Edit"),
        QStringLiteral("Click to change details of selected Consumable Item."));
    m_btnSave = Widgets::button(
        fmControls, "btnConsumableSave", QStringLiteral("Save"), QStringLiteral("Click to Save Changes ..."));
    m_btnDel = Widgets::button(fmControls, "btnConsumableDel", QStringLiteral("Delete"),
        QStringLiteral("Click to Delete Selected Item from Consumables' List"));
    m_btnEdit->setEnabled(false);
    m_btnSave->setEnabled(false);
    buttons->addWidget(m_btnAdd, 0, 0);
    buttons->addWidget(m_btnEdit, 0, 1);
    buttons->addWidget(m_btnSave, 1, 0);
    buttons->addWidget(m_btnDel, 1, 1);
    right->addWidget(fmControls);
    right->addStretch(1);
    layout->addLayout(right);
}

void ConsumablesPage::LoadConsumables() { }
