#include "app/InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

QString InstanceLock::lockPathFor(const QString& programPath)
{
    const QString canonical = QFileInfo(programPath).canonicalFilePath();
    const QByteArray id
        = QCryptographicHash::hash((canonical.isEmpty() ? programPath : canonical).toUtf8(), QCryptographicHash::Sha1)
              .toHex()
              .left(16);
    return QDir::tempPath() + QStringLiteral("/wheelbook-") + QString::fromLatin1(id) + QStringLiteral(".lock");
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
    return m_held;
}

bool InstanceLock::anotherInstanceRunning()
{
    if (m_held)
        return false;
    if (m_lock->tryLock(0)) {
        m_lock->unlock();
        return false;
    }
    return true;
}
