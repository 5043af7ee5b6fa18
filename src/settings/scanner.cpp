#include "settings/scanner.h"

#include <cstring>

namespace qelvo::settings
{

QStringList splitLines(const QString &text)
{
    QStringList lines;
    TextScanner scanner(text);
    while (!scanner.atEnd())
        lines.append(scanner.nextLine());
    return lines;
}

QString TextScanner::read(bool stopAtComma)
{
    const qsizetype size = m_text.size();
    const qsizetype start = m_pos;
    qsizetype i = start;
    if (stopAtComma) {
        while (i < size && m_text.at(i) != QLatin1Char(',') && m_text.at(i) != QLatin1Char('\n'))
            ++i;
    } else {
        i = m_text.indexOf(QLatin1Char('\n'), start);
        if (i < 0)
            i = size;
    }
    qsizetype end = i;
    if (end > start && m_text.at(end - 1) == QLatin1Char('\r') &&
        (i == size || m_text.at(i) == QLatin1Char('\n')))
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
