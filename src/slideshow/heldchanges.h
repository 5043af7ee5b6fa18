#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace qelvo
{

// Changes to what the screen shows, held back while it waits for a picture
// that is still being decoded: the screen keeps the old picture (or the
// transition that closed it) until the new one can take its place in one
// go, rather than showing an empty box meanwhile. Changes made during one
// handler (a tick, a key) are gathered and take effect together when it
// ends, or, when it left the screen waiting, once the picture has come.
class HeldChanges
{
public:
    // Made at once, unless gathered or held.
    void apply(std::function<void()> change)
    {
        if (m_gathering > 0 || m_waiting)
            m_changes.push_back(std::move(change));
        else
            change();
    }
    // A handler begins.
    void gather() { ++m_gathering; }
    // A handler ends; waiting: the screen waits for a picture.
    void settle(bool waiting)
    {
        m_waiting = waiting;
        if (--m_gathering == 0 && !m_waiting)
            flush();
    }
    // The picture the screen waited for is here (or will not come).
    void release()
    {
        m_waiting = false;
        if (m_gathering == 0)
            flush();
    }
    [[nodiscard]] bool holding() const { return m_waiting; }

private:
    void flush()
    {
        // A change may add another (it runs at once then).
        auto changes = std::exchange(m_changes, {});
        for (auto &change : changes)
            change();
    }

    std::vector<std::function<void()>> m_changes;
    int m_gathering = 0;
    bool m_waiting = false;
};

} // namespace qelvo
