#pragma once

#include <chrono>

namespace qelvo::slideshow
{

// When the next transition step is due. Steps keep to a fixed grid of frames
// from the first one, so the time a step's own work takes does not push every
// later step back: a transition of n steps takes n frames. A step that comes
// more than a frame late does not make the next ones rush to catch up.
class FramePacer
{
public:
    using Clock = std::chrono::steady_clock;

    // The first step was taken at `now`; frames are `frame` apart.
    void start(Clock::time_point now, std::chrono::nanoseconds frame);
    // After a step: how long from `now` until the next one is due (0 when it
    // is due already).
    [[nodiscard]] std::chrono::milliseconds next(Clock::time_point now);
    [[nodiscard]] bool running() const { return m_running; }
    void stop() { m_running = false; }

private:
    Clock::time_point m_due;
    std::chrono::nanoseconds m_frame{0};
    bool m_running = false;
};

} // namespace qelvo::slideshow
