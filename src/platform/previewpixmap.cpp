#include "platform/previewpixmap.h"

#include "platform/imagedecoder.h"

#include <QImage>

namespace qelvo
{

QPixmap decodePreview(const QString &path, QSize shown, qreal ratio)
{
    const QSize devicePixels = (QSizeF(shown) * ratio).toSize();
    const QImage image = decodeImage(path, devicePixels);
    if (image.isNull())
        return {};
    QPixmap pixmap =
        QPixmap::fromImage(image.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

} // namespace qelvo
