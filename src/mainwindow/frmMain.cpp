#include "mainwindow/frmMain.h"

#include "controls/Artwork.h"
#include "controls/UiFont.h"
#include "core/Prompter.h"
#include "datafile/mGeneralFunctions.h"
#include "domain/AppContext.h"
#include "domain/CsvExport.h"
#include "domain/CurrencyList.h"
#include "domain/Reminders.h"
#include "mainwindow/ConsumablesPage.h"
#include "mainwindow/DBusNotifier.h"
#include "mainwindow/ExpensesPage.h"
#include "mainwindow/FuelPage.h"
#include "mainwindow/MainPage.h"
#include "mainwindow/ProgramShell.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/WindowFunctions.h"
#include "mainwindow/frmRestore.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const int kClientWidth = 584;
const int kClientHeight = 425;
const int kBannerHeight = 79;
// How long the start-up balloon stays; a notice in a balloon waits for it.
const int kStartBalloonMs = 2000;

QString versionCaption()
{
    return QStringLiteral("Wheelbook %1.%2.%3")
        .arg(WHEELBOOK_VERSION_MAJOR)
        .arg(WHEELBOOK_VERSION_MINOR)
        .arg(WHEELBOOK_VERSION_PATCH);
}

QAction* menuItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QAction* separator(QMenu* menu, const char* name)
{
    QAction* action = menu->addSeparator();
    action->setObjectName(QLatin1String(name));
    return action;
}

// The main tab widget has the client area's fixed size, and says so. Asked for its size,
// a tab widget asks every page; and its page stack, shown before the tab widget has
// placed it, sizes itself the same way. Either lays out and measures the texts of the
// four hidden pages before the window can first be painted; each page lays itself out
// when it is first shown instead.
class FixedTabWidget : public QTabWidget {
public:
    FixedTabWidget(QWidget* parent, QSize size)
        : QTabWidget(parent)
    {
        setFixedSize(size);
        if (auto* stack = findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly))
            stack->resize(size); // placed for real when the tab widget is shown
    }
    QSize sizeHint() const override { return size(); }
    QSize minimumSizeHint() const override { return size(); }
};

} // namespace

frmMain::frmMain(AppContext& context, ProgramShell& shell)
    : QMainWindow(nullptr,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint)
    , m_context(context)
    , m_shell(shell)
{
    setObjectName(QStringLiteral("frmMain"));
    setFont(uiFont());
    // The program gives every window its icon; a window made without it carries its own.
    if (QGuiApplication::windowIcon().isNull())
        setWindowIcon(Artwork::appIcon());

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(kClientWidth, kClientHeight);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* picHeader = new QLabel(client);
    picHeader->setObjectName(QStringLiteral("picHeader"));
    picHeader->setFixedSize(kClientWidth, kBannerHeight);
    picHeader->setPixmap(Artwork::banner());
    layout->addWidget(picHeader);

    m_tabMain = new FixedTabWidget(client, QSize(kClientWidth, kClientHeight - kBannerHeight));
    m_tabMain->setObjectName(QStringLiteral("tabMain"));
    m_tabMain->setDocumentMode(false);
    m_tabMain->tabBar()->setFont(uiFont(8.25, true));
    // On the tab bar alone: on the tab widget every control of every page would be
    // restyled through the style sheet, for rules that only concern the tabs.
    m_tabMain->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { color: #808080; padding: 4px 10px; }"
                                                      "QTabBar::tab:selected { color: #ff0000; }"));
    m_mainPage = new MainPage(*this);
    m_consumablesPage = new ConsumablesPage(*this);
    m_expensesPage = new ExpensesPage(*this);
    m_fuelPage = new FuelPage(*this);
    m_settingsPage = new SettingsPage(*this);
    m_tabMain->addTab(m_mainPage, QStringLiteral("&Main"));
    m_tabMain->addTab(m_consumablesPage, QStringLiteral("&Consumables"));
    m_tabMain->addTab(m_expensesPage, QStringLiteral("Car E&xpenses"));
    m_tabMain->addTab(m_fuelPage, QStringLiteral("&Fuel and Statistics"));
    m_tabMain->addTab(m_settingsPage, QStringLiteral("&Settings"));
    layout->addWidget(m_tabMain);
    setCentralWidget(client);

    buildMenus();
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

