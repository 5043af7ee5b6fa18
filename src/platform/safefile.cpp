#include "platform/safefile.h"

#include "platform/pathbytes.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qelvo
{

namespace
{
// path + ".qelvosave-" + eight lower-case hex digits: no person names a copy so.
constexpr char kTemporaryTag[] = ".qelvosave-";
constexpr int kTemporaryDigits = 8;
constexpr int kNameAttempts = 64;

QString temporaryName(const QString &fileName)
{
    const quint32 n = QRandomGenerator::system()->generate();
    return fileName + QLatin1String(kTemporaryTag) +
           QStringLiteral("%1").arg(n, kTemporaryDigits, 16, QLatin1Char('0'));
}

// Takes the lock of a file a save holds while it writes; false when a
// running save holds it, or when the file was removed meanwhile.
bool lockIfUnheld(int fd)
{
    struct stat st {
    };
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0;
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(encodePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

Outcome systemFailure(int error)
{
    return Outcome::systemFailure(QString::fromLocal8Bit(std::strerror(error)), error);
}

int openForWritingNoFollow(const QString &path, int flags, int mode)
{
    return ::open(encodePath(path).constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | flags, mode);
}

bool writeAllAtStart(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, data + done, static_cast<size_t>(bytes.size() - done), done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += n;
    }
    return true;
}

std::optional<QByteArray> readWholeNoFollow(const QString &path)
{
    const int fd = ::open(encodePath(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return std::nullopt;
    QByteArray out;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        out.append(buffer, n);
    }
    ::close(fd);
    return out;
}

Outcome writeNewFile(const QString &path, const QByteArray &bytes)
{
    const int fd = openForWritingNoFollow(path, O_CREAT | O_EXCL, 0666);
    if (fd < 0)
        return systemFailure(errno);
    if (!writeAllAtStart(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::unlink(encodePath(path).constData());
        ::close(fd);
        return systemFailure(error);
    }
    ::close(fd);
    return Outcome::success();
}

bool isTemporaryNameFor(const QString &path, const QString &fileName)
{
    const QString prefix = QFileInfo(path).fileName() + QLatin1String(kTemporaryTag);
    if (fileName.size() != prefix.size() + kTemporaryDigits || !fileName.startsWith(prefix))
        return false;
    for (const QChar c : QStringView(fileName).mid(prefix.size()))
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
              (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
            return false;
    return true;
}

void removeLeftoverTemporaries(const QString &path)
{
    const QFileInfo info(path);
    const QDir folder = info.absoluteDir();
    const QString prefix = info.fileName() + QLatin1String(kTemporaryTag);
    const QStringList names =
        folder.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (!isTemporaryNameFor(path, name))
            continue;
        const QByteArray file = encodePath(folder.filePath(name));
        const int fd = ::open(file.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat opened {
        }, named{};
        // Only the user's own regular file, still under that name, and held by no save.
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
            lockIfUnheld(fd) && ::lstat(file.constData(), &named) == 0 && named.st_ino == opened.st_ino &&
            named.st_dev == opened.st_dev)
            ::unlink(file.constData());
        ::close(fd);
    }
}

ReplaceResult replaceFile(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    QString temporary;
    int fd = -1;
    for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
        temporary = folder + QLatin1Char('/') + temporaryName(info.fileName());
        fd = openForWritingNoFollow(temporary, O_CREAT | O_EXCL, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            const int error = errno;
            return {systemFailure(error), error == EACCES || error == EPERM || error == EROFS};
        }
        if (!lockIfUnheld(fd)) { // a clean-up took it between the open and the lock
            ::close(fd);
            fd = -1;
        }
    }
    if (fd < 0)
        return {systemFailure(EEXIST), false};
    const QByteArray temporaryBytes = encodePath(temporary);
    // The replaced file's permissions carry over; a link's do not matter.
    struct stat old {
    };
    if (::lstat(encodePath(path).constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    if (!writeAllAtStart(fd, bytes) || ::fsync(fd) != 0 ||
        ::rename(temporaryBytes.constData(), encodePath(path).constData()) != 0) {
        const int error = errno;
        ::unlink(temporaryBytes.constData());
        ::close(fd);
        return {systemFailure(error), false};
    }
    syncFolder(folder);
    ::close(fd);
    return {};
}

} // namespace qelvo
