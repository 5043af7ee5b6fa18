// The wallpaper changer through the real binary on a private X server with no
// desktop, so the plain X11 back end sets the root window.
//
// These need the slide-show window's changer-only run and W key; they are
// switched on (the  prefixes removed) once the window is wired to
// mWallPaper and the write-back.
#include "qelvorun.h"

#include <QDateTime>
#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

// Xlib last: its macros clash with GoogleTest's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

using namespace qelvo::e2e;
using namespace std::chrono_literals;

namespace
{

unsigned long rootPixmap(const XSession &session)
{
    Display *dpy = XOpenDisplay(session.displayName().toLocal8Bit().constData());
    if (!dpy)
        return 0;
    Atom type;
    int format;
    unsigned long count, after, result = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(dpy, DefaultRootWindow(dpy), XInternAtom(dpy, "_XROOTPMAP_ID", False), 0, 1, False,
                           XA_PIXMAP, &type, &format, &count, &after, &data) == Success &&
        data && count == 1)
        result = *reinterpret_cast<unsigned long *>(data);
    if (data)
        XFree(data);
    XCloseDisplay(dpy);
    return result;
}

void clearRootPixmap(const XSession &session)
{
    Display *dpy = XOpenDisplay(session.displayName().toLocal8Bit().constData());
    if (!dpy)
        return;
    XDeleteProperty(dpy, DefaultRootWindow(dpy), XInternAtom(dpy, "_XROOTPMAP_ID", False));
    XSetWindowBackground(dpy, DefaultRootWindow(dpy), BlackPixel(dpy, DefaultScreen(dpy)));
    XClearWindow(dpy, DefaultRootWindow(dpy));
    XCloseDisplay(dpy);
}

class WallpaperE2E : public SessionTest
{
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        if (HasFatalFailure())
            return;
        clearRootPixmap(*s_session);
    }

    // Three JPEG pictures, red, green and blue, in a folder of the installation.
    static QStringList makePictures(const QelvoInstall &install)
    {
        QDir(install.folder()).mkdir("Pictures");
        QStringList paths;
        const std::pair<const char *, Qt::GlobalColor> pictures[] = {
            {"One.jpg", Qt::red}, {"Two.jpg", Qt::green}, {"Three.jpg", Qt::blue}};
        for (const auto &[name, colour] : pictures) {
            QImage image(320, 240, QImage::Format_RGB32);
            image.fill(colour);
            const QString path = install.path(QStringLiteral("Pictures/") + name);
            image.save(path, "JPG");
            paths << path;
        }
        return paths;
    }

    static QByteArray lists(const QStringList &pictures)
    {
        QByteArray out = "***StartList***\r\nListName=壁紙\r\nChgTime=5\r\nZoomMax=1\r\nRandomView=0\r\n"
                         "MouseDisable=1\r\nEffect=1\r\nPathes\r\n";
        for (const QString &path : pictures)
            out += QFileInfo(path).fileName().toLower().toUtf8() + "," + path.toUtf8() + "\r\n";
        return out + "***EndList***\r\n";
    }

    static QByteArray settings(int wpChanger, int wpIndex, const QDateTime &lastExecute,
                               const QByteArray &lists)
    {
        return "[AppState]\r\nAppName=qelvo\r\nAppVersion=1.0.0\r\nAppLastAccPath=/\r\n\r\n[ExecuteState]\r\n"
               "ExecuteNumber=0\r\nWPChanger=" +
               QByteArray::number(wpChanger) + "\r\nWPIndex=" + QByteArray::number(wpIndex) +
               "\r\nLastExecute=" + lastExecute.toString("yyyy/MM/dd H:mm:ss").toUtf8() +
               "\r\n\r\n[SettingLists]\r\n" + lists;
    }

    static QString line(const QByteArray &file, const char *key)
    {
        for (const QByteArray &l : file.split('\n'))
            if (l.startsWith(key))
                return QString::fromUtf8(l.trimmed());
        return {};
    }
};

