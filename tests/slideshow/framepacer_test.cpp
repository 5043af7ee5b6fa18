#include "slideshow/framepacer.h"

#include <gtest/gtest.h>

using namespace qelvo::slideshow;
using namespace std::chrono_literals;

// Each row: how long a step's work took from the timer's firing, and how long
// the timer then waits. A 60 Hz frame is 16.667 ms; step work does not push
// later steps back, a step over a frame late does not make the next rush.
TEST(FramePacer, StepsKeepToTheFramesCountedFromTheFirst)
{
    struct Row {
        std::chrono::microseconds work;
        std::chrono::milliseconds wait;
    };
    const Row rows[] = {
        {4000us, 12ms},  // at 4 ms, due at 16.667
        {1000us, 16ms},  // at 17, due at 33.333
        {0us, 17ms},     // at 33, due at 50: three frames from the first step
        {20000us, 0ms},  // at 70, due at 66.667: at once
        {40000us, 16ms}, // at 110, more than a frame late: a frame from now
    };
    FramePacer pacer;
    const auto t0 = FramePacer::Clock::time_point{} + 1s;
    pacer.start(t0, 16666667ns);
    auto due = t0;
    for (const Row &row : rows) {
        const auto now = due + row.work;
        const auto wait = pacer.next(now);
        EXPECT_EQ(wait, row.wait) << row.work.count();
        due = now + wait;
    }
    EXPECT_TRUE(pacer.running());
    pacer.stop();
    EXPECT_FALSE(pacer.running());
}
