#include "platform/singleinstance.h"

#include <QDir>
#include <QLockFile>

#include <unistd.h>

namespace qelvo
{

SingleInstance::SingleInstance(const QString &lockPath) : m_lock(std::make_unique<QLockFile>(lockPath))
{
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
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("qelvo-%1.lock").arg(getuid()));
}

} // namespace qelvo
