#include "platform/appidentity.h"

#include "qelvo/version.h"

#include <QFileInfo>

namespace qelvo
{

AppIdentity AppIdentity::current()
{
    const QFileInfo exe(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath());
    AppIdentity id;
    id.folder = exe.absolutePath();
    id.baseName = exe.completeBaseName();
    return id;
}

QString AppIdentity::settingsPath() const
{
    return joinPath(folder, QLatin1String(kSettingsFileName));
}

QString AppIdentity::wallpaperBitmapPath() const
{
    return joinPath(folder, baseName + QStringLiteral("wp.bmp"));
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
