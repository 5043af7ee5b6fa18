#include "slideshow/picturebox.h"

#include "slideshow/pictureloader.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>

namespace qelvo
{

using slideshow::DrawAttributes;
using slideshow::FadeShape;
using slideshow::FadeStep;
using slideshow::RasterMode;

namespace
{

// Combines every pixel of a device rectangle with the mode, clipped to the
// image, and returns the device area whose pixels actually changed: a curtain
// in black draws over its earlier areas again, yet only its new band changes.
QRect combineRect(QImage &image, const QRect &deviceRect, RasterMode mode, QRgb colour)
{
    const QRect r = deviceRect.intersected(image.rect());
    if (r.isEmpty())
        return {};
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
            else if (mode == RasterMode::Invert)
                after = before ^ 0x00ffffffu;
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

QRect toLogical(const QRect &r, qreal dpr)
{
    if (dpr == 1.0 || r.isEmpty())
        return r;
    return QRectF(r.x() / dpr, r.y() / dpr, r.width() / dpr, r.height() / dpr).toAlignedRect();
}

void drawCircle(QImage &image, const FadeShape &shape, const DrawAttributes &attributes)
{
    QPainter p(&image);
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
    m_overlay = QImage();
    update();
}

void PictureBox::clearPicture()
{
    m_content = QImage();
    m_overlay = QImage();
    update();
}

void PictureBox::setVisible(bool visible)
{
    // The transition was drawn on the screen, over the picture: once the box
    // has been out of sight it comes back with the picture alone. The show
    // hides and shows the box around every change, so a change that keeps the
    // old picture (its file has gone) shows that picture, not the closed box.
    m_overlay = QImage();
    QWidget::setVisible(visible);
}

void PictureBox::clearTransition()
{
    m_overlay = QImage();
    update();
}

QRect PictureBox::drawFade(const FadeStep &step)
{
    if (m_overlay.isNull()) {
        const qreal dpr = devicePixelRatioF();
        if (m_content.isNull()) {
            m_overlay = QImage((QSizeF(size()) * dpr).toSize(), QImage::Format_RGB32);
            m_overlay.fill(Qt::black);
            m_overlay.setDevicePixelRatio(dpr);
        } else {
            m_overlay = m_content.copy();
        }
    }
    const qreal dpr = m_overlay.devicePixelRatio();
    // The areas, not their bounding box: two bands at opposite edges change a
    // few per cent of the pixels, their bounding box half the screen.
    QRegion changed;
    for (const FadeShape &shape : step.shapes) {
        const QRect bounds = slideshow::paintedBounds(shape, step.attributes);
        if (shape.kind == FadeShape::Kind::Rectangle) {
            const QRect device = combineRect(m_overlay, toDevice(bounds, dpr), step.attributes.mode,
                                             step.attributes.fillColor.rgb());
            changed += toLogical(device, dpr);
        } else {
            drawCircle(m_overlay, shape, step.attributes);
            changed += bounds;
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
    return m_overlay.isNull() ? m_content : m_overlay;
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QImage &image = m_overlay.isNull() ? m_content : m_overlay;
    const qreal dpr = image.devicePixelRatio();
    for (const QRect &area : event->region()) {
        if (image.isNull())
            p.fillRect(area, Qt::black);
        else
            p.drawImage(area, image,
                        QRectF(area.x() * dpr, area.y() * dpr, area.width() * dpr, area.height() * dpr));
    }
}

} // namespace qelvo
