#include "startup/dispatch.h"

#include <algorithm>
#include <cctype>

namespace qelvo
{

std::optional<std::uint32_t> parseHostWindow(const QString &value)
{
    const QString text = value.trimmed();
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const QString digits = hex ? text.mid(2) : text;
    const int base = hex ? 16 : 10;
    // Digits only: no sign, no blank inside.
    if (digits.isEmpty() || digits.size() > 12 || !std::all_of(digits.begin(), digits.end(), [base](QChar c) {
            return c.isDigit() || (base == 16 && isxdigit(c.toLatin1()));
        }))
        return std::nullopt;
    bool ok = false;
    const qulonglong id = digits.toULongLong(&ok, base);
    // X ids are 29 bits; a wider number names no window.
    if (!ok || id == 0 || id > 0x1fffffffULL)
        return std::nullopt;
    return static_cast<std::uint32_t>(id);
}

StartAction dispatch(const QString &commandLine, const QString &hostWindow)
{
    // The hosts start their savers with no switch of this program's own: only
    // those starts go into the host's window, every other keeps its meaning.
    if (parseHostWindow(hostWindow) && (commandLine.isEmpty() || commandLine == QLatin1String("-root") ||
                                        commandLine == QLatin1String("--root")))
        return StartAction::HostedShow;
    if (commandLine == QLatin1String("/s"))
        return StartAction::SlideShow;
    const QString head = commandLine.left(2);
    if (head.toLower() == QLatin1String("/c") || head == QLatin1String("/S"))
        return StartAction::Settings;
    return StartAction::Exit;
}

QString joinCommandLine(const QStringList &arguments)
{
    return arguments.join(QLatin1Char(' '));
}

} // namespace qelvo
