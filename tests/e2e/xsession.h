#pragma once

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace qelvo::e2e
{

// Polls cond every few milliseconds until it holds or the time is up.
bool waitUntil(const std::function<bool()> &cond, std::chrono::milliseconds timeout);

class XSession;
// After a wait for a program's window ran out: says which window was awaited and
// what became of the program (how it ended, or that it still runs and the
// titles of the windows it shows), so a failure in CI's log tells which it was.
void reportNoWindow(const std::string &awaited, std::chrono::milliseconds timeout, const QProcess &p,
                    const XSession &session);

// A private X server (Xvfb on a free display found with -displayfd) with an
// optional openbox window manager. Stops only the processes it started.
class XSession
{
public:
    struct Options {
        int width = 1024;
        int height = 768;
        bool windowManager = true;
        QSize secondScreen; // a second X screen (:N.1) of this size; none when empty
    };

    explicit XSession(Options options);
    XSession() : XSession(Options{}) {}
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    [[nodiscard]] bool ok() const { return m_display != nullptr; }
    [[nodiscard]] QString displayName() const { return m_displayName; }
    // DISPLAY set, desktop variables cleared, Qt on xcb.
    [[nodiscard]] QProcessEnvironment environment() const;

    struct Window {
        unsigned long id = 0;
        QRect geometry; // in root coordinates
        QString name;
    };
    // Viewable windows whose _NET_WM_PID is pid.
    [[nodiscard]] std::vector<Window> windowsOf(qint64 pid) const;
    [[nodiscard]] QImage screenshot() const;
    [[nodiscard]] QColor pixel(int x, int y) const;

    // Asks the window manager to close the window, as its title bar's close
    // button does (_NET_CLOSE_WINDOW); no key binding, so no keyboard grab,
    // stands in the way.
    bool requestClose(unsigned long window) const;
    // Runs xdotool with the session's display; true on exit code 0.
    bool xdotool(const QStringList &arguments) const;

private:
    void *m_display = nullptr; // Display*
    QString m_displayName;
    pid_t m_xvfb = -1;
    pid_t m_wm = -1;
};

// Base of the end-to-end suites: one X session per suite; every test stops at
// once when Xvfb did not start.
class SessionTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_session = std::make_unique<XSession>(); }
    static void TearDownTestSuite() { s_session.reset(); }
    void SetUp() override { ASSERT_TRUE(s_session && s_session->ok()) << "Xvfb did not start"; }
    // The first viewable window of the process whose title starts with prefix.
    static std::optional<XSession::Window> waitForTitle(const QProcess &p, const QString &prefix,
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
        if (!found && timeout.count() > 0)
            reportNoWindow("window titled \"" + prefix.toStdString() + "...\"", timeout, p, *s_session);
        return found;
    }

    static inline std::unique_ptr<XSession> s_session;
};

// True when each channel of a is within tolerance of b's.
[[nodiscard]] bool near(const QColor &a, const QColor &b, int tolerance = 24);

} // namespace qelvo::e2e
