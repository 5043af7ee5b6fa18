#pragma once

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

} // namespace qelvo::settings
