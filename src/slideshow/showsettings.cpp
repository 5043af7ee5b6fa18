#include "slideshow/showsettings.h"

#include "settings/keys.h"
#include "settings/lastexecute.h"
#include "settings/numbers.h"
#include "settings/scanner.h"
#include "settings/settinglist.h"

#include <cmath>
#include <limits>

namespace qelvo::slideshow {

namespace keys = settings::keys;
using settings::hasKeyPrefix;
using settings::valueAt;
constexpr int kLong = settings::kValueMaxLength;

namespace {

// State pass: whole lines, until all four keys were seen or the file ends.
void readState(const QStringList &lines, ShowSettings &out)
{
    bool seenExecute = false, seenChanger = false, seenIndex = false, seenLast = false;
    for (const QString &line : lines) {
        if (hasKeyPrefix(line, keys::kExecuteNumber)) {
            out.ExecuteNumber = valueAt(line, 15, 2);
            seenExecute = true;
        } else if (hasKeyPrefix(line, keys::kWPChanger)) {
            if (const auto v = settings::toByte(valueAt(line, 11, 1)))
                out.WPChanger = *v;
            seenChanger = true;
        } else if (hasKeyPrefix(line, keys::kWPIndex)) {
            if (const auto v = settings::toInt16(valueAt(line, 9, kLong)))
                out.WPIndex = *v;
            seenIndex = true;
        } else if (hasKeyPrefix(line, keys::kLastExecute)) {
            out.LastExecute = settings::parseLastExecute(valueAt(line, 13, kLong));
            seenLast = true;
        }
        if (seenExecute && seenChanger && seenIndex && seenLast)
            break;
    }
}

// The record number ExecuteNumber asks for; an unconvertible text takes the first record.
double wantedRecord(const QString &executeNumber)
{
    return settings::parseNumber(executeNumber).value_or(0.0);
}

void addToPlayList(ShowSettings &out, const QString &path)
{
    if (out.PlayList.size() < kPlayListCapacity)
        out.PlayList.append(path);
}

// Entries up to the end of the record; false when a folder is missing.
bool readEntries(settings::ItemScanner &items, const FileSystem &fs, ShowSettings &out)
{
    while (!items.atEnd()) {
        const QString display = items.next();
        if (display.startsWith(QLatin1Char('[')) || display == QLatin1String(keys::kEndList))
            return true;
        if (items.atEnd() && display.isEmpty())
            return true;
        const QString path = items.next();
        const bool folder = display.startsWith(QLatin1Char('(')) && display.endsWith(QLatin1Char(')'));
        if (!folder) {
            addToPlayList(out, path);
            continue;
        }
        if (!fs.folderExists(path))
            return false;
        for (const FolderFile &file : fs.listFiles(path)) {
            if (out.PlayList.size() >= kPlayListCapacity)
                break;
            if (isFolderImageName(file.name))
                out.PlayList.append(file.path);
        }
    }
    return true;
}

void readOption(const QString &item, ShowSettings &out)
{
    if (hasKeyPrefix(item, keys::kChgTime)) {
        if (const auto seconds = settings::parseNumber(valueAt(item, 9, kLong))) {
            const double ms = *seconds * 1000.0;
            if (std::abs(ms) < static_cast<double>(std::numeric_limits<std::int32_t>::max()))
                out.ChangeInterval = static_cast<std::int32_t>(settings::roundHalfEven(ms));
        }
    } else if (hasKeyPrefix(item, keys::kZoomMax)) {
        if (const auto v = settings::toFloat32(valueAt(item, 9, kLong)))
            out.ZoomMax = *v;
    } else if (hasKeyPrefix(item, keys::kRandomView)) {
        if (const auto v = settings::toByte(valueAt(item, 12, 1)))
            out.RandomView = *v;
    } else if (hasKeyPrefix(item, keys::kMouseDisable)) {
        if (const auto v = settings::toByte(valueAt(item, 14, 1)))
            out.MouseDisable = *v;
    } else if (hasKeyPrefix(item, keys::kEffect)) {
        if (const auto v = settings::toByte(valueAt(item, 8, 1)))
            out.Effect = *v;
    }
}

} // namespace

bool isFolderImageName(const QString &fileName)
{
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    const QString ext = fileName.mid(dot + 1, 4).toLower();
    return ext == QLatin1String("jpg") || ext == QLatin1String("peg") || ext == QLatin1String("gif") ||
           ext == QLatin1String("bmp");
}

ShowSettings readShowSettings(const QString &text, const FileSystem &fs)
{
    ShowSettings out;
    readState(settings::splitLines(text), out);

    // List pass: records are counted from 0 in file order.
    const double wanted = wantedRecord(out.ExecuteNumber);
    settings::ItemScanner items(text);
    int record = -1;
    bool found = false;
    while (!items.atEnd()) {
        const QString item = items.next();
        if (!hasKeyPrefix(item, keys::kListName))
            continue;
        ++record;
        if (wanted == record) {
            out.ListName = valueAt(item, 10, kLong);
            found = true;
            break;
        }
    }
    if (!found)
        return out;

    // Key pass, then the entries.
    while (!items.atEnd()) {
        const QString item = items.next();
        if (hasKeyPrefix(item, keys::kPathes)) {
            out.folderNotFound = !readEntries(items, fs, out);
            break;
        }
        readOption(item, out);
    }
    return out;
}

bool isRecentStart(const std::optional<QDateTime> &lastExecute, const QDateTime &now)
{
    if (!lastExecute || !lastExecute->isValid() || !now.isValid())
        return false;
    return std::abs(lastExecute->msecsTo(now)) < 3000;
}

} // namespace qelvo::slideshow
