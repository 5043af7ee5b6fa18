#include "settings/lastexecute.h"

namespace qelvo::settings
{

namespace
{
const QString kFormat = QStringLiteral("yyyy/MM/dd H:mm:ss");
}

QString formatLastExecute(const QDateTime &when)
{
    return when.toLocalTime().toString(kFormat);
}

std::optional<QDateTime> parseLastExecute(const QString &text)
{
    const QString trimmed = text.trimmed();
    QDateTime when = QDateTime::fromString(trimmed, kFormat);
    if (!when.isValid())
        when = QDateTime::fromString(trimmed, QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    if (!when.isValid())
        when = QDateTime::fromString(trimmed, Qt::ISODate);
    if (!when.isValid())
        return std::nullopt;
    return when;
}

} // namespace qelvo::settings
