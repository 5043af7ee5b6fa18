#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace qelvo
{

// Title of every message box that is given no title of its own.
inline constexpr const char *kAppTitle = "qelvo";
inline constexpr const char *kSettingsFileName = "Qelvo.ini";
// The folder under $XDG_CONFIG_HOME and $XDG_DATA_HOME that an installed copy keeps each user's files in.
inline constexpr const char *kUserFolderName = "qelvo";

// Where the running program lives, what it is called and where it keeps its
// files. A copy that runs from where it was built or copied keeps everything
// next to the executable; an installed one keeps each user's files in that
// user's XDG folders (see locate()).
struct AppIdentity {
    QString folder;   // the executable's folder: no trailing '/', except for the root "/"
    QString baseName; // executable file name without folder and extension
    // Where the settings file and the wallpaper bitmap (with its fresh copies)
    // live; empty means the executable's folder.
    QString settingsFolder = {};
    QString wallpaperFolder = {};

    // The identity of the running executable (from /proc/self/exe, not argv[0]).
    [[nodiscard]] static AppIdentity current();

    // The rule every reader and writer goes by. An executable whose folder is
    // named "bin" (/usr/bin, /usr/local/bin, ~/.local/bin) counts as installed,
    // unless a settings file lies beside it: its settings file is
    // $XDG_CONFIG_HOME/qelvo/Qelvo.ini and its wallpaper files are in
    // $XDG_DATA_HOME/qelvo/, with ~/.config and ~/.local/share where those
    // variables are unset, empty or relative. Anything else keeps its files
    // beside the executable. home is used when env has no HOME.
    [[nodiscard]] static AppIdentity locate(const QString &executablePath, const QProcessEnvironment &env,
                                            const QString &home, bool settingsBeside);

    [[nodiscard]] QString settingsPath() const;
    // "<folder>/<base name>wp.bmp": the bitmap every JPEG or GIF wallpaper goes through.
    [[nodiscard]] QString wallpaperBitmapPath() const;
    // The folder of the wallpaper bitmap.
    [[nodiscard]] QString wallpaperBitmapFolder() const;
    // Creates the per-user folders of an installed copy when missing; true when
    // both exist afterwards (always for a copy that keeps its files beside itself).
    bool makeFolders() const;
};

// Joins a folder and a name with '/', the way the settings file stores paths: a
// root folder already ends in the separator, every other folder does not.
[[nodiscard]] QString joinPath(const QString &folder, const QString &name);

// "major.minor.revision", e.g. 1.0.0.
[[nodiscard]] QString versionText();

} // namespace qelvo
