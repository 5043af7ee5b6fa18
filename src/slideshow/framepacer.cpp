#include "slideshow/framepacer.h"

namespace qelvo::slideshow
{

void FramePacer::start(Clock::time_point now, std::chrono::nanoseconds frame)
{
    m_due = now;
    m_frame = frame;
    m_running = true;
}

std::chrono::milliseconds FramePacer::next(Clock::time_point now)
{
    m_due += m_frame;
    // More than a frame behind: the grid moves, so the next step comes a
    // frame after this one rather than at once.
    if (m_due + m_frame <= now)
        m_due = now + m_frame;
    if (m_due <= now)
        return std::chrono::milliseconds(0);
    // Whole milliseconds for the timer, rounded down: a step a fraction of a
    // millisecond early is not seen, one late may miss its frame.
    return std::chrono::duration_cast<std::chrono::milliseconds>(m_due - now);
}

} // namespace qelvo::slideshow
