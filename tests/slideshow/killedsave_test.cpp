// Saves killed with SIGKILL at random moments, the dialog's and the
// changer-only run's: the settings file is always the old one or the new
// one, whole, and the temporary files of killed saves do not pile up.
#include "killedsave.h"

#include "fakes/folderflags.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <thread>

#include <signal.h>

using namespace qelvo;

namespace
{

constexpr int kRounds = 200;

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// Microseconds from "go" until a save that is not killed has replaced the
// file (the driver's exit, slow under the sanitizers, not counted); 0 when
// it never does.
int timeOfWholeSave(const QString &mode, const QString &path)
{
    const QByteArray before = contentOf(path);
    QProcess driver;
    driver.start(QStringLiteral(QELVO_KILLEDSAVE_DRIVER), {mode, path, QString::number(kRounds + 1)});
    if (!driver.waitForReadyRead(10000))
        return 0;
    QElapsedTimer clock;
    clock.start();
    driver.write("go\n");
    driver.waitForBytesWritten(10000);
    while (contentOf(path) == before && clock.elapsed() < 10000)
        std::this_thread::yield();
    const int us = static_cast<int>(clock.nsecsElapsed() / 1000);
    if (!driver.waitForFinished(10000) || driver.exitCode() != 0 || contentOf(path) == before)
        return 0;
    // The file as it was, so the rounds start from the same place.
    return settings::writeSettingsFile(path, before).ok() ? us : 0;
}

class KilledSave : public ::testing::TestWithParam<const char *>
{
};

TEST_P(KilledSave, LeavesTheOldFileOrTheNewOneWholeAndNoPileOfTemporaries)
{
    const QString mode = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("Qelvo.ini");
    ASSERT_TRUE(settings::writeSettingsFile(path, killedsave::dialogSave(0)).ok());
    // Kill moments spread over twice what a whole save takes here, so that
    // they fall before, during and after the write on a fast machine as on a
    // loaded one or under the sanitizers.
    const int saveUs = timeOfWholeSave(mode, path);
    ASSERT_GT(saveUs, 0) << "the save driver did not finish a save";
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> delayUs(0, std::max(1500, 2 * saveUs));
    int keptOld = 0, tookNew = 0, leavingOne = 0, mostLeftOver = 0;
    for (int round = 1; round <= kRounds; ++round) {
        const QByteArray old = contentOf(path);
        const QByteArray next =
            mode == "dialog" ? killedsave::dialogSave(round) : killedsave::changerRewrite(old, round);
        QProcess driver;
        driver.start(QStringLiteral(QELVO_KILLEDSAVE_DRIVER), {mode, path, QString::number(round)});
        ASSERT_TRUE(driver.waitForReadyRead(10000)) << "round " << round;
        driver.write("go\n");
        ASSERT_TRUE(driver.waitForBytesWritten(10000));
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(static_cast<pid_t>(driver.processId()), SIGKILL);
        driver.waitForFinished(10000);

        const QByteArray now = contentOf(path);
        if (now == old)
            ++keptOld;
        else if (now == next)
            ++tookNew;
        else
            FAIL() << "round " << round << ": the file is neither the old one nor the new one (" << now.size()
                   << " bytes)";
        const int others = static_cast<int>(QDir(dir.path()).entryList(QDir::Files).size()) - 1;
        leavingOne += others > 0 ? 1 : 0;
        mostLeftOver = std::max(mostLeftOver, others);
    }
    // A save that ends normally clears what killed ones left.
    ASSERT_TRUE(settings::writeSettingsFile(path, killedsave::dialogSave(0)).ok());
    const QStringList left = QDir(dir.path()).entryList(QDir::Files);
    std::printf("%s: %d kept the old file, %d took the new one, %d left temporaries, at most %d at once; "
                "left: %s\n",
                qPrintable(mode), keptOld, tookNew, leavingOne, mostLeftOver, qPrintable(left.join(' ')));
    EXPECT_GT(keptOld, 0);
    EXPECT_GT(tookNew, 0);
    // The next save clears a killed one's temporary.
    EXPECT_LE(mostLeftOver, 1);
}

INSTANTIATE_TEST_SUITE_P(Saves, KilledSave, ::testing::Values("dialog", "changer"));

// The rewrite in place (a folder that takes no new files), killed at an exact
// step by the preloaded shim: half the rounds at the first write into the
// file itself, cut after a different number of bytes each time, the others
// at every other step in turn. The next read finds the old file or the new
// one, whole, and the backup is always a whole earlier file.
class KilledInPlace : public ::testing::TestWithParam<const char *>
{
};

struct Driver {
    QProcess process;
    Driver(const QString &mode, const QString &path, int round, const QStringList &env)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_PRELOAD", QStringLiteral(QELVO_KILLEDSAVE_SHIM));
        environment.insert("ASAN_OPTIONS", "verify_asan_link_order=0");
        for (const QString &pair : env)
            environment.insert(pair.section('=', 0, 0), pair.section('=', 1));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(QELVO_KILLEDSAVE_DRIVER), {mode, path, QString::number(round)});
        process.waitForReadyRead(10000);
        process.write("go\n");
        process.closeWriteChannel();
        process.waitForFinished(10000);
    }
};

