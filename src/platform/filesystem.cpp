#include "platform/filesystem.h"

#include "platform/appidentity.h"
#include "platform/pathbytes.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace qelvo
{

namespace
{
bool statFollowing(const QString &path, struct stat &st)
{
    if (path.isEmpty())
        return false;
    return ::stat(encodePath(path).constData(), &st) == 0;
}
// Calls visit with the name and d_type of every entry of folder but "." and "..";
// nothing when the folder cannot be read.
template <typename Visit> void forEachEntry(const QString &folder, Visit visit)
{
    DIR *dir = ::opendir(encodePath(folder).constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = decodePath(QByteArray(entry->d_name));
        if (name != QLatin1String(".") && name != QLatin1String(".."))
            visit(name, entry->d_type);
    }
    ::closedir(dir);
}
} // namespace

bool RealFileSystem::isNormalFile(const QString &path) const
{
    struct stat st {
    };
    return statFollowing(path, st) && S_ISREG(st.st_mode);
}

bool RealFileSystem::folderExists(const QString &path) const
{
    struct stat st {
    };
    return statFollowing(path, st) && S_ISDIR(st.st_mode);
}

std::vector<FolderFile> RealFileSystem::listFiles(const QString &folder) const
{
    std::vector<FolderFile> files;
    forEachEntry(folder, [&](const QString &name, unsigned char type) {
        if (type == DT_DIR)
            return;
        QString path = joinPath(folder, name);
        // d_type is enough for plain files; links and unknown types need a stat.
        if (type != DT_REG && !isNormalFile(path))
            return;
        files.push_back({name, std::move(path)});
    });
    return files;
}

QStringList RealFileSystem::listFolders(const QString &folder) const
{
    QStringList names;
    forEachEntry(folder, [&](const QString &name, unsigned char type) {
        // d_type is enough for plain folders; links and unknown types need a stat.
        if (type == DT_DIR ||
            ((type == DT_LNK || type == DT_UNKNOWN) && folderExists(joinPath(folder, name))))
            names << name;
    });
    return names;
}

WriteProblem diagnoseWriteFailure(const QString &path, qint64 bytes)
{
    const QByteArray file = encodePath(path);
    struct stat st {
    };
    const bool exists = ::stat(file.constData(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return WriteProblem::FolderInPlace;
    const QByteArray folder = encodePath(QFileInfo(path).absolutePath());
    struct stat folderStat {
    };
    if (::stat(folder.constData(), &folderStat) != 0 || !S_ISDIR(folderStat.st_mode))
        return WriteProblem::Missing;
    struct statvfs vfs {
    };
    const bool known = ::statvfs(folder.constData(), &vfs) == 0;
    if (known && (vfs.f_flag & ST_RDONLY))
        return WriteProblem::ReadOnly;
    // The save writes a new file beside the old one, then renames it over it.
    if (::access(folder.constData(), W_OK | X_OK) != 0 || (exists && ::access(file.constData(), W_OK) != 0))
        return WriteProblem::NoPermission;
    const unsigned long long room = static_cast<unsigned long long>(vfs.f_bavail) * vfs.f_frsize;
    if (known && room < static_cast<unsigned long long>(std::max<qint64>(bytes, 1)))
        return WriteProblem::DiskFull;
    return WriteProblem::Other;
}

const FileSystem &realFileSystem()
{
    static const RealFileSystem fs;
    return fs;
}

} // namespace qelvo
