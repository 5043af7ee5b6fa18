#pragma once

#include <QRect>

namespace qelvo
{

// Layout units: 15 twips make one device-independent pixel (1440 / 96 dpi).
inline constexpr int kTwipsPerPixel = 15;

[[nodiscard]] constexpr int pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

// Twips to whole pixels, to the nearest and halves to the even neighbour (the
// rule for every float-to-integer conversion). The one conversion all windows use.
[[nodiscard]] constexpr int twipsToPixels(double twips)
{
    const double pixels = twips / kTwipsPerPixel;
    auto whole = static_cast<long long>(pixels);
    if (static_cast<double>(whole) > pixels)
        --whole; // round down for negative lengths too
    const double rest = pixels - static_cast<double>(whole);
    if (rest > 0.5 || (rest == 0.5 && whole % 2 != 0))
        ++whole;
    return static_cast<int>(whole);
}

// "The whole screen": the primary screen's geometry in device-independent pixels.
[[nodiscard]] QRect primaryScreenGeometry();

// The primary screen's refresh rate in Hz, 60 where it is unknown.
[[nodiscard]] double primaryRefreshRate();

} // namespace qelvo
