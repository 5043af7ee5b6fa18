// The show on a Wayland compositor: the real binary on Qt's wayland platform
// under a headless sway, keys typed with wtype, the output taken with grim.
// Without one of them the tests skip and say why.
#include "qelvorun.h"
#include "swaysession.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <vector>

using namespace qelvo::e2e;
using namespace std::chrono_literals;

namespace
{

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
// The desktop's background, which no output may show once the show runs.
const QColor kDesk(0, 0, 255);
constexpr int kWidth = 1024;
constexpr int kHeight = 768;
// The show on HEADLESS-1 (the primary screen), a black cover on HEADLESS-2.
constexpr int kOutputs = 2;
// A show that was told to end is gone within this, even under the sanitizers.
constexpr auto kEndBound = 3s;

// Pixels of the square of side 2 * half around (x, y) that are not near colour.
int pixelsOtherThan(const QImage &shot, const QColor &colour, int x, int y, int half = 24)
{
    int count = 0;
    for (int py = y - half; py < y + half; ++py)
        for (int px = x - half; px < x + half; ++px)
            count += near(shot.pixelColor(px, py), colour) ? 0 : 1;
    return count;
}

class WaylandE2E : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        const QString plugin =
            QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms/libqwayland-generic.so";
        if (!QFileInfo::exists(plugin))
            s_skip = "Qt's wayland platform plugin is not installed (" + plugin.toStdString() + ")";
        else if (QStandardPaths::findExecutable("wtype").isEmpty())
            s_skip = "wtype is not installed";
        if (!s_skip.empty())
            return;
        s_sway = std::make_unique<SwaySession>(SwaySession::Options{kWidth, kHeight, kOutputs, kDesk});
        if (!s_sway->ok())
            s_skip = s_sway->failure().toStdString();
        else if (!s_sway->addPointer())
            s_skip = "sway offers no virtual pointer";
        else if (!s_sway->addKeyboard())
            s_skip = "wtype cannot plug a keyboard into sway";
    }
    static void TearDownTestSuite() { s_sway.reset(); }

    void SetUp() override
    {
        if (!s_skip.empty())
            GTEST_SKIP() << s_skip;
        QProcessEnvironment base = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "SWAYSOCK",
                                 "XDG_SESSION_DESKTOP", "XDG_SESSION_TYPE"})
            base.remove(name);
        base.insert("QT_QPA_PLATFORM", "wayland");
        // An absolute socket: the binary keeps a runtime folder of its own for its lock.
        base.insert("WAYLAND_DISPLAY", s_sway->waylandSocket());
        m_install = std::make_unique<QelvoInstall>(base);
        QImage picture(kWidth, kHeight, QImage::Format_RGB32);
        picture.fill(kRed);
        ASSERT_TRUE(picture.save(m_install->path("red.jpg"), nullptr, 95));
        writeList(0);
    }

    // One list of the red picture, the mouse off, in this wallpaper mode.
    void writeList(int wallpaperMode) const
    {
        m_install->writeSettings(
            "[AppState]\r\nAppName=qelvo\r\nAppVersion=1.0.0\r\nAppLastAccPath=/\r\n\r\n"
            "[ExecuteState]\r\nExecuteNumber=0\r\nWPChanger=" +
            QByteArray::number(wallpaperMode) +
            "\r\nWPIndex=0\r\nLastExecute=2000/01/01 0:00:00\r\n\r\n[SettingLists]\r\n***StartList***\r\n"
            "ListName=e2e\r\nChgTime=30\r\nZoomMax=1\r\nRandomView=0\r\nMouseDisable=1\r\nEffect=1\r\n"
            "Pathes\r\nred.jpg," +
            QFile::encodeName(m_install->path("red.jpg")) + "\r\n***EndList***\r\n");
    }

    // Just off the centre: sway draws the pointer into every picture grim
    // takes, and the tests place it at the centre.
    static bool centreIs(const QColor &colour, std::chrono::milliseconds timeout)
    {
        const QPoint at(kWidth / 2 + 40, kHeight / 2 + 40);
        return waitUntil([&] { return near(s_sway->screenshot().pixelColor(at), colour); }, timeout);
    }

    // Starts the show and waits until the picture stands at the centre.
    QProcess &startShowing()
    {
        QProcess &qelvo = m_install->start({"/s"});
        EXPECT_TRUE(centreIs(kRed, 15s)) << "the show did not appear";
        return qelvo;
    }

    static bool typeKey(const char *key) { return s_sway->run("wtype", {"-k", key}).has_value(); }
    static bool movePointer(int x, int y)
    {
        return s_sway
            ->run("swaymsg", {"seat", "seat0", "cursor", "set", QString::number(x), QString::number(y)})
            .has_value();
    }

    // Ends it the given way, then the time until the process has ended
    // (nothing past the bound).
    static std::optional<std::chrono::milliseconds> endAfter(QProcess &qelvo,
                                                             const std::function<bool()> &end)
    {
        QElapsedTimer clock;
        clock.start();
        if (!end())
            return std::nullopt;
        const auto code = QelvoInstall::waitForExit(qelvo, kEndBound);
        EXPECT_EQ(code, 0);
        if (!code)
            return std::nullopt;
        return std::chrono::milliseconds(clock.elapsed());
    }
    static std::optional<std::chrono::milliseconds> endWithEscape(QProcess &qelvo)
    {
        return endAfter(qelvo, [] { return typeKey("Escape"); });
    }

    static inline std::unique_ptr<SwaySession> s_sway;
    static inline std::string s_skip;
    std::unique_ptr<QelvoInstall> m_install;
};

} // namespace

