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

// "The whole screen": the primary screen's geometry in device-independent pixels.
[[nodiscard]] QRect primaryScreenGeometry();

// The primary screen's refresh rate in Hz, 60 where it is unknown.
[[nodiscard]] double primaryRefreshRate();

} // namespace qelvo
