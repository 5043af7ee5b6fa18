#pragma once

#include "wallpaper/commandrunner.h"
#include "wallpaper/mwallpaper.h"

#include <QProcessEnvironment>

#include <memory>

namespace qelvo
{

// The back end that fits the running desktop (from XDG_CURRENT_DESKTOP,
// DESKTOP_SESSION, WAYLAND_DISPLAY, SWAYSOCK); plain X11 when none is known.
// One that always answers false where nothing can be set.
[[nodiscard]] std::unique_ptr<WallpaperBackend>
makeDesktopBackend(const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment());

// The same with the wallpaper bitmap's owner and the tool runner given: the
// desktops that take a file name get a fresh one per change beside the bitmap.
[[nodiscard]] std::unique_ptr<WallpaperBackend>
makeDesktopBackend(const QProcessEnvironment &env, const AppIdentity &identity,
                   std::shared_ptr<wallpaper::CommandRunner> runner);

} // namespace qelvo
