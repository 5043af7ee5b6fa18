#include "platform/imagedecoder.h"

#include "platform/filesystem.h"
#include "platform/pathbytes.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>

namespace qelvo
{

namespace
{

// Decoding may take at most this much memory. Ordinary camera photos (45
// megapixels and more) fit easily; a file whose decoding alone would need
// gigabytes is refused as one that cannot be decoded.
constexpr qint64 kMemoryBudgetBytes = qint64(1024) * 1024 * 1024;
constexpr int kAllocationLimitMB = int(kMemoryBudgetBytes / (1024 * 1024));
// Pictures up to this many pixels are decoded whatever their file's size.
constexpr qint64 kAlwaysDecodedPixels = qint64(4096) * 4096;
// Beyond that, more pixels a byte of file than this marks a bomb (see withinDecodingBudget).
constexpr qint64 kJpegMostPixelsPerByte = 1024;
constexpr qint64 kMostPixelsPerByte = 16384;
// LZW codes grow to 12 bits and stand for at most 4,096 pixels each.
constexpr qint64 kGifMostPixelsPerByte = 4096;
// The JPEG library's row buffers, as lines of output at 4 bytes a pixel.
constexpr qint64 kJpegBufferedLines = 64;

// JPEG marker codes (the byte after 0xFF).
constexpr int kMarkerPrefix = 0xFF;
constexpr int kStartOfImage = 0xD8;
constexpr int kTemporary = 0x01;                         // no length follows
constexpr int kFirstRestart = 0xD0, kLastRestart = 0xD7; // no length follows
constexpr int kFirstStartOfFrame = 0xC0, kLastStartOfFrame = 0xCF;
constexpr int kHuffmanTables = 0xC4, kExtensions = 0xC8, kArithmeticConditioning = 0xCC; // not frames
constexpr int kArithmeticFrames = 0x08; // frames 0xC8 to 0xCF are arithmetic-coded
constexpr int kProgressiveFrames[] = {0xC2, 0xC6, 0xCA, 0xCE};

// What the JPEG frame header says about the work of decoding it.
struct JpegFrame {
    int width = 0;
    int height = 0;
    bool progressive = false;
    bool arithmetic = false;
    qint64 blocks = 0; // 8 x 8 coefficient blocks over all components
};

int ceilDiv(qint64 a, qint64 b)
{
    return static_cast<int>((a + b - 1) / b);
}

// Reads from the start of the device and puts it back where it was, so that
// an image reader part-way through the same device goes on undisturbed.
class FromTheStart
{
public:
    explicit FromTheStart(QIODevice &device) : m_device(device), m_pos(device.pos())
    {
        m_ok = device.seek(0);
    }
    ~FromTheStart() { (void)m_device.seek(m_pos); }
    FromTheStart(const FromTheStart &) = delete;
    FromTheStart &operator=(const FromTheStart &) = delete;
    [[nodiscard]] bool ok() const { return m_ok; }

private:
    QIODevice &m_device;
    qint64 m_pos;
    bool m_ok = false;
};

// Walks the markers up to the first start-of-frame. Nothing for bytes that
// are not a JPEG or whose header is damaged.
std::optional<JpegFrame> readJpegFrame(QIODevice &file)
{
    const FromTheStart rewound(file);
    if (!rewound.ok())
        return std::nullopt;
    auto byte = [&file]() -> int {
        char c;
        return file.getChar(&c) ? static_cast<unsigned char>(c) : -1;
    };
    if (byte() != kMarkerPrefix || byte() != kStartOfImage)
        return std::nullopt;
    for (int guard = 0; guard < 4096; ++guard) {
        int b = byte();
        while (b == kMarkerPrefix)
            b = byte();
        if (b < 0)
            return std::nullopt;
        const int marker = b;
        if (marker == kTemporary || (marker >= kFirstRestart && marker <= kLastRestart))
            continue; // markers without a length
        const int hi = byte(), lo = byte();
        if (hi < 0 || lo < 0)
            return std::nullopt;
        const int length = (hi << 8) | lo;
        if (length < 2)
            return std::nullopt;
        const bool sof = marker >= kFirstStartOfFrame && marker <= kLastStartOfFrame &&
                         marker != kHuffmanTables && marker != kExtensions &&
                         marker != kArithmeticConditioning;
        if (!sof) {
            if (!file.seek(file.pos() + length - 2))
                return std::nullopt;
            continue;
        }
        const QByteArray data = file.read(length - 2);
        if (data.size() < 6)
            return std::nullopt;
        auto at = [&data](int i) { return static_cast<unsigned char>(data.at(i)); };
        JpegFrame frame;
        frame.height = (at(1) << 8) | at(2);
        frame.width = (at(3) << 8) | at(4);
        frame.progressive = std::find(std::begin(kProgressiveFrames), std::end(kProgressiveFrames), marker) !=
                            std::end(kProgressiveFrames);
        frame.arithmetic = (marker & kArithmeticFrames) != 0;
        const int components = at(5);
        if (data.size() < 6 + 3 * components || components < 1)
            return std::nullopt;
        int hmax = 1, vmax = 1;
        for (int c = 0; c < components; ++c) {
            hmax = std::max(hmax, at(6 + 3 * c + 1) >> 4);
            vmax = std::max(vmax, at(6 + 3 * c + 1) & 15);
        }
        for (int c = 0; c < components; ++c) {
            const int h = std::max(1, at(6 + 3 * c + 1) >> 4);
            const int v = std::max(1, at(6 + 3 * c + 1) & 15);
            const qint64 cw = ceilDiv(qint64(frame.width) * h, hmax);
            const qint64 ch = ceilDiv(qint64(frame.height) * v, vmax);
            frame.blocks += qint64(ceilDiv(cw, 8)) * ceilDiv(ch, 8);
        }
        return frame;
    }
    return std::nullopt;
}

// A GIF's logical screen: the decoder builds every frame on an image of this
// size, however small the frames are. Nothing for bytes that are not a GIF.
std::optional<QSize> readGifScreen(QIODevice &file)
{
    const FromTheStart rewound(file);
    if (!rewound.ok())
        return std::nullopt;
    const QByteArray head = file.read(10);
    if (head.size() < 10 || !head.startsWith("GIF"))
        return std::nullopt;
    auto at = [&head](int i) { return static_cast<unsigned char>(head.at(i)); };
    return QSize(at(6) | (at(7) << 8), at(8) | (at(9) << 8));
}

// Reads a device from its start in blocks, a byte at a time.
class ByteWalk
{
public:
    explicit ByteWalk(QIODevice &device) : m_device(device), m_rewound(device) {}
    [[nodiscard]] bool ok() const { return m_rewound.ok(); }
    int next()
    {
        if (m_at == m_block.size()) {
            m_block = m_device.read(kBlockBytes);
            m_at = 0;
            if (m_block.isEmpty())
                return -1;
        }
        return static_cast<unsigned char>(m_block.at(m_at++));
    }
    // Passes over n bytes; false at the end of the device.
    bool skip(qint64 n)
    {
        for (; n > 0; --n)
            if (next() < 0)
                return false;
        return true;
    }

private:
    static constexpr qint64 kBlockBytes = 65536;
    QIODevice &m_device;
    FromTheStart m_rewound;
    QByteArray m_block;
    qsizetype m_at = 0;
};

// The bytes of a JPEG's entropy-coded scans: what really carries its pixels,
// without the marker segments (a comment or application block of any size
// can pad a file) or what follows the end of the image.
qint64 jpegScanBytes(QIODevice &file)
{
    ByteWalk walk(file);
    if (!walk.ok() || walk.next() != kMarkerPrefix || walk.next() != kStartOfImage)
        return 0;
    constexpr int kStartOfScan = 0xDA, kEndOfImage = 0xD9;
    qint64 scanBytes = 0;
    int b = walk.next();
    for (;;) {
        // At a marker's prefix; runs of 0xFF are fill.
        if (b != kMarkerPrefix)
            return scanBytes;
        while (b == kMarkerPrefix)
            b = walk.next();
        const int marker = b;
        if (marker < 0 || marker == kEndOfImage)
            return scanBytes;
        if (marker == kTemporary || (marker >= kFirstRestart && marker <= kLastRestart)) {
            b = walk.next();
        } else {
            const int hi = walk.next(), lo = walk.next();
            const int length = (hi << 8) | lo;
            if (hi < 0 || lo < 0 || length < 2 || !walk.skip(length - 2))
                return scanBytes;
            b = walk.next();
        }
        if (marker != kStartOfScan && !(marker >= kFirstRestart && marker <= kLastRestart))
            continue;
        // Entropy-coded data up to the next marker (0xFF 0x00 is a stuffed byte).
        for (;;) {
            if (b < 0)
                return scanBytes;
            if (b == kMarkerPrefix) {
                const int after = walk.next();
                if (after != 0) {
                    if (after < 0 || after == kEndOfImage)
                        return scanBytes;
                    if (after >= kFirstRestart && after <= kLastRestart) {
                        b = walk.next();
                        continue;
                    }
                    // Another segment (tables, the next scan): read its length.
                    const int hi = walk.next(), lo = walk.next();
                    const int length = (hi << 8) | lo;
                    if (hi < 0 || lo < 0 || length < 2 || !walk.skip(length - 2))
                        return scanBytes;
                    b = walk.next();
                    if (after != kStartOfScan)
                        break;
                    continue;
                }
                scanBytes += 2;
                b = walk.next();
                continue;
            }
            ++scanBytes;
            b = walk.next();
        }
    }
}

// The bytes of a GIF's compressed frame data: what carries its pixels,
// without colour tables, extensions (comments, application blocks) or what
// follows the trailer.
qint64 gifImageBytes(QIODevice &file)
{
    ByteWalk walk(file);
    constexpr int kHeaderBytes = 10, kExtension = 0x21, kImage = 0x2C, kDescriptorBytes = 8;
    if (!walk.ok() || !walk.skip(kHeaderBytes))
        return 0;
    const auto colourTable = [](int flags) { return (flags & 0x80) ? 3 * (2 << (flags & 7)) : 0; };
    const int screenFlags = walk.next();
    if (screenFlags < 0 || !walk.skip(2 + colourTable(screenFlags)))
        return 0;
    // Sub-blocks up to the empty one; their data bytes.
    const auto subBlocks = [&walk]() -> qint64 {
        qint64 bytes = 0;
        for (int n = walk.next(); n > 0; n = walk.next()) {
            if (!walk.skip(n))
                return bytes;
            bytes += n;
        }
        return bytes;
    };
    qint64 imageBytes = 0;
    for (int block = walk.next(); block == kExtension || block == kImage; block = walk.next()) {
        if (block == kExtension) {
            if (walk.next() < 0)
                break;
            subBlocks();
            continue;
        }
        if (!walk.skip(kDescriptorBytes))
            break;
        const int flags = walk.next();
        if (flags < 0 || !walk.skip(colourTable(flags)) || walk.next() < 0) // the LZW code size
            break;
        imageBytes += subBlocks();
    }
    return imageBytes;
}

// The header's size as a size: a bitmap stored top-down gives a negative height.
QSize headerSize(QImageReader &reader)
{
    QSize size = reader.size();
    if (size.width() > 0 && size.height() < 0)
        size.setHeight(-size.height());
    return size;
}

// The size asked of the reader for a decode at k/8. The reader derives its
// scale from the ratio of sizes, so the size must not exceed k/8 of the
// image's: rounded up it would make the reader choose (k+1)/8, a slower,
// non-power-of-two scale.
QSize eighths(QSize stored, int k)
{
    return QSize(std::max<qint64>(1, qint64(stored.width()) * k / 8),
                 std::max<qint64>(1, qint64(stored.height()) * k / 8));
}

// The JPEG scale k/8 (k = 8, 4, 2, 1) with the smallest output that still
// covers the target; libjpeg decodes these in the DCT domain, fast.
int jpegScaleEighths(QSize stored, QSize target)
{
    int chosen = 8;
    for (int k : {4, 2, 1}) {
        const QSize out = eighths(stored, k);
        if (out.width() >= target.width() && out.height() >= target.height())
            chosen = k;
    }
    return chosen;
}

} // namespace

bool withinDecodingBudget(const DecodeWork &work)
{
    const qint64 storedPixels = qint64(work.stored.width()) * work.stored.height();
    // A file that claims far more pixels than its bytes can encode is a bomb:
    // the decoder would fill the rest, spending memory and seconds on nothing.
    // Huffman-coded JPEG needs at least a bit per 8 x 8 block (512 pixels a
    // byte); no other format we read packs much more than 8,000 pixels into a
    // byte (deflate on one-bit pixels; GIF's LZW stays under 4,096). Arithmetic
    // coding has no such bound and is left to the memory budget.
    // The bytes weighed are those that carry pixels where the format tells
    // them apart (JPEG scans, GIF frame data): padding counts for nothing.
    if (storedPixels > kAlwaysDecodedPixels && !work.arithmetic) {
        const qint64 mostPerByte = work.jpeg  ? kJpegMostPixelsPerByte
                                   : work.gif ? kGifMostPixelsPerByte
                                              : kMostPixelsPerByte;
        const qint64 bytes = work.pixelBytes >= 0 ? work.pixelBytes : work.fileBytes;
        if (storedPixels / mostPerByte >= std::max<qint64>(bytes, 1))
            return false;
    }
    // Besides its output, a progressive JPEG keeps every coefficient of the
    // whole image (2 bytes each) whatever the output scale, and any JPEG keeps
    // a few MCU rows of every component; other formats decode whole at 4 bytes
    // a pixel.
    qint64 working = 0;
    if (!work.jpeg)
        working = storedPixels * 4;
    else
        working = qint64(work.output.width()) * 4 * kJpegBufferedLines +
                  (work.progressive ? work.jpegBlocks * 64 * 2 : 0);
    const qint64 needed = working + qint64(work.output.width()) * work.output.height() * 4;
    return needed <= kMemoryBudgetBytes;
}

PictureReader::PictureReader(const QString &path) : PictureReader(path, Abandoned()) {}

PictureReader::PictureReader(const QString &path, Abandoned abandoned) : m_abandoned(std::move(abandoned))
{
    if (!realFileSystem().isNormalFile(path))
        return;
    m_file = openForReading(path);
    if (!m_file->isOpen())
        return;
    m_device = m_file.get();
    if (m_abandoned) {
        m_guard = std::make_unique<AbandonableDevice>(*m_device, m_abandoned);
        m_reader = std::make_unique<QImageReader>(m_guard.get());
    } else {
        m_reader = std::make_unique<QImageReader>(m_device);
    }
    readHeader();
}

PictureReader::PictureReader(QIODevice *device) : m_device(device)
{
    if (!m_device || !m_device->isOpen() || m_device->isSequential()) {
        m_device = nullptr;
        return;
    }
    m_reader = std::make_unique<QImageReader>(m_device);
    readHeader();
}

PictureReader::~PictureReader() = default;

void PictureReader::readHeader()
{
    m_reader->setAutoTransform(true);
    m_reader->setAllocationLimit(kAllocationLimitMB);
    m_header = headerSize(*m_reader);
    if (!m_header.isValid())
        return;
    m_natural = m_header;
    if (m_reader->transformation() & QImageIOHandler::TransformationRotate90)
        m_natural.transpose();
}

std::optional<DecodeWork> PictureReader::plan(QSize targetSize)
{
    QImageReader &reader = *m_reader;
    QSize stored = m_header;
    const std::optional<QSize> gifScreen = reader.format() == "gif" ? readGifScreen(*m_device) : std::nullopt;
    if (gifScreen)
        stored = stored.expandedTo(*gifScreen);
    if (!stored.isValid() || stored.isEmpty())
        return std::nullopt;

    const std::optional<JpegFrame> jpeg =
        reader.format() == "jpeg" ? readJpegFrame(*m_device) : std::optional<JpegFrame>();
    QSize output = stored;
    if (jpeg && targetSize.isValid() && !targetSize.isEmpty()) {
        QSize target = targetSize;
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            target.transpose();
        const int k = jpegScaleEighths(stored, target);
        if (k < 8)
            output = eighths(stored, k);
    }
    DecodeWork work{stored, output};
    work.fileBytes = m_device->size();
    if (jpeg) {
        work.jpeg = true;
        work.progressive = jpeg->progressive;
        work.jpegBlocks = jpeg->blocks;
        work.arithmetic = jpeg->arithmetic;
    }
    work.gif = gifScreen.has_value();
    // Weighed only where the claim is large enough to matter: it reads the file through.
    if ((jpeg || work.gif) && qint64(stored.width()) * stored.height() > kAlwaysDecodedPixels)
        work.pixelBytes = jpeg ? jpegScanBytes(*m_device) : gifImageBytes(*m_device);
    return work;
}

bool PictureReader::fitsBudget(QSize targetSize)
{
    if (!m_reader)
        return false;
    const auto work = plan(targetSize);
    return !work || withinDecodingBudget(*work);
}

QImage PictureReader::decode(QSize targetSize)
{
    if (!m_reader)
        return {};
    const auto work = plan(targetSize);
    if (!work)
        return m_reader->read(); // let the reader try what its header did not tell
    if (!withinDecodingBudget(*work))
        return {};
    if (work->output != work->stored)
        m_reader->setScaledSize(work->output);
    QImage image = m_reader->read();
    // What was read before the work was abandoned is only part of the picture.
    if (m_abandoned && m_abandoned())
        return {};
    return image;
}

QSize readNaturalSize(const QString &path)
{
    return PictureReader(path).naturalSize();
}

QImage decodeImage(const QString &path, QSize targetSize)
{
    return PictureReader(path).decode(targetSize);
}

} // namespace qelvo
