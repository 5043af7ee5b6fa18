#include "settings/settingsfile.h"

#include "settings/textcodec.h"
#include "settings/writer.h"

#include "platform/pathbytes.h"
#include "platform/safefile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qelvo::settings
{

QString backupPathOf(const QString &path)
{
    return path + QStringLiteral(".bak");
}

namespace
{
QByteArray backupPath(const QString &path)
{
    return encodePath(backupPathOf(path));
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
    if (readWholeNoFollow(backupPathOf(path)) != old)
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
    const auto kept = readWholeNoFollow(backupPathOf(path));
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

std::optional<QString> readSettingsText(const QString &path)
{
    const auto bytes = readSettingsFile(path);
    if (!bytes)
        return std::nullopt;
    return decodeSettingsText(*bytes);
}

SettingsFile::SettingsFile(const AppIdentity &identity)
    : m_path(identity.settingsPath()), m_appName(identity.baseName)
{
}

bool SettingsFile::isFile() const
{
    return QFileInfo(m_path).isFile();
}

std::optional<QString> SettingsFile::readText()
{
    return readSettingsText(m_path);
}

std::optional<QByteArray> SettingsFile::readBytes()
{
    return readSettingsFile(m_path);
}

Outcome SettingsFile::writeBytes(const QByteArray &bytes)
{
    return writeSettingsFile(m_path, bytes);
}

std::optional<QString> SettingsFile::readTextAsItStands() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decodeSettingsText(file.readAll());
}

std::optional<SaveFailure> SettingsFile::keepBeforeSave()
{
    if (m_keepBeforeSave && QFileInfo::exists(m_path)) {
        // The file this save replaces could not be read: keep it beside the new one.
        const QString backup = backupPathOf(m_path);
        QFile::remove(backup);
        QFile original(m_path);
        if (!original.copy(backup)) {
            if (!QFileInfo::exists(m_path))
                return SaveFailure{backup, WriteProblem::Missing, {}};
            return SaveFailure{backup, diagnoseWriteFailure(backup, original.size()), original.errorString()};
        }
    }
    m_keepBeforeSave = false;
    return std::nullopt;
}

std::optional<SaveFailure> SettingsFile::save(const DialogState &state, std::span<const SettingList> lists)
{
    SettingsHead head;
    head.appName = m_appName;
    head.appVersion = versionText();
    head.appLastAccPath = state.pickerFolder;
    // A folder name with a line break would start a line of its own in the
    // file; the picker then simply starts at its default place next time.
    if (head.appLastAccPath.contains(QLatin1Char('\n')) || head.appLastAccPath.contains(QLatin1Char('\r')))
        head.appLastAccPath.clear();
    head.executeNumber = QString::number(state.executeNumber);
    head.wpChanger = state.wpChanger;
    head.wpIndex = state.wpIndex;
    head.lastExecute = state.now;
    const QByteArray bytes = encodeSettingsText(formatSettingsFile(head, lists));
    const Outcome saved = writeSettingsFile(m_path, bytes);
    if (saved)
        return std::nullopt;
    // A full disk is one whatever else the folder refuses.
    if (saved.systemError() == ENOSPC || saved.systemError() == EDQUOT)
        return SaveFailure{m_path, WriteProblem::DiskFull, saved.reason()};
    return SaveFailure{m_path, diagnoseWriteFailure(m_path, bytes.size()), saved.reason()};
}

} // namespace qelvo::settings