TEST_F(WallpaperE2E, ChangerOnlyRunSetsTheNextPictureStoresItAndEnds)
{
    QelvoInstall install(*s_session);
    const QStringList pictures = makePictures(install);
    // Lists after the running one hold an entry that begins with "[" and a
    // Latin-1 name: the run copies them, and the list after them, byte for byte.
    const QByteArray setting =
        lists(pictures) +
        "***StartList***\r\nListName=odd\r\nPathes\r\n[2024] trip.jpg,/p/[2024] trip.jpg\r\n"
        "caf\xe9.jpg,/p/caf\xe9.jpg\r\n***EndList***\r\n"
        "***StartList***\r\nListName=last\r\nPathes\r\n***EndList***\r\n";
    // Thirty seconds ago: far enough from now not to look like a quick restart.
    const QByteArray before = settings(3, 2, QDateTime::currentDateTime().addSecs(-30), setting);
    install.writeSettings(before);

    QProcess &run = install.start({"/s"});
    const auto code = QelvoInstall::waitForExit(run, 10s);
    ASSERT_TRUE(code.has_value()) << "the changer-only run did not end";
    EXPECT_EQ(*code, 0);

    EXPECT_NE(rootPixmap(*s_session), 0ul);
    EXPECT_TRUE(waitUntil([] { return near(s_session->pixel(512, 384), Qt::blue); }, 5s));
    const QByteArray after = install.readSettings();
    EXPECT_EQ(line(after, "WPIndex="), "WPIndex=3");
    EXPECT_EQ(line(after, "WPChanger="), "WPChanger=3");
    EXPECT_EQ(line(after, "ExecuteNumber="), "ExecuteNumber=0");
    EXPECT_NE(line(after, "LastExecute="), line(before, "LastExecute="));
    EXPECT_TRUE(after.endsWith("[SettingLists]\r\n" + setting)) << "the setting lists are kept byte for byte";
    EXPECT_TRUE(QFile::exists(install.path("qelvowp.bmp")));

    // A start right after a run (its LastExecute seconds match the clock's) changes nothing.
    // The time is written afresh so that the two seconds the run takes to end cannot matter.
    const QByteArray recent = settings(3, 3, QDateTime::currentDateTime(), setting);
    install.writeSettings(recent);
    const unsigned long pixmap = rootPixmap(*s_session);
    QProcess &again = install.start({"/s"});
    ASSERT_TRUE(QelvoInstall::waitForExit(again, 10s).has_value());
    EXPECT_EQ(install.readSettings(), recent);
    EXPECT_EQ(rootPixmap(*s_session), pixmap);
}

