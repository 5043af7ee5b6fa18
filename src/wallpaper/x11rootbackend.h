#pragma once

#include "wallpaper/mwallpaper.h"

#include <QImage>
#include <QSize>

namespace qelvo::wallpaper
{

// The picture as the root window shows it: scaled with its aspect kept until
// it covers the whole screen, centred, the overflow cut off. A null image for
// a null picture or an empty screen.
[[nodiscard]] QImage coverScreen(const QImage &picture, QSize screen);

// Plain X11: the picture becomes the root window's background pixmap. The
// pixmap is made on a connection of its own that is closed in retain-permanent
// mode, so it outlives the program; _XROOTPMAP_ID and ESETROOT_PMAP_ID name it
// for terminals and docks that draw the desktop behind them. The pixmap an
// earlier setter left behind the same way is freed, so changes do not pile up
// in the X server.
class X11RootBackend final : public WallpaperBackend
{
public:
    // displayName as in $DISPLAY; empty for the default display.
    explicit X11RootBackend(QString displayName);

    // True when the root window shows the picture.
    bool SetDeskWallPaper(const QString &bitmapPath) override;

private:
    QString m_displayName;
};

} // namespace qelvo::wallpaper
