#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

// The picker's "drives": the file-system roots a user browses. The drive text
// is the root's path.
namespace qelvo::picker
{

// The roots from a mount table in /proc/self/mounts form: "/", the home
// folder, then mounted media under /media, /run/media/<user> and /mnt, each
// once, media sorted by path.
[[nodiscard]] QStringList driveRootsFromMounts(const QByteArray &mounts, const QString &home,
                                               const QString &user);

// The roots of the running system (those that exist now).
[[nodiscard]] QStringList mountedDriveRoots();

// An absolute path without "." and ".." parts and without a trailing '/',
// except the root "/" itself. Empty for a relative or empty path.
[[nodiscard]] QString cleanFolderPath(const QString &path);

// Whether path is root itself or lies inside it (by whole path components).
[[nodiscard]] bool isInside(const QString &path, const QString &root);

// The root that holds the path: the longest of roots that the path lies
// inside, empty when none does.
[[nodiscard]] QString driveOf(const QString &path, const QStringList &roots);

// Each drive's current folder for the life of the process: opening a drive
// goes back to the folder last shown on it.
class DriveFolders
{
public:
    void remember(const QString &root, const QString &folder);
    [[nodiscard]] bool knows(const QString &root) const { return m_folders.contains(root); }
    // The remembered folder of root or, when it has gone, its nearest existing
    // parent inside root; root itself when nothing is remembered.
    [[nodiscard]] QString folderFor(const QString &root,
                                    const std::function<bool(const QString &)> &exists) const;
    void clear() { m_folders.clear(); }

private:
    QHash<QString, QString> m_folders;
};

} // namespace qelvo::picker
