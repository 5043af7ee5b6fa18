#include "settings/scanner.h"

#include <cstring>

namespace qelvo::settings {

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start < size) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = size;
        qsizetype lineEnd = end;
        if (lineEnd > start && text.at(lineEnd - 1) == QLatin1Char('\r'))
            --lineEnd;
        lines.append(text.mid(start, lineEnd - start));
        start = end + 1;
    }
    return lines;
}

QString ItemScanner::next()
{
    const qsizetype size = m_text.size();
    const qsizetype start = m_pos;
    qsizetype i = start;
    while (i < size) {
        const QChar c = m_text.at(i);
        if (c == QLatin1Char(',') || c == QLatin1Char('\n'))
            break;
        ++i;
    }
    qsizetype end = i;
    if (i < size && m_text.at(i) == QLatin1Char('\n') && end > start && m_text.at(end - 1) == QLatin1Char('\r'))
        --end;
    else if (i == size && end > start && m_text.at(end - 1) == QLatin1Char('\r'))
        --end;
    m_pos = i < size ? i + 1 : size;
    return m_text.mid(start, end - start);
}

bool hasKeyPrefix(const QString &text, const char *key)
{
    const QLatin1String prefix(key, std::min<qsizetype>(5, static_cast<qsizetype>(std::strlen(key))));
    return text.startsWith(prefix, Qt::CaseSensitive);
}

QString valueAt(const QString &text, int position, int maxLength)
{
    if (position < 1 || position > text.size() || maxLength <= 0)
        return {};
    return text.mid(position - 1, maxLength);
}

QString valueAfterKey(const QString &text, const char *key, int maxLength)
{
    return valueAt(text, static_cast<int>(std::strlen(key)) + 1, maxLength);
}

} // namespace qelvo::settings
