#include "slideshow/showinput.h"

#include "settings/numbers.h"

#include <algorithm>

namespace qelvo::slideshow
{

namespace
{
constexpr int kSpaceKey = ' ';
} // namespace

KeyCommand keyCommandFor(int charCode)
{
    switch (charCode) {
    case kSpaceKey:
        return KeyCommand::PauseResume;
    case 'B':
    case 'b':
        return KeyCommand::Previous;
    case 'N':
    case 'n':
        return KeyCommand::Next;
    case 'W':
    case 'w':
        return KeyCommand::Wallpaper;
    default:
        return KeyCommand::End;
    }
}

namespace
{
std::int16_t toInt16(double value)
{
    return static_cast<std::int16_t>(
        std::clamp<long long>(settings::roundHalfEven(value), INT16_MIN, INT16_MAX));
}
} // namespace

bool PointerMemory::moved(double x, double y, bool mouseDisabled)
{
    if (mouseDisabled)
        return false;
    if (LastX != x || LastY != y)
        ++MoveCount;
    if (MoveCount > 2)
        return true;
    LastX = toInt16(x);
    LastY = toInt16(y);
    return false;
}

} // namespace qelvo::slideshow
