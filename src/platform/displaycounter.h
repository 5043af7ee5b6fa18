#pragma once

#include <functional>

namespace qelvo
{

// Emulates the desktop's cursor display counter: each call moves the count by
// one and returns it; the pointer is visible while the count is zero or more.
class DisplayCounter
{
public:
    using VisibilityHook = std::function<void(bool visible)>;

    explicit DisplayCounter(VisibilityHook hook = {}) : m_hook(std::move(hook)) {}

    // +1 when show is true, -1 otherwise; returns the new count.
    int ShowCursor(bool show);
    [[nodiscard]] int count() const { return m_count; }

private:
    int m_count = 0;
    VisibilityHook m_hook;
};

// The process-wide counter; blanks the pointer over the program's windows
// while the count is negative.
DisplayCounter &processDisplayCounter();

} // namespace qelvo
