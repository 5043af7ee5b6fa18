#include "wallpaper/commandbackend.h"

#include "platform/appidentity.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <fcntl.h>
#include <unistd.h>

namespace qelvo::wallpaper
{

CommandBackend::CommandBackend(Desktop desktop, std::shared_ptr<CommandRunner> runner,
                               std::function<QString()> monitorName)
    : m_desktop(desktop), m_runner(std::move(runner)), m_monitorName(std::move(monitorName))
{
}

bool CommandBackend::SetDeskWallPaper(const QString &bitmapPath)
{
    if (bitmapPath.isEmpty())
        return false;
    // An absolute path can never be taken for an option by the tools.
    const QString path = QFileInfo(bitmapPath).absoluteFilePath();

    std::vector<CommandLine> commands;
    if (m_desktop == Desktop::Xfce) {
        const CommandResult listing = m_runner->run(xfceListCommand());
        QString monitor = m_monitorName ? m_monitorName() : QString();
        if (monitor.isEmpty())
            monitor = QStringLiteral("0");
        commands = xfceCommands(listing.succeeded ? QString::fromLocal8Bit(listing.output) : QString(), path,
                                monitor);
    } else {
        commands = desktopCommands(m_desktop, path);
    }
    if (commands.empty())
        return false;
    bool ok = true;
    for (const CommandLine &command : commands)
        ok = (m_runner->run(command).succeeded || command.optional) && ok;
    return ok;
}

FreshNameBackend::FreshNameBackend(std::unique_ptr<WallpaperBackend> inner, QString folder, QString baseName)
    : m_inner(std::move(inner)), m_folder(std::move(folder)), m_baseName(std::move(baseName))
{
}

QString FreshNameBackend::makeFreshFile(const QString &bitmapPath) const
{
    const QByteArray source = QFile::encodeName(bitmapPath);
    qint64 number = QDateTime::currentMSecsSinceEpoch();
    for (int attempt = 0; attempt < 100; ++attempt, ++number) {
        const QString fresh = joinPath(m_folder, m_baseName + QStringLiteral("wp-%1.bmp").arg(number));
        if (QFileInfo::exists(fresh))
            continue;
        // A hard link costs nothing and keeps the picture even when the bitmap is
        // replaced later (that is a rename, which leaves this name on the old file).
        if (::linkat(AT_FDCWD, source.constData(), AT_FDCWD, QFile::encodeName(fresh).constData(),
                     AT_SYMLINK_FOLLOW) == 0)
            return fresh;
        if (QFile::copy(bitmapPath, fresh))
            return fresh;
        return {};
    }
    return {};
}

void FreshNameBackend::removeOtherFreshFiles(const QString &keep, const QString &source) const
{
    const QRegularExpression pattern(QStringLiteral("^") + QRegularExpression::escape(m_baseName) +
                                     QStringLiteral("wp-[0-9]+\\.bmp$"));
    const QString keepName = QFileInfo(keep).fileName();
    const QString sourcePath = QFileInfo(source).absoluteFilePath();
    const QDir dir(m_folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::System | QDir::Hidden)) {
        const QString path = dir.absoluteFilePath(name);
        if (name != keepName && path != sourcePath && pattern.match(name).hasMatch())
            QFile::remove(path);
    }
}

bool FreshNameBackend::SetDeskWallPaper(const QString &bitmapPath)
{
    const QString fresh = makeFreshFile(bitmapPath);
    if (fresh.isEmpty())
        return m_inner->SetDeskWallPaper(bitmapPath);
    // On a failure some setting may already name the fresh file (GNOME's light
    // style taken, its dark one not) while others still name the earlier one:
    // keep both until a change goes through.
    if (!m_inner->SetDeskWallPaper(fresh))
        return false;
    removeOtherFreshFiles(fresh, bitmapPath);
    return true;
}

} // namespace qelvo::wallpaper
