#pragma once

#include "platform/filesystem.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <vector>

namespace qelvo::slideshow
{

// The play list holds at most this many entries; further images are dropped.
inline constexpr int kPlayListSlots = 32767;

// The values the show runs with, named as the rest of the program knows them:
// the state section, the running setting list's options and its play list
// with folders expanded.
struct ShowValues {
    QString ListName;
    std::int32_t ChangeInterval = 0; // milliseconds
    float ZoomMax = 0.0f;
    std::uint8_t RandomView = 0;
    std::uint8_t MouseDisable = 0;
    std::uint8_t Effect = 0;
    std::uint8_t WPChanger = 0;
    std::int16_t WPIndex = 0;
    QString ExecuteNumber;         // as read, at most two characters
    std::vector<QString> PlayList; // play order; position p is PlayList[p - 1]
};

// What the slide show takes from the settings file: its values and how the
// reading went.
struct ShowSettings : ShowValues {
    // The stored LastExecute lies less than three seconds from now: a quick restart.
    bool recentStart = false;
    // A folder entry names no folder: the show stops loading there.
    bool folderNotFound = false;
};

// Reads a settings file's text the way the slide show does: the state pass
// over whole lines, then the list pass, key pass and entries item by item.
// Values that cannot be converted leave their defaults; nothing here fails.
[[nodiscard]] ShowSettings readShowSettings(const QString &text, const FileSystem &fs, const QDateTime &now);

// True for a folder file the show plays: the up to four characters after the
// name's first dot (its first four when there is no dot), in lower case, are
// exactly jpg, peg, gif or bmp.
[[nodiscard]] bool isShowImageName(const QString &fileName);

} // namespace qelvo::slideshow
