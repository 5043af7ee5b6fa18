#pragma once

#include <QIODevice>
#include <QImage>
#include <QString>

// Windows bitmap files: what every desktop and the original program read.
namespace qelvo::wallpaper
{

// Writes image as an uncompressed 24-bit bottom-up Windows bitmap
// (BITMAPFILEHEADER + BITMAPINFOHEADER, rows padded to 4 bytes, 72 dpi).
// Transparent parts are laid over black, the show's background. False for a
// null image, one too large for the format, or a failed write.
[[nodiscard]] bool writeBitmap24(const QImage &image, QIODevice &device);

// writeBitmap24 into a temporary file beside path, renamed over path only when
// complete: a desktop reading the old file never sees half a picture, and a
// symbolic link at path is replaced, not written through.
[[nodiscard]] bool saveBitmap24(const QImage &image, const QString &path);

} // namespace qelvo::wallpaper
