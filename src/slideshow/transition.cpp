#include "slideshow/transition.h"

#include "settings/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qelvo::slideshow
{

namespace
{

// The raster mode comes from a draw scaled to 0..100 and rounded: up to
// kBlackMax black, up to kMaskMax the blue mask, above that inverted.
constexpr double kModeDrawScale = 100;
constexpr long long kBlackMax = 80;
constexpr long long kMaskMax = 95;
const QColor kMaskFill(0, 0, 255);
const QColor kInvertFill(200, 200, 200);

// Each iris step shrinks the ring by about its pen's width.
constexpr double kIrisShrink = 30;
constexpr double kIrisShrinkRatioBase = 5;

// The rows [top, bottom) across the picture and beyond its sides.
FadeShape rows(int width, int top, int bottom)
{
    return {FadeShape::Kind::Rectangle,
            QRect(-kEdgeOverhang, top, width + 2 * kEdgeOverhang, std::max(0, bottom - top)),
            {},
            0};
}

// The columns [left, right) down the picture and beyond its top and bottom.
FadeShape columns(int height, int left, int right)
{
    return {FadeShape::Kind::Rectangle,
            QRect(left, -kEdgeOverhang, std::max(0, right - left), height + 2 * kEdgeOverhang),
            {},
            0};
}

std::int16_t rounded16(double value)
{
    const long long r = settings::roundHalfEven(value);
    return static_cast<std::int16_t>(std::clamp<long long>(r, INT16_MIN, INT16_MAX));
}

} // namespace

QRect paintedBounds(const FadeShape &shape, const DrawAttributes &attributes)
{
    // A band is its area alone, whatever pen an iris left: with an outline
    // the bands would overlap, and an inverting step undo its neighbour.
    if (shape.kind == FadeShape::Kind::Rectangle)
        return shape.rect;
    const int pen = std::max(attributes.penWidth, 1);
    const int half = pen / 2;
    const int outer = std::max(shape.radius, 0) + half + 1;
    return {shape.centre.x() - outer, shape.centre.y() - outer, 2 * outer + 1, 2 * outer + 1};
}

void Transition::setUp(RandomSource &random)
{
    ShutterPos = 0;
    CurtainPos = 0;
    RingRadius = 0;
    Tag = QString::number(random.pickOneBased(3));
    // Rounded to the nearest whole number, so the chances are 80.5, 15 and 4.5 %.
    const long long e = settings::roundHalfEven(random.next() * kModeDrawScale);
    if (e <= kBlackMax) {
        attributes.mode = RasterMode::Black;
        attributes.fillColor = Qt::black;
    } else if (e <= kMaskMax) {
        attributes.mode = RasterMode::Mask;
        attributes.fillColor = kMaskFill;
    } else {
        attributes.mode = RasterMode::Invert;
        attributes.fillColor = kInvertFill;
    }
}

FadeStep Transition::step(QSize picture, RandomSource &random)
{
    if (Tag.isEmpty())
        setUp(random);
    FadeStep out;
    if (Tag == QLatin1String("1"))
        shutter(picture, out);
    else if (Tag == QLatin1String("2"))
        curtain(picture, out);
    else if (Tag == QLatin1String("3"))
        iris(picture, out);
    out.attributes = attributes;
    return out;
}

void Transition::shutter(QSize picture, FadeStep &out)
{
    attributes.penWidth = 1;
    const int w = picture.width();
    const int h = picture.height();
    // Rows [ShutterPos, ShutterPos + band) from the top and as many from the
    // bottom edge up, then the middle that is left: the bands tile the
    // picture, each row drawn once, which matters when they invert.
    if (h / 2.0 - ShutterPos > kShutterBand) {
        out.shapes.push_back(rows(w, ShutterPos, ShutterPos + kShutterBand));
        out.shapes.push_back(rows(w, h - ShutterPos - kShutterBand, h - ShutterPos));
        out.frameInterval = true;
        ShutterPos = static_cast<std::int16_t>(ShutterPos + kShutterBand);
        return;
    }
    out.shapes.push_back(rows(w, ShutterPos, h - ShutterPos));
    ShutterPos = 0;
    Tag.clear();
    out.finished = true;
}

void Transition::curtain(QSize picture, FadeStep &out)
{
    const int w = picture.width();
    const int h = picture.height();
    // The areas close in from the left and the right edge. Each step draws
    // only the columns it adds, so an inverting curtain inverts every column
    // once instead of flickering its edges and ending in stripes.
    if (w / 2.0 - CurtainPos > kCurtainBand) {
        const int outer = CurtainPos == 0 ? kEdgeOverhang : 0;
        out.shapes.push_back(columns(h, CurtainPos - outer, CurtainPos + kCurtainBand));
        out.shapes.push_back(columns(h, w - CurtainPos - kCurtainBand, w - CurtainPos + outer));
        out.frameInterval = true;
        CurtainPos = static_cast<std::int16_t>(CurtainPos + kCurtainBand);
        return;
    }
    out.shapes.push_back(columns(h, CurtainPos, w - CurtainPos));
    CurtainPos = 0;
    Tag.clear();
    out.finished = true;
}

void Transition::iris(QSize picture, FadeStep &out)
{
    attributes.transparentFill = true;
    attributes.mode = RasterMode::Black;
    attributes.penWidth = kIrisPen;
    const double w = picture.width();
    const double h = picture.height();
    if (RingRadius != 0) {
        const double r = RingRadius;
        RingRadius = rounded16((r - kIrisShrinkRatioBase) / r + (r - kIrisShrink));
    } else {
        RingRadius = rounded16(std::sqrt(w * w + h * h) / 2);
    }
    FadeShape ring;
    ring.kind = FadeShape::Kind::Circle;
    ring.centre = QPoint(static_cast<int>(settings::roundHalfEven(w / 2)),
                         static_cast<int>(settings::roundHalfEven(h / 2)));
    ring.radius = RingRadius;
    out.shapes.push_back(ring);
    if (RingRadius < 1) {
        RingRadius = 0;
        Tag.clear();
        out.finished = true;
        return;
    }
    out.frameInterval = true;
}

} // namespace qelvo::slideshow
