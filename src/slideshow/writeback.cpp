#include "slideshow/writeback.h"

// Placeholder: filled in with the changer-only run.
namespace qelvo::slideshow {

int nextWallpaperIndex(int wpIndex, int fileCount, bool, RandomSource &)
{
    const int next = wpIndex + 1;
    return next > fileCount ? 1 : next;
}

QString rewriteSettingsText(const settings::SettingsHead &head, const QString &)
{
    return settings::formatHead(head);
}

} // namespace qelvo::slideshow
