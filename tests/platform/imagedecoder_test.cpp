#include "platform/imagedecoder.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace qelvo;

namespace
{

QByteArray jpegBytes(const QImage &image, int quality = 90)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", quality);
    return bytes;
}

// An EXIF block (big-endian TIFF) holding only the orientation tag.
QByteArray exifOrientation(quint16 orientation)
{
    QByteArray tiff("MM\0*\0\0\0\x08", 8);
    tiff += QByteArray("\0\x01", 2);                   // one entry
    tiff += QByteArray("\x01\x12\0\x03\0\0\0\x01", 8); // tag 0x0112, SHORT, count 1
    tiff += char(orientation >> 8);
    tiff += char(orientation & 0xff);
    tiff += QByteArray("\0\0", 2);
    tiff += QByteArray("\0\0\0\0", 4); // no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    const quint16 length = static_cast<quint16>(payload.size() + 2);
    segment += char(length >> 8);
    segment += char(length & 0xff);
    return segment + payload;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class Decoder : public ::testing::Test
{
protected:
    QTemporaryDir dir;
};

} // namespace

TEST_F(Decoder, PhotosComeUprightWithTheirUprightNaturalSize)
{
    // Left half red, right half blue, stored sideways with "rotate 90 clockwise".
    QImage stored(64, 32, QImage::Format_RGB32);
    stored.fill(Qt::red);
    for (int y = 0; y < 32; ++y)
        for (int x = 32; x < 64; ++x)
            stored.setPixel(x, y, qRgb(0, 0, 255));
    QByteArray bytes = jpegBytes(stored, 95);
    bytes.insert(2, exifOrientation(6));
    const QString path = dir.filePath("phone.jpg");
    writeFile(path, bytes);

    EXPECT_EQ(readNaturalSize(path), QSize(32, 64));
    const QImage upright = decodeImage(path);
    ASSERT_EQ(upright.size(), QSize(32, 64));
    EXPECT_GT(qRed(upright.pixel(16, 4)), 200); // the stored left is now the top
    EXPECT_GT(qBlue(upright.pixel(16, 60)), 200);
}

TEST_F(Decoder, JpegsDecodeAtAReducedScaleThatStillCoversTheTarget)
{
    QImage big(2000, 1200, QImage::Format_RGB32);
    big.fill(Qt::darkCyan);
    const QString path = dir.filePath("big.jpg");
    writeFile(path, jpegBytes(big));
    struct Case {
        QSize target, expected;
    };
    for (const Case &c :
         {Case{{250, 150}, {250, 150}}, Case{{251, 150}, {500, 300}}, Case{{600, 360}, {1000, 600}},
          Case{{1001, 100}, {2000, 1200}}, Case{{4000, 2400}, {2000, 1200}}, Case{{}, {2000, 1200}}}) {
        const QImage image = decodeImage(path, c.target);
        EXPECT_EQ(image.size(), c.expected) << c.target.width() << "x" << c.target.height();
    }
}

TEST_F(Decoder, BeyondQtsDefaultAllocationLimitStillDecodes)
{
    // 8000 x 5000 is 160 MB at four bytes a pixel, above Qt's 128 MB default.
    QImage big(8000, 5000, QImage::Format_RGB32);
    big.fill(Qt::darkYellow);
    const QString path = dir.filePath("camera.jpg");
    writeFile(path, jpegBytes(big, 50));
    big = QImage();
    EXPECT_EQ(readNaturalSize(path), QSize(8000, 5000));
    EXPECT_EQ(decodeImage(path, {1620, 1080}).size(), QSize(2000, 1250));
    EXPECT_EQ(decodeImage(path).size(), QSize(8000, 5000));
}

// A decode abandoned part-way reads no further and gives no picture; one
// never abandoned decodes as usual. Every format goes through the same reads.
TEST_F(Decoder, AnAbandonedDecodeStopsReadingAndGivesNothing)
{
    QImage noise(1200, 900, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb((x * 7) ^ y, x + y * 3, (x * y) & 255));
    writeFile(dir.filePath("photo.jpg"), jpegBytes(noise));
    ASSERT_TRUE(noise.save(dir.filePath("photo.bmp"), "BMP"));
    for (const char *name : {"photo.jpg", "photo.bmp"}) {
        int decodeReads = -1; // counted once the header is read
        PictureReader abandoned(dir.filePath(name),
                                [&decodeReads] { return decodeReads >= 0 && ++decodeReads > 2; });
        ASSERT_EQ(abandoned.naturalSize(), QSize(1200, 900)) << name;
        decodeReads = 0;
        EXPECT_TRUE(abandoned.decode().isNull()) << name;
        PictureReader kept(dir.filePath(name), [] { return false; });
        EXPECT_EQ(kept.decode().size(), QSize(1200, 900)) << name;
    }
}

