#include "settings/textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace qelvo::settings
{

namespace
{
// The first byte of a CP932 two-byte character.
bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Whether the last character of well-formed CP932 bytes is a lead byte alone.
bool endsInLoneLeadByte(const QByteArray &bytes)
{
    qsizetype i = 0;
    while (i < bytes.size())
        i += isLeadByte(static_cast<unsigned char>(bytes.at(i))) ? 2 : 1;
    return i > bytes.size();
}
} // namespace

QString decodeSettingsText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp932("windows-31j");
    if (cp932.isValid()) {
        QString legacy = cp932(bytes);
        if (!cp932.hasError()) {
            // The decoder waits for the second byte of a pair that never comes
            // and drops it. Such a file was cut short; it is still CP932, and
            // the lost character stands as U+FFFD rather than vanishing.
            if (endsInLoneLeadByte(bytes))
                legacy += QChar::ReplacementCharacter;
            return legacy;
        }
    }
    // Neither decodes cleanly: keep what UTF-8 made of it (bad bytes become U+FFFD).
    return text;
}

QByteArray encodeSettingsText(const QString &text)
{
    return text.toUtf8();
}

} // namespace qelvo::settings
