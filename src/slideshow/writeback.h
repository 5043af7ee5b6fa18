#pragma once

#include "platform/randomsource.h"
#include "settings/writer.h"

#include <QString>

// The changer-only run's bookkeeping: which image is next, and the settings
// file rewritten with the new state and the setting lists copied unchanged.
namespace qelvo::slideshow {

// The next wallpaper position, 1..fileCount (1 when the list is empty).
[[nodiscard]] int nextWallpaperIndex(int wpIndex, int fileCount, bool random, RandomSource &random01);

// The new twelve head lines, then the lines of every [SettingLists] section of
// oldText copied as they stand; every line ends with CR LF.
[[nodiscard]] QString rewriteSettingsText(const settings::SettingsHead &head, const QString &oldText);

} // namespace qelvo::slideshow
