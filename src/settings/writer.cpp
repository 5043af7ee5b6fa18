#include "settings/writer.h"

#include "settings/keys.h"
#include "settings/lastexecute.h"
#include "settings/numbers.h"

#include "platform/pathbytes.h"
#include "platform/safefile.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qelvo::settings
{

namespace
{
void appendLine(QString &out, const QString &line)
{
    out += line;
    out += QLatin1String(keys::kLineEnd);
}
QString key(const char *k)
{
    return QString::fromLatin1(k);
}
} // namespace

QString formatHead(const SettingsHead &head)
{
    QString out;
    appendLine(out, key(keys::kAppStateSection));
    appendLine(out, key(keys::kAppName) + head.appName);
    appendLine(out, key(keys::kAppVersion) + head.appVersion);
    appendLine(out, key(keys::kAppLastAccPath) + head.appLastAccPath);
    appendLine(out, QString());
    appendLine(out, key(keys::kExecuteStateSection));
    appendLine(out, key(keys::kExecuteNumber) + head.executeNumber);
    appendLine(out, key(keys::kWPChanger) + QString::number(head.wpChanger));
    appendLine(out, key(keys::kWPIndex) + QString::number(head.wpIndex));
    appendLine(out, key(keys::kLastExecute) + formatLastExecute(head.lastExecute));
    appendLine(out, QString());
    appendLine(out, key(keys::kSettingListsSection));
    return out;
}

QString formatRecord(const SettingList &list)
{
    QString out;
    appendLine(out, key(keys::kStartList));
    appendLine(out, key(keys::kListName) + list.ListName);
    appendLine(out, key(keys::kChgTime) + formatFloat(list.ChgTime));
    appendLine(out, key(keys::kZoomMax) + formatFloat(list.ZoomMax));
    appendLine(out, key(keys::kRandomView) + QString::number(list.RandomView));
    appendLine(out, key(keys::kMouseDisable) + QString::number(list.MouseDisable));
    appendLine(out, key(keys::kEffect) + QString::number(list.Effect));
    appendLine(out, key(keys::kPathes));
    for (const FileEntry &entry : list.FileList)
        appendLine(out, entry.DispName + QLatin1Char(',') + entry.FullPath);
    appendLine(out, key(keys::kEndList));
    return out;
}

QString formatSettingsFile(const SettingsHead &head, std::span<const SettingList> lists)
{
    QString out = formatHead(head);
    for (const SettingList &list : lists)
        out += formatRecord(list);
    return out;
}

namespace
{
constexpr char kBackupSuffix[] = ".bak";

QByteArray backupPath(const QString &path)
{
    return encodePath(path + QLatin1String(kBackupSuffix));
}

// The mark on the backup while the file beside it is rewritten in place: the
// sticky bit, which means nothing on a regular file. Found on a later start,
// it says the rewrite was cut short and the file may be torn.
constexpr mode_t kRewriteUnderWay = S_ISVTX;

// Makes room for size bytes in fd before anything is written, so a full disk
// fails here, with nothing changed. A file system without fallocate is
// written as before.
bool reserve(int fd, qsizetype size)
{
    // Beyond the end the size stays: a file cut short here is still the old one.
    if (size == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0)
        return true;
    return errno == EOPNOTSUPP || errno == ENOSYS;
}

// Writes bytes over the whole of fd and syncs; errno is left set when it fails.
bool overwrite(int fd, const QByteArray &bytes)
{
    return reserve(fd, bytes.size()) && writeAllAtStart(fd, bytes) &&
           ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

bool setMark(int fd, bool on)
{
    struct stat st {
    };
    if (::fstat(fd, &st) != 0)
        return false;
    const mode_t mode = on ? (st.st_mode | kRewriteUnderWay) : (st.st_mode & ~kRewriteUnderWay);
    return ::fchmod(fd, mode & 07777) == 0 && ::fsync(fd) == 0;
}

// For a file whose folder takes no new files. Nothing is written over the
// only good copy: the old content goes whole into path + ".bak" (which must
// exist already, the folder takes no new one) and is read back, the backup is
// marked, room for the new content is reserved, and only then is the file
// rewritten; the mark goes when the new content is synced. A kill in between
// leaves the mark, and the next read or save puts the backup back first.
Outcome rewriteInPlace(const QString &path, const QByteArray &bytes)
{
    const auto old = readWholeNoFollow(path);
    if (!old)
        return systemFailure(errno);
    const int backup =
        ::open(backupPath(path).constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_CREAT, 0600);
    if (backup < 0)
        return systemFailure(errno);
    int fd = -1;
    const auto fail = [&](int error, bool restore = false) {
        // A file cut short by a failed write gets its old content back.
        if (restore && overwrite(fd, *old))
            setMark(backup, false);
        if (fd >= 0)
            ::close(fd);
        ::close(backup);
        return systemFailure(error);
    };
    if (!overwrite(backup, *old))
        return fail(errno);
    if (readWholeNoFollow(path + QLatin1String(kBackupSuffix)) != old)
        return fail(EIO);
    fd = openForWritingNoFollow(path, 0);
    if (fd < 0 || !reserve(fd, bytes.size()) || !setMark(backup, true))
        return fail(errno);
    if (!writeAllAtStart(fd, bytes) || ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0 ||
        ::fsync(fd) != 0)
        return fail(errno, true);
    ::close(fd);
    const bool unmarked = setMark(backup, false);
    const int error = errno;
    ::close(backup);
    return unmarked ? Outcome::success() : systemFailure(error);
}
} // namespace

void recoverInterruptedSave(const QString &path)
{
    struct stat st {
    };
    if (::lstat(backupPath(path).constData(), &st) != 0 || !S_ISREG(st.st_mode) ||
        !(st.st_mode & kRewriteUnderWay))
        return;
    const auto kept = readWholeNoFollow(path + QLatin1String(kBackupSuffix));
    const int backup = ::open(backupPath(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    const int fd = openForWritingNoFollow(path, 0);
    if (kept && backup >= 0 && fd >= 0 && overwrite(fd, *kept))
        setMark(backup, false);
    if (fd >= 0)
        ::close(fd);
    if (backup >= 0)
        ::close(backup);
}

std::optional<QByteArray> readSettingsFile(const QString &path)
{
    recoverInterruptedSave(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

Outcome writeSettingsFile(const QString &path, const QByteArray &bytes)
{
    recoverInterruptedSave(path);
    removeLeftoverTemporaries(path);
    ReplaceResult replaced = replaceFile(path, bytes);
    if (!replaced.folderRefused)
        return replaced.outcome;
    // No temporary file beside it; the file itself may still take the bytes.
    struct stat st {
    };
    const QByteArray file = encodePath(path);
    if (::lstat(file.constData(), &st) == 0 && S_ISREG(st.st_mode) && ::access(file.constData(), W_OK) == 0)
        return rewriteInPlace(path, bytes);
    return replaced.outcome;
}

} // namespace qelvo::settings
