#pragma once

#include "platform/abandonabledevice.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>

class QFile;
class QIODevice;
class QImageReader;

namespace qelvo
{

// Picture decoding for every part of the program (JPEG, GIF, BMP and whatever
// else Qt reads). Images come upright: the orientation a JPEG carries in its
// EXIF data is applied, and the natural size is the upright size.

// What decoding a picture would cost, from what its header tells.
struct DecodeWork {
    QSize stored; // the size the decoder builds: the picture's, a GIF's logical screen
    QSize output; // the size it is decoded to
    bool jpeg = false;
    bool progressive = false;
    qint64 jpegBlocks = 0; // 8 x 8 coefficient blocks over all components
    qint64 fileBytes = 0;
    bool arithmetic = false; // an arithmetic-coded JPEG
    bool gif = false;
    // The bytes that carry pixels (a JPEG's scans, a GIF's frame data);
    // -1 when not told apart, and the whole file counts.
    qint64 pixelBytes = -1;
};

// One picture read from one open file: its header when it is opened, then its
// decode from the same file, so that nothing is read twice and a file
// replaced in between cannot mix two pictures. Use it on one thread.
class PictureReader
{
public:
    // Only regular files are opened: reading a FIFO or a device named like a
    // picture would block.
    explicit PictureReader(const QString &path);
    // The same, read no further once abandoned (decode then gives a null image).
    PictureReader(const QString &path, Abandoned abandoned);
    // A picture's bytes on an open, seekable device that outlives the reader.
    explicit PictureReader(QIODevice *device);
    ~PictureReader();
    PictureReader(const PictureReader &) = delete;
    PictureReader &operator=(const PictureReader &) = delete;

    // The upright natural size from the header; invalid when the bytes are
    // not a readable image.
    [[nodiscard]] QSize naturalSize() const { return m_natural; }
    // Decodes the image, at about targetSize when one is given (never smaller
    // than it in either dimension unless the image itself is smaller),
    // upright. A null image when it cannot be decoded. Once per reader.
    [[nodiscard]] QImage decode(QSize targetSize = {});
    // Whether decode(targetSize) would pass withinDecodingBudget, without
    // decoding; true where the header tells no size (the reader then tries).
    [[nodiscard]] bool fitsBudget(QSize targetSize = {});

private:
    void readHeader();
    // The work a decode for targetSize would do; nothing without a stored size.
    [[nodiscard]] std::optional<DecodeWork> plan(QSize targetSize);

    std::unique_ptr<QFile> m_file;
    QIODevice *m_device = nullptr;
    Abandoned m_abandoned;
    std::unique_ptr<AbandonableDevice> m_guard; // what the image reader reads, when abandonable
    std::unique_ptr<QImageReader> m_reader;
    QSize m_header; // the size the header gives, as stored
    QSize m_natural;
};

// The upright natural size from the file's header; invalid when the file is
// not a readable image.
[[nodiscard]] QSize readNaturalSize(const QString &path);

// Decodes the image as PictureReader::decode does.
[[nodiscard]] QImage decodeImage(const QString &path, QSize targetSize = {});

// Whether the decode fits in the memory decoding may take (1 GiB) and the
// file holds bytes enough for the pixels it claims. Ordinary camera photos
// fit; a file that would need gigabytes, or one whose pixel data is small
// for the huge picture it claims (however much padding makes the file big),
// is refused as one that cannot be decoded. A JPEG is weighed at the scale it
// is decoded at for the size it is shown at.
[[nodiscard]] bool withinDecodingBudget(const DecodeWork &work);

} // namespace qelvo
