#pragma once

#include "platform/randomsource.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

namespace qelvo::slideshow
{

// How a drawn pixel combines with the pixel under it.
enum class RasterMode {
    Copy,   // the picture box's initial mode: the drawing colour
    Black,  // always black
    Mask,   // pixel AND fill colour
    Invert, // pixel inverted
};

// The picture box's drawing attributes. A transition sets them and leaves
// them set; the pen draws the iris's rings only, bands are filled areas.
struct DrawAttributes {
    RasterMode mode = RasterMode::Copy;
    QColor fillColor = Qt::black;
    int penWidth = 1; // pixels
    bool transparentFill = false;

    friend bool operator==(const DrawAttributes &, const DrawAttributes &) = default;
};

// One filled rectangle (exactly the pixels of rect) or one unfilled circle.
struct FadeShape {
    enum class Kind { Rectangle, Circle };
    Kind kind = Kind::Rectangle;
    QRect rect;     // Rectangle
    QPoint centre;  // Circle
    int radius = 0; // Circle; 0 or less draws a dot of the pen's width

    friend bool operator==(const FadeShape &, const FadeShape &) = default;
};

// What one call of the transition draws and decides.
struct FadeStep {
    std::vector<FadeShape> shapes;
    DrawAttributes attributes;
    bool frameInterval = false; // the timer goes to one step per frame
    bool finished = false;      // the picture is covered; the next tick moves on
};

// The pixels a shape touches when drawn with the given pen (a ring's pen
// reaches outside as well as inside its radius).
[[nodiscard]] QRect paintedBounds(const FadeShape &shape, const DrawAttributes &attributes);

// The closing animation over the shown picture: shutter ("1"), curtain ("2")
// or iris ("3"), one step per call. Tag empty means no transition under way.
class Transition
{
public:
    // One step over a picture of the given size in pixels; the first call on
    // an empty Tag also picks the variant and the raster mode.
    FadeStep step(QSize picture, RandomSource &random);
    // B and N abandon a transition; the next step starts afresh.
    void abandon() { Tag.clear(); }

    QString Tag;
    std::int16_t ShutterPos = 0;
    std::int16_t CurtainPos = 0;
    std::int16_t RingRadius = 0;
    DrawAttributes attributes;

private:
    void setUp(RandomSource &random);
    void shutter(QSize picture, FadeStep &out);
    void curtain(QSize picture, FadeStep &out);
    void iris(QSize picture, FadeStep &out);
};

// The band and ring sizes in pixels.
inline constexpr int kShutterBand = 25;
inline constexpr int kCurtainBand = 30;
inline constexpr int kIrisPen = 30;
inline constexpr int kEdgeOverhang = 10;

} // namespace qelvo::slideshow
