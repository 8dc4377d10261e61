#include "mainwindow/SettingsPage.h"

#include "controls/UiFont.h"
#include "domain/AppContext.h"
#include "domain/ComboAutoComplete.h"
#include "domain/CurrencyList.h"
#include "domain/ReadingKeyFilter.h"
#include "domain/StartupRegistry.h"
#include "mainwindow/ExpensesPage.h"
#include "mainwindow/FuelPage.h"
#include "mainwindow/KeyFilter.h"
#include "mainwindow/MainPage.h"
#include "mainwindow/WindowFunctions.h"
#include "mainwindow/frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// A context without a registry (a run that keeps no start-at-log-in entry) mirrors nothing.
class NoStartupEntry : public StartupRegistry {
public:
    void setRunValue(const std::string& /*name*/, const std::string& /*data*/) override { }
    void deleteRunValue(const std::string& /*name*/) override { }
};

int stateOf(const QCheckBox* box)
{
    return box->isChecked() ? 1 : 0;
}

// The key of a key press as a character code, as the type-ahead takes it; none for a
// key that types nothing (arrows, Delete, Tab) or a shortcut, which the box handles.
std::optional<int> typedKey(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Backspace:
        return 8;
    default:
        break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    const QString text = event->text();
    if (text.size() != 1 || text.at(0).unicode() < 32 || text.at(0).unicode() == 127)
        return std::nullopt;
    return text.at(0).unicode();
}

QFrame* line(QWidget* parent, const char* name)
{
    auto* l = new QFrame(parent);
    l->setObjectName(QLatin1String(name));
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    useUiFont(box);
    return box;
}

} // namespace

SettingsPage::SettingsPage(frmMain& main)
    : m_main(main)
    , m_noStartupEntry(std::make_unique<NoStartupEntry>())
{
    setObjectName(QStringLiteral("pageSettings"));
    setFont(uiFont()); // before its controls, which then have it from the page
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buildInitCarMilesFrame(), 0, 0);
    layout->addWidget(buildOtherSettingsFrame(), 0, 1);
    layout->addWidget(buildApplicationSettingsFrame(), 1, 0, 1, 2);
    layout->addWidget(buildSettingsControlsFrame(), 2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    connectControls();
}

QWidget* SettingsPage::buildInitCarMilesFrame()
{
    auto* fmInitCarMiles
        = Widgets::frame(this, "fmInitCarMiles", QStringLiteral("Car mileage when Wheelbook was installed"));
    auto* initRow = new QHBoxLayout(fmInitCarMiles);
    m_txtInitMiles = Widgets::textBox(fmInitCarMiles, "txtInitMiles");
    m_lblDisplayUnit = Widgets::label(fmInitCarMiles, "lblDisplayUnit", QStringLiteral("Km"));
    m_lblDisplayUnit->setMinimumWidth(36);
    initRow->addWidget(m_txtInitMiles, 1);
    initRow->addWidget(m_lblDisplayUnit);
    return fmInitCarMiles;
}

QWidget* SettingsPage::buildOtherSettingsFrame()
{
    auto* fmOtherSettings = Widgets::frame(this, "fmOtherSettings");
    auto* other = new QGridLayout(fmOtherSettings);
    other->addWidget(Widgets::label(fmOtherSettings, "lblUnit", QStringLiteral("Distance measurement unit:")), 0, 0);
    m_cmbUnit = new QComboBox(fmOtherSettings);
    m_cmbUnit->setObjectName(QStringLiteral("cmbUnit"));
    useUiFont(m_cmbUnit);
    m_cmbUnit->addItems({QStringLiteral("Miles"), QStringLiteral("Km")});
    other->addWidget(m_cmbUnit, 0, 1);
    other->addWidget(Widgets::label(fmOtherSettings, "Label2", QStringLiteral("Expense tracking currency:")), 1, 0);
    m_cmbCur = new QComboBox(fmOtherSettings);
    m_cmbCur->setObjectName(QStringLiteral("cmbCur"));
    useUiFont(m_cmbCur);
    m_cmbCur->setEditable(true);
    m_cmbCur->setInsertPolicy(QComboBox::NoInsert);
    m_cmbCur->setToolTip(QStringLiteral("Select Your Currency."));
    // The type-ahead below is the box's only completion.
    m_cmbCur->setCompleter(nullptr);
    // The box keeps the width it has empty, whenever the page is first laid out: the
    // currency list filled in later does not narrow it.
    m_cmbCur->setMinimumWidth(m_cmbCur->sizeHint().width());
    other->addWidget(m_cmbCur, 1, 1);
    return fmOtherSettings;
}

