#pragma once

#include <QRect>
#include <QSize>

namespace qelvo::slideshow
{

// Where an image of imagePx natural pixels stands on a screen of screenPx
// pixels: scaled by the smaller of the two screen ratios so that it fits with
// its proportions kept, never by more than zoomMax, centred. The rules work in
// twips (15 a pixel) with 32-bit float ratios and round half to even, and the
// result is converted back to whole pixels. An empty image or screen, or a
// zoomMax of 0 or less, gives an empty box at the centre.
[[nodiscard]] QRect scaleToScreen(QSize imagePx, QSize screenPx, float zoomMax);

} // namespace qelvo::slideshow
