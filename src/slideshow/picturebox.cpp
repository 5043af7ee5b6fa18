#include "slideshow/picturebox.h"

#include <QPaintEvent>
#include <QPainter>

namespace qelvo::slideshow {

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void PictureBox::clearPicture()
{
    m_stored = QImage();
    m_visible = QImage();
    update();
}

void PictureBox::setPicture(QImage image)
{
    // Raster operations need a plain RGB buffer.
    m_stored = image.format() == QImage::Format_RGB32 ? std::move(image) : image.convertToFormat(QImage::Format_RGB32);
    m_visible = m_stored;
    update();
}

void PictureBox::ensureVisibleBuffer()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (!m_visible.isNull())
        return;
    m_visible = QImage(pixels, QImage::Format_RGB32);
    m_visible.fill(Qt::black);
    m_visible.setDevicePixelRatio(ratio);
}

void PictureBox::drawStep(const TransitionStep &step)
{
    if (width() <= 0 || height() <= 0)
        return;
    ensureVisibleBuffer();
    {
        QPainter painter(&m_visible);
        switch (step.attributes.mode) {
        case RasterMode::Black:
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            break;
        case RasterMode::Mask:
            painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
            break;
        case RasterMode::Invert:
            painter.setCompositionMode(QPainter::RasterOp_NotDestination);
            break;
        }
        const QColor fill = step.attributes.mode == RasterMode::Black ? QColor(Qt::black) : step.attributes.fillColor;
        for (const QRect &r : step.rects)
            painter.fillRect(r, fill);
        if (step.ring && step.ringRadius > 0) {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setPen(QPen(Qt::black, step.attributes.penWidth));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(step.ringCentre, step.ringRadius, step.ringRadius);
        }
    }
    const QRect changed = step.changedArea() & rect();
    if (!changed.isEmpty() && isVisible())
        repaint(changed);
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    if (m_visible.isNull()) {
        painter.fillRect(area, Qt::black);
        return;
    }
    const qreal ratio = m_visible.devicePixelRatio();
    painter.drawImage(QRectF(area), m_visible,
                      QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
}

} // namespace qelvo::slideshow