TEST_F(WaylandE2E, TheShowCoversTheOutputAndEscapeEndsIt)
{
    QProcess &qelvo = startShowing();
    const QPoint points[] = {
        {kWidth / 2, kHeight / 2}, {2, 2}, {kWidth - 3, 2}, {2, kHeight - 3}, {kWidth - 3, kHeight - 3}};
    // Corners too, once the title is gone.
    const bool covered = waitUntil(
        [&] {
            const QImage shot = s_sway->screenshot();
            for (const QPoint &p : points)
                if (!near(shot.pixelColor(p), kRed))
                    return false;
            return true;
        },
        10s);
    EXPECT_TRUE(covered);
    const auto ended = endWithEscape(qelvo);
    ASSERT_TRUE(ended.has_value()) << "the show did not end within " << kEndBound.count() << " s of Escape";
    std::cout << "[ measured ] Escape to exit: " << ended->count() << " ms\n";
}

// sway draws the pointer into grim's picture; over the show it must be gone.
TEST_F(WaylandE2E, ThePointerIsHiddenOverTheShow)
{
    ASSERT_TRUE(movePointer(kWidth / 2, kHeight / 2));
    ASSERT_TRUE(centreIs(kDesk, 5s));
    const int before = pixelsOtherThan(s_sway->screenshot(true), kDesk, kWidth / 2, kHeight / 2);
    ASSERT_GT(before, 20) << "sway shows no pointer to hide";

    QProcess &qelvo = startShowing();
    const auto hiddenAt = [&](int x, int y) {
        return waitUntil([&] { return pixelsOtherThan(s_sway->screenshot(true), kRed, x, y) == 0; }, 5s);
    };
    EXPECT_TRUE(hiddenAt(kWidth / 2, kHeight / 2)) << "the pointer stays over the show";
    // Moved over the show (the mouse is off: it does not end the show).
    ASSERT_TRUE(movePointer(300, 200));
    EXPECT_TRUE(hiddenAt(300, 200)) << "the pointer shows again where it moved";
    EXPECT_TRUE(endWithEscape(qelvo).has_value());
}