TEST_F(WallpaperE2E, UnattendedRunTellsStandardErrorAndItsExitStatusInsteadOfWaitingForAClick)
{
    struct Case {
        const char *what;
        QStringList environment;
        int entries;      // pictures in the list, the first three real
        const char *said; // expected on standard error; %1 stands for the missing picture
        int exitStatus;
        int wpIndex = 0;                  // stored before the run
        const char *stored = "WPIndex=1"; // after it
        bool folderGone = false;          // the list names a folder that is not there
    };
    // The dialog's hidden load shows its notice about the list's length; a
    // GNOME session without gsettings cannot take the picture; an unplugged
    // drive's folder or picture sets nothing.
    const Case cases[] = {
        {"a list too long for the dialog",
         {},
         32767,
         "qelvo: 1リスト内の画像ファイルは32,767ファイルまでです\n",
         0},
        {"a desktop that refuses",
         {"XDG_CURRENT_DESKTOP=GNOME", "PATH=/nonexistent"},
         3,
         "qelvo: 壁紙変更時にエラーが発生しました。 エラー番号:1000\n",
         1},
        {"a missing folder", {}, 3, "qelvo: ----Folder Not Found----\n", 1, 0, "WPIndex=0", true},
        {"a missing picture",
         {},
         4,
         "qelvo: 壁紙にする画像ファイルが見つかりません。 %1\n",
         1,
         3,
         "WPIndex=4"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QelvoInstall install(*s_session);
        QStringList pictures = makePictures(install);
        const QString missing = install.path("Pictures/missing.jpg");
        while (pictures.size() < c.entries)
            pictures << missing;
        QByteArray listed = lists(pictures);
        if (c.folderGone)
            listed.insert(listed.indexOf("***EndList***"),
                          "(gone)," + install.path("gone").toUtf8() + "\r\n");
        install.writeSettings(settings(3, c.wpIndex, QDateTime::currentDateTime().addSecs(-30), listed));

        QProcess &run = install.start({"/s"}, c.environment, true);
        const auto code = QelvoInstall::waitForExit(run, 15s);
        ASSERT_TRUE(code.has_value()) << "the run waited";
        EXPECT_EQ(*code, c.exitStatus);
        EXPECT_EQ(QString::fromUtf8(run.readAllStandardError()),
                  QString::fromUtf8(c.said).replace("%1", missing));
        EXPECT_EQ(line(install.readSettings(), "WPIndex="), c.stored);
    }
}

TEST_F(WallpaperE2E, WKeyDuringAShowSetsTheWallpaper)
{
    QelvoInstall install(*s_session);
    const QStringList pictures = makePictures(install);
    install.writeSettings(settings(1, 0, QDateTime::currentDateTime().addSecs(-30), lists(pictures)));

    QProcess &show = install.start({"/s"});
    const auto window = install.waitForWindow(show, 15s);
    ASSERT_TRUE(window.has_value());
    // The first picture (red) is on screen after the title.
    ASSERT_TRUE(waitUntil([] { return near(s_session->pixel(512, 384), Qt::red); }, 10s));
    ASSERT_TRUE(s_session->xdotool({"key", "--window", QString::number(window->id), "w"}));

    EXPECT_TRUE(waitUntil([] { return rootPixmap(*s_session) != 0; }, 5s));
    const QImage bitmap(install.path("qelvowp.bmp"));
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_TRUE(near(bitmap.pixelColor(160, 120), Qt::red));
    EXPECT_EQ(show.state(), QProcess::Running) << "W does not end the show";
}

// A failing change (LXQt named, no session bus) during the show: its error box
// stands above the show and has the keyboard; Return closes it, Escape then
// ends the show.
TEST_F(WallpaperE2E, TheErrorBoxIsAboveTheShowAndAnswersTheKeyboard)
{
    QelvoInstall install(*s_session);
    const QStringList pictures = makePictures(install);
    install.writeSettings(settings(1, 0, QDateTime::currentDateTime().addSecs(-30), lists(pictures)));
    QProcess &show = install.start(
        {"/s"}, {"XDG_CURRENT_DESKTOP=LXQt", "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/bus"});
    const auto window = install.waitForWindow(show, 15s);
    ASSERT_TRUE(window.has_value());
    ASSERT_TRUE(waitUntil([] { return near(s_session->pixel(512, 384), Qt::red); }, 10s));
    ASSERT_TRUE(s_session->xdotool({"key", "--window", QString::number(window->id), "w"}));

    std::optional<XSession::Window> box;
    const auto boxShown = [&] {
        for (const auto &w : s_session->windowsOf(show.processId()))
            if (w.geometry.width() < 1024)
                box = w;
        return box.has_value();
    };
    ASSERT_TRUE(waitUntil(boxShown, 10s)) << "no error box";
    const QPoint centre = box->geometry.center();
    EXPECT_TRUE(waitUntil([&] { return !near(s_session->pixel(centre.x(), centre.y()), Qt::red); }, 5s))
        << "the box is behind the show";
    // To whichever window has the keyboard.
    ASSERT_TRUE(s_session->xdotool({"key", "Return"}));
    EXPECT_TRUE(waitUntil([&] { return box = std::nullopt, !boxShown(); }, 5s))
        << "Return did not close the box";
    ASSERT_TRUE(s_session->xdotool({"key", "Escape"}));
    EXPECT_EQ(QelvoInstall::waitForExit(show, 5s), 0) << "the show did not end after the box";
}

} // namespace
