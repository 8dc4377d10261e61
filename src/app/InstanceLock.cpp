#include "app/InstanceLock.h"

#include <QFileInfo>

QString InstanceLock::lockPathFor(const QString& dataFilePath)
{
    const QString canonical = QFileInfo(dataFilePath).canonicalFilePath();
    return (canonical.isEmpty() ? dataFilePath : canonical) + QStringLiteral(".lock");
}

InstanceLock::InstanceLock(QString lockPath)
    : m_path(std::move(lockPath))
    , m_lock(std::make_unique<QLockFile>(m_path))
{
    // Only a live process keeps the lock; its age does not matter.
    m_lock->setStaleLockTime(0);
}

bool InstanceLock::acquire()
{
    if (!m_held)
        m_held = m_lock->tryLock(0);
    return m_held || m_lock->error() != QLockFile::LockFailedError;
}

bool InstanceLock::anotherInstanceRunning()
{
    if (m_held)
        return false;
    if (m_lock->tryLock(0)) {
        m_lock->unlock();
        return false;
    }
    return m_lock->error() == QLockFile::LockFailedError;
}