frmMain::~frmMain()
{
    m_context.setOnActionNotStored({});
    // Unloading the window takes the tray icon with it.
    if (m_oSysTray) {
        m_oSysTray->Unload();
        delete m_oSysTray.data();
    }
}

void frmMain::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setFont(uiFont());
    QMenu* mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    connect(menuItem(mnuFile, "mnuFileSysTray", QStringLiteral("Minimize to System Tray")), &QAction::triggered, this,
        &frmMain::minimizeToTray);
    separator(mnuFile, "mnuFileLine1");
    connect(menuItem(mnuFile, "mnuFileClose", QStringLiteral("&Close")), &QAction::triggered, this,
        [this] { runCommand(QStringLiteral("close")); });

    QMenu* mnuLogbook = bar->addMenu(QStringLiteral("&Logbook"));
    mnuLogbook->setObjectName(QStringLiteral("mnuLogbook"));
    connect(menuItem(mnuLogbook, "mnuLogHistory", QStringLiteral("&History ...")), &QAction::triggered, this,
        [this] { openLogbook(frmLogbook::Page::FillUps); });
    connect(menuItem(mnuLogbook, "mnuLogCharts", QStringLiteral("&Charts ...")), &QAction::triggered, this,
        [this] { openLogbook(frmLogbook::Page::Charts); });
    separator(mnuLogbook, "mnuLogLine1");
    connect(menuItem(mnuLogbook, "mnuLogExport", QStringLiteral("&Export to CSV ...")), &QAction::triggered, this,
        &frmMain::exportToCsv);
    separator(mnuLogbook, "mnuLogLine2");
    connect(menuItem(mnuLogbook, "mnuLogRestore", QStringLiteral("&Restore a Back-up ...")), &QAction::triggered, this,
        &frmMain::openRestore);

    QMenu* mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    connect(menuItem(mnuHelp, "mnuHelpFile", QStringLiteral("&Help File")), &QAction::triggered, this,
        [this] { runCommand(QStringLiteral("help")); });
    separator(mnuHelp, "mnuHelpLine1");
    m_mnuWebLink = menuItem(mnuHelp, "mnuWebLink", QStringLiteral("mnuWebLink"));
    connect(m_mnuWebLink, &QAction::triggered, this, [this] { runCommand(QStringLiteral("visit")); });
    separator(mnuHelp, "mnuHelpLine2");
    connect(menuItem(mnuHelp, "mnuHelpAbout", QStringLiteral("&About")), &QAction::triggered, this,
        [this] { runCommand(QStringLiteral("about")); });

    // The expense list's pop-up menu; never on the menu bar.
    m_mnuPopupMiscAdd = new QMenu(QStringLiteral("PopupMiscAdd"), this);
    m_mnuPopupMiscAdd->setObjectName(QStringLiteral("mnuPopupMiscAdd"));
    m_mnuPopupMiscAdd->setFont(uiFont());
    menuItem(m_mnuPopupMiscAdd, "mnuMiscAddExp", QStringLiteral("Add Expence to #cat#"));
    menuItem(m_mnuPopupMiscAdd, "mnuMiscEdit", QStringLiteral("Edit Category"));
    separator(m_mnuPopupMiscAdd, "mnuPopMiscLine1");
    menuItem(m_mnuPopupMiscAdd, "mnuMiscAddCat", QStringLiteral("Add new Category ..."));
}

void frmMain::load()
{
    if (m_shell.anotherInstanceRunning()) {
        m_shell.end();
        return;
    }
    setWindowTitle(versionCaption());
    // The lists' columns as fractions of their widths; the pages lay out first.
    ensurePolished();
    centralWidget()->layout()->activate();
    Widgets::setColumnFractions(m_mainPage->lstStatus(), {0.3, 0.7});
    Widgets::setColumnFractions(m_consumablesPage->lstConsumables(), {0.4, 0.3, 0.29});
    Widgets::setColumnFractions(m_expensesPage->lstMisc(), {0.6, 0.35});

    showDataFile();
    // When an action could not store what it wrote, the window shows the file as it is.
    m_context.setOnActionNotStored([this] {
        const int tab = m_tabMain->currentIndex();
        showDataFile();
        m_tabMain->setCurrentIndex(tab);
    });

    buildTray();
    m_mnuWebLink->setText(QStringLiteral("Visit Website"));
}

