#pragma once

#include "platform/outcome.h"
#include "settings/settinglist.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <span>

namespace qelvo::settings
{

// The twelve head lines of every settings file.
struct SettingsHead {
    QString appName;        // executable base name
    QString appVersion;     // "major.minor.revision"
    QString appLastAccPath; // folder the picker shows
    QString executeNumber;  // decimal text of the selected list, "-1" for none
    int wpChanger = 0;
    int wpIndex = 0;
    QDateTime lastExecute;
};

// Head lines 1..12, each ended by CR LF.
[[nodiscard]] QString formatHead(const SettingsHead &head);
// One "***StartList***" ... "***EndList***" record, each line ended by CR LF.
[[nodiscard]] QString formatRecord(const SettingList &list);
// The whole file as the dialog saves it.
[[nodiscard]] QString formatSettingsFile(const SettingsHead &head, std::span<const SettingList> lists);

// Replaces the settings file at path with bytes; every save of the program
// goes through here. Where the folder takes new files, the bytes go to a
// temporary file beside path, synced to disk and renamed over it, so an
// interrupted or failed save leaves the old file or the new one, whole.
// Where the folder refuses new files but the file itself may be written (a
// system folder holding a per-user file), the file is rewritten in place
// instead: its old content is first kept in path + ".bak" when that file can
// be made, then the whole of bytes is written and synced. Temporary files that
// an earlier save, killed between making and renaming one, left beside path
// are removed first.
[[nodiscard]] Outcome writeSettingsFile(const QString &path, const QByteArray &bytes);

} // namespace qelvo::settings
