#pragma once

#include <cstdint>

namespace qelvo::slideshow
{

// What a character key does during the show; upper and lower case act alike.
enum class KeyCommand {
    PauseResume, // SPACE
    Previous,    // B
    Next,        // N
    Wallpaper,   // W
    End,         // every other character, Escape and Enter included
};

[[nodiscard]] KeyCommand keyCommandFor(int charCode);

// The pointer memory of the show window: the third event that reports a
// changed position ends the show, unless the list switches the mouse off.
// Starts at (0, 0) and is never reset.
class PointerMemory
{
public:
    // True when this move ends the show.
    [[nodiscard]] bool moved(double x, double y, bool mouseDisabled);

    std::int16_t LastX = 0;
    std::int16_t LastY = 0;
    std::int16_t MoveCount = 0;
};

} // namespace qelvo::slideshow
