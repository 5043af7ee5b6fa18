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

// What decoding a picture would cost, from what its header tells.
struct DecodeWork {
    QSize stored; // the size the decoder builds: the picture's, a GIF's logical screen
    QSize output; // the size it is decoded to
    bool jpeg = false;
    bool progressive = false;
    qint64 jpegBlocks = 0; // 8 x 8 coefficient blocks over all components
    qint64 fileBytes = 0;
    bool arithmetic = false; // an arithmetic-coded JPEG
};

// Whether the decode fits in the memory decoding may take (1 GiB) and the
// file holds bytes enough for the pixels it claims. Ordinary camera photos
// fit; a file that would need gigabytes, or a small one that claims a huge
// picture, is refused as one that cannot be decoded.
[[nodiscard]] bool withinDecodingBudget(const DecodeWork &work);

} // namespace qelvo
