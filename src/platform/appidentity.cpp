#include "platform/appidentity.h"

#include "qelvo/version.h"

#include <QDir>
#include <QFileInfo>

namespace qelvo
{

namespace
{
// An XDG base folder: the variable when it holds an absolute path, else home's fallback.
QString xdgFolder(const QProcessEnvironment &env, const char *variable, const QString &home,
                  const char *fallback)
{
    const QString value = env.value(QLatin1String(variable));
    if (QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::cleanPath(joinPath(home, QLatin1String(fallback)));
}
} // namespace

AppIdentity AppIdentity::current()
{
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QString folder = QFileInfo(exe).absolutePath();
    const bool beside = QFileInfo(joinPath(folder, QLatin1String(kSettingsFileName))).isFile();
    return locate(exe, QProcessEnvironment::systemEnvironment(), QDir::homePath(), beside);
}

AppIdentity AppIdentity::locate(const QString &executablePath, const QProcessEnvironment &env,
                                const QString &home, bool settingsBeside)
{
    const QFileInfo exe(executablePath);
    AppIdentity id;
    id.folder = exe.absolutePath();
    id.baseName = exe.completeBaseName();
    if (settingsBeside || QFileInfo(id.folder).fileName() != QLatin1String("bin"))
        return id;
    const QString envHome = env.value(QStringLiteral("HOME"));
    const QString userHome = QDir::isAbsolutePath(envHome) ? envHome : home;
    id.settingsFolder =
        joinPath(xdgFolder(env, "XDG_CONFIG_HOME", userHome, ".config"), QLatin1String(kUserFolderName));
    id.wallpaperFolder =
        joinPath(xdgFolder(env, "XDG_DATA_HOME", userHome, ".local/share"), QLatin1String(kUserFolderName));
    return id;
}

QString AppIdentity::settingsPath() const
{
    return joinPath(settingsFolder.isEmpty() ? folder : settingsFolder, QLatin1String(kSettingsFileName));
}

QString AppIdentity::wallpaperBitmapFolder() const
{
    return wallpaperFolder.isEmpty() ? folder : wallpaperFolder;
}

QString AppIdentity::wallpaperBitmapPath() const
{
    return joinPath(wallpaperBitmapFolder(), baseName + QStringLiteral("wp.bmp"));
}

bool AppIdentity::makeFolders() const
{
    bool ok = true;
    for (const QString &dir : {settingsFolder, wallpaperFolder})
        if (!dir.isEmpty())
            ok = QDir().mkpath(dir) && ok;
    return ok;
}

QString joinPath(const QString &folder, const QString &name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(version::kMajor).arg(version::kMinor).arg(version::kRevision);
}

} // namespace qelvo
