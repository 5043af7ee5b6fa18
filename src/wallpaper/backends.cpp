#include "wallpaper/backends.h"

// Placeholder until the desktop back ends exist.
namespace qelvo {

namespace {
class NullBackend final : public WallpaperBackend {
public:
    bool SetDeskWallPaper(const QString &) override { return false; }
};
} // namespace

std::unique_ptr<WallpaperBackend> makeDesktopBackend(const QProcessEnvironment &)
{
    return std::make_unique<NullBackend>();
}

} // namespace qelvo
