#include "platform/standarderror.h"

#include "platform/appidentity.h"

namespace qelvo
{

void tellStandardError(const QString &text, std::FILE *stream)
{
    QString line = QLatin1String(kAppTitle) + QLatin1String(": ");
    bool inBreak = false;
    for (const QChar c : text) {
        const bool lineBreak = c == QLatin1Char('\n') || c == QLatin1Char('\r');
        if (lineBreak && !inBreak)
            line += QLatin1Char(' ');
        else if (!lineBreak)
            line += c;
        inBreak = lineBreak;
    }
    line += QLatin1Char('\n');
    std::fputs(line.toUtf8().constData(), stream);
    std::fflush(stream);
}

} // namespace qelvo
