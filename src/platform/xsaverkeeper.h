#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <optional>

namespace qelvo
{

// The X server's own saver and its monitor power saving (DPMS), in seconds;
// 0 means never.
struct XSaverTimes {
    int saverTimeout = 0;
    bool dpmsEnabled = false;
    int standby = 0;
    int suspend = 0;
    int off = 0;
};

// What the keeper does after the user has been idle for idleMs: keep the
// X saver off (reset its timer), or, once the power settings' time has come,
// leave it be and switch the monitor to that power level (1 standby,
// 2 suspend, 3 off; the deepest whose time has passed).
struct XSaverStep {
    bool resetSaver = false;
    std::optional<int> dpmsLevel;
};
[[nodiscard]] XSaverStep xsaverStep(long long idleMs, const XSaverTimes &times);

// While a show started by an idle watcher runs on X11, the X server's saver
// stays off, as it does for a full-screen video player, so that it does not
// blank over the pictures; the monitor still powers down when the user's
// power settings say so. Nothing of the user's settings is changed. The user
// is idle from before the show began (as the X server counted) until a key or
// pointer move reaches the application. Does nothing off X11.
class XSaverKeeper final : public QObject
{
public:
    XSaverKeeper();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tick();

    QTimer m_timer;
    QElapsedTimer m_idle;     // since the last input the show saw
    long long m_idleBase = 0; // the X server's idle time when m_idle started
    int m_level = 0;          // the power level the monitor was switched to this idle spell
};

} // namespace qelvo
