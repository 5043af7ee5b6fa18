#include "platform/imagedecoder.h"

#include <QImageReader>

namespace qelvo {

namespace {
constexpr int kAllocationLimitMB = 1024;
}

QSize readNaturalSize(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (!size.isValid())
        return {};
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    return size;
}

QImage decodeImage(const QString &path, QSize targetSize)
{
    Q_UNUSED(targetSize);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kAllocationLimitMB);
    return reader.read();
}

} // namespace qelvo
