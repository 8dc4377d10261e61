#include "mainwindow/ConsumablesPage.h"

#include "controls/UiFont.h"
#include "domain/AppContext.h"
#include "domain/ConsumableDates.h"
#include "domain/Consumables.h"
#include "domain/ReadingKeyFilter.h"
#include "mainwindow/DateBox.h"
#include "mainwindow/KeyFilter.h"
#include "mainwindow/ListRows.h"
#include "mainwindow/MainPage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/frmMain.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

ConsumablesPage::ConsumablesPage(frmMain& main)
    : m_main(main)
    , m_panel(main.context())
{
    setObjectName(QStringLiteral("pageConsumables"));
    setFont(uiFont()); // before its controls, which then have it from the page
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buildDatabaseFrame(), 1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildAddNewFrame());
    right->addWidget(buildControlsFrame());
    right->addStretch(1);
    layout->addLayout(right);
    connectControls();
}

QWidget* ConsumablesPage::buildDatabaseFrame()
{
    auto* fmDatabase = Widgets::frame(this, "fmDatabase", QStringLiteral("Consumables list"));
    auto* databaseLayout = new QVBoxLayout(fmDatabase);
    m_lstConsumables = Widgets::listView(fmDatabase, "lstConsumables",
        {QStringLiteral("Item"), QStringLiteral("Last Changed"), QStringLiteral("Change After")});
    databaseLayout->addWidget(m_lstConsumables);
    return fmDatabase;
}

QWidget* ConsumablesPage::buildAddNewFrame()
{
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
            auto* unit = Widgets::label(fmAddNew, "lblDisplayUnit", QStringLiteral("Km"));
            unit->setMinimumWidth(36);
            m_lblDisplayUnit.append(unit);
            grid->addWidget(unit, row * 2 + 1, 1);
        }
    }

    // The change by date, optional: the date box, then its months on a line of their own.
    m_dtpChangedOn = new DateBox(fmAddNew, "dtpChangedOn",
        QStringLiteral(
            "The date when you last changed selected Consumable Item; leave it empty to go by distance only."),
        [this] {
            const CalendarDate today = CalendarDate::today(m_main.context());
            return QDate(today.year, today.month, today.day);
        });
    m_txtChangeMonths = Widgets::textBox(fmAddNew, "txtChangeMonths",
        QStringLiteral("After these many months, it's necessary to change selected Consumable Item, whatever the "
                       "distance."));
    m_txtChangeMonths->setFixedWidth(m_txtChangeMonths->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    grid->addWidget(Widgets::label(fmAddNew, "lblConsumableInfo", QStringLiteral("Changed on:")), 6, 0, 1, 2);
    // As wide as the boxes above it, its arrow within.
    m_dtpChangedOn->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    grid->addWidget(m_dtpChangedOn, 7, 0);
    auto* months = new QHBoxLayout;
    months->setSpacing(4);
    months->addWidget(Widgets::label(fmAddNew, "lblConsumableInfo", QStringLiteral("or every")));
    months->addWidget(m_txtChangeMonths);
    months->addWidget(Widgets::label(fmAddNew, "lblConsumableInfo", QStringLiteral("months")));
    months->addStretch(1);
    grid->addLayout(months, 8, 0, 1, 2);
    for (QLineEdit* box : {static_cast<QLineEdit*>(m_dtpChangedOn), m_txtChangeMonths})
        box->setReadOnly(true);
    return fmAddNew;
}

QWidget* ConsumablesPage::buildControlsFrame()
{
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
    return fmControls;
}

void ConsumablesPage::connectControls()
{
    KeyFilter::install(m_txtLastChanged, keepsReadingKey, ReadingDigits);
    KeyFilter::install(m_txtChangeAfter, keepsReadingKey, ReadingDigits);
    KeyFilter::install(m_txtChangeMonths, ConsumableDates::keepsMonthsKey, ConsumableDates::MonthsDigits);
    // A double-click anywhere on the list means the selected row, as the list's own
    // double-click does.
    m_lstConsumables->viewport()->installEventFilter(this);
    Widgets::onClick(m_btnAdd, [this] { onAddClick(); });
    Widgets::onClick(m_btnEdit, [this] { onEditClick(); });
    Widgets::onClick(m_btnDel, [this] { onDeleteClick(); });
    Widgets::onClick(m_btnSave, [this] { onSaveClick(); });
}

void ConsumablesPage::LoadConsumables()
{
    auto list = ::LoadConsumables(m_main.context());
    if (!list)
        return;
    ListRows::fill(m_lstConsumables, std::move(list->rows));
    if (list->clearsStatus)
        m_main.mainPage()->setStatusRows({});
}

