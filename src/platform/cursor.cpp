#include "platform/cursor.h"

namespace qelvo
{

namespace
{
std::uint8_t g_runMode = 0;
}

std::uint8_t RunMode()
{
    return g_runMode;
}
void setRunMode(std::uint8_t mode)
{
    g_runMode = mode;
}

// The counter is read back as a 16-bit signed number, as the desktop API returns it.
void HideCursor(DisplayCounter &counter)
{
    while (static_cast<std::int16_t>(counter.ShowCursor(false)) >= 0) {
    }
}

void RestoreCursor(DisplayCounter &counter)
{
    while (static_cast<std::int16_t>(counter.ShowCursor(true)) < 0) {
    }
}

} // namespace qelvo