TEST_F(Decoder, AnAbsurdProgressiveJpegIsRefusedWithoutDecoding)
{
    // A progressive 30000 x 30000 header: the library would keep every
    // coefficient of the image, gigabytes, whatever the output scale.
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(Qt::gray);
    QByteArray bytes = jpegBytes(small);
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    bytes[sof + 1] = char(0xC2);
    qToBigEndian<quint16>(30000, bytes.data() + sof + 5);
    qToBigEndian<quint16>(30000, bytes.data() + sof + 7);
    const QString path = dir.filePath("absurd.jpg");
    writeFile(path, bytes);
    EXPECT_EQ(readNaturalSize(path), QSize(30000, 30000));
    EXPECT_TRUE(decodeImage(path, {1920, 1080}).isNull());
}

// A GIF of one 1 x 1 frame on a logical screen of screen x screen pixels.
QByteArray tinyGif(quint16 screen)
{
    QByteArray b("GIF89a");
    auto le = [&b](quint16 v) { b += char(v & 0xff), b += char(v >> 8); };
    le(screen), le(screen);
    b += QByteArray("\x80\0\0"
                    "\0\0\0\xff\xff\xff",
                    9);                                        // two-colour table
    b += char(0x2c), le(0), le(0), le(1), le(1), b += char(0); // the frame
    b += QByteArray("\x02\x02\x4c\x01\0\x3b", 6);              // clear, 0, end; trailer
    return b;
}

TEST_F(Decoder, SmallFilesClaimingHugePicturesAreRefused)
{
    // Each is refused before the decoder builds the picture it claims.
    writeFile(dir.filePath("screen.gif"), tinyGif(16000));
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(Qt::gray);
    QByteArray jpeg = jpegBytes(small);
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    qToBigEndian<quint16>(65500, jpeg.data() + sof + 5);
    qToBigEndian<quint16>(65500, jpeg.data() + sof + 7);
    writeFile(dir.filePath("cut.jpg"), jpeg.left(1800));
    // Padding outside the pixel data makes the file big enough for its claim:
    // comment blocks after the start marker of the JPEG (4.6 MB), a comment
    // extension before the trailer of the GIF (7.7 kB).
    QByteArray padded = jpeg.left(2);
    for (int i = 0; i < 71; ++i)
        padded += QByteArray("\xFF\xFE\xFF\xFF", 4) + QByteArray(65533, 'p');
    writeFile(dir.filePath("padded.jpg"), padded + jpeg.mid(2));
    QByteArray gif = tinyGif(11000);
    gif.insert(gif.size() - 1, QByteArray("\x21\xFE", 2));
    for (int i = 0; i < 30; ++i)
        gif.insert(gif.size() - 1, char(255) + QByteArray(255, 'p'));
    gif.insert(gif.size() - 1, char(0));
    writeFile(dir.filePath("padded.gif"), gif);
    ASSERT_GT(gif.size(), 7700);
    for (const char *name : {"screen.gif", "cut.jpg", "padded.jpg", "padded.gif"})
        EXPECT_TRUE(decodeImage(dir.filePath(name), {1920, 1080}).isNull()) << name;
    // An ordinary small screen still decodes at its full size.
    writeFile(dir.filePath("ok.gif"), tinyGif(100));
    EXPECT_EQ(decodeImage(dir.filePath("ok.gif")).size(), QSize(100, 100));
}

TEST_F(Decoder, ATopDownBitmapHasItsSizeTheRightWayUp)
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    qToLittleEndian<qint32>(-3, bmp.data() + 22); // rows stored from the top
    writeFile(dir.filePath("top.bmp"), bmp);
    EXPECT_EQ(readNaturalSize(dir.filePath("top.bmp")), QSize(4, 3));
    EXPECT_EQ(decodeImage(dir.filePath("top.bmp"), {4, 3}).size(), QSize(4, 3));
}

