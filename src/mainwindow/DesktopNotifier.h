#pragma once

#include <QObject>
#include <QString>

// The desktop's own notifications, where it has a service for them: what the notice at
// start goes through before the tray icon's balloon.
class DesktopNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Sends a notification offering to show the program; false when the desktop has no
    // service to take it.
    virtual bool notify(const QString& title, const QString& body) = 0;

signals:
    // The user activated a notification this notifier sent.
    void activated();
};
