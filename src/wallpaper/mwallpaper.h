#pragma once

#include "platform/appidentity.h"
#include "platform/filesystem.h"

#include <QString>

#include <functional>

namespace qelvo {

// Hands a bitmap file to the running desktop as its wallpaper.
class WallpaperBackend {
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

// Makes an image the desktop wallpaper, converting JPEG and GIF images into
// the wallpaper bitmap beside the executable.
class mWallPaper {
public:
    mWallPaper(const AppIdentity &identity, WallpaperBackend &backend, const FileSystem &fs = realFileSystem());

    // path is the caller's copy: the play list keeps naming its own images.
    void SetWallPaper(const QString &path, const WallpaperUi &ui);

private:
    AppIdentity m_identity;
    WallpaperBackend &m_backend;
    const FileSystem &m_fs;
};

} // namespace qelvo
