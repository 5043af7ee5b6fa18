#pragma once

#include "platform/outcome.h"
#include "settings/settinglist.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
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
// interrupted or failed save leaves the old file or the new one, whole; a
// symbolic link at path is replaced, never written through. Where the folder
// refuses new files but the file itself may be written (a system folder
// holding a per-user file), the file is rewritten in place, and only with a
// whole backup: its old content goes into an existing path + ".bak" first
// (no backup, no rewrite), and a rewrite cut short is undone from it by the
// next read or save (recoverInterruptedSave). Room is reserved before the
// first byte changes, so a full disk fails with nothing changed and says so
// (Outcome::systemError() is ENOSPC). Leftover temporary files of killed
// saves are removed first.
[[nodiscard]] Outcome writeSettingsFile(const QString &path, const QByteArray &bytes);

// Puts back the old content of a file whose in-place rewrite was killed
// part way (its .bak still carries the mark); nothing otherwise.
void recoverInterruptedSave(const QString &path);
// The settings file's bytes, after recoverInterruptedSave; nothing when it
// cannot be read. Every reader of the file reads through here.
[[nodiscard]] std::optional<QByteArray> readSettingsFile(const QString &path);

} // namespace qelvo::settings
