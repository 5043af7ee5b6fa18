#include "slideshow/showsettings.h"

#include "settings/keys.h"
#include "settings/lastexecute.h"
#include "settings/numbers.h"
#include "settings/scanner.h"
#include "settings/settinglist.h"

#include <cmath>
#include <limits>

namespace qelvo::slideshow
{

namespace
{

using settings::hasKeyPrefix;
using settings::valueAfterKey;
namespace keys = settings::keys;

constexpr int kLongValue = settings::kValueMaxLength;
// Whole date-times closer than this count as a quick restart of the saver.
constexpr qint64 kRecentStartMs = 3000;

void readStatePass(const QString &text, const QDateTime &now, ShowSettings &show)
{
    bool seenExecute = false, seenChanger = false, seenIndex = false, seenLast = false;
    for (const QString &line : settings::splitLines(text)) {
        if (hasKeyPrefix(line, keys::kExecuteNumber)) {
            show.ExecuteNumber = valueAfterKey(line, keys::kExecuteNumber, 2);
            seenExecute = true;
        } else if (hasKeyPrefix(line, keys::kWPChanger)) {
            if (const auto v = settings::toByte(valueAfterKey(line, keys::kWPChanger, 1)))
                show.WPChanger = *v;
            seenChanger = true;
        } else if (hasKeyPrefix(line, keys::kWPIndex)) {
            if (const auto v = settings::toInt16(valueAfterKey(line, keys::kWPIndex, kLongValue)))
                show.WPIndex = *v;
            seenIndex = true;
        } else if (hasKeyPrefix(line, keys::kLastExecute)) {
            // The whole stored date and time is compared with now; comparing
            // the seconds alone took about one start in twelve for a restart.
            if (const auto when =
                    settings::parseLastExecute(valueAfterKey(line, keys::kLastExecute, kLongValue)))
                show.recentStart = std::llabs(when->msecsTo(now)) < kRecentStartMs;
            seenLast = true;
        }
        if (seenExecute && seenChanger && seenIndex && seenLast)
            break;
    }
}

// Inside a record only its end marker ends it: an entry may well begin with
// "[" ("[2024] trip.jpg"). A start marker means the end marker is missing, and
// the next record's lines are not entries of this one.
bool isRecordEnd(const QString &item)
{
    return item == QLatin1String(keys::kEndList) || item == QLatin1String(keys::kStartList);
}

bool isFolderEntry(const QString &dispName)
{
    return dispName.startsWith(QLatin1Char('(')) && dispName.endsWith(QLatin1Char(')'));
}

void addToPlayList(ShowSettings &show, const QString &path)
{
    if (static_cast<int>(show.PlayList.size()) < kPlayListSlots)
        show.PlayList.push_back(path);
}

// Entries up to the end of the record; false when a folder is missing.
bool readEntries(settings::TextScanner &items, const FileSystem &fs, ShowSettings &show)
{
    while (!items.atEnd()) {
        const QString dispName = items.nextItem();
        if (isRecordEnd(dispName))
            return true;
        const QString path = items.nextItem();
        if (!isFolderEntry(dispName)) {
            addToPlayList(show, path);
            continue;
        }
        if (!fs.folderExists(path))
            return false;
        for (const FolderFile &file : fs.listFiles(path)) {
            if (static_cast<int>(show.PlayList.size()) >= kPlayListSlots)
                break;
            if (isShowImageName(file.name))
                addToPlayList(show, file.path);
        }
    }
    return true;
}

void readKey(const QString &item, ShowSettings &show)
{
    if (hasKeyPrefix(item, keys::kChgTime)) {
        if (const auto seconds = settings::parseNumber(valueAfterKey(item, keys::kChgTime, kLongValue))) {
            const double ms = *seconds * 1000.0;
            if (std::fabs(ms) <= std::numeric_limits<std::int32_t>::max())
                show.ChangeInterval = static_cast<std::int32_t>(settings::roundHalfEven(ms));
        }
    } else if (hasKeyPrefix(item, keys::kZoomMax)) {
        if (const auto v = settings::toFloat32(valueAfterKey(item, keys::kZoomMax, kLongValue)))
            show.ZoomMax = *v;
    } else if (hasKeyPrefix(item, keys::kRandomView)) {
        if (const auto v = settings::toByte(valueAfterKey(item, keys::kRandomView, 1)))
            show.RandomView = *v;
    } else if (hasKeyPrefix(item, keys::kMouseDisable)) {
        if (const auto v = settings::toByte(valueAfterKey(item, keys::kMouseDisable, 1)))
            show.MouseDisable = *v;
    } else if (hasKeyPrefix(item, keys::kEffect)) {
        if (const auto v = settings::toByte(valueAfterKey(item, keys::kEffect, 1)))
            show.Effect = *v;
    }
}

} // namespace

bool isShowImageName(const QString &fileName)
{
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    const QString extension = fileName.mid(dot < 0 ? 0 : dot + 1, 4).toLower();
    return extension == QLatin1String("jpg") || extension == QLatin1String("peg") ||
           extension == QLatin1String("gif") || extension == QLatin1String("bmp");
}

ShowSettings readShowSettings(const QString &text, const FileSystem &fs, const QDateTime &now)
{
    ShowSettings show;
    readStatePass(text, now, show);

    // Records count from 0 in file order; a number that cannot be read picks the first.
    const auto wanted = settings::parseNumber(show.ExecuteNumber);
    settings::TextScanner items(text);
    int listCounter = -1;
    bool found = false;
    while (!items.atEnd() && !found) {
        const QString item = items.nextItem();
        if (!hasKeyPrefix(item, keys::kListName))
            continue;
        ++listCounter;
        if (!wanted || *wanted == listCounter) {
            show.ListName = valueAfterKey(item, keys::kListName, kLongValue);
            found = true;
        }
    }
    if (!found)
        return show;

    while (!items.atEnd()) {
        const QString item = items.nextItem();
        if (hasKeyPrefix(item, keys::kPathes)) {
            show.folderNotFound = !readEntries(items, fs, show);
            break;
        }
        readKey(item, show);
    }
    return show;
}

} // namespace qelvo::slideshow
