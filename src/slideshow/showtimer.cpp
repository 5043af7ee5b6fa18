#include "slideshow/showtimer.h"

#include "platform/screens.h"

#include <algorithm>
#include <cmath>

namespace qelvo::slideshow {

ShowTimer::ShowTimer(QObject *parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ShowTimer::Timer);
}

int ShowTimer::framePeriodMs()
{
    return std::max(1, static_cast<int>(std::lround(1000.0 / primaryRefreshRate())));
}

void ShowTimer::apply()
{
    if (!m_enabled || m_interval <= 0) {
        m_timer.stop();
        return;
    }
    m_timer.start(m_interval == 1 ? framePeriodMs() : m_interval);
}

void ShowTimer::setInterval(int ms)
{
    // Setting the same interval again keeps the running period, so frame-paced
    // steps stay evenly spaced.
    if (ms == m_interval && (m_timer.isActive() || ms <= 0 || !m_enabled))
        return;
    m_interval = ms;
    apply();
}

void ShowTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    apply();
}

void ShowTimer::restart()
{
    if (m_enabled)
        apply();
}

} // namespace qelvo::slideshow
