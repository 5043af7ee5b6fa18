#pragma once

#include <QObject>
#include <QTimer>

namespace qelvo::slideshow {

// The show's one timer. Its enabled flag is the pause flag; an interval of 0
// or less means no ticks while it stays enabled. Intervals beyond 65,535 ms
// are kept as they are. An interval of 1 ms means "one step per frame": the
// ticks follow the screen's refresh, so every transition step can be seen.
class ShowTimer : public QObject {
    Q_OBJECT
public:
    explicit ShowTimer(QObject *parent = nullptr);

    void setInterval(int ms);
    [[nodiscard]] int interval() const { return m_interval; }
    void setEnabled(bool enabled);
    [[nodiscard]] bool isEnabled() const { return m_enabled; }
    // Disable and enable again: the next tick comes a full interval later.
    void restart();
    // Whether a tick is pending (enabled with a positive interval).
    [[nodiscard]] bool isTicking() const { return m_timer.isActive(); }

    // The period of one frame of the primary screen, in ms.
    [[nodiscard]] static int framePeriodMs();

signals:
    void Timer();

private:
    void apply();

    QTimer m_timer;
    int m_interval = 0;
    bool m_enabled = true;
};

} // namespace qelvo::slideshow
