#pragma once

#include "wallpaper/commandrunner.h"
#include "wallpaper/desktopcommands.h"
#include "wallpaper/mwallpaper.h"

#include <functional>
#include <memory>

namespace qelvo::wallpaper
{

// Sets the wallpaper of a desktop that takes it through its own tools
// (gsettings, plasma-apply-wallpaperimage, xfconf-query, pcmanfm-qt, swaymsg).
class CommandBackend final : public WallpaperBackend
{
public:
    // monitorName gives XFCE's name of the primary monitor, asked only when
    // XFCE has no backdrop property yet; lxqtMode the wallpaper mode LXQt's
    // desktop profile stores, asked at each LXQt change.
    CommandBackend(Desktop desktop, std::shared_ptr<CommandRunner> runner,
                   std::function<QString()> monitorName = {}, std::function<QString()> lxqtMode = {});

    // Runs every command; true when each one not marked optional succeeded.
    bool SetDeskWallPaper(const QString &bitmapPath) override;

private:
    Desktop m_desktop;
    std::shared_ptr<CommandRunner> m_runner;
    std::function<QString()> m_monitorName;
    std::function<QString()> m_lxqtMode;
};

// Desktops cache the wallpaper by path, so handing them the same file again
// leaves the old picture on screen. This hands the inner back end a fresh name
// per change: a link to (or copy of) the bitmap named "<base>wp-<number>.bmp"
// in the wallpaper bitmap's folder, numbers rising. After every change, taken
// or refused, only two of these stay: the one just handed over and the one the
// desktop last took (before any change here, the newest one found, which an
// earlier run may have left on screen), so a desktop that keeps refusing does
// not fill the folder. Where no fresh file can be made, the bitmap itself is
// handed over.
class FreshNameBackend final : public WallpaperBackend
{
public:
    FreshNameBackend(std::unique_ptr<WallpaperBackend> inner, QString folder, QString baseName);

    bool SetDeskWallPaper(const QString &bitmapPath) override;

private:
    [[nodiscard]] QString makeFreshFile(const QString &bitmapPath);
    // The fresh files in the folder, by name, except source.
    [[nodiscard]] QStringList freshFileNames(const QString &source) const;
    void removeFreshFilesBut(const QString &fresh, const QString &source) const;

    std::unique_ptr<WallpaperBackend> m_inner;
    QString m_folder;
    QString m_baseName;
    qint64 m_lastNumber = 0;
    bool m_lookedForShown = false;
    QString m_shownName; // the fresh file's name the desktop may be showing
};

} // namespace qelvo::wallpaper
