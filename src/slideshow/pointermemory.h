#pragma once

#include <cstdint>

namespace qelvo::slideshow {

// Pointer movement ends the show on the third event that reports a changed
// position, unless the list switches the mouse off. The memory starts at (0, 0)
// and is never reset, so the first event already counts unless the pointer sits
// at the origin.
class PointerMemory {
public:
    // One pointer event at (x, y) in window units; true when it ends the show.
    bool Form_MouseMove(double x, double y, std::uint8_t mouseDisable);

    std::int16_t LastX = 0;
    std::int16_t LastY = 0;
    std::int16_t MoveCount = 0;
};

} // namespace qelvo::slideshow
