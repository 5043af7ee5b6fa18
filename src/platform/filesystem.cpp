#include "platform/filesystem.h"

#include "platform/appidentity.h"

#include <QFile>

#include <dirent.h>
#include <sys/stat.h>

namespace qelvo
{

namespace
{
bool statFollowing(const QString &path, struct stat &st)
{
    if (path.isEmpty())
        return false;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
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
    const QByteArray encoded = QFile::encodeName(folder);
    DIR *dir = ::opendir(encoded.constData());
    if (!dir)
        return files;
    while (const dirent *entry = ::readdir(dir)) {
        const char *raw = entry->d_name;
        if (entry->d_type == DT_DIR)
            continue;
        const QString name = QFile::decodeName(raw);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        QString path = joinPath(folder, name);
        // d_type is enough for plain files; links and unknown types need a stat.
        if (entry->d_type != DT_REG && !isNormalFile(path))
            continue;
        files.push_back({name, std::move(path)});
    }
    ::closedir(dir);
    return files;
}

QStringList RealFileSystem::listFolders(const QString &folder) const
{
    QStringList names;
    const QByteArray encoded = QFile::encodeName(folder);
    DIR *dir = ::opendir(encoded.constData());
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        // d_type is enough for plain folders; links and unknown types need a stat.
        if (entry->d_type == DT_DIR || ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) &&
                                        folderExists(joinPath(folder, name))))
            names << name;
    }
    ::closedir(dir);
    return names;
}

const FileSystem &realFileSystem()
{
    static const RealFileSystem fs;
    return fs;
}

} // namespace qelvo
