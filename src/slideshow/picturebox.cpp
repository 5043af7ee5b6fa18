#include "slideshow/picturebox.h"

#include "slideshow/pictureloader.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace qelvo
{

using slideshow::DrawAttributes;
using slideshow::FadeShape;
using slideshow::FadeStep;
using slideshow::RasterMode;

namespace
{

// A ring's area is described in bands of this many rows.
constexpr int kRingBand = 16;
// Pixels of slack around a ring's stroke, for the rounding of the raster.
constexpr int kRingSlack = 2;

// Combines every pixel of a device rectangle with the mode, clipped to the
// image, and returns the device area whose pixels actually changed.
QRect combineRect(QImage &image, const QRect &deviceRect, RasterMode mode, QRgb colour)
{
    const QRect r = deviceRect.intersected(image.rect());
    if (r.isEmpty())
        return {};
    if (mode == RasterMode::Invert) {
        // Every pixel changes: no need to look at each one.
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y)) + r.left();
            for (int x = 0; x < r.width(); ++x)
                line[x] ^= 0x00ffffffu;
        }
        return r;
    }
    const QRgb andMask = 0xff000000u | (colour & 0x00ffffffu);
    int minX = r.right() + 1, maxX = -1, minY = r.bottom() + 1, maxY = -1;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        int rowMin = r.right() + 1, rowMax = -1;
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb before = line[x];
            QRgb after = 0xff000000u;
            if (mode == RasterMode::Mask)
                after = before & andMask;
            if (after != before) {
                line[x] = after;
                rowMin = std::min(rowMin, x);
                rowMax = x;
            }
        }
        if (rowMax >= 0) {
            minX = std::min(minX, rowMin);
            maxX = std::max(maxX, rowMax);
            minY = std::min(minY, y);
            maxY = y;
        }
    }
    return maxY < 0 ? QRect() : QRect(QPoint(minX, minY), QPoint(maxX, maxY));
}

QRect toDevice(const QRect &r, qreal dpr)
{
    if (dpr == 1.0)
        return r;
    const QRectF f(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr);
    return f.toAlignedRect();
}

QRegion toDevice(const QRegion &region, qreal dpr)
{
    if (dpr == 1.0)
        return region;
    QRegion device;
    for (const QRect &r : region)
        device += toDevice(r, dpr);
    return device;
}

QRect toLogical(const QRect &r, qreal dpr)
{
    if (dpr == 1.0 || r.isEmpty())
        return r;
    return QRectF(r.x() / dpr, r.y() / dpr, r.width() / dpr, r.height() / dpr).toAlignedRect();
}

QRectF toLogicalF(const QRect &r, qreal dpr)
{
    return {r.x() / dpr, r.y() / dpr, r.width() / dpr, r.height() / dpr};
}

// The pixels a circle can touch. A ring with no fill touches only a band
// around its stroke: a large ring's bounding box is most of the screen, the
// ring itself a few per cent of it. Each band of rows is the ring's span
// less the hole inside it; the bands lie on a grid from the centre, so the
// rings of one iris line up.
QRegion circleArea(const FadeShape &shape, const DrawAttributes &attributes)
{
    const QRect bounds = slideshow::paintedBounds(shape, attributes);
    if (shape.radius <= 0 || !attributes.transparentFill)
        return bounds;
    const int half = std::max(attributes.penWidth, 1) / 2;
    const double outer = shape.radius + half + kRingSlack;
    const double inner = shape.radius - half - kRingSlack;
    const int cx = shape.centre.x();
    const int cy = shape.centre.y();
    const int bandsAbove = (cy - bounds.top() + kRingBand - 1) / kRingBand;
    std::vector<QRect> rects;
    for (int top = cy - bandsAbove * kRingBand; top <= bounds.bottom(); top += kRingBand) {
        const int bottom = std::min(top + kRingBand - 1, bounds.bottom());
        const int nearest =
            top <= cy && cy <= bottom ? 0 : std::min(std::abs(top - cy), std::abs(bottom - cy));
        const int farthest = std::max(std::abs(top - cy), std::abs(bottom - cy));
        if (nearest >= outer)
            continue;
        const int span = static_cast<int>(std::ceil(std::sqrt(outer * outer - double(nearest) * nearest)));
        const int hole =
            farthest < inner
                ? static_cast<int>(std::floor(std::sqrt(inner * inner - double(farthest) * farthest)))
                : 0;
        if (hole <= 0) {
            rects.emplace_back(QPoint(cx - span, top), QPoint(cx + span, bottom));
        } else {
            rects.emplace_back(QPoint(cx - span, top), QPoint(cx - hole, bottom));
            rects.emplace_back(QPoint(cx + hole, top), QPoint(cx + span, bottom));
        }
    }
    QRegion area;
    area.setRects(rects.data(), static_cast<int>(rects.size()));
    return area & bounds;
}

