#include "wallpaper/bitmapfile.h"

#include "wallpapertestutil.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace qelvo;
using namespace qelvo::wallpapertest;

namespace
{

quint32 u32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 u16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

QByteArray encode(const QImage &image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(wallpaper::writeBitmap24(image, buffer));
    return buffer.data();
}

TEST(BitmapFile, WritesAnUncompressed24BitBottomUpWindowsBitmap)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(2, 0, qRgb(0, 0, 255));
    image.setPixel(0, 1, qRgb(1, 2, 3));
    image.setPixel(1, 1, qRgb(4, 5, 6));
    image.setPixel(2, 1, qRgb(7, 8, 9));

    const QByteArray b = encode(image);
    ASSERT_EQ(b.size(), 54 + 2 * 12); // rows of 9 bytes padded to 12
    EXPECT_EQ(b.left(2), "BM");
    EXPECT_EQ(u32(b, 2), 78u);  // file size
    EXPECT_EQ(u32(b, 10), 54u); // pixel offset
    EXPECT_EQ(u32(b, 14), 40u); // BITMAPINFOHEADER
    EXPECT_EQ(u32(b, 18), 3u);
    EXPECT_EQ(u32(b, 22), 2u); // positive height: bottom-up
    EXPECT_EQ(u16(b, 26), 1u);
    EXPECT_EQ(u16(b, 28), 24u);
    EXPECT_EQ(u32(b, 30), 0u); // BI_RGB
    EXPECT_EQ(u32(b, 34), 24u);
    // The bottom row comes first, blue-green-red, padded with zeros.
    EXPECT_EQ(b.mid(54, 12), QByteArray("\x03\x02\x01\x06\x05\x04\x09\x08\x07\0\0\0", 12));
    EXPECT_EQ(b.mid(66, 12), QByteArray("\0\0\xff\0\xff\0\xff\0\0\0\0\0", 12));

    QImage back;
    ASSERT_TRUE(back.loadFromData(b, "BMP"));
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image);
}

TEST(BitmapFile, IndexedAndTransparentPicturesBecomeOpaqueRgb)
{
    QImage indexed(5, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50)});
    indexed.fill(1);
    QImage back;
    ASSERT_TRUE(back.loadFromData(encode(indexed), "BMP"));
    EXPECT_EQ(u16(encode(indexed), 28), 24u);
    EXPECT_EQ(back.pixel(4, 0), qRgb(200, 100, 50));

    QImage transparent(2, 1, QImage::Format_ARGB32);
    transparent.setPixel(0, 0, qRgba(0, 0, 0, 0));
    transparent.setPixel(1, 0, qRgba(255, 255, 255, 255));
    ASSERT_TRUE(back.loadFromData(encode(transparent), "BMP"));
    EXPECT_EQ(back.pixel(0, 0), qRgb(0, 0, 0)); // laid over black
    EXPECT_EQ(back.pixel(1, 0), qRgb(255, 255, 255));
}

TEST(BitmapFile, RefusesANullPicture)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_FALSE(wallpaper::writeBitmap24(QImage(), buffer));
    EXPECT_TRUE(buffer.data().isEmpty());
}

TEST(BitmapFile, SaveReplacesTheFileWholeAndLeavesNothingBehindOnFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("qelvowp.bmp");
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(writeBytes(path, "old contents"));
    ASSERT_TRUE(wallpaper::saveBitmap24(red, path));
    EXPECT_EQ(QImage(path).pixel(1, 1), qRgb(255, 0, 0));

    EXPECT_FALSE(wallpaper::saveBitmap24(QImage(), path));
    EXPECT_EQ(QImage(path).pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_FALSE(wallpaper::saveBitmap24(red, dir.filePath("missing/qelvowp.bmp")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"qelvowp.bmp"});

    // A link planted in the bitmap's place (a folder others can write to) is
    // replaced; the file it names stays as it was.
    const QString victim = dir.filePath("private");
    ASSERT_TRUE(writeBytes(victim, "private"));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::link(victim, path));
    ASSERT_TRUE(wallpaper::saveBitmap24(red, path));
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_EQ(QImage(path).pixel(1, 1), qRgb(255, 0, 0));
    QFile kept(victim);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "private");
}

} // namespace
