#pragma once

#include "slideshow/transition.h"

#include <QFile>

#include <chrono>
#include <memory>

namespace qelvo
{

// A developer's record of transition steps, for measuring the show on a real
// screen: with QELVO_STEP_LOG naming a file, every step adds a line
//   <kind 1-3> <raster mode 1-3> <work ms> <ms since the step before>
// where the work runs from the tick's start until the X server has the
// step's pixels (a round trip after the repaint). Nothing otherwise.
class StepLog
{
public:
    using Clock = std::chrono::steady_clock;
    StepLog();
    [[nodiscard]] bool active() const { return m_file != nullptr; }
    // One step, drawn in a tick that began at start.
    void step(const slideshow::Transition &transition, const QString &kind, Clock::time_point start);

private:
    std::unique_ptr<QFile> m_file;
    Clock::time_point m_last;
};

} // namespace qelvo