void drawCircle(QImage &image, const FadeShape &shape, const DrawAttributes &attributes, const QRegion &clip)
{
    QPainter p(&image);
    p.setClipRegion(clip);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const int pen = std::max(attributes.penWidth, 1);
    if (shape.radius <= 0) {
        // A ring of radius 0 or less is the pen's dot at the centre.
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(shape.centre), pen / 2.0, pen / 2.0);
        return;
    }
    p.setPen(QPen(Qt::black, pen));
    p.setBrush(attributes.transparentFill ? QBrush(Qt::NoBrush) : QBrush(Qt::black));
    p.drawEllipse(QPointF(shape.centre), shape.radius, shape.radius);
}

void copyPixels(QImage &to, const QImage &from, const QRect &r)
{
    const auto bytes = static_cast<std::size_t>(r.width()) * sizeof(QRgb);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(to.scanLine(y)) + r.left();
        if (from.isNull())
            std::fill_n(line, r.width(), qRgb(0, 0, 0));
        else
            std::memcpy(line, reinterpret_cast<const QRgb *>(from.constScanLine(y)) + r.left(), bytes);
    }
}

} // namespace

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QSize PictureBox::deviceSize(QSize box) const
{
    return (QSizeF(box) * devicePixelRatioF()).toSize();
}

qreal PictureBox::imageRatio() const
{
    return m_content.isNull() ? devicePixelRatioF() : m_content.devicePixelRatio();
}

bool PictureBox::setPicture(const QString &path, QSize box)
{
    const QSize target = deviceSize(box);
    if (target.isEmpty()) {
        showPicture(QImage());
        return true; // a box of no size shows nothing
    }
    QImage image = renderPicture(path, target);
    if (image.isNull())
        return false;
    showPicture(std::move(image));
    return true;
}

void PictureBox::showPicture(QImage image)
{
    image.setDevicePixelRatio(devicePixelRatioF());
    m_content = std::move(image);
    dropTransition();
    update();
}

void PictureBox::clearPicture()
{
    m_content = QImage();
    dropTransition();
    update();
}

void PictureBox::setVisible(bool visible)
{
    // The transition was drawn on the screen, over the picture: once the box
    // has been out of sight it comes back with the picture alone. The show
    // hides and shows the box around every change, so a change that keeps the
    // old picture (its file has gone) shows that picture, not the closed box.
    dropTransition();
    QWidget::setVisible(visible);
}

void PictureBox::clearTransition()
{
    dropTransition();
    update();
}

void PictureBox::dropTransition()
{
    m_drawn = QRegion();
    m_settled = QRegion();
    m_overlay = QImage();
}

