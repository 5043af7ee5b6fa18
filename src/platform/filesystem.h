#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace qelvo
{

struct FolderFile {
    QString name; // file name with extension
    QString path; // full path
};

// The file-system services the program needs, behind an interface so that
// tests can hand in a fake tree.
class FileSystem
{
public:
    virtual ~FileSystem() = default;
    // A regular file after following symbolic links; folders and special files count as missing.
    [[nodiscard]] virtual bool isNormalFile(const QString &path) const = 0;
    [[nodiscard]] virtual bool folderExists(const QString &path) const = 0;
    // The regular files directly inside a folder, in the order the file system returns them.
    [[nodiscard]] virtual std::vector<FolderFile> listFiles(const QString &folder) const = 0;
    // The names of the folders directly inside a folder (following symbolic
    // links), in the order the file system returns them.
    [[nodiscard]] virtual QStringList listFolders(const QString &folder) const = 0;
};

class RealFileSystem final : public FileSystem
{
public:
    [[nodiscard]] bool isNormalFile(const QString &path) const override;
    [[nodiscard]] bool folderExists(const QString &path) const override;
    [[nodiscard]] std::vector<FolderFile> listFiles(const QString &folder) const override;
    [[nodiscard]] QStringList listFolders(const QString &folder) const override;
};

// The shared real file system.
const FileSystem &realFileSystem();

// Why writing bytes bytes to the file at path failed, judged from the place
// as it is after the failure. Other: none of the common causes.
enum class WriteProblem { Other, NoPermission, DiskFull, ReadOnly, FolderInPlace, Missing };
[[nodiscard]] WriteProblem diagnoseWriteFailure(const QString &path, qint64 bytes);

} // namespace qelvo
