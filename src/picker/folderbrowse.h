#pragma once

#include <QString>
#include <QStringList>

namespace qelvo
{
class FileSystem;
}

// What the picker's folder list and file list show, read through the
// injected file system. Names beginning with "." are hidden, as file managers
// hide them; both lists are in name order (naturalLess).
namespace qelvo::picker
{

// The folders directly inside folder.
[[nodiscard]] QStringList subfolderNames(const FileSystem &fs, const QString &folder);

// The files directly inside folder whose names match the ';'-separated
// patterns; nothing for an empty pattern.
[[nodiscard]] QStringList matchingFileNames(const FileSystem &fs, const QString &folder,
                                            const QString &patterns);

// folder when it exists, else the nearest parent that does; "/" at the
// latest, empty for a relative or empty path.
[[nodiscard]] QString nearestExistingFolder(const FileSystem &fs, const QString &folder);

// Where a picker with no remembered place starts: the current folder, else
// the home folder, else "/".
[[nodiscard]] QString startFolder(const FileSystem &fs, const QString &current, const QString &home);

// The folders from just below top down to folder, each as a full path: what
// the folder list opens to show folder. Empty when folder is top or does not
// lie inside it.
[[nodiscard]] QStringList foldersBelow(const QString &top, const QString &folder);

} // namespace qelvo::picker
