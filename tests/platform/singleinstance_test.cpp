#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace qelvo;

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstGoes)
{
    QTemporaryDir dir;
    const QString lock = dir.filePath("q.lock");
    {
        const SingleInstance first(lock);
        ASSERT_TRUE(first.acquired());
        const SingleInstance second(lock);
        EXPECT_FALSE(second.acquired());
    }
    const SingleInstance third(lock);
    EXPECT_TRUE(third.acquired());
}

TEST(SingleInstance, StaleLockOfADeadProcessDoesNotBlock)
{
    QTemporaryDir dir;
    const QString lock = dir.filePath("q.lock");
    QFile stale(lock);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    // QLockFile's format: pid, application name, host name. PID 2^22-1 is not running.
    stale.write("4194303\nqelvo\n\n");
    stale.close();
    const SingleInstance instance(lock);
    EXPECT_TRUE(instance.acquired());
}

namespace
{
// Sets environment variables for one test and puts them back afterwards.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QByteArray &value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name))
    {
        m_old = qgetenv(name);
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedEnv() { m_had ? qputenv(m_name, m_old) : qunsetenv(m_name); }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};
} // namespace

TEST(SingleInstance, WithoutARuntimeFolderTheLockLivesInAPrivateCacheFolder)
{
    QTemporaryDir home;
    const ScopedEnv runtime("XDG_RUNTIME_DIR", QByteArray());
    const ScopedEnv homeVar("HOME", QFile::encodeName(home.path()));
    const QString lockName = QStringLiteral("qelvo-%1.lock").arg(getuid());
    {
        const ScopedEnv cache("XDG_CACHE_HOME", QByteArray());
        EXPECT_EQ(SingleInstance::defaultLockPath(), home.filePath(".cache/qelvo/" + lockName));
    }
    // An existing folder that others could write to is closed to them.
    const QString cacheDir = home.filePath("cache");
    ASSERT_TRUE(QDir().mkpath(cacheDir + "/qelvo"));
    ASSERT_EQ(::chmod(QFile::encodeName(cacheDir + "/qelvo").constData(), 0777), 0);
    const ScopedEnv cache("XDG_CACHE_HOME", QFile::encodeName(cacheDir));
    EXPECT_EQ(SingleInstance::defaultLockPath(), cacheDir + "/qelvo/" + lockName);
    struct stat st {
    };
    ASSERT_EQ(::stat(QFile::encodeName(cacheDir + "/qelvo").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(SingleInstance(SingleInstance::defaultLockPath()).acquired());
}
