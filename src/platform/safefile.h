#pragma once

#include "platform/outcome.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Files this program writes (the settings file, its backup, the wallpaper
// bitmap). Every one is opened without following a symbolic link: in a folder
// another user can write to, a planted link must not turn a save into a write
// over a file the link names. A link where a file is replaced is replaced
// itself.
namespace qelvo
{

struct ReplaceResult {
    Outcome outcome = Outcome::success();
    // No temporary file could be made beside path (the folder takes no new
    // files); nothing was changed.
    bool folderRefused = false;
};

// Replaces path with bytes: written to a temporary file beside it, synced and
// renamed over it, so a reader (or a save killed part way) finds the old file
// or the new one, whole. The temporary file is locked while it is written,
// which is how a later clean-up tells a running save's file from a leftover.
[[nodiscard]] ReplaceResult replaceFile(const QString &path, const QByteArray &bytes);

// Removes what saves of path killed between making and renaming their
// temporary file left beside it: regular files of the user's, named as
// replaceFile names them, that no running save holds. Nothing else is touched
// (a person's "Qelvo.ini.Backup" or "Qelvo.ini.Monday" stays).
void removeLeftoverTemporaries(const QString &path);
// Whether a file name is one replaceFile gives its temporaries for path.
[[nodiscard]] bool isTemporaryNameFor(const QString &path, const QString &fileName);

// Makes a new file at path holding bytes; fails where anything (a link
// included) has the name already.
[[nodiscard]] Outcome writeNewFile(const QString &path, const QByteArray &bytes);

// Opens a file for writing without following a link (O_NOFOLLOW); -1 with
// errno set on failure. flags are added to O_WRONLY | O_CLOEXEC | O_NOFOLLOW.
[[nodiscard]] int openForWritingNoFollow(const QString &path, int flags, int mode = 0600);
// Writes all of bytes at offset 0 of fd; false with errno set on failure.
[[nodiscard]] bool writeAllAtStart(int fd, const QByteArray &bytes);
// A file's whole content, read without following a link; nothing on failure.
[[nodiscard]] std::optional<QByteArray> readWholeNoFollow(const QString &path);
// A system call's failure as an Outcome with the system's words for it.
[[nodiscard]] Outcome systemFailure(int error);

} // namespace qelvo
