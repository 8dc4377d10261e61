#include "tray/frmSysTray.h"

#include "tray/TrayNotification.h"

#include <QAction>
#include <QCursor>
#include <QFont>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace {

// The first tool tip, until the owner gives its own.
QString programDescription()
{
    return QStringLiteral("Wheelbook - car maintenance schedule and running costs");
}

QSystemTrayIcon::MessageIcon balloonIcon(std::int32_t eIcon)
{
    switch (eIcon) {
    case 1:
        return QSystemTrayIcon::Information;
    case 2:
        return QSystemTrayIcon::Warning;
    case 3:
        return QSystemTrayIcon::Critical;
    default:
        return QSystemTrayIcon::NoIcon;
    }
}

} // namespace

bool frmSysTray::NotificationAreaExists()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

frmSysTray::Capabilities frmSysTray::PlatformCapabilities()
{
    const bool area = NotificationAreaExists();
    return {area, area && QSystemTrayIcon::supportsMessages()};
}

frmSysTray::frmSysTray(QWidget* parent)
    : frmSysTray(PlatformCapabilities(), parent)
{
}

frmSysTray::frmSysTray(const Capabilities& capabilities, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_caps(capabilities)
{
    setObjectName(QStringLiteral("frmSysTray"));
    setWindowTitle(QStringLiteral("Sys Tray Interface"));
    // A balloon needs an icon to point at.
    m_caps.balloons = m_caps.balloons && m_caps.notificationArea;

    m_icon = windowIcon();
    if (m_icon.isNull())
        m_icon = style()->standardIcon(QStyle::SP_ComputerIcon);
    m_tip = cutText(programDescription(), tipLength());

    m_trayIcon = new QSystemTrayIcon(m_icon, this);
    m_trayIcon->setObjectName(QStringLiteral("sysTrayIcon"));
    m_trayIcon->setToolTip(m_tip);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &frmSysTray::onActivated);
    connect(m_trayIcon, &QSystemTrayIcon::messageClicked, this, &frmSysTray::onMessageClicked);

    m_mnuPopup = new QMenu(QStringLiteral("&Popup"), this);
    m_mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    // Item 0 exists from the start, hidden and without a caption, until the first
    // AddMenuItem takes it.
    m_items.append(createItem(0));
    m_items.front()->setVisible(false);

    m_balloonTimer = new QTimer(this);
    m_balloonTimer->setSingleShot(true);
    connect(m_balloonTimer, &QTimer::timeout, this, &frmSysTray::onBalloonTimeOut);

    if (m_caps.notificationArea)
        m_trayIcon->show();
}

frmSysTray::~frmSysTray()
{
    Unload();
    if (m_callbackDepth > 0) {
        // The owner unloads this instance from a handler (Close from the menu, for
        // one) while Qt is still inside the menu, icon or timer that called out:
        // those go once Qt has returned from them.
        m_mnuPopup->setParent(nullptr, m_mnuPopup->windowFlags());
        m_mnuPopup->deleteLater();
        m_trayIcon->setParent(nullptr);
        m_trayIcon->deleteLater();
        m_balloonTimer->setParent(nullptr);
        m_balloonTimer->deleteLater();
    }
}

bool frmSysTray::raiseFromCallback(int code)
{
    QPointer<frmSysTray> guard(this);
    ++m_callbackDepth;
    HandleNotification(code);
    if (!guard)
        return false;
    --m_callbackDepth;
    return true;
}

void frmSysTray::Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_balloonTimer->stop();
    m_balloonShowing = false;
    m_trayIcon->hide();
}

