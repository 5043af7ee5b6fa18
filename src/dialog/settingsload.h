#pragma once

#include "settings/settinglist.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace qelvo::dialog
{

// What the dialog's three-pass load read before it finished or stopped at its
// first error. Everything read before an error stays, as the dialog shows it.
struct LoadedSettings {
    settings::SettingSlots listSlots{};
    int LastListIndex = -1;
    QStringList comboItems;       // list names in file order, as appended to the combo box
    std::optional<int> WPChanger; // the mode button pass 2 selected
    std::optional<int> WPIndex;
    int selection = -1; // the combo item to select; -1 when the load failed before it
    bool ok = false;
    QString error; // first error, for diagnostics; empty when ok
};

// Where pass 1 points the file picker. A folder or drive that cannot be set is
// not an error: the picker keeps its default place and the load goes on, so a
// vanished folder never costs the user the setting lists that follow it.
struct PickerPlace {
    std::function<bool(const QString &folder)> setFolder;
    std::function<bool(const QString &drive)> setDrive;
    std::function<QString(const QString &folder)> driveOf; // the browsing root that holds a folder
};

// Runs the three passes over the decoded settings text. text is nothing when
// the file could not be read (first run), which is the first error.
[[nodiscard]] LoadedSettings loadDialogSettings(const std::optional<QString> &text,
                                                const PickerPlace &picker);

} // namespace qelvo::dialog