TEST_P(KilledInPlace, TheNextReadFindsTheOldFileOrTheNewOneWhole)
{
    const QString mode = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("Qelvo.ini");
    ASSERT_TRUE(settings::writeSettingsFile(path, killedsave::dialogSave(0)).ok());
    ASSERT_TRUE(settings::writeSettingsFile(path + ".bak", killedsave::dialogSave(0)).ok());
    if (!fakes::refuseNewFiles(dir.path(), true))
        GTEST_SKIP() << "cannot make a folder refuse new files here (file system or privileges)";
    struct Unrefuse {
        QString folder;
        ~Unrefuse() { fakes::refuseNewFiles(folder, false); }
    } unrefuse{dir.path()};

    // One whole save, traced: its steps, and which is the first write into the file.
    Driver traced(mode, path, 0, {"QELVO_KILL_TRACE=1"});
    ASSERT_EQ(traced.process.exitCode(), 0) << traced.process.readAllStandardError().toStdString();
    const QStringList steps =
        QString::fromLocal8Bit(traced.process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    int firstWrite = 0;
    for (const QString &step : steps)
        if (step.section(' ', 1, 1).startsWith("pwrite") && step.section(' ', 2) == path) {
            firstWrite = step.section(' ', 0, 0).toInt();
            break;
        }
    ASSERT_GT(firstWrite, 0) << steps.join('|').toStdString();

    int keptOld = 0, tookNew = 0, tornOnDisk = 0;
    for (int round = 1; round <= kRounds; ++round) {
        const auto before = settings::readSettingsFile(path);
        ASSERT_TRUE(before.has_value());
        const QByteArray old = *before;
        const QByteArray backupBefore = contentOf(path + ".bak");
        const QByteArray next =
            mode == "dialog" ? killedsave::dialogSave(round) : killedsave::changerRewrite(old, round);
        const bool atFirstWrite = round % 2 == 0;
        const int killAt = atFirstWrite ? firstWrite : 1 + (round / 2) % static_cast<int>(steps.size());
        const int cut = atFirstWrite ? (round * 7919) % static_cast<int>(next.size()) : 0;
        Driver driver(mode, path, round,
                      {QString("QELVO_KILL_AT=%1").arg(killAt), QString("QELVO_KILL_CUT=%1").arg(cut)});
        ASSERT_EQ(driver.process.exitStatus(), QProcess::CrashExit) << "round " << round;

        const QByteArray onDisk = contentOf(path);
        tornOnDisk += onDisk != old && onDisk != next ? 1 : 0;
        const auto now = settings::readSettingsFile(path); // the next start's read
        ASSERT_TRUE(now.has_value());
        if (*now == old)
            ++keptOld;
        else if (*now == next)
            ++tookNew;
        else
            FAIL() << "round " << round << " (killed at step " << killAt
                   << "): neither the old file nor the new one";
        const QByteArray backup = contentOf(path + ".bak");
        EXPECT_TRUE(backup == old || backup == backupBefore) << "round " << round << ": the backup is torn";
    }
    std::printf("%s in place: %d rounds, %d kept the old file, %d the new one; %d left the file torn on disk "
                "and the next read put the backup back\n",
                qPrintable(mode), kRounds, keptOld, tookNew, tornOnDisk);
    EXPECT_GT(tornOnDisk, 0); // the kills did land inside the write
}

INSTANTIATE_TEST_SUITE_P(Saves, KilledInPlace, ::testing::Values("dialog", "changer"));

} // namespace
