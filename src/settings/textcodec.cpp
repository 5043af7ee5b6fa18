#include "settings/textcodec.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace qelvo::settings
{

QString decodeSettingsText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp932("windows-31j");
    if (cp932.isValid()) {
        QString legacy = cp932(bytes);
        if (!cp932.hasError())
            return legacy;
    }
    // Neither decodes cleanly: keep what UTF-8 made of it (bad bytes become U+FFFD).
    return text;
}

QByteArray encodeSettingsText(const QString &text)
{
    return text.toUtf8();
}

std::optional<QString> readSettingsText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decodeSettingsText(file.readAll());
}

} // namespace qelvo::settings
