#pragma once

#include <QColor>
#include <QFile>
#include <QImage>
#include <QString>

#include <cstdlib>

// Small helpers shared by the wallpaper tests.
namespace qelvo::wallpapertest
{

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A GIF of one colour. Qt reads GIF but cannot write it, so the LZW stream is
// made by hand: a clear code before every two pixels keeps codes 3 bits wide.
inline QByteArray solidGif(QSize size, const QColor &colour)
{
    QByteArray out("GIF89a");
    auto put16 = [&out](int v) {
        out += char(v & 0xff);
        out += char((v >> 8) & 0xff);
    };
    put16(size.width());
    put16(size.height());
    out += char(0x80); // global colour table of two entries
    out += char(0);
    out += char(0);
    out += char(colour.red());
    out += char(colour.green());
    out += char(colour.blue());
    out += QByteArray(3, '\0');
    out += ',';
    put16(0);
    put16(0);
    put16(size.width());
    put16(size.height());
    out += char(0);
    out += char(2); // minimum code size

    QByteArray data;
    unsigned bits = 0;
    int count = 0;
    auto code = [&](unsigned c) {
        bits |= c << count;
        count += 3;
        while (count >= 8) {
            data += char(bits & 0xff);
            bits >>= 8;
            count -= 8;
        }
    };
    const int pixels = size.width() * size.height();
    for (int i = 0; i < pixels; ++i) {
        if (i % 2 == 0)
            code(4); // clear
        code(0);
    }
    code(5); // end of information
    if (count > 0)
        data += char(bits & 0xff);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out += char(block.size());
        out += block;
    }
    out += char(0);
    out += ';';
    return out;
}

// A picture of one colour saved under path in format ("JPG", "GIF", "BMP", "PNG").
inline bool savePicture(const QString &path, const QColor &colour, const char *format, QSize size = {40, 30})
{
    if (QByteArray(format) == "GIF")
        return writeBytes(path, solidGif(size, colour));
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path, format);
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool near(const QColor &a, const QColor &b, int tolerance = 12)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace qelvo::wallpapertest
