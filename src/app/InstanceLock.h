#pragma once

#include <QString>

#include <memory>

class QLockFile;

// One running instance per data file: the lock file lies beside the data file (beside
// its target, when the data file is a link), so no two instances ever write one data
// file, whatever their environment or the path they were started by. The lock of a
// crashed instance (its process gone) is taken over, so it never keeps the program from
// starting.
class InstanceLock {
public:
    // The lock file that belongs to this data file.
    static QString lockPathFor(const QString& dataFilePath);

    explicit InstanceLock(QString lockPath);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock; false when another live instance holds it. A folder where no lock
    // can be made (read-only) is one where no instance can write the data file either:
    // the start goes on without the lock.
    bool acquire();
    bool held() const { return m_held; }

    // Another instance is running: someone else holds the lock.
    bool anotherInstanceRunning();

private:
    enum class Attempt { Taken, Busy, Impossible };
    Attempt tryLock();
    void release();

    QString m_path;
    bool m_held = false;
#ifdef Q_OS_WIN
    std::unique_ptr<QLockFile> m_lock;
#else
    int m_fd = -1;
#endif
};
