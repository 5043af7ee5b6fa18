#include "fuzzsupport.h"

#include "picker/pickrules.h"

#include <algorithm>
#include <cstring>

// The picker's preview size for any size a picture's header may give, in
// twips: the longer side 1000, the other in proportion, at least 1; and the
// conversion to pixels.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qelvo;
    std::int32_t wh[2] = {};
    std::memcpy(wh, data, std::min(size, sizeof wh));
    const QSize fitted = picker::previewSizeTwips(QSize(wh[0], wh[1]));
    if (wh[0] <= 0 || wh[1] <= 0) {
        fuzz::require(!fitted.isValid(), "no preview for an empty picture");
        return 0;
    }
    fuzz::require(std::max(fitted.width(), fitted.height()) == picker::kPreviewTwips,
                  "the longer side is 1000");
    fuzz::require(fitted.width() >= 1 && fitted.height() >= 1, "both sides visible");
    const int w = picker::visiblePixels(fitted.width()), h = picker::visiblePixels(fitted.height());
    fuzz::require(w >= 1 && h >= 1 && w <= 67 && h <= 67, "pixels of a 1000-twip box");
    fuzz::require(picker::visiblePixels(wh[0]) >= 1, "any positive length is visible");
    return 0;
}