TEST_F(Decoder, BrokenAndOddFilesGiveNothingAndNoFault)
{
    writeFile(dir.filePath("empty.jpg"), {});
    writeFile(dir.filePath("text.gif"), "GIF89a but not really");
    QImage small(40, 30, QImage::Format_RGB32);
    small.fill(Qt::white);
    writeFile(dir.filePath("cut.jpg"), jpegBytes(small).left(30));
    for (const char *name : {"empty.jpg", "text.gif", "missing.bmp"}) {
        const QString path = dir.filePath(name);
        EXPECT_FALSE(readNaturalSize(path).isValid()) << name;
        EXPECT_TRUE(decodeImage(path, {10, 10}).isNull()) << name;
        EXPECT_TRUE(decodeImage(path).isNull()) << name;
    }
    // A cut file may come out partly grey; it must simply not bring the show down.
    (void)decodeImage(dir.filePath("cut.jpg"), {10, 10});
    // A FIFO named like a picture would block a reader forever.
    const QByteArray fifo = QFile::encodeName(dir.filePath("pipe.jpg"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    EXPECT_FALSE(readNaturalSize(dir.filePath("pipe.jpg")).isValid());
    EXPECT_TRUE(decodeImage(dir.filePath("pipe.jpg"), {10, 10}).isNull());
    EXPECT_FALSE(readNaturalSize(dir.path()).isValid());
}

namespace
{

struct BudgetRow {
    const char *name;
    DecodeWork work;
    bool accepted;
};

// Blocks of a three-component 4:2:0 JPEG: a full luma grid plus two quarter chroma grids.
qint64 yuv420Blocks(int width, int height)
{
    const qint64 luma = qint64((width + 7) / 8) * ((height + 7) / 8);
    const qint64 chroma = qint64((width + 15) / 16) * ((height + 15) / 16);
    return luma + 2 * chroma;
}

void PrintTo(const BudgetRow &row, std::ostream *os)
{
    *os << row.name;
}

class DecodingBudget : public testing::TestWithParam<BudgetRow>
{
};

TEST_P(DecodingBudget, AcceptsOrRefuses)
{
    EXPECT_EQ(withinDecodingBudget(GetParam().work), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DecodingBudget,
    testing::Values(
        BudgetRow{
            "Baseline45MegapixelFullSize", {{8256, 5504}, {8256, 5504}, true, false, 0, 12 << 20}, true},
        BudgetRow{"Progressive45MegapixelFullSize",
                  {{8256, 5504}, {8256, 5504}, true, true, yuv420Blocks(8256, 5504), 12 << 20},
                  true},
        // With the library's 64 buffered lines of output the budget is exactly full.
        BudgetRow{
            "BaselineOutputExactlyOneGiB", {{16384, 16320}, {16384, 16320}, true, false, 0, 50 << 20}, true},
        BudgetRow{"BaselineOutputOneRowOverOneGiB",
                  {{16384, 16321}, {16384, 16321}, true, false, 0, 50 << 20},
                  false},
        BudgetRow{
            "BaselineHugeDecodedAtOneEighth", {{30000, 30000}, {3750, 3750}, true, false, 0, 40 << 20}, true},
        BudgetRow{"Progressive30000SquareAtOneEighth",
                  {{30000, 30000}, {3750, 3750}, true, true, yuv420Blocks(30000, 30000), 40 << 20},
                  false},
        BudgetRow{
            "OtherFormat11000Square", {{11000, 11000}, {11000, 11000}, false, false, 0, 10 << 20}, true},
        BudgetRow{
            "OtherFormat12000Square", {{12000, 12000}, {12000, 12000}, false, false, 0, 10 << 20}, false},
        // The file must hold bytes enough for the pixels it claims.
        BudgetRow{
            "TruncatedJpegClaiming65500Square", {{65500, 65500}, {8187, 8187}, true, false, 0, 1800}, false},
        BudgetRow{"JpegOfOneBytePer1000Pixels", {{8000, 8000}, {1000, 1000}, true, false, 0, 64000}, true},
        BudgetRow{
            "ArithmeticJpegHasNoSuchBound", {{8000, 8000}, {1000, 1000}, true, false, 0, 1800, true}, true},
        BudgetRow{"GifScreen8000SquareIn35Bytes", {{8000, 8000}, {8000, 8000}, false, false, 0, 35}, false},
        BudgetRow{"FlatGif8000SquareIn10KB", {{8000, 8000}, {8000, 8000}, false, false, 0, 10000}, true},
        // Only the bytes that carry pixels count: a padded file's are few.
        BudgetRow{"PaddedJpegClaiming65500Square",
                  {{65500, 65500}, {8187, 8187}, true, false, 0, 4600000, false, false, 600},
                  false},
        BudgetRow{"JpegScansEnoughFor65500Square",
                  {{65500, 65500}, {8187, 8187}, true, false, 0, 4600000, false, false, 4500000},
                  true},
        BudgetRow{"GifClaiming11000SquareIn8KBOfFrames",
                  {{11000, 11000}, {11000, 11000}, false, false, 0, 7700, false, true, 7700},
                  false},
        BudgetRow{"GifOf11000SquareIn40KBOfFrames",
                  {{11000, 11000}, {11000, 11000}, false, false, 0, 40000, false, true, 40000},
                  true},
        BudgetRow{"SmallPictureInFewBytes", {{4096, 4096}, {4096, 4096}, false, false, 0, 35}, true}),
    [](const testing::TestParamInfo<BudgetRow> &info) { return std::string(info.param.name); });

} // namespace
