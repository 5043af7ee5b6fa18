#include "platform/pathbytes.h"

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace qelvo
{

namespace
{

constexpr char16_t kKeptByteBase = 0xDC00; // U+DC80..U+DCFF for the bytes 0x80..0xFF

bool isKeptByte(QChar c)
{
    return c.unicode() >= kKeptByteBase + 0x80 && c.unicode() <= kKeptByteBase + 0xFF;
}

// The length of the valid UTF-8 sequence at i, or 0.
int utf8SequenceAt(const QByteArray &bytes, qsizetype i)
{
    const auto at = [&bytes](qsizetype k) { return static_cast<unsigned char>(bytes.at(k)); };
    const unsigned char lead = at(i);
    int length = 0;
    char32_t min = 0;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, value = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        const unsigned char next = at(i + k);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return value < min || value > 0x10FFFF || surrogate ? 0 : length;
}

} // namespace

QString decodePath(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    qsizetype run = 0; // start of the bytes not yet appended
    qsizetype i = 0;
    while (i < bytes.size()) {
        const unsigned char b = static_cast<unsigned char>(bytes.at(i));
        if (b < 0x80) {
            ++i;
            continue;
        }
        if (const int length = utf8SequenceAt(bytes, i)) {
            i += length;
            continue;
        }
        out += QString::fromUtf8(bytes.constData() + run, i - run);
        out += QChar(static_cast<char16_t>(kKeptByteBase + b));
        run = ++i;
    }
    out += QString::fromUtf8(bytes.constData() + run, bytes.size() - run);
    return out;
}

QByteArray encodePath(const QString &path)
{
    if (isTextPath(path))
        return path.toUtf8();
    QByteArray out;
    qsizetype run = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isKeptByte(path.at(i)))
            continue;
        out += QStringView(path).mid(run, i - run).toUtf8();
        out += static_cast<char>(path.at(i).unicode() - kKeptByteBase);
        run = i + 1;
    }
    out += QStringView(path).mid(run).toUtf8();
    return out;
}

bool isTextPath(const QString &path)
{
    return std::none_of(path.cbegin(), path.cend(), isKeptByte);
}

std::unique_ptr<QFile> openForReading(const QString &path)
{
    auto file = std::make_unique<QFile>();
    if (isTextPath(path)) {
        file->setFileName(path);
        (void)file->open(QIODevice::ReadOnly);
        return file;
    }
    const int fd = ::open(encodePath(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && !file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        ::close(fd);
    return file;
}

} // namespace qelvo