QWidget* SettingsPage::buildApplicationSettingsFrame()
{
    auto* fmApplicationSettings = Widgets::frame(this, "fmApplicationSettings", QStringLiteral("Wheelbook Settings"));
    auto* app = new QVBoxLayout(fmApplicationSettings);
    m_chkOnTop = checkBox(
        fmApplicationSettings, "chkOnTop", QStringLiteral("Set Application Window on Top of all open Windows."));
    m_chkMinSystray
        = checkBox(fmApplicationSettings, "chkMinSystray", QStringLiteral("Directly Minimize to System Tray."));
    m_chkStartup
        = checkBox(fmApplicationSettings, "chkStartup", QStringLiteral("Start Application on Windows Startup."));
    app->addWidget(m_chkOnTop);
    app->addWidget(line(fmApplicationSettings, "Line1"));
    app->addWidget(m_chkStartup);
    app->addWidget(line(fmApplicationSettings, "Line2"));
    app->addWidget(m_chkMinSystray);
    app->addStretch(1);
    return fmApplicationSettings;
}

QWidget* SettingsPage::buildSettingsControlsFrame()
{
    auto* fmSettingsControls = Widgets::frame(this, "fmSettingsControls");
    auto* controls = new QHBoxLayout(fmSettingsControls);
    controls->setContentsMargins(6, 6, 6, 6);
    m_btnDone = Widgets::button(fmSettingsControls, "btnDone", QStringLiteral("Apply && Save"));
    m_btnCancel = Widgets::button(fmSettingsControls, "btnCancel", QStringLiteral("Leave it unchanged"));
    controls->addStretch(1);
    controls->addWidget(m_btnDone);
    controls->addWidget(m_btnCancel);
    return fmSettingsControls;
}

void SettingsPage::connectControls()
{
    KeyFilter::install(m_txtInitMiles, keepsReadingKey, ReadingDigits);
    // Keys reach the line edit through the box, which hands them on without filters.
    m_cmbCur->installEventFilter(this);
    m_cmbCur->lineEdit()->installEventFilter(this);
    connect(m_chkStartup, &QCheckBox::toggled, this, &SettingsPage::onStartupToggled);
    Widgets::onClick(m_btnDone, [this] { SaveSettings(); });
    Widgets::onClick(m_btnCancel, [this] { LoadSettings(); });
}

SettingsPage::~SettingsPage() = default;

AppContext& SettingsPage::context()
{
    return m_main.context();
}

StartupRegistry& SettingsPage::startupRegistry()
{
    StartupRegistry* registry = context().startupRegistry();
    return registry ? *registry : *m_noStartupEntry;
}

void SettingsPage::LoadSettings()
{
    const AppContext::Action action(context());
    const int tab = showStoredSettings();
    m_main.mainPage()->AnalyzeConsumables();
    m_main.tabMain()->setCurrentIndex(tab);
}

void SettingsPage::loadSettingsForSetUp()
{
    const AppContext::Action action(context());
    m_main.tabMain()->setCurrentIndex(showStoredSettings());
}

int SettingsPage::showStoredSettings()
{
    AppSettings settings(context(), startupRegistry());
    SettingsLoad load = settings.LoadSettings(m_main.fuelPage()->lblFuelCostPerKm()->text().toStdString());
    showForm(load.form);
    showCaptions(load.captions);
    m_main.expensesPage()->showMiscList(std::move(load.list));
    return load.tab;
}

