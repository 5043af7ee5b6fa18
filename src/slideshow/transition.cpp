#include "slideshow/transition.h"

#include "settings/numbers.h"

#include <algorithm>
#include <cmath>

namespace qelvo::slideshow {

QRect TransitionStep::changedArea() const
{
    QRect area;
    for (const QRect &r : rects)
        area |= r;
    if (ring && ringRadius > 0) {
        const int reach = ringRadius + (attributes.penWidth + 1) / 2 + 1;
        area |= QRect(ringCentre.x() - reach, ringCentre.y() - reach, 2 * reach + 1, 2 * reach + 1);
    }
    return area;
}

int nextRingRadius(int radius)
{
    const double r = radius;
    return static_cast<int>(settings::roundHalfEven((r - 5.0) / r + (r - 30.0)));
}

void Transition::setup(RandomSource &random)
{
    ShutterPos = 0;
    CurtainPos = 0;
    RingRadius = 0;
    m_tag = static_cast<Variant>(std::clamp(random.pickOneBased(3), 1, 3));
    const long long e = settings::roundHalfEven(random.next() * 100.0);
    if (e <= 80) {
        m_attributes.mode = RasterMode::Black;
        m_attributes.fillColor = QColor(0, 0, 0);
    } else if (e <= 95) {
        m_attributes.mode = RasterMode::Mask;
        m_attributes.fillColor = QColor(0, 0, 255);
    } else {
        m_attributes.mode = RasterMode::Invert;
        m_attributes.fillColor = QColor(200, 200, 200);
    }
}

// A filled box between two corners; a pen wider than one pixel draws its
// outline centred on the box's edge, so the box grows by half the pen.
void Transition::addRect(TransitionStep &out, int x1, int y1, int x2, int y2) const
{
    QRect r = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
    r.setSize(r.size() - QSize(1, 1)); // corners are edges, not pixels
    if (m_attributes.penWidth > 1) {
        const int grow = m_attributes.penWidth / 2;
        r.adjust(-grow, -grow, grow, grow);
    }
    if (r.isValid())
        out.rects.push_back(r);
}

void Transition::shutter(QSize area, TransitionStep &out)
{
    m_attributes.penWidth = 1;
    const int w = area.width();
    const int h = area.height();
    if (h / 2.0 - ShutterPos > kShutterBand) {
        addRect(out, -10, ShutterPos, w + 10, ShutterPos + kShutterBand);
        addRect(out, -10, h - ShutterPos, w + 10, h - ShutterPos - kShutterBand);
        out.frameInterval = true;
        ShutterPos = static_cast<std::int16_t>(ShutterPos + kShutterBand);
    } else {
        addRect(out, -10, ShutterPos, w + 10, h - ShutterPos);
        ShutterPos = 0;
        out.finished = true;
    }
}

void Transition::curtain(QSize area, TransitionStep &out)
{
    const int w = area.width();
    const int h = area.height();
    if (w / 2.0 - CurtainPos > kCurtainBand) {
        // Both areas start at the edge, so each step draws over the earlier ones.
        addRect(out, -10, -10, CurtainPos + kCurtainBand, h + 10);
        addRect(out, w, -10, w - kCurtainBand - CurtainPos, h + 10);
        out.frameInterval = true;
        CurtainPos = static_cast<std::int16_t>(CurtainPos + kCurtainBand);
    } else {
        addRect(out, CurtainPos, -10, w - CurtainPos, h + 10);
        CurtainPos = 0;
        out.finished = true;
    }
}

void Transition::iris(QSize area, TransitionStep &out)
{
    m_attributes.mode = RasterMode::Black;
    m_attributes.penWidth = kIrisPenWidth;
    const double w = area.width();
    const double h = area.height();
    if (RingRadius != 0)
        RingRadius = static_cast<std::int16_t>(nextRingRadius(RingRadius));
    else
        RingRadius = static_cast<std::int16_t>(settings::roundHalfEven(std::sqrt(w * w + h * h) / 2.0));
    out.ring = true;
    out.ringCentre = QPoint(area.width() / 2, area.height() / 2);
    out.ringRadius = RingRadius;
    if (RingRadius < 1) {
        RingRadius = 0;
        out.finished = true;
    } else {
        out.frameInterval = true;
    }
}

TransitionStep Transition::step(QSize area, RandomSource &random)
{
    if (m_tag == Variant::None)
        setup(random);
    TransitionStep out;
    switch (m_tag) {
    case Variant::Shutter:
        shutter(area, out);
        break;
    case Variant::Curtain:
        curtain(area, out);
        break;
    case Variant::Iris:
        iris(area, out);
        break;
    case Variant::None:
        out.finished = true;
        break;
    }
    out.attributes = m_attributes;
    if (out.finished)
        m_tag = Variant::None;
    return out;
}

} // namespace qelvo::slideshow
