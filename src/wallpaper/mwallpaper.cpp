#include "wallpaper/mwallpaper.h"

// Placeholder: the conversion and the desktop back ends come next.
namespace qelvo {

mWallPaper::mWallPaper(const AppIdentity &identity, WallpaperBackend &backend, const FileSystem &fs)
    : m_identity(identity), m_backend(backend), m_fs(fs)
{
}

void mWallPaper::SetWallPaper(const QString &, const WallpaperUi &) {}

} // namespace qelvo
