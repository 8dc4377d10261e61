#include "app/InstanceLock.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#ifdef Q_OS_WIN
#include <QLockFile>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QString InstanceLock::lockPathFor(const QString& dataFilePath)
{
    const QString canonical = QFileInfo(dataFilePath).canonicalFilePath();
    return (canonical.isEmpty() ? dataFilePath : canonical) + QStringLiteral(".lock");
}

InstanceLock::InstanceLock(QString lockPath)
    : m_path(std::move(lockPath))
{
#ifdef Q_OS_WIN
    m_lock = std::make_unique<QLockFile>(m_path);
    // Only a live process keeps the lock; its age does not matter.
    m_lock->setStaleLockTime(0);
#endif
}

InstanceLock::~InstanceLock()
{
    release();
}

bool InstanceLock::acquire()
{
    if (!m_held) {
        const Attempt attempt = tryLock();
        m_held = attempt == Attempt::Taken;
        return attempt != Attempt::Busy;
    }
    return true;
}

bool InstanceLock::anotherInstanceRunning()
{
    if (m_held)
        return false;
    const Attempt attempt = tryLock();
    if (attempt == Attempt::Taken)
        release();
    return attempt == Attempt::Busy;
}

#ifdef Q_OS_WIN

InstanceLock::Attempt InstanceLock::tryLock()
{
    if (m_lock->tryLock(0))
        return Attempt::Taken;
    return m_lock->error() == QLockFile::LockFailedError ? Attempt::Busy : Attempt::Impossible;
}

void InstanceLock::release()
{
    m_lock->unlock();
    m_held = false;
}

#else

// The lock is the system's lock on the open file: the system lets it go with the process
// that held it, so a crashed instance's file is simply locked anew. Nothing is flushed
// to disk, which a start would otherwise wait for.
InstanceLock::Attempt InstanceLock::tryLock()
{
    const QByteArray path = QFile::encodeName(m_path);
    for (;;) {
        int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0)
            fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC); // a lock file we may not write
        if (fd < 0)
            return Attempt::Impossible;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? Attempt::Busy : Attempt::Impossible;
        }
        // The holder before removes the file as it lets go: a lock on a file no longer
        // at the path locks nothing, so open the path again.
        struct stat opened { };
        struct stat named { };
        if (::fstat(fd, &opened) == 0 && ::stat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev
            && opened.st_ino == named.st_ino) {
            m_fd = fd;
            break;
        }
        ::close(fd);
    }
    // Who holds it, in the lock file's usual lines (older versions read them to tell a
    // crashed instance's lock).
    const QByteArray contents = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
        + QCoreApplication::applicationName().toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
    if (::ftruncate(m_fd, 0) == 0) {
        const ssize_t written = ::write(m_fd, contents.constData(), static_cast<size_t>(contents.size()));
        (void)written; // a lock without its lines holds all the same
    }
    return Attempt::Taken;
}

void InstanceLock::release()
{
    if (m_fd < 0)
        return;
    // Removed while still locked, so that nobody locks the file on its way out.
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
    m_held = false;
}

#endif
