#include "startup/dispatch.h"

namespace qelvo
{

StartAction dispatch(const QString &commandLine)
{
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
