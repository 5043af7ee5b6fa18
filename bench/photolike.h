#pragma once

#include <QImage>
#include <QRandomGenerator>
#include <QSize>

namespace qelvo::bench
{

// Photo-like content: smooth gradients with fine noise, so that the JPEG
// decoder has real work to do. The same seed every time: runs compare.
[[nodiscard]] inline QImage photoLike(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator rng(42);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = static_cast<int>(rng.bounded(24));
            line[x] = qRgb((x * 255 / image.width() + n) & 255, (y * 255 / image.height() + n) & 255,
                           ((x ^ y) + n) & 255);
        }
    }
    return image;
}

} // namespace qelvo::bench
