#include "slideshow/scaling.h"

#include "platform/screens.h"
#include "settings/numbers.h"

#include <algorithm>

namespace qelvo::slideshow
{

namespace
{
long long nearest(double value)
{
    return settings::roundHalfEven(value);
}
} // namespace

QRect scaleToScreen(QSize imagePx, QSize screenPx, float zoomMax)
{
    const double sw = pixelsToTwips(std::max(screenPx.width(), 0));
    const double sh = pixelsToTwips(std::max(screenPx.height(), 0));
    long long width = 0, height = 0;
    if (imagePx.width() > 0 && imagePx.height() > 0) {
        const double w = pixelsToTwips(imagePx.width());
        const double h = pixelsToTwips(imagePx.height());
        const float rW = static_cast<float>(sw / w);
        const float rH = static_cast<float>(sh / h);
        // The limiting ratio: the height's when it is strictly smaller.
        const bool byHeight = rH < rW;
        const float ratio = byHeight ? rH : rW;
        if (ratio > zoomMax) {
            width = nearest(static_cast<float>(w) * zoomMax);
            height = nearest(static_cast<float>(h) * zoomMax);
        } else {
            const double q = byHeight ? sh / h : sw / w; // unrounded
            width = nearest(q * w);
            height = nearest(q * h);
        }
        width = std::max(width, 0LL);
        height = std::max(height, 0LL);
        // A sliver (1 x 30000 on an ordinary screen) would round to nothing in
        // its thin direction; it is shown at least one pixel wide and high.
        if (zoomMax > 0 && sw > 0 && sh > 0) {
            width = std::max<long long>(width, kTwipsPerPixel);
            height = std::max<long long>(height, kTwipsPerPixel);
        }
    }
    const double left = sw / 2 - static_cast<double>(width) / 2;
    const double top = sh / 2 - static_cast<double>(height) / 2;
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(static_cast<double>(width)),
            twipsToPixels(static_cast<double>(height))};
}

} // namespace qelvo::slideshow
