#include "wallpaper/commandbackend.h"

#include "platform/appidentity.h"
#include "platform/pathbytes.h"
#include "platform/safefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace qelvo::wallpaper
{

CommandBackend::CommandBackend(Desktop desktop, std::shared_ptr<CommandRunner> runner,
                               std::function<QString()> monitorName, std::function<QString()> lxqtMode)
    : m_desktop(desktop), m_runner(std::move(runner)), m_monitorName(std::move(monitorName)),
      m_lxqtMode(std::move(lxqtMode))
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
    } else if (m_desktop == Desktop::Lxqt) {
        commands = lxqtCommands(path, m_lxqtMode ? m_lxqtMode() : QString());
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

namespace
{
// The number of a fresh file's name, 0 when it has none.
qint64 freshNumber(const QString &name)
{
    const qsizetype dash = name.lastIndexOf(QLatin1Char('-'));
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dash < 0 || dot <= dash ? 0 : name.mid(dash + 1, dot - dash - 1).toLongLong();
}
} // namespace

QString FreshNameBackend::makeFreshFile(const QString &bitmapPath)
{
    const QByteArray source = encodePath(bitmapPath);
    // Never below a number given out before, so a name removed a moment ago
    // is not handed to the desktop again.
    qint64 number = std::max(QDateTime::currentMSecsSinceEpoch(), m_lastNumber + 1);
    for (int attempt = 0; attempt < 100; ++attempt, ++number) {
        const QString fresh = joinPath(m_folder, m_baseName + QStringLiteral("wp-%1.bmp").arg(number));
        if (const QFileInfo there(fresh); there.exists() || there.isSymLink())
            continue;
        m_lastNumber = number;
        // A hard link costs nothing and keeps the picture even when the bitmap is
        // replaced later (that is a rename, which leaves this name on the old file).
        if (::linkat(AT_FDCWD, source.constData(), AT_FDCWD, encodePath(fresh).constData(),
                     AT_SYMLINK_FOLLOW) == 0)
            return fresh;
        // A copy is made as a new file: a link planted under the name is not written through.
        const auto original = openForReading(bitmapPath);
        if (original->isOpen() && writeNewFile(fresh, original->readAll()).ok())
            return fresh;
        return {};
    }
    return {};
}

QStringList FreshNameBackend::freshFileNames(const QString &source) const
{
    const QRegularExpression pattern(QStringLiteral("^") + QRegularExpression::escape(m_baseName) +
                                     QStringLiteral("wp-[0-9]+\\.bmp$"));
    const QString sourcePath = QFileInfo(source).absoluteFilePath();
    const QDir dir(m_folder);
    QStringList names;
    for (const QString &name : dir.entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name))
        if (pattern.match(name).hasMatch() && dir.absoluteFilePath(name) != sourcePath)
            names.append(name);
    return names;
}

void FreshNameBackend::removeFreshFilesBut(const QString &fresh, const QString &source) const
{
    const QString freshName = QFileInfo(fresh).fileName();
    const QDir dir(m_folder);
    for (const QString &name : freshFileNames(source))
        if (name != freshName && name != m_shownName)
            QFile::remove(dir.absoluteFilePath(name));
}

bool FreshNameBackend::SetDeskWallPaper(const QString &bitmapPath)
{
    if (!m_lookedForShown) {
        // A copy left by an earlier run may be on screen now.
        m_lookedForShown = true;
        qint64 newest = 0;
        for (const QString &name : freshFileNames(bitmapPath))
            if (const qint64 number = freshNumber(name); number >= newest) {
                newest = number;
                m_shownName = name;
            }
    }
    const QString fresh = makeFreshFile(bitmapPath);
    if (fresh.isEmpty())
        return m_inner->SetDeskWallPaper(bitmapPath);
    const bool taken = m_inner->SetDeskWallPaper(fresh);
    if (taken)
        m_shownName = QFileInfo(fresh).fileName();
    // A refused change may still have reached part of the desktop (one XFCE
    // monitor of two), so the fresh file stays until the next change too.
    removeFreshFilesBut(fresh, bitmapPath);
    return taken;
}

} // namespace qelvo::wallpaper
