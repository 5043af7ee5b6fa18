#include "wallpaper/mwallpaper.h"

#include "platform/imagedecoder.h"
#include "wallpaper/bitmapfile.h"
#include "wallpaper/texts.h"

#include <QFile>

namespace qelvo
{

namespace
{
void report(const WallpaperUi &ui, WallpaperError error)
{
    if (ui.showError)
        ui.showError(wallpaperErrorText(error));
}
} // namespace

QString wallpaperErrorText(WallpaperError error)
{
    return wallpaper::tr8(wallpaper::texts::kErrorHead) + QStringLiteral("\n\n") +
           wallpaper::tr8(wallpaper::texts::kErrorNumber) + QString::number(static_cast<int>(error));
}

bool isConvertedImageName(const QString &path)
{
    const QString tail = path.right(3).toLower();
    return tail == QLatin1String("gif") || tail == QLatin1String("jpg") || tail == QLatin1String("peg");
}

mWallPaper::mWallPaper(const AppIdentity &identity, WallpaperBackend &backend, const FileSystem &fs)
    : m_identity(identity), m_backend(backend), m_fs(fs)
{
}

void mWallPaper::SetWallPaper(const QString &path, const WallpaperUi &ui)
{
    if (!m_fs.isNormalFile(path))
        return;
    const QString source = path;
    QString bitmap = path;

    if (isConvertedImageName(path)) {
        // Always the picture the path names, never one left over from an earlier load.
        const QImage picture = decodeImage(source);
        if (picture.isNull())
            return report(ui, WallpaperError::InvalidPicture);
        bitmap = m_identity.wallpaperBitmapPath();
        if (!wallpaper::saveBitmap24(picture, bitmap))
            return report(ui, WallpaperError::BitmapWrite);
    }

    QByteArray magic;
    {
        QFile file(bitmap);
        if (!file.open(QIODevice::ReadOnly))
            return report(ui, WallpaperError::ReadFailed);
        magic = file.read(2);
        if (magic.size() < 2 && file.error() != QFileDevice::NoError)
            return report(ui, WallpaperError::ReadFailed);
    }
    // Anything but a bitmap (a PNG under its own name, a short file) is left alone.
    if (magic != "BM")
        return;

    // Telling of a change the desktop refused would be a lie.
    if (!m_backend.SetDeskWallPaper(bitmap))
        return report(ui, WallpaperError::DesktopRefused);
    if (ui.showStatus)
        ui.showStatus(wallpaper::tr8(wallpaper::texts::kChanged) + source);
}

} // namespace qelvo