void frmMain::showDataFile()
{
    const AppContext::Action action(m_context);
    mINIFunctions& ini = m_context.dataFile();
    m_mainPage->txtMiles()->setText(QString::fromStdString(ini.ReadINI("app", "miles", "0")));

    QComboBox* cmbCur = m_settingsPage->cmbCur();
    cmbCur->clear();
    // In one insertion: item by item, the box would react to each of them.
    QStringList codes;
    for (const std::string& code : CurrencyList::FillCurrencyList())
        codes.append(QString::fromStdString(code));
    cmbCur->addItems(codes);
    cmbCur->setCurrentIndex(CurrencyList::selectionOf(ini.ReadINI("app", "icur", "1")));

    m_fuelPage->lblFuelTotal()->setText(
        QString::fromStdString(ini.ReadINI("fuel", "total", "0")) + QStringLiteral(" Litters"));
    m_fuelPage->lblFuelFilledMiles()->setText(QString::fromStdString(ini.ReadINI("app", "miles", "0")));

    // Each list is filled once: the settings fill the expense list (LoadMiscList's
    // fill); the status and consumable lists come from one reading of the items.
    m_settingsPage->loadSettingsForSetUp();
    m_consumablesPage->ReloadConsumables();
    m_fuelPage->ShowStatistics();
    if (m_logbook)
        m_logbook->reload();
}

void frmMain::openLogbook(frmLogbook::Page page)
{
    if (!m_logbook)
        m_logbook = new frmLogbook(*this);
    m_logbook->showPage(page);
}

void frmMain::exportToCsv()
{
    const QString folder = m_exportFolder
        ? m_exportFolder()
        : QFileDialog::getExistingDirectory(this, QStringLiteral("Export to CSV"), QDir::homePath());
    if (folder.isEmpty())
        return;
    m_context.prompter().ask(CsvExport::exportTo(m_context, folder.toStdString()).message);
}

void frmMain::openRestore()
{
    if (!m_restore)
        m_restore = new frmRestore(*this);
    // Window-modal without a loop of its own: the main window waits, the program runs on.
    m_restore->open();
    m_restore->raise();
    m_restore->activateWindow();
}

void frmMain::buildTray()
{
    m_oSysTray = new frmSysTray(m_shell.trayCapabilities());
    m_oSysTray->AddMenuItem(QStringLiteral("Show"), QStringLiteral("show"), true);
    m_oSysTray->AddMenuItem(QStringLiteral("-"), QStringLiteral("line1"));
    m_oSysTray->AddMenuItem(QStringLiteral("Help"), QStringLiteral("help"));
    m_oSysTray->AddMenuItem(QStringLiteral("-"), QStringLiteral("line4"));
    m_oSysTray->AddMenuItem(QStringLiteral("Visit Website"), QStringLiteral("visit"));
    m_oSysTray->AddMenuItem(QStringLiteral("-"), QStringLiteral("line2"));
    m_oSysTray->AddMenuItem(QStringLiteral("About"), QStringLiteral("about"));
    m_oSysTray->AddMenuItem(QStringLiteral("-"), QStringLiteral("line3"));
    m_oSysTray->AddMenuItem(QStringLiteral("Close"), QStringLiteral("close"));
    m_oSysTray->SetIconHandle(windowIcon());
    m_oSysTray->SetToolTip(windowTitle());
    m_oSysTray->ShowBalloonTip(QStringLiteral("Wheelbook is minimized to System Tray. Double-click to launch it or "
                                              "Right-click to see different menu options."),
        QStringLiteral("Wheelbook!"), 1, kStartBalloonMs);
    connect(m_oSysTray, &frmSysTray::MenuClick, this, &frmMain::onMenuClick);
    connect(m_oSysTray, &frmSysTray::BalloonClicked, this, [this] {
        if (m_noticeInBalloon)
            showForNotice();
    });
    for (const auto gone : {&frmSysTray::BalloonHide, &frmSysTray::BalloonTimeOut})
        connect(m_oSysTray, gone, this, [this] { m_noticeInBalloon = false; });
    connect(m_oSysTray, &frmSysTray::SysTrayDoubleClick, this, &frmMain::onSysTrayDoubleClick);
    connect(m_oSysTray, &frmSysTray::SysTrayMouseUp, this, &frmMain::onSysTrayMouseUp);
}