QString frmSysTray::cutText(const QString& text, int maxChars)
{
    // The shell reads a text up to its terminator, and at most the field's length.
    const qsizetype terminator = text.indexOf(QChar(0));
    qsizetype length = std::min<qsizetype>(terminator < 0 ? text.size() : terminator, maxChars);
    // Never split a surrogate pair: half a character is not text.
    if (length < text.size() && length > 0 && text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

void frmSysTray::SetToolTip(const QString& sTip)
{
    m_tip = cutText(sTip, tipLength());
    if (!m_unloaded)
        m_trayIcon->setToolTip(m_tip);
}

void frmSysTray::SetIconHandle(const QIcon& hIcon)
{
    if (hIcon.cacheKey() == m_icon.cacheKey())
        return;
    m_icon = hIcon;
    if (!m_unloaded)
        m_trayIcon->setIcon(m_icon);
}

void frmSysTray::ShowBalloonTip(
    const QString& sMessage, const QString& sTitle, std::int32_t eIcon, std::int32_t lTimeOutMs)
{
    if (!m_caps.balloons || m_unloaded)
        return;
    if (m_balloonShowing) {
        // A new balloon takes the place of the one still up.
        m_balloonTimer->stop();
        m_balloonShowing = false;
        QPointer<frmSysTray> guard(this);
        HandleNotification(TrayNotification::BalloonHideCode);
        if (!guard)
            return;
    }
    m_balloonMessage = cutText(sMessage, BalloonMessageLength);
    m_balloonTitle = cutText(sTitle, BalloonTitleLength);
    const int timeOut = std::max<std::int32_t>(0, lTimeOutMs);
    m_trayIcon->showMessage(m_balloonTitle, m_balloonMessage, balloonIcon(eIcon), timeOut);
    m_balloonShowing = true;
    // Qt tells when a balloon is clicked, not when it shows or times out: those
    // notifications are raised here, as the shell would send them.
    if (timeOut > 0)
        m_balloonTimer->start(timeOut);
    HandleNotification(TrayNotification::BalloonShowCode);
}

void frmSysTray::onBalloonTimeOut()
{
    if (!m_balloonShowing)
        return;
    m_balloonShowing = false;
    raiseFromCallback(TrayNotification::BalloonTimeOutCode);
}

void frmSysTray::onMessageClicked()
{
    if (!m_caps.balloons || m_unloaded)
        return;
    m_balloonTimer->stop();
    m_balloonShowing = false;
    raiseFromCallback(TrayNotification::BalloonClickedCode);
}

void frmSysTray::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    for (const std::int32_t code : TrayNotification::codesForActivation(reason)) {
        if (!raiseFromCallback(code) || m_unloaded)
            return;
    }
}

void frmSysTray::HandleNotification(int code)
{
    const TrayEvent event = TrayNotification::decode(code);
    switch (event.kind) {
    case TrayEventKind::None:
        break;
    case TrayEventKind::MouseMove:
        emit SysTrayMouseMove();
        break;
    case TrayEventKind::MouseDown:
        emit SysTrayMouseDown(event.button);
        break;
    case TrayEventKind::MouseUp:
        emit SysTrayMouseUp(event.button);
        break;
    case TrayEventKind::DoubleClick:
        emit SysTrayDoubleClick(event.button);
        break;
    case TrayEventKind::BalloonShow:
        emit BalloonShow();
        break;
    case TrayEventKind::BalloonHide:
        emit BalloonHide();
        break;
    case TrayEventKind::BalloonTimeOut:
        emit BalloonTimeOut();
        break;
    case TrayEventKind::BalloonClicked:
        emit BalloonClicked();
        break;
    }
}

QAction* frmSysTray::createItem(int index)
{
    auto* item = new QAction(m_mnuPopup);
    // Every item shares the name; its index and its key tell them apart.
    item->setObjectName(QStringLiteral("mnuSysTray"));
    item->setProperty("Index", index);
    item->setData(QString());
    connect(item, &QAction::triggered, this, [this, item] {
        const auto index = static_cast<int>(m_items.indexOf(item));
        if (index < 0)
            return;
        QPointer<frmSysTray> guard(this);
        ++m_callbackDepth;
        emit MenuClick(index, item->data().toString());
        if (guard)
            --m_callbackDepth;
    });
    m_mnuPopup->addAction(item);
    return item;
}

void frmSysTray::setItemCaption(QAction* item, const QString& caption)
{
    item->setText(caption);
    item->setSeparator(caption == QLatin1String("-"));
}

int frmSysTray::AddMenuItem(const QString& sCaption, const QString& sKey, bool bDefault)
{
    int index = 0;
    if (!m_menuStarted) {
        m_menuStarted = true;
    } else {
        index = static_cast<int>(m_items.size());
        if (index > HighestMenuIndex)
            return -1;
        m_items.append(createItem(index));
    }
    QAction* item = m_items.at(index);
    item->setVisible(true);
    item->setData(sKey);
    setItemCaption(item, sCaption);
    if (bDefault)
        m_defaultIndex = index;
    markDefaultItem();
    return index;
}

void frmSysTray::EnableMenuItem(std::int32_t lIndex, bool bState)
{
    if (isValidIndex(lIndex))
        m_items.at(lIndex)->setEnabled(bState);
}

std::int32_t frmSysTray::RemoveMenuItem(std::int32_t iIndex)
{
    if (!isValidIndex(iIndex))
        return 0;
    if (iIndex == 0) {
        setItemCaption(m_items.front(), QString());
        return 0;
    }
    // The later items move up one place, each with everything that makes it that
    // item: a disabled command stays disabled under its own caption.
    for (qsizetype i = iIndex + 1; i < m_items.size(); ++i) {
        QAction* from = m_items.at(i);
        QAction* to = m_items.at(i - 1);
        setItemCaption(to, from->text());
        to->setData(from->data());
        to->setEnabled(from->isEnabled());
        to->setVisible(from->isVisible());
    }
    QAction* last = m_items.takeLast();
    if (m_mnuPopup->defaultAction() == last)
        m_mnuPopup->setDefaultAction(nullptr);
    delete last;
    markDefaultItem();
    return 0;
}

void frmSysTray::SetDefaultMenuIndex(std::int32_t index)
{
    m_defaultIndex = isValidIndex(index) ? index : 0;
    markDefaultItem();
}

void frmSysTray::markDefaultItem()
{
    // Removing items leaves the default index as it was; when it names no item any
    // more, the menu simply has no default.
    QAction* defaultItem = isValidIndex(m_defaultIndex) ? m_items.at(m_defaultIndex) : nullptr;
    QAction* shown = m_mnuPopup->defaultAction();
    if (shown == defaultItem)
        return;
    if (shown)
        setBold(shown, false);
    if (defaultItem)
        setBold(defaultItem, true);
    m_mnuPopup->setDefaultAction(defaultItem);
}

void frmSysTray::setBold(QAction* item, bool bold)
{
    QFont font = item->font();
    font.setBold(bold);
    item->setFont(font);
}

void frmSysTray::ShowMenu()
{
    markDefaultItem();
    m_mnuPopup->popup(QCursor::pos());
}

QAction* frmSysTray::mnuSysTray(int index) const
{
    return isValidIndex(index) ? m_items.at(index) : nullptr;
}

QString frmSysTray::MenuItemCaption(int index) const
{
    return isValidIndex(index) ? m_items.at(index)->text() : QString();
}

void frmSysTray::SetMenuItemCaption(int index, const QString& caption)
{
    if (isValidIndex(index))
        setItemCaption(m_items.at(index), caption);
}

QString frmSysTray::MenuItemKey(int index) const
{
    return isValidIndex(index) ? m_items.at(index)->data().toString() : QString();
}
