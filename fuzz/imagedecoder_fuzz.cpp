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

// Larger pictures go through the same header reads, pixel-data walks and
// budget; decoding them only costs time.
constexpr qint64 kDecodedPixels = 512 * 512;

} // namespace

// The size read from the header, then the budget for a decode at a third of
// that size (a JPEG's frame header, the bytes of its scans or of a GIF's
// frames walked, the cost weighed) for every picture, and the decode itself
// from the same open file for those small enough to be quick.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QFile file(inputPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();

    qelvo::PictureReader reader(inputPath());
    const QSize natural = reader.naturalSize();
    const bool fits = reader.fitsBudget(natural / 3);
    if (!fits || (natural.isValid() && qint64(natural.width()) * natural.height() > kDecodedPixels))
        return 0;
    const QImage image = reader.decode(natural / 3);
    (void)image;
    return 0;
}
