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
    // XFCE has no backdrop property yet.
    CommandBackend(Desktop desktop, std::shared_ptr<CommandRunner> runner,
                   std::function<QString()> monitorName = {});

    // Runs every command; true when each one not marked optional succeeded.
    bool SetDeskWallPaper(const QString &bitmapPath) override;

private:
    Desktop m_desktop;
    std::shared_ptr<CommandRunner> m_runner;
    std::function<QString()> m_monitorName;
};

// Desktops cache the wallpaper by path, so handing them the same file again
// leaves the old picture on screen. This hands the inner back end a fresh name
// per change: a link to (or copy of) the bitmap named "<base>wp-<number>.bmp"
// in the wallpaper bitmap's folder, and removes the earlier ones once the
// desktop has taken the new one (only then: a refused change keeps them all). Where no fresh file can be
// made, the bitmap itself is handed over.
class FreshNameBackend final : public WallpaperBackend
{
public:
    FreshNameBackend(std::unique_ptr<WallpaperBackend> inner, QString folder, QString baseName);

    bool SetDeskWallPaper(const QString &bitmapPath) override;

private:
    [[nodiscard]] QString makeFreshFile(const QString &bitmapPath) const;
    void removeOtherFreshFiles(const QString &keep, const QString &source) const;

    std::unique_ptr<WallpaperBackend> m_inner;
    QString m_folder;
    QString m_baseName;
};

} // namespace qelvo::wallpaper
