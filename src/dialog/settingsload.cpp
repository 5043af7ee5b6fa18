#include "dialog/settingsload.h"

#include "settings/keys.h"
#include "settings/numbers.h"
#include "settings/scanner.h"
#include "settings/wallpapermode.h"

namespace qelvo::dialog
{

namespace k = settings::keys;
using settings::hasKeyPrefix;
using settings::valueAfterKey;

namespace
{

constexpr int kOneCharacter = 1;

void fail(LoadedSettings &out, const QString &why)
{
    out.ok = false;
    out.selection = -1;
    out.error = why;
}

void passPickerFolder(const QString &text, const PickerPlace &picker)
{
    settings::TextScanner items(text);
    while (!items.atEnd()) {
        const QString item = items.nextItem();
        if (!hasKeyPrefix(item, k::kAppLastAccPath))
            continue;
        const QString folder = valueAfterKey(item, k::kAppLastAccPath, settings::kValueMaxLength);
        // Failures are deliberately ignored: see PickerPlace. An empty value
        // names no place, so the picker keeps its default.
        if (folder.isEmpty())
            return;
        if (picker.setFolder)
            (void)picker.setFolder(folder);
        if (picker.setDrive && picker.driveOf)
            (void)picker.setDrive(picker.driveOf(folder));
        return;
    }
}

// Returns false at the first error; execText receives the stored selection text.
bool passState(const QString &text, LoadedSettings &out, std::optional<QString> &execText)
{
    bool seenExec = false, seenMode = false, seenIndex = false;
    settings::TextScanner items(text);
    while (!items.atEnd() && !(seenExec && seenMode && seenIndex)) {
        const QString item = items.nextItem();
        if (hasKeyPrefix(item, k::kExecuteNumber)) {
            execText = valueAfterKey(item, k::kExecuteNumber, kOneCharacter);
            seenExec = true;
        } else if (hasKeyPrefix(item, k::kWPChanger)) {
            const auto mode = settings::toByte(valueAfterKey(item, k::kWPChanger, kOneCharacter));
            if (!mode || *mode >= settings::kWallpaperModes) {
                fail(out, QStringLiteral("bad wallpaper mode: %1").arg(item));
                return false;
            }
            out.WPChanger = *mode;
            seenMode = true;
        } else if (hasKeyPrefix(item, k::kWPIndex)) {
            const auto index = settings::toInt16(valueAfterKey(item, k::kWPIndex, settings::kValueMaxLength));
            if (!index) {
                fail(out, QStringLiteral("bad wallpaper index: %1").arg(item));
                return false;
            }
            out.WPIndex = *index;
            seenIndex = true;
        }
    }
    return true;
}

template <typename T, typename Convert>
bool readOption(LoadedSettings &out, const QString &line, const char *key, int length, Convert convert,
                T settings::SettingList::*field)
{
    if (out.LastListIndex < 0) {
        fail(out, QStringLiteral("%1 before the first list").arg(line));
        return false;
    }
    const auto value = convert(valueAfterKey(line, key, length));
    if (!value) {
        fail(out, QStringLiteral("bad value: %1").arg(line));
        return false;
    }
    out.listSlots[out.LastListIndex].*field = *value;
    return true;
}

bool readEntries(settings::TextScanner &scanner, LoadedSettings &out)
{
    if (out.LastListIndex < 0) {
        fail(out, QStringLiteral("file list before the first list"));
        return false;
    }
    QVector<settings::FileEntry> &list = out.listSlots[out.LastListIndex].FileList;
    list.clear();
    while (!scanner.atEnd()) {
        const QString item = scanner.nextItem();
        if (item == QLatin1String(k::kEndList))
            return true;
        if (list.size() >= settings::kMaxStoredEntries) {
            fail(out, QStringLiteral("more than %1 entries").arg(settings::kMaxStoredEntries));
            return false;
        }
        settings::FileEntry entry;
        entry.DispName = item;
        entry.FullPath = scanner.nextItem();
        list.push_back(std::move(entry));
    }
    return true;
}

bool passLists(const QString &text, LoadedSettings &out)
{
    const auto toFloat = [](const QString &s) { return settings::toFloat32(s); };
    const auto toByte = [](const QString &s) { return settings::toByte(s); };
    using L = settings::SettingList;
    settings::TextScanner scanner(text);
    while (!scanner.atEnd()) {
        const QString line = scanner.nextLine();
        bool good = true;
        if (hasKeyPrefix(line, k::kListName)) {
            if (out.LastListIndex + 1 >= settings::kSlotCount) {
                fail(out, QStringLiteral("more than %1 lists").arg(settings::kSlotCount));
                return false;
            }
            ++out.LastListIndex;
            const QString name = valueAfterKey(line, k::kListName, settings::kValueMaxLength);
            out.listSlots[out.LastListIndex].ListName = name;
            out.comboItems.append(name);
        } else if (hasKeyPrefix(line, k::kChgTime)) {
            good = readOption(out, line, k::kChgTime, settings::kValueMaxLength, toFloat, &L::ChgTime);
        } else if (hasKeyPrefix(line, k::kZoomMax)) {
            good = readOption(out, line, k::kZoomMax, settings::kValueMaxLength, toFloat, &L::ZoomMax);
        } else if (hasKeyPrefix(line, k::kRandomView)) {
            good = readOption(out, line, k::kRandomView, kOneCharacter, toByte, &L::RandomView);
        } else if (hasKeyPrefix(line, k::kMouseDisable)) {
            good = readOption(out, line, k::kMouseDisable, kOneCharacter, toByte, &L::MouseDisable);
        } else if (hasKeyPrefix(line, k::kEffect)) {
            good = readOption(out, line, k::kEffect, kOneCharacter, toByte, &L::Effect);
        } else if (hasKeyPrefix(line, k::kPathes)) {
            good = readEntries(scanner, out);
        }
        if (!good)
            return false;
    }
    return true;
}

} // namespace

LoadedSettings loadDialogSettings(const std::optional<QString> &text, const PickerPlace &picker)
{
    LoadedSettings out;
    if (!text) {
        fail(out, QStringLiteral("settings file cannot be read"));
        return out;
    }
    passPickerFolder(*text, picker);
    std::optional<QString> execText;
    if (!passState(*text, out, execText))
        return out;
    if (!passLists(*text, out))
        return out;

    // A file without "ExecuteNumber=" selects list 0; one without a value is an error.
    const auto selected = execText ? settings::toInt16(*execText) : std::optional<std::int16_t>(0);
    if (!selected || *selected < 0 || *selected >= out.comboItems.size()) {
        fail(out, QStringLiteral("stored list number %1 does not exist").arg(execText.value_or("0")));
        return out;
    }
    out.selection = *selected;
    out.ok = true;
    return out;
}

} // namespace qelvo::dialog