bool SettingsPage::SaveSettings()
{
    const AppContext::Action action(context());
    AppSettings settings(context(), startupRegistry());
    const SettingsSave save = settings.SaveSettings(form());
    if (!save.saved)
        return false;
    SetOnTop(&m_main, save.onTop);
    showCaptions(save.captions);
    m_main.expensesPage()->showMiscList(save.list);
    m_main.mainPage()->AnalyzeConsumables();
    m_main.tabMain()->setCurrentIndex(save.tab);
    return true;
}

int SettingsPage::currencySelection() const
{
    const int index = m_cmbCur->currentIndex();
    if (index < 0 || m_cmbCur->itemText(index) != m_cmbCur->currentText())
        return -1;
    return index;
}

SettingsForm SettingsPage::form() const
{
    SettingsForm form;
    form.startup = stateOf(m_chkStartup);
    form.systray = stateOf(m_chkMinSystray);
    form.onTop = stateOf(m_chkOnTop);
    form.unitIndex = m_cmbUnit->currentIndex();
    form.currencyIndex = currencySelection();
    form.currencyText = m_cmbCur->currentText().toStdString();
    form.initMiles = m_txtInitMiles->text().toStdString();
    return form;
}

void SettingsPage::showForm(const SettingsForm& form)
{
    m_chkStartup->setChecked(form.startup == 1);
    m_chkMinSystray->setChecked(form.systray == 1);
    m_chkOnTop->setChecked(form.onTop == 1);
    m_cmbCur->setCurrentIndex(form.currencyIndex);
    // Also when the index stays: a typed-over text goes back to the stored choice.
    m_cmbCur->setEditText(QString::fromStdString(form.currencyText));
    m_cmbUnit->setCurrentIndex(form.unitIndex);
    m_txtInitMiles->setText(QString::fromStdString(form.initMiles));
}

void SettingsPage::showCaptions(const SettingsCaptions& captions)
{
    const QString unit = QString::fromStdString(captions.displayUnit);
    for (QLabel* label : m_main.findChildren<QLabel*>(QStringLiteral("lblDisplayUnit")))
        label->setText(unit);
    FuelPage* fuel = m_main.fuelPage();
    fuel->lblAvgPer100()->setText(QString::fromStdString(captions.avgPer100));
    fuel->lblCostPerKm()->setText(QString::fromStdString(captions.costPerKm));
    const QString currency = QString::fromStdString(captions.currency);
    fuel->lblFuelCur()->setText(currency);
    m_main.expensesPage()->lblMiscCur()->setText(currency);
    if (captions.fuelCostPerKm)
        fuel->lblFuelCostPerKm()->setText(QString::fromStdString(*captions.fuelCostPerKm));
}

void SettingsPage::onStartupToggled(bool checked)
{
    const int state = checked ? 1 : 0;
    if (const auto enabled = AppSettings::minSystrayEnabledOnChange(m_startupState, state))
        m_chkMinSystray->setEnabled(*enabled);
    m_startupState = state;
}

bool SettingsPage::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_cmbCur || watched == m_cmbCur->lineEdit()) && event->type() == QEvent::KeyPress)
        return currencyKeyPress(static_cast<QKeyEvent*>(event));
    return QWidget::eventFilter(watched, event);
}

bool SettingsPage::currencyKeyPress(const QKeyEvent* event)
{
    const std::optional<int> key = typedKey(event);
    if (!key)
        return false;
    QLineEdit* edit = m_cmbCur->lineEdit();
    ComboBoxState box;
    box.text = edit->text().toStdString();
    box.selStart = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    box.selLength = static_cast<int>(edit->selectedText().size());
    box.index = currencySelection();

    const ComboKeyResult result = ComboAutoComplete(CurrencyList::FillCurrencyList(), box, *key);
    if (result.box != box) {
        if (result.box.index != m_cmbCur->currentIndex())
            m_cmbCur->setCurrentIndex(result.box.index);
        m_cmbCur->setEditText(QString::fromStdString(result.box.text));
        edit->setSelection(result.box.selStart, result.box.selLength);
        if (result.box.selLength == 0)
            edit->setCursorPosition(result.box.selStart);
    }
    if (result.beep)
        QApplication::beep();
    return !result.keepKey;
}
