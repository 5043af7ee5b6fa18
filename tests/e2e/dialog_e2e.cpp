#include "qelvorun.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

using namespace qelvo::e2e;
using namespace std::chrono_literals;

class DialogE2E : public SessionTest
{
protected:
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

TEST_F(DialogE2E, ANewUserBuildsAListThroughThePickerSavesItAndWatchesIt)
{
    QelvoInstall install(*s_session);
    const QString pics = install.path("pics");
    ASSERT_TRUE(QDir().mkpath(pics));
    QImage red(640, 480, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(pics + "/Red.jpg", "JPG", 95));
    // No lists yet; the picker is to open in the pictures' folder.
    install.writeSettings("[AppState]\r\nAppLastAccPath=" + pics.toUtf8() + "\r\n");

    QProcess &qelvo = install.start({"/c"});
    const auto box = waitForTitle(qelvo, "qelvo", 15s);
    ASSERT_TRUE(box.has_value());
    ASSERT_TRUE(type(*box, "Return"));
    const auto dialog = waitForTitle(qelvo, "Qelvo - Version ", 15s);
    ASSERT_TRUE(dialog.has_value());

    // Ctrl+N asks for the new list's name in a window of its own.
    const auto otherWindow = [&](const QSize &size = {}) {
        std::optional<XSession::Window> found;
        waitUntil(
            [&] {
                for (const auto &w : s_session->windowsOf(qelvo.processId()))
                    if (w.id != dialog->id && (size.isEmpty() || w.geometry.size() == size))
                        found = w;
                return found.has_value();
            },
            15s);
        return found;
    };
    ASSERT_TRUE(type(*dialog, "ctrl+n"));
    const auto input = otherWindow();
    ASSERT_TRUE(input.has_value());
    ASSERT_TRUE(s_session->xdotool({"type", "--delay", "20", "trip"}));
    ASSERT_TRUE(s_session->xdotool({"key", "Return"}));
    ASSERT_TRUE(waitUntil([&] { return s_session->windowsOf(qelvo.processId()).size() == 1; }, 10s));

    // "追加" sits at (192, 96) in the client area, 51 x 24, below the menu bar.
    const QRect g = dialog->geometry;
    const int menuBar = g.height() - 335;
    ASSERT_TRUE(s_session->xdotool({"mousemove", QString::number(g.x() + 192 + 25),
                                    QString::number(g.y() + menuBar + 96 + 12), "click", "1"}));
    const auto picker = otherWindow(QSize(439, 233));
    ASSERT_TRUE(picker.has_value());
    const QPoint firstRow = picker->geometry.topLeft() + QPoint(8 + 30, 48 + 6);
    ASSERT_TRUE(s_session->xdotool(
        {"mousemove", QString::number(firstRow.x()), QString::number(firstRow.y()), "click", "1"}));
    ASSERT_TRUE(s_session->xdotool({"key", "Return"}));
    ASSERT_TRUE(waitUntil([&] { return s_session->windowsOf(qelvo.processId()).size() == 1; }, 10s));

    ASSERT_TRUE(type(*dialog, "ctrl+s"));
    const QByteArray entry = "red.jpg," + pics.toUtf8() + "/Red.jpg\r\n***EndList***\r\n";
    ASSERT_TRUE(waitUntil([&] { return install.readSettings().endsWith(entry); }, 10s))
        << install.readSettings().toStdString();
    EXPECT_TRUE(install.readSettings().contains("\r\nExecuteNumber=0\r\n"));
    EXPECT_TRUE(install.readSettings().contains("\r\nListName=trip\r\n"));
    ASSERT_TRUE(type(*dialog, "Escape"));
    ASSERT_TRUE(QelvoInstall::waitForExit(qelvo, 10s).has_value());

    // The saved list is what the screen saver shows: the red picture, centred.
    QProcess &show = install.start({"/s"});
    ASSERT_TRUE(install.waitForWindow(show, 15s).has_value());
    EXPECT_TRUE(waitUntil([&] { return near(s_session->pixel(512, 384), QColor(Qt::red), 40); }, 10s))
        << s_session->pixel(512, 384).name().toStdString();
    ASSERT_TRUE(s_session->xdotool({"key", "q"}));
    EXPECT_TRUE(QelvoInstall::waitForExit(show, 10s).has_value());
}
