#pragma once

#include "mainwindow/DesktopNotifier.h"

#include <QDBusConnection>
#include <QSet>

// Notifications through the freedesktop notification service on a D-Bus connection (the
// session bus, as desktops have it). The service counts as there when it is running or
// can be started by the bus.
class DBusNotifier : public DesktopNotifier {
    Q_OBJECT
public:
    static constexpr const char* Service = "org.freedesktop.Notifications";
    static constexpr const char* Path = "/org/freedesktop/Notifications";

    explicit DBusNotifier(const QDBusConnection& bus, QObject* parent = nullptr);

    bool notify(const QString& title, const QString& body) override;

private slots:
    void onActionInvoked(uint id, const QString& action);

private:
    QDBusConnection m_bus;
    QSet<uint> m_sent; // the ids the service gave our notifications
};