void PictureBox::takeOver(const QRegion &deviceArea)
{
    if (m_overlay.isNull()) {
        const QSize size =
            m_content.isNull() ? (QSizeF(this->size()) * imageRatio()).toSize() : m_content.size();
        const qsizetype bytes = qsizetype(size.width()) * size.height() * qsizetype(sizeof(QRgb));
        if (bytes > m_overlayBytes) {
            // Room for the whole screen at once: pictures of every size come
            // and go, and a store made anew would have its pages written for
            // the first time again, one a row at each band.
            const QSize screen = (QSizeF(this->screen()->size()) * imageRatio()).toSize();
            const qsizetype room =
                std::max(bytes, qsizetype(screen.width()) * screen.height() * qsizetype(sizeof(QRgb)));
            // Left unfilled: a page is first written where a step draws.
            m_overlayStore.reset(new uchar[static_cast<std::size_t>(room)]);
            m_overlayBytes = room;
        }
        m_overlay = QImage(m_overlayStore.get(), size.width(), size.height(),
                           size.width() * qsizetype(sizeof(QRgb)), QImage::Format_RGB32);
        m_overlay.setDevicePixelRatio(imageRatio());
    }
    const QRegion fresh = (deviceArea & m_overlay.rect()) - m_drawn;
    for (const QRect &r : fresh)
        copyPixels(m_overlay, m_content, r);
    m_drawn += fresh;
}

QRegion PictureBox::combineRectangle(const QRect &deviceRect, const DrawAttributes &attributes)
{
    const RasterMode mode = attributes.mode;
    const QRgb colour = attributes.fillColor.rgb();
    QRegion todo(deviceRect);
    if (mode == RasterMode::Invert) {
        m_settled = QRegion(); // inverting undoes what was settled
    } else {
        if (mode != m_settledMode || colour != m_settledColour)
            m_settled = QRegion();
        m_settledMode = mode;
        m_settledColour = colour;
        todo -= m_settled;
        m_settled += deviceRect;
    }
    QRegion changed;
    for (const QRect &r : todo)
        changed += toLogical(combineRect(m_overlay, r, mode, colour), m_overlay.devicePixelRatio());
    return changed;
}

QRect PictureBox::drawFade(const FadeStep &step)
{
    const qreal dpr = imageRatio();
    // The areas, not their bounding box: two bands at opposite edges change a
    // few per cent of the pixels, their bounding box half the screen.
    QRegion changed;
    for (const FadeShape &shape : step.shapes) {
        if (shape.kind == FadeShape::Kind::Rectangle) {
            const QRect device = toDevice(slideshow::paintedBounds(shape, step.attributes), dpr);
            takeOver(device);
            changed += combineRectangle(device & m_overlay.rect(), step.attributes);
        } else {
            const QRegion area = circleArea(shape, step.attributes);
            takeOver(toDevice(area, dpr));
            drawCircle(m_overlay, shape, step.attributes, area);
            changed += area;
        }
    }
    changed &= rect();
    // Each step reaches the screen as its own frame, and only what changed is repainted.
    if (!changed.isEmpty() && isVisible())
        repaint(changed);
    return changed.boundingRect();
}

QImage PictureBox::shownImage() const
{
    if (m_drawn.isEmpty())
        return m_content;
    QImage shown(m_overlay.size(), QImage::Format_RGB32);
    copyPixels(shown, m_content, shown.rect());
    for (const QRect &r : m_drawn)
        copyPixels(shown, m_overlay, r);
    shown.setDevicePixelRatio(m_overlay.devicePixelRatio());
    return shown;
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const qreal dpr = imageRatio();
    const QRegion device = toDevice(event->region(), dpr);
    const QRegion fromPicture = device - m_drawn;
    const QRegion fromOverlay = device.intersected(m_drawn);
    // Each rectangle under a clip of its own: under the event's region (two
    // bands, say) the raster engine takes its general path, several times
    // slower, and hands the rows to a thread pool the decoder's scaling may
    // be holding; under a rectangle it copies the rows itself.
    const auto draw = [&](const QRect &r, const QImage &from) {
        p.setClipRect(toLogical(r, dpr));
        if (from.isNull())
            p.fillRect(toLogicalF(r, dpr), Qt::black);
        else
            p.drawImage(toLogicalF(r, dpr), from, QRectF(r));
    };
    for (const QRect &r : fromPicture)
        draw(r, m_content);
    for (const QRect &r : fromOverlay)
        draw(r, m_overlay);
}

} // namespace qelvo
