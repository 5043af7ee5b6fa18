#pragma once

#include "wallpaper/mwallpaper.h"

#include <QProcessEnvironment>

#include <memory>

namespace qelvo {

// The back end that fits the running desktop (from XDG_CURRENT_DESKTOP,
// DESKTOP_SESSION, WAYLAND_DISPLAY, SWAYSOCK); plain X11 when none is known.
[[nodiscard]] std::unique_ptr<WallpaperBackend>
makeDesktopBackend(const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment());

} // namespace qelvo
