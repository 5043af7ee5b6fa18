#include "wallpaper/commandbackend.h"

#include "wallpapertestutil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qelvo;
using namespace qelvo::wallpaper;
using namespace qelvo::wallpapertest;

namespace
{

// Puts fake desktop tools first on PATH and runs the test inside an empty
// folder, where a command smuggled in through a file name would leave files.
class FakeTools : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldPath = qgetenv("PATH");
        m_oldCwd = QDir::currentPath();
        log = bin.filePath("calls.log");
        // Each argument on its own line, each call ended by "--"; -l prints an XFCE listing.
        const QByteArray script =
            "#!/bin/sh\n"
            "for a in \"$@\"; do printf '%s\\n' \"$a\"; done >> \"$QELVO_TOOL_LOG\"\n"
            "printf -- '--\\n' >> \"$QELVO_TOOL_LOG\"\n"
            "case \" $* \" in *' -l '*) echo /backdrop/screen0/monitorX/workspace0/last-image;; esac\n"
            "exit 0\n";
        for (const char *tool : {"gsettings", "plasma-apply-wallpaperimage", "xfconf-query", "pcmanfm-qt",
                                 "dbus-send", "swaymsg"}) {
            const QString path = bin.filePath(tool);
            ASSERT_TRUE(writeBytes(path, script));
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(bin.path()) + ":" + m_oldPath);
        qputenv("QELVO_TOOL_LOG", QFile::encodeName(log));
        ASSERT_TRUE(QDir::setCurrent(work.path()));
    }
    void TearDown() override
    {
        QDir::setCurrent(m_oldCwd);
        qputenv("PATH", m_oldPath);
        qunsetenv("QELVO_TOOL_LOG");
    }
    // The argument lists the tools received, in order.
    std::vector<QStringList> calls() const
    {
        std::vector<QStringList> result(1);
        for (const QString &line : QString::fromUtf8(readBytes(log)).split('\n', Qt::SkipEmptyParts)) {
            if (line == "--")
                result.emplace_back();
            else
                result.back().append(line);
        }
        result.pop_back();
        return result;
    }

    QTemporaryDir bin;
    QTemporaryDir work;
    QString log;

private:
    QByteArray m_oldPath;
    QString m_oldCwd;
};

TEST_F(FakeTools, HostileNamesReachTheDesktopAsTheyAreAndRunNothing)
{
    const QString names[] = {"/tmp/a'; touch x; '.bmp", "/tmp/$(touch y).bmp",
                             "/tmp/`touch z` \"q\" \\ b.bmp", "/tmp/写真 ﾃｽﾄ.bmp"};
    auto runner = std::make_shared<ProcessRunner>();
    for (const QString &name : names) {
        for (Desktop desktop : {Desktop::Gnome, Desktop::Mate, Desktop::Kde, Desktop::Xfce, Desktop::Lxqt}) {
            QFile::remove(log);
            CommandBackend backend(desktop, runner, [] { return QStringLiteral("X"); });
            EXPECT_TRUE(backend.SetDeskWallPaper(name));
            std::vector<QStringList> expected;
            if (desktop == Desktop::Xfce) {
                expected.push_back(xfceListCommand().arguments);
                expected.push_back(
                    xfceCommands("/backdrop/screen0/monitorX/workspace0/last-image", name, "X")[0].arguments);
            } else {
                for (const CommandLine &c : desktopCommands(desktop, name))
                    expected.push_back(c.arguments);
            }
            EXPECT_EQ(calls(), expected) << name.toStdString();
        }
    }
    EXPECT_EQ(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{});
}

TEST(ProcessRunner, MissingFailingAndHangingToolsCountAsFailed)
{
    ProcessRunner runner(300);
    EXPECT_FALSE(runner.run({"qelvo-no-such-tool", {}}).succeeded);
    EXPECT_FALSE(runner.run({"false", {}}).succeeded);
    const CommandResult echoed = runner.run({"printf", {"%s", "$(id) ;"}});
    EXPECT_TRUE(echoed.succeeded);
    EXPECT_EQ(echoed.output, "$(id) ;");

    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(runner.run({"sleep", {"30"}}).succeeded);
    EXPECT_LT(timer.elapsed(), 10000);
}

} // namespace