bool frmMain::hasNotificationArea() const
{
    return m_oSysTray && m_oSysTray->HasNotificationArea();
}

void frmMain::hideToTrayAtStart()
{
    if (hasNotificationArea()) {
        hide();
        return;
    }
    // Nobody could reach a hidden window: start minimised instead.
    showMinimized();
}

void frmMain::setDesktopNotifier(DesktopNotifier* notifier)
{
    delete m_notifier;
    m_notifier = notifier;
    notifier->setParent(this);
    connect(notifier, &DesktopNotifier::activated, this, &frmMain::showForNotice);
}

void frmMain::remindAtStart()
{
    const auto notice = StartupNotice(m_context, m_mainPage->txtMiles()->text().toStdString(),
        m_settingsPage->cmbUnit()->currentText().toStdString());
    if (!notice)
        return;
    const QString title = QString::fromStdString(notice->title);
    const QString body = QString::fromStdString(notice->body);
    if (!m_notifier)
        setDesktopNotifier(new DBusNotifier(QDBusConnection::sessionBus()));
    if (m_notifier->notify(title, body) || !m_oSysTray || !m_oSysTray->SupportsBalloons())
        return;
    QTimer::singleShot(kStartBalloonMs, this, [this, title, body] {
        if (!m_oSysTray)
            return;
        m_oSysTray->ShowBalloonTip(body, title, 1);
        m_noticeInBalloon = true;
    });
}

void frmMain::minimizeToTray()
{
    if (m_oSysTray)
        m_oSysTray->SetMenuItemCaption(0, QStringLiteral("Show"));
    if (hasNotificationArea()) {
        hide();
    } else if (!isMinimized()) {
        showMinimized();
    }
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // After the state change has run its course (showMinimized shows the window again).
    if (event->type() == QEvent::WindowStateChange && isMinimized() && hasNotificationArea())
        QTimer::singleShot(0, this, [this] {
            if (isMinimized())
                minimizeToTray();
        });
}

void frmMain::runCommand(const QString& key)
{
    AppContext& ctx = m_context;
    if (key == QLatin1String("show")) {
        if (!m_oSysTray)
            return;
        const QString caption = m_oSysTray->MenuItemCaption(0);
        if (caption == QLatin1String("Show")) {
            showNormal();
            activateWindow();
            m_oSysTray->SetMenuItemCaption(0, QStringLiteral("Hide"));
        } else if (caption == QLatin1String("Hide")) {
            m_oSysTray->SetMenuItemCaption(0, QStringLiteral("Show"));
            if (hasNotificationArea())
                hide();
            else
                showMinimized();
        }
    } else if (key == QLatin1String("help")) {
        const std::string path = ctx.appDir() + "/" + HelpFileName;
        if (FileExists(path, ctx.prompter())) {
            ShellOpen(QString::fromStdString(path), this);
        } else {
            ctx.prompter().ask({"Help File is Missing!",
                std::string(HelpFileName)
                    + " not found in Application Folder. Please re-install Wheelbook to solve this "
                      "problem.",
                MsgButtons::Ok, MsgIcon::Information});
        }
    } else if (key == QLatin1String("visit")) {
        ShellOpen(QLatin1String(WebPage), this);
    } else if (key == QLatin1String("about")) {
        m_shell.showAbout();
    } else if (key == QLatin1String("close")) {
        if (ctx.prompter().ask({"Close Application now?", "Are you sure you want to exit Wheelbook?", MsgButtons::YesNo,
                MsgIcon::Question})
            == MsgAnswer::Yes)
            close();
    }
}

void frmMain::onMenuClick(int /*index*/, const QString& key)
{
    runCommand(key);
}

void frmMain::onSysTrayDoubleClick(int /*button*/)
{
    showFromTray();
}

void frmMain::showFromTray()
{
    showNormal();
    activateWindow();
    if (m_oSysTray)
        m_oSysTray->SetMenuItemCaption(0, QStringLiteral("Hide"));
}

void frmMain::showForNotice()
{
    m_tabMain->setCurrentIndex(0);
    showFromTray();
    raise();
}

void frmMain::onSysTrayMouseUp(int button)
{
    if (button == 2 && m_oSysTray)
        m_oSysTray->ShowMenu();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // The close box asks nothing; "close" from the menus has asked already.
    event->accept();
}
