#include "qelvorun.h"

#include <gtest/gtest.h>

using namespace qelvo::e2e;
using namespace std::chrono_literals;

class StartupE2E : public SessionTest
{
};

TEST_F(StartupE2E, ConfigurationSwitchShowsTheSettingsWindow)
{
    QelvoInstall install(*s_session);
    // A readable settings file, so that no first-run message comes before the dialog.
    install.writeSettings("ExecuteNumber=0\r\nListName=A\r\nPathes\r\n***EndList***\r\n");
    QProcess &qelvo = install.start({"/c"});
    const auto window = install.waitForWindow(qelvo, 15s);
    ASSERT_TRUE(window.has_value());
    EXPECT_TRUE(window->name.startsWith("Qelvo - Version ")) << window->name.toStdString();
}

TEST_F(StartupE2E, OtherCommandLinesEndAtOnceWithoutAWindow)
{
    QelvoInstall install(*s_session);
    for (const QStringList &args :
         {QStringList{}, QStringList{"/p", "123"}, QStringList{"/a"}, QStringList{"/s "}}) {
        QProcess &qelvo = install.start(args);
        const auto code = QelvoInstall::waitForExit(qelvo, 10s);
        ASSERT_TRUE(code.has_value()) << "still running: " << args.join(' ').toStdString();
        EXPECT_EQ(*code, 0);
    }
}

TEST_F(StartupE2E, SecondStartEndsAtOnceAndTheFirstKeepsRunning)
{
    QelvoInstall install(*s_session);
    QProcess &first = install.start({"/c"});
    ASSERT_TRUE(install.waitForWindow(first, 15s).has_value());
    for (const QStringList &args : {QStringList{"/c"}, QStringList{"/s"}}) {
        QProcess &second = install.start(args);
        const auto code = QelvoInstall::waitForExit(second, 10s);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, 0);
        EXPECT_TRUE(s_session->windowsOf(second.processId()).empty());
    }
    // A changer-only start that the lock refuses sets nothing, and says so.
    install.writeSettings("[ExecuteState]\r\nExecuteNumber=0\r\nWPChanger=3\r\nWPIndex=0\r\n"
                          "LastExecute=2000/01/01 0:00:00\r\n[SettingLists]\r\n");
    QProcess &changer = install.start({"/s"}, {}, true);
    const auto code = QelvoInstall::waitForExit(changer, 10s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 1);
    EXPECT_TRUE(QString::fromUtf8(changer.readAllStandardError()).contains("既に実行中"));
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_FALSE(s_session->windowsOf(first.processId()).empty());
}
