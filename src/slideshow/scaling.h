#pragma once

#include <QRect>
#include <QSize>

namespace qelvo::slideshow {

// Where an image goes on the screen, in twips (as the layout rules are stated)
// and in device-independent pixels (as it is drawn).
struct ImageBox {
    int widthTwips = 0;
    int heightTwips = 0;
    double leftTwips = 0.0;
    double topTwips = 0.0;
    QRect pixels;
};

// Scales an image of natural size `image` (pixels) to fit `screen` (pixels)
// with its proportions kept, by the smaller of the two screen ratios but never
// by more than zoomMax, and centres it. An empty image or screen, or a zoomMax
// of 0 or less, gives an empty box in the centre.
[[nodiscard]] ImageBox scaleToScreen(QSize image, QSize screen, float zoomMax);

} // namespace qelvo::slideshow
