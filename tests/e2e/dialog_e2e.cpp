#include "qelvorun.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace qelvo::e2e;
using namespace std::chrono_literals;

class DialogE2E : public SessionTest {
protected:

    // The first viewable window of the process whose title starts with prefix.
    static std::optional<XSession::Window> waitForTitle(QProcess &p, const QString &prefix,
                                                        std::chrono::milliseconds timeout)
    {
        std::optional<XSession::Window> found;
        waitUntil(
            [&] {
                for (const auto &w : s_session->windowsOf(p.processId()))
                    if (w.name.startsWith(prefix))
                        found = w;
                return found.has_value();
            },
            timeout);
        return found;
    }
    // Gives the window the keyboard and types keys into it as a user would.
    static bool type(const XSession::Window &w, const QString &keys)
    {
        const QString id = QString::number(w.id);
        return s_session->xdotool({"windowactivate", "--sync", id}) &&
               s_session->xdotool({"key", "--clearmodifiers", keys});
    }
};

TEST_F(DialogE2E, FirstRunShowsTheReadErrorThenCtrlSWritesTheTwelveLineFile)
{
    QelvoInstall install(*s_session);
    ASSERT_FALSE(QFileInfo::exists(install.settingsPath()));
    QProcess &qelvo = install.start({"/c"});

    // The read error comes first, before the dialog itself is shown.
    const auto box = waitForTitle(qelvo, "qelvo", 15s);
    ASSERT_TRUE(box.has_value());
    EXPECT_TRUE(waitForTitle(qelvo, "Qelvo - Version ", 0ms) == std::nullopt);
    ASSERT_TRUE(type(*box, "Return"));

    const auto dialog = waitForTitle(qelvo, "Qelvo - Version ", 15s);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_FALSE(QFileInfo::exists(install.settingsPath()));
    ASSERT_TRUE(type(*dialog, "ctrl+s"));
    ASSERT_TRUE(waitUntil([&] { return install.readSettings().endsWith("[SettingLists]\r\n"); }, 10s));

    const QByteArray file = install.readSettings();
    EXPECT_EQ(file.count("\r\n"), 12);
    EXPECT_TRUE(file.startsWith("[AppState]\r\nAppName=qelvo\r\nAppVersion="));
    EXPECT_TRUE(file.contains(
        "\r\n\r\n[ExecuteState]\r\nExecuteNumber=-1\r\nWPChanger=0\r\nWPIndex=0\r\nLastExecute="));

    // Saved, so Escape closes without asking and the program ends.
    ASSERT_TRUE(type(*dialog, "Escape"));
    const auto code = QelvoInstall::waitForExit(qelvo, 10s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0);
}

TEST_F(DialogE2E, PreviewShowsTheShowWhichAClickClosesAndAKeyEndsEverything)
{
    QelvoInstall install(*s_session);
    install.writeSettings("ExecuteNumber=0\r\nListName=A\r\nPathes\r\n***EndList***\r\n");
    QProcess &qelvo = install.start({"/c"});
    const auto dialog = waitForTitle(qelvo, "Qelvo - Version ", 15s);
    ASSERT_TRUE(dialog.has_value());

    // "Prev." sits at (192, 148) in the client area, 105 x 24, below the menu bar.
    const QRect g = dialog->geometry;
    const int menuBar = g.height() - 335;
    const QString x = QString::number(g.x() + 192 + 52), y = QString::number(g.y() + menuBar + 148 + 12);
    const auto fullScreenWindows = [&] {
        int n = 0;
        for (const auto &w : s_session->windowsOf(qelvo.processId()))
            n += w.geometry.size() == QSize(1024, 768) ? 1 : 0;
        return n;
    };
    const auto preview = [&] {
        return s_session->xdotool({"mousemove", x, y, "click", "1"}) &&
               waitUntil([&] { return fullScreenWindows() == 1; }, 10s);
    };

    ASSERT_TRUE(preview()); // unchanged: no question first
    ASSERT_TRUE(s_session->xdotool({"mousemove", "500", "700", "click", "1"}));
    ASSERT_TRUE(waitUntil([&] { return fullScreenWindows() == 0; }, 10s));
    EXPECT_TRUE(waitForTitle(qelvo, "Qelvo - Version ", 0ms).has_value());
    EXPECT_EQ(qelvo.state(), QProcess::Running);

    ASSERT_TRUE(preview());
    ASSERT_TRUE(s_session->xdotool({"key", "q"}));
    const auto code = QelvoInstall::waitForExit(qelvo, 10s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0);
}
