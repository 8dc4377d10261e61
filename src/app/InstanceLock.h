#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One running instance per program file. The lock of a crashed instance (its
// process gone) is taken over, so it never keeps the program from starting.
class InstanceLock {
public:
    // The lock file that belongs to this program file.
    static QString lockPathFor(const QString& programPath);

    explicit InstanceLock(QString lockPath);

    // Takes the lock; false when another live instance holds it.
    bool acquire();
    bool held() const { return m_held; }

    // Another instance is running: someone else holds the lock.
    bool anotherInstanceRunning();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
};
