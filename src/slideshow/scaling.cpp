#include "slideshow/scaling.h"

#include "platform/screens.h"
#include "settings/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qelvo::slideshow {

namespace {

// nearest() of the rules, kept inside the 32-bit range.
int nearest(double value)
{
    if (!std::isfinite(value) || value <= 0.0)
        return 0;
    const double limit = std::numeric_limits<int>::max();
    return static_cast<int>(settings::roundHalfEven(std::min(value, limit)));
}

int twipsToPixels(double twips)
{
    return static_cast<int>(settings::roundHalfEven(twips / kTwipsPerPixel));
}

} // namespace

ImageBox scaleToScreen(QSize image, QSize screen, float zoomMax)
{
    ImageBox box;
    const double sw = pixelsToTwips(std::max(screen.width(), 0));
    const double sh = pixelsToTwips(std::max(screen.height(), 0));
    const double w = pixelsToTwips(image.width());
    const double h = pixelsToTwips(image.height());
    if (w > 0 && h > 0 && zoomMax > 0.0f) {
        // The ratios are compared as 32-bit floats; the full-screen products use
        // the unrounded quotients.
        const float rW = static_cast<float>(sw / w);
        const float rH = static_cast<float>(sh / h);
        if (rH < rW) {
            if (rH > zoomMax) {
                box.widthTwips = nearest(w * zoomMax);
                box.heightTwips = nearest(h * zoomMax);
            } else {
                box.widthTwips = nearest(sh / h * w);
                box.heightTwips = nearest(sh / h * h);
            }
        } else {
            if (rW > zoomMax) {
                box.widthTwips = nearest(w * zoomMax);
                box.heightTwips = nearest(h * zoomMax);
            } else {
                box.widthTwips = nearest(sw / w * w);
                box.heightTwips = nearest(sw / w * h);
            }
        }
    }
    box.leftTwips = sw / 2 - box.widthTwips / 2.0;
    box.topTwips = sh / 2 - box.heightTwips / 2.0;

    // In pixels the box keeps its size and is centred on whole pixels.
    const int width = twipsToPixels(box.widthTwips);
    const int height = twipsToPixels(box.heightTwips);
    const int left = static_cast<int>(std::floor((screen.width() - width) / 2.0));
    const int top = static_cast<int>(std::floor((screen.height() - height) / 2.0));
    box.pixels = QRect(left, top, width, height);
    return box;
}

} // namespace qelvo::slideshow
