#include "platform/singleinstance.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

TEST(SingleInstance, DefaultLockIsPerUser)
{
    EXPECT_TRUE(SingleInstance::defaultLockPath().contains(QStringLiteral("qelvo-")));
}
