#pragma once

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>

#include <fcntl.h>
#include <unistd.h>

namespace qelvo::fakes
{

// "テスト" in CP932: a name an old Japanese disk holds, and not UTF-8.
inline const QByteArray kCp932Name = "\x83\x65\x83\x58\x83\x67";

// Saves a picture of one colour to a file whose path is given as raw bytes,
// past Qt's own name conversion, which cannot make such names.
inline bool savePictureAtBytes(const QByteArray &path, QSize size, const QColor &colour, const char *format)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    QFile out;
    if (!out.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    return picture.save(&out, format);
}

} // namespace qelvo::fakes