void ConsumablesPage::ReloadConsumables()
{
    ConsumableLists lists = ::ReloadConsumables(m_main.context(), readingText(), unitName());
    if (lists.consumables)
        ListRows::fill(m_lstConsumables, std::move(*lists.consumables));
    if (lists.status)
        m_main.mainPage()->setStatusRows(std::move(*lists.status));
}

std::string ConsumablesPage::readingText() const
{
    return m_main.mainPage()->txtMiles()->text().toStdString();
}

std::string ConsumablesPage::unitName() const
{
    return m_main.settingsPage()->cmbUnit()->currentText().toStdString();
}

ConsumablePanelState ConsumablesPage::panelState() const
{
    ConsumablePanelState panel;
    panel.addCaption = m_btnAdd->Caption().toStdString();
    panel.addEnabled = m_btnAdd->isEnabled();
    panel.editCaption = m_btnEdit->Caption().toStdString();
    panel.editEnabled = m_btnEdit->isEnabled();
    panel.deleteEnabled = m_btnDel->isEnabled();
    panel.saveEnabled = m_btnSave->isEnabled();
    panel.boxesLocked = m_txtItemName->isReadOnly();
    panel.itemName = m_txtItemName->text().toStdString();
    panel.lastChanged = m_txtLastChanged->text().toStdString();
    panel.changeAfter = m_txtChangeAfter->text().toStdString();
    panel.changedOn = m_dtpChangedOn->text().toStdString();
    panel.changeMonths = m_txtChangeMonths->text().toStdString();
    return panel;
}

void ConsumablesPage::apply(ConsumablePanelOutcome outcome)
{
    const ConsumablePanelState& panel = outcome.panel;
    m_btnAdd->SetCaption(QString::fromStdString(panel.addCaption));
    m_btnAdd->setEnabled(panel.addEnabled);
    m_btnEdit->SetCaption(QString::fromStdString(panel.editCaption));
    m_btnEdit->setEnabled(panel.editEnabled);
    m_btnDel->setEnabled(panel.deleteEnabled);
    m_btnSave->setEnabled(panel.saveEnabled);
    const std::pair<QLineEdit*, const std::string*> boxes[] = {{m_txtItemName, &panel.itemName},
        {m_txtLastChanged, &panel.lastChanged}, {m_txtChangeAfter, &panel.changeAfter},
        {m_dtpChangedOn, &panel.changedOn}, {m_txtChangeMonths, &panel.changeMonths}};
    for (const auto& [box, text] : boxes) {
        box->setReadOnly(panel.boxesLocked);
        const QString value = QString::fromStdString(*text);
        // Setting an unchanged text would move the cursor and drop the selection.
        if (box->text() != value)
            box->setText(value);
    }

    switch (outcome.focus) {
    case ConsumableFocus::ItemName:
        m_txtItemName->setFocus();
        break;
    case ConsumableFocus::ItemNameSelected:
        m_txtItemName->selectAll();
        m_txtItemName->setFocus();
        break;
    case ConsumableFocus::Unchanged:
        break;
    }

    if (outcome.lists.consumables)
        ListRows::fill(m_lstConsumables, std::move(*outcome.lists.consumables));
    if (outcome.lists.status)
        m_main.mainPage()->setStatusRows(std::move(*outcome.lists.status));
}

void ConsumablesPage::onDoubleClick()
{
    const auto selected = ListRows::selectedRow(m_lstConsumables);
    apply(m_panel.doubleClickList(panelState(), selected ? &*selected : nullptr));
}

void ConsumablesPage::onAddClick()
{
    apply(m_panel.clickAdd(panelState()));
}

void ConsumablesPage::onEditClick()
{
    const auto selected = ListRows::selectedRow(m_lstConsumables);
    apply(m_panel.clickEdit(panelState(), selected ? &*selected : nullptr));
}

void ConsumablesPage::onDeleteClick()
{
    const AppContext::Action action(m_main.context());
    const auto selected = ListRows::selectedRow(m_lstConsumables);
    apply(m_panel.clickDelete(panelState(), selected ? &*selected : nullptr, readingText(), unitName()));
}

void ConsumablesPage::onSaveClick()
{
    const AppContext::Action action(m_main.context());
    apply(m_panel.clickSave(panelState(), readingText(), unitName()));
}

bool ConsumablesPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lstConsumables->viewport() && event->type() == QEvent::MouseButtonDblClick)
        onDoubleClick();
    return QWidget::eventFilter(watched, event);
}
