#include "slideshow/picturebox.h"

#include "platform/imagedecoder.h"

#include <QPaintEvent>
#include <QPainter>

namespace qelvo {

using slideshow::DrawAttributes;
using slideshow::FadeShape;
using slideshow::FadeStep;
using slideshow::RasterMode;

namespace {

// Combines every pixel of a device rectangle with the mode; clipped to the image.
void combineRect(QImage &image, const QRect &deviceRect, RasterMode mode, QRgb colour)
{
    const QRect r = deviceRect.intersected(image.rect());
    if (r.isEmpty())
        return;
    const QRgb andMask = 0xff000000u | (colour & 0x00ffffffu);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            switch (mode) {
            case RasterMode::Mask:
                line[x] &= andMask;
                break;
            case RasterMode::Invert:
                line[x] ^= 0x00ffffffu;
                break;
            case RasterMode::Black:
            case RasterMode::Copy:
                line[x] = 0xff000000u;
                break;
            }
        }
    }
}

QRect toDevice(const QRect &r, qreal dpr)
{
    if (dpr == 1.0)
        return r;
    const QRectF f(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr);
    return f.toAlignedRect();
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

bool PictureBox::setPicture(const QString &path, QSize box)
{
    const qreal dpr = devicePixelRatioF();
    const QSize target = (QSizeF(box) * dpr).toSize();
    if (target.isEmpty()) {
        m_content = QImage();
        m_overlay = QImage();
        return true; // a box of no size shows nothing
    }
    QImage image = decodeImage(path, target);
    if (image.isNull())
        return false;
    if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    if (image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(dpr);
    m_content = std::move(image);
    m_overlay = QImage();
    update();
    return true;
}

void PictureBox::clearPicture()
{
    m_content = QImage();
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
    QRect changed;
    for (const FadeShape &shape : step.shapes) {
        const QRect bounds = slideshow::paintedBounds(shape, step.attributes);
        if (shape.kind == FadeShape::Kind::Rectangle)
            combineRect(m_overlay, toDevice(bounds, dpr), step.attributes.mode, step.attributes.fillColor.rgb());
        else
            drawCircle(m_overlay, shape, step.attributes);
        changed |= bounds;
    }
    changed &= rect();
    // Each step reaches the screen as its own frame.
    if (!changed.isEmpty() && isVisible())
        repaint(changed);
    return changed;
}

QImage PictureBox::shownImage() const
{
    return m_overlay.isNull() ? m_content : m_overlay;
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QImage &image = m_overlay.isNull() ? m_content : m_overlay;
    const QRect area = event->rect();
    if (image.isNull()) {
        p.fillRect(area, Qt::black);
        return;
    }
    const qreal dpr = image.devicePixelRatio();
    p.drawImage(area, image, QRectF(area.x() * dpr, area.y() * dpr, area.width() * dpr, area.height() * dpr));
}

} // namespace qelvo
