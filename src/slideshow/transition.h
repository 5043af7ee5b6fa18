#pragma once

#include "platform/randomsource.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

// The closing transition drawn over the picture on screen before the next
// image: a shutter (bands from the top and the bottom), a curtain (areas from
// the left and the right) or an iris (a thick ring shrinking to the centre),
// one drawing step per call.
namespace qelvo::slideshow {

// How a drawn pixel combines with the one under it.
enum class RasterMode {
    Black,  // becomes black
    Mask,   // pixel AND the drawing colour
    Invert, // pixel inverted
};

enum class Variant { None = 0, Shutter = 1, Curtain = 2, Iris = 3 };

inline constexpr int kShutterBand = 25;
inline constexpr int kCurtainBand = 30;
inline constexpr int kIrisPenWidth = 30;

// The drawing attributes of the picture box. They stay as the last transition
// left them: a curtain after an iris draws with the iris's 30-pixel pen.
struct DrawAttributes {
    RasterMode mode = RasterMode::Black;
    QColor fillColor = QColor(0, 0, 0);
    int penWidth = 1;
};

// One step's drawing, in the picture box's pixels (0, 0 at its top left).
struct TransitionStep {
    std::vector<QRect> rects; // filled with attributes.fillColor, already widened by the pen
    bool ring = false;        // a circle outline in black, pen attributes.penWidth
    QPoint ringCentre;
    int ringRadius = 0;       // no ring is drawn at a radius of 0 or less
    DrawAttributes attributes;
    bool frameInterval = false; // the timer goes to one step per frame
    bool finished = false;      // this was the last step

    // The area the step changed (for a partial repaint).
    [[nodiscard]] QRect changedArea() const;
};

class Transition {
public:
    // One call of FadeOut for a picture box of the given drawing size. The first
    // call after finish (or reset) chooses the variant and the raster mode.
    TransitionStep step(QSize area, RandomSource &random);

    // B and N abandon a running transition (the box's Tag is emptied).
    void reset() { m_tag = Variant::None; }

    [[nodiscard]] Variant tag() const { return m_tag; }
    [[nodiscard]] const DrawAttributes &attributes() const { return m_attributes; }

    std::int16_t ShutterPos = 0;
    std::int16_t CurtainPos = 0;
    std::int16_t RingRadius = 0;

private:
    void setup(RandomSource &random);
    void shutter(QSize area, TransitionStep &out);
    void curtain(QSize area, TransitionStep &out);
    void iris(QSize area, TransitionStep &out);
    void addRect(TransitionStep &out, int x1, int y1, int x2, int y2) const;

    Variant m_tag = Variant::None;
    DrawAttributes m_attributes;
};

// The next iris radius: (r - 5) / r + (r - 30), rounded half to even; shrinks
// by 29 or 30 a step. r must not be 0.
[[nodiscard]] int nextRingRadius(int radius);

} // namespace qelvo::slideshow
