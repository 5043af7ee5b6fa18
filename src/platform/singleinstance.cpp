#include "platform/singleinstance.h"

#include "platform/pathbytes.h"

#include <QDir>
#include <QLockFile>

#include <sys/stat.h>
#include <unistd.h>

namespace qelvo
{

namespace
{

// A folder that only this user can write to, made so where it is missing or
// too open; false when that cannot be had.
bool makePrivateFolder(const QString &dir)
{
    if (!QDir().mkpath(dir))
        return false;
    const QByteArray name = encodePath(dir);
    struct stat st {
    };
    if (::stat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    return (st.st_mode & 0077) == 0 || ::chmod(name.constData(), 0700) == 0;
}

// The user's cache folder: $XDG_CACHE_HOME, else ~/.cache; empty without either.
QString cacheHome()
{
    const QString xdg = qEnvironmentVariable("XDG_CACHE_HOME");
    if (QDir::isAbsolutePath(xdg))
        return xdg;
    const QString home = qEnvironmentVariable("HOME");
    return QDir::isAbsolutePath(home) ? QDir(home).filePath(QStringLiteral(".cache")) : QString();
}

} // namespace

SingleInstance::SingleInstance(const QString &lockPath)
{
    if (lockPath.isEmpty()) {
        m_acquired = true; // nowhere private to lock: running beats never starting
        return;
    }
    m_lock = std::make_unique<QLockFile>(lockPath);
    // Never treat a long-running instance's lock as stale by age; QLockFile
    // still removes locks whose owning process has gone.
    m_lock->setStaleLockTime(0);
    m_acquired = m_lock->tryLock(0);
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::release()
{
    if (m_acquired)
        m_lock->unlock();
    m_acquired = false;
}

QString SingleInstance::defaultLockPath()
{
    const QString lockName = QStringLiteral("qelvo-%1.lock").arg(::getuid());
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return QDir(runtime).filePath(lockName);
    // Not the shared temp folder: there another user could take the name first
    // and keep this user's Qelvo from ever starting.
    const QString cache = cacheHome();
    if (cache.isEmpty())
        return {};
    const QString folder = QDir(cache).filePath(QStringLiteral("qelvo"));
    return makePrivateFolder(folder) ? QDir(folder).filePath(lockName) : QString();
}

} // namespace qelvo
