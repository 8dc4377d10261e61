#include "mainwindow/DBusNotifier.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

QString service()
{
    return QLatin1String(DBusNotifier::Service);
}

} // namespace

DBusNotifier::DBusNotifier(const QDBusConnection& bus, QObject* parent)
    : DesktopNotifier(parent)
    , m_bus(bus)
{
    if (m_bus.isConnected())
        m_bus.connect(service(), QLatin1String(Path), service(), QStringLiteral("ActionInvoked"), this,
            SLOT(onActionInvoked(uint, QString)));
}

bool DBusNotifier::notify(const QString& title, const QString& body)
{
    const QDBusConnectionInterface* daemon = m_bus.isConnected() ? m_bus.interface() : nullptr;
    if (!daemon
        || !(daemon->isServiceRegistered(service()).value()
            || daemon->activatableServiceNames().value().contains(service())))
        return false;
    QDBusMessage call
        = QDBusMessage::createMethodCall(service(), QLatin1String(Path), service(), QStringLiteral("Notify"));
    // app_name, replaces_id, app_icon, summary, body, actions (key, label), hints, expire_timeout
    // (-1: as the desktop does).
    call << QStringLiteral("Wheelbook") << 0u << QStringLiteral("wheelbook") << title << body
         << QStringList({QStringLiteral("default"), QStringLiteral("Show")}) << QVariantMap() << -1;
    // Not waited for: a slow service must not hold the start up.
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        const QDBusPendingReply<uint> reply = *finished;
        if (reply.isValid())
            m_sent.insert(reply.value());
        finished->deleteLater();
    });
    return true;
}

void DBusNotifier::onActionInvoked(uint id, const QString& action)
{
    if (action == QLatin1String("default") && m_sent.contains(id))
        emit activated();
}
