#pragma once

#include "platform/appidentity.h"
#include "platform/filesystem.h"

#include <QString>

#include <functional>

namespace qelvo
{

// Hands a bitmap file to the running desktop as its wallpaper.
class WallpaperBackend
{
public:
    virtual ~WallpaperBackend() = default;
    // True when the desktop took the picture.
    virtual bool SetDeskWallPaper(const QString &bitmapPath) = 0;
};

// What the slide show gives the wallpaper operation to talk to the user.
struct WallpaperUi {
    std::function<void(const QString &)> showStatus; // the status line
    std::function<void(const QString &)> showError;  // a message box
};

// The numbers the error message shows, one per kind of failure. They follow the
// run-time error numbers users of the original program know, and never change.
enum class WallpaperError : int {
    ReadFailed = 57,      // the file to be set cannot be opened or read
    BitmapWrite = 75,     // the wallpaper bitmap cannot be written (folder not writable, disk full)
    InvalidPicture = 481, // a JPEG or GIF image cannot be decoded
    // Ours, in the range left for applications: the desktop did not take the
    // picture (its tool failed or is missing, or no back end fits the session).
    DesktopRefused = 1000
};

// "壁紙変更時にエラーが発生しました。", an empty line, "エラー番号:" and the number.
[[nodiscard]] QString wallpaperErrorText(WallpaperError error);

// True for the names converted into the wallpaper bitmap: the last three
// characters, in lower case, are gif, jpg or peg (so jpeg too).
[[nodiscard]] bool isConvertedImageName(const QString &path);

// Makes an image the desktop wallpaper, converting JPEG and GIF images into
// the wallpaper bitmap beside the executable.
class mWallPaper
{
public:
    mWallPaper(const AppIdentity &identity, WallpaperBackend &backend,
               const FileSystem &fs = realFileSystem());

    // path is the caller's copy: the play list keeps naming its own images.
    // A missing file, or one that turns out not to be a bitmap, is passed over
    // without a word; a failure on the way, the desktop's refusal included, is
    // shown through ui.showError and stops there. On success ui.showStatus
    // names the source image.
    void SetWallPaper(const QString &path, const WallpaperUi &ui);

private:
    AppIdentity m_identity;
    WallpaperBackend &m_backend;
    const FileSystem &m_fs;
};

} // namespace qelvo
