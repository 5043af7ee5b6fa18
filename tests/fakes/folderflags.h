#pragma once

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

// Folders that refuse new files, for the tests of saves in place.
namespace qelvo::fakes
{

inline bool setFolderFlag(const QString &folder, int flag, bool on)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | flag) : (flags & ~flag);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// Makes a folder refuse new files while the files in it stay writable:
// read-only for a user, immutable for root (whom permissions do not stop).
inline bool refuseNewFiles(const QString &folder, bool on)
{
    if (::geteuid() == 0)
        return setFolderFlag(folder, FS_IMMUTABLE_FL, on);
    return QFile::setPermissions(folder,
                                 QFile::ReadOwner | QFile::ExeOwner |
                                     (on ? QFile::Permissions() : QFile::Permissions(QFile::WriteOwner)));
}

} // namespace qelvo::fakes
