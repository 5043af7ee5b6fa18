#include "wallpaper/commandrunner.h"

#include <QProcess>

namespace qelvo::wallpaper
{

CommandResult ProcessRunner::run(const CommandLine &command)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(command.program, command.arguments);
    if (!process.waitForStarted(m_timeoutMs))
        return {};
    if (!process.waitForFinished(m_timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    CommandResult result;
    result.succeeded = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    result.output = process.readAllStandardOutput();
    return result;
}

} // namespace qelvo::wallpaper
