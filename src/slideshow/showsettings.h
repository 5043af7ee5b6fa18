#pragma once

#include "platform/filesystem.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// What the slide show takes from the settings file: the state section, the
// options of the list to run, and that list's play list with folders expanded.
namespace qelvo::slideshow {

// The play list holds at most this many images; further ones are dropped.
inline constexpr int kPlayListCapacity = 32767;

struct ShowSettings {
    // State section.
    QString ExecuteNumber; // as read, at most two characters
    std::uint8_t WPChanger = 0;
    std::int16_t WPIndex = 0;
    std::optional<QDateTime> LastExecute;

    // The running list; untouched values stay 0 / empty.
    QString ListName;
    std::int32_t ChangeInterval = 0; // ChgTime x 1000, milliseconds
    float ZoomMax = 0.0f;
    std::uint8_t RandomView = 0;
    std::uint8_t MouseDisable = 0;
    std::uint8_t Effect = 0;

    // Play-list position i (1-based) is PlayList[i - 1].
    QStringList PlayList;

    // A folder entry named a folder that is not there: reading stopped at it,
    // and the show must not start.
    bool folderNotFound = false;
};

// Reads a settings file's decoded text. Never fails: what cannot be read or
// converted keeps its start value. Folder entries are listed through fs.
[[nodiscard]] ShowSettings readShowSettings(const QString &text, const FileSystem &fs);

// True for the image files a folder entry adds: the up to four characters after
// the name's first dot (the name's start when it has no dot), in lower case,
// are exactly "jpg", "peg", "gif" or "bmp".
[[nodiscard]] bool isFolderImageName(const QString &fileName);

// A start within 3 seconds of the stored last execution (either way) is a quick
// restart; an unreadable or missing time never is.
[[nodiscard]] bool isRecentStart(const std::optional<QDateTime> &lastExecute, const QDateTime &now);

} // namespace qelvo::slideshow
