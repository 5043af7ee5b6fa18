#include "wallpaper/bitmapfile.h"

#include "platform/endsignals.h"
#include "platform/safefile.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>

#include <cstdint>
#include <limits>

namespace qelvo::wallpaper
{

namespace
{
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2835; // 72 dpi

void put16(char *&out, std::uint16_t v)
{
    qToLittleEndian(v, out);
    out += 2;
}
void put32(char *&out, std::uint32_t v)
{
    qToLittleEndian(v, out);
    out += 4;
}

QImage opaqueRgb32(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage out(image.size(), QImage::Format_RGB32);
    if (out.isNull())
        return out;
    out.fill(Qt::black);
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    return out;
}
} // namespace

bool writeBitmap24(const QImage &image, QIODevice &device)
{
    if (image.isNull())
        return false;
    const std::uint64_t width = static_cast<std::uint64_t>(image.width());
    const std::uint64_t height = static_cast<std::uint64_t>(image.height());
    const std::uint64_t rowSize = (width * 3 + 3) / 4 * 4;
    const std::uint64_t pixelBytes = rowSize * height;
    const std::uint64_t fileSize = kFileHeaderSize + kInfoHeaderSize + pixelBytes;
    if (fileSize > std::numeric_limits<std::uint32_t>::max())
        return false;

    const QImage rgb = opaqueRgb32(image);
    if (rgb.isNull())
        return false;

    char header[kFileHeaderSize + kInfoHeaderSize];
    char *p = header;
    *p++ = 'B';
    *p++ = 'M';
    put32(p, static_cast<std::uint32_t>(fileSize));
    put32(p, 0); // two reserved words
    put32(p, kFileHeaderSize + kInfoHeaderSize);
    put32(p, kInfoHeaderSize);
    put32(p, static_cast<std::uint32_t>(width));
    put32(p, static_cast<std::uint32_t>(height)); // positive: rows bottom-up
    put16(p, 1);                                  // planes
    put16(p, 24);                                 // bits per pixel
    put32(p, 0);                                  // BI_RGB, uncompressed
    put32(p, static_cast<std::uint32_t>(pixelBytes));
    put32(p, kPixelsPerMetre);
    put32(p, kPixelsPerMetre);
    put32(p, 0); // colours used
    put32(p, 0); // important colours
    if (device.write(header, sizeof header) != static_cast<qint64>(sizeof header))
        return false;

    QByteArray row(static_cast<qsizetype>(rowSize), '\0');
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        char *out = row.data();
        for (int x = 0; x < rgb.width(); ++x) {
            *out++ = static_cast<char>(qBlue(pixels[x]));
            *out++ = static_cast<char>(qGreen(pixels[x]));
            *out++ = static_cast<char>(qRed(pixels[x]));
        }
        if (device.write(row) != row.size())
            return false;
    }
    return true;
}

bool saveBitmap24(const QImage &image, const QString &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !writeBitmap24(image, buffer))
        return false;
    buffer.close();
    // A screen-saver host's SIGTERM waits the few milliseconds of the write,
    // so no temporary file is left beside the bitmap. A link planted where
    // the bitmap goes is replaced, never written through.
    const EndSignalDeferral writing;
    removeLeftoverTemporaries(path);
    return replaceFile(path, bytes).outcome.ok();
}

} // namespace qelvo::wallpaper