// Every start told to end is gone promptly and leaves no lock behind: the
// next start runs. The end comes as soon as the window has the keyboard: for
// the show Escape on the title, as a user who wakes the screen saver at once;
// for the dialog the compositor's close, as its title bar's close button.
TEST_F(WaylandE2E, ItAlwaysEndsAndTheNextStartRuns)
{
    constexpr int kRounds = 20;
    const struct {
        const char *argument;
        const char *how;
        std::function<bool()> end;
    } starts[] = {
        {"/s", "Escape", [] { return typeKey("Escape"); }},
        {"/c", "the window's close", [] { return s_sway->run("swaymsg", {"kill"}).has_value(); }},
    };
    for (const auto &start : starts) {
        SCOPED_TRACE(start.argument);
        std::chrono::milliseconds slowest{0};
        for (int round = 1; round <= kRounds; ++round) {
            SCOPED_TRACE("round " + std::to_string(round));
            QProcess &qelvo = m_install->start({start.argument});
            ASSERT_TRUE(waitUntil([&] { return s_sway->focusedProcess() == qelvo.processId(); }, 10s))
                << "the start was refused or shows no window";
            const auto ended = endAfter(qelvo, start.end);
            ASSERT_TRUE(ended.has_value())
                << "it did not end within " << kEndBound.count() << " s of " << start.how;
            slowest = std::max(slowest, *ended);
        }
        std::cout << "[ measured ] " << start.argument << ", " << kRounds << " rounds, slowest " << start.how
                  << " to exit: " << slowest.count() << " ms\n";
    }
}

// Two outputs and a pointer: wherever the pointer stands when the show starts
// (on the show's output, on the cover's, moved across both), every output
// shows the show or its cover, the one within a second of the other.
TEST_F(WaylandE2E, EveryOutputIsCoveredWhateverThePointerDoes)
{
    const struct {
        const char *pointer;
        std::vector<QPoint> path; // where it stands at the start, then moves to
    } rows[] = {
        {"on the show's output", {{kWidth / 2, kHeight / 2}}},
        {"on the cover's output", {{kWidth + kWidth / 2, kHeight / 2}}},
        {"moving across both", {{kWidth + 100, 100}, {200, 200}, {kWidth + 300, 300}}},
    };
    // Away from the title, the corner texts and the pointer.
    const auto colourOf = [](int output) {
        const QImage shot = s_sway->screenshot(false, QStringLiteral("HEADLESS-%1").arg(output));
        return shot.isNull() ? kDesk : shot.pixelColor(kWidth / 2 + 60, kHeight / 3);
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.pointer);
        ASSERT_TRUE(movePointer(row.path.front().x(), row.path.front().y()));
        QProcess &qelvo = m_install->start({"/s"});
        for (const QPoint &to : row.path)
            ASSERT_TRUE(movePointer(to.x(), to.y()));
        ASSERT_TRUE(waitUntil([&] { return !near(colourOf(1), kDesk) || !near(colourOf(2), kDesk); }, 15s))
            << "the show did not appear";
        QElapsedTimer clock;
        clock.start();
        const bool both =
            waitUntil([&] { return !near(colourOf(1), kDesk) && near(colourOf(2), kBlack); }, 10s);
        const qint64 after = clock.elapsed();
        EXPECT_TRUE(both) << "output 1 " << colourOf(1).name().toStdString() << ", output 2 "
                          << colourOf(2).name().toStdString();
        EXPECT_LE(after, 1000) << "one output waited for the other";
        EXPECT_TRUE(waitUntil([&] { return near(colourOf(1), kRed); }, 10s))
            << "no picture on the show's output";
        std::cout << "[ measured ] pointer " << row.pointer << ": the second output " << after
                  << " ms after the first\n";
        ASSERT_TRUE(endWithEscape(qelvo).has_value());
    }
}

// A box the show opens (W on a desktop that takes no wallpaper: the error
// box) is the show's child: above it, with the keyboard; Return closes it and
// Escape then ends the show.
TEST_F(WaylandE2E, TheShowsBoxIsAboveItAndAnswersTheKeyboard)
{
    writeList(1); // W sets the wallpaper
    QProcess &qelvo = startShowing();
    ASSERT_TRUE(typeKey("w"));
    const auto boxFocused = [&] {
        const auto focused = s_sway->focusedWindow();
        return focused && focused->pid == qelvo.processId() && focused->floating && focused->visible;
    };
    ASSERT_TRUE(waitUntil(boxFocused, 10s)) << "the error box is not shown with the keyboard";
    ASSERT_TRUE(typeKey("Return"));
    EXPECT_TRUE(waitUntil(
        [&] {
            const auto focused = s_sway->focusedWindow();
            return focused && focused->pid == qelvo.processId() && focused->fullScreen;
        },
        10s))
        << "Return did not give the show its keyboard back";
    EXPECT_TRUE(endWithEscape(qelvo).has_value()) << "the show did not end after the box";
}
