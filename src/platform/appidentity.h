#pragma once

#include <QString>

namespace qelvo
{

// Title of every message box that is given no title of its own.
inline constexpr const char *kAppTitle = "qelvo";
inline constexpr const char *kSettingsFileName = "Qelvo.ini";

// Where the running program lives and what it is called; everything the
// program stores sits next to the executable.
struct AppIdentity {
    QString folder;   // no trailing '/', except for the root "/"
    QString baseName; // executable file name without folder and extension

    // The identity of the running executable (from /proc/self/exe, not argv[0]).
    [[nodiscard]] static AppIdentity current();

    [[nodiscard]] QString settingsPath() const;
    // "<folder>/<base name>wp.bmp": the bitmap every JPEG or GIF wallpaper goes through.
    [[nodiscard]] QString wallpaperBitmapPath() const;
};

// Joins a folder and a name with '/', the way the settings file stores paths: a
// root folder already ends in the separator, every other folder does not.
[[nodiscard]] QString joinPath(const QString &folder, const QString &name);

// "major.minor.revision", e.g. 1.0.0.
[[nodiscard]] QString versionText();

} // namespace qelvo
