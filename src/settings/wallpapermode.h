#pragma once

namespace qelvo::settings
{

// The wallpaper changer's modes: the value stored after "WPChanger=", and the
// index of the dialog's mode button. The numbers are in every settings file.
enum WallpaperMode : int {
    kChangerOff = 0,
    kChangerManual = 1,    // the W key sets the wallpaper
    kChangerAutomatic = 2, // also a random image change now and then
    kChangerOnly = 3,      // no show: each start sets the next wallpaper and ends
};
inline constexpr int kWallpaperModes = 4;

} // namespace qelvo::settings
