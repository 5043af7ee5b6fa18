#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace qelvo
{

// Picture decoding for every part of the program (JPEG, GIF, BMP and whatever
// else Qt reads). Images come upright: the orientation a JPEG carries in its
// EXIF data is applied, and the natural size is the upright size.

// The upright natural size from the file's header; invalid when the file is
// not a readable image.
[[nodiscard]] QSize readNaturalSize(const QString &path);

// Decodes the image, at about targetSize when one is given (never smaller than
// it in either dimension unless the image itself is smaller), upright. A null
// image when the file cannot be decoded.
[[nodiscard]] QImage decodeImage(const QString &path, QSize targetSize = {});

} // namespace qelvo
