#pragma once

#include "platform/appidentity.h"
#include "platform/filesystem.h"
#include "platform/randomsource.h"
#include "settings/writer.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The changer-only run's bookkeeping: which image is next, and the settings
// file rewritten with the new state and the setting lists copied unchanged.
namespace qelvo::slideshow
{

// Whether a start of the show with this settings text turns into the
// changer-only run (mode 3, not a quick restart), told before anything of the
// start is shown; a missing folder stops that run with a message, told the
// same way. Nobody is at the screen for that run, so its messages go to
// standard error instead of waiting for a click. Folders are looked up but
// not listed.
[[nodiscard]] bool isChangerOnlyStart(const QString &settingsText, const FileSystem &fs,
                                      const QDateTime &now);

// The next wallpaper position, 1..fileCount (1 when the list is empty).
// In list order it is wpIndex + 1; at random it is a pick of 1..fileCount,
// drawn once more (and the second draw kept) when the first repeats wpIndex,
// so a one-image list never loops. A stored index past a shrunken list, or
// one below 1, starts over at 1.
[[nodiscard]] int nextWallpaperIndex(int wpIndex, int fileCount, bool random, RandomSource &random01);

// The head a changer-only run writes: the program's own name, version and
// folder (the folder stands where the dialog keeps the picker's), the state as
// read with the new wpIndex, and now as LastExecute.
[[nodiscard]] settings::SettingsHead changerRunHead(const AppIdentity &identity, const QString &executeNumber,
                                                    int wpChanger, int wpIndex, const QDateTime &now);

// The new twelve head lines, then the lines of every [SettingLists] section of
// the old file's bytes, copied as they stand: byte for byte, not decoded, so
// that a name in any encoding comes back as it was; every line ends with CR LF.
// A copy run starts after each line that is exactly "[SettingLists]" and ends
// after the next line outside a record (***StartList*** to ***EndList***)
// that starts with "[" (that line is copied too), so other sections before
// the lists vanish and one after them keeps only its header. Inside a record
// such a line is an entry (a file named "[2024] trip.jpg") and copied as one.
// head.executeNumber is written as the reader keeps it: its first two characters.
// Nothing when the copy would hold fewer records than the old file (lists
// under a section line that is not exactly "[SettingLists]"): the file must
// then stay as it is.
[[nodiscard]] std::optional<QByteArray> rewriteSettingsBytes(const settings::SettingsHead &head,
                                                             const QByteArray &oldFile);

} // namespace qelvo::slideshow
