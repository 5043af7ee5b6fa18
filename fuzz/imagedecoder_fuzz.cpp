#include "platform/imagedecoder.h"

#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace
{

// The decoder reads pictures from files: each input is written to one file
// of this process's own.
const QString &inputPath()
{
    static const QString path = [] {
        const QString p = QDir::tempPath() + QStringLiteral("/qelvo-fuzz-image-%1").arg(::getpid());
        std::atexit([] { QFile::remove(inputPath()); });
        return p;
    }();
    return path;
}

// Larger pictures go through the same header reads and checks; decoding
// them only costs time.
constexpr qint64 kDecodedPixels = 512 * 512;

} // namespace

// The size read from the header, then a decode at a third of that size from
// the same open file, as the show reads a picture: the decode walks a JPEG's
// frame header and weighs the cost.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QFile file(inputPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();

    qelvo::PictureReader reader(inputPath());
    const QSize natural = reader.naturalSize();
    if (natural.isValid() && qint64(natural.width()) * natural.height() > kDecodedPixels)
        return 0;
    const QImage image = reader.decode(natural / 3);
    (void)image;
    return 0;
}
