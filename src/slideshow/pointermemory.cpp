#include "slideshow/pointermemory.h"

#include "settings/numbers.h"

#include <algorithm>

namespace qelvo::slideshow {

namespace {
std::int16_t toInt16(double v)
{
    return static_cast<std::int16_t>(std::clamp<long long>(settings::roundHalfEven(v), -32768, 32767));
}
} // namespace

bool PointerMemory::Form_MouseMove(double x, double y, std::uint8_t mouseDisable)
{
    if (mouseDisable == 1)
        return false;
    if (LastX != x || LastY != y)
        MoveCount = static_cast<std::int16_t>(std::min<int>(MoveCount + 1, 32767));
    if (MoveCount > 2)
        return true;
    LastX = toInt16(x);
    LastY = toInt16(y);
    return false;
}

} // namespace qelvo::slideshow
