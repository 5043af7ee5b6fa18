#include "settings/writer.h"

#include "settings/keys.h"
#include "settings/lastexecute.h"
#include "settings/numbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

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
// The temporary files of the atomic save are named path + "." and six random
// letters of mixed case. A name of one case only is left alone: that is how a
// person names a copy ("Qelvo.ini.backup"), and only one in 32 of ours.
bool isTemporaryName(const QString &suffix)
{
    if (suffix.size() != 6)
        return false;
    bool upper = false, lower = false;
    for (const QChar c : suffix) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            upper = true;
        else if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            lower = true;
        else
            return false;
    }
    return upper && lower;
}

void removeStaleTemporaries(const QString &path)
{
    // A linked file's temporaries are made beside the file the link names.
    const QFileInfo link(path);
    const QFileInfo target(link.isSymLink() ? link.symLinkTarget() : path);
    const QString prefix = target.fileName() + QLatin1Char('.');
    const QDir folder = target.absoluteDir();
    const auto entries = folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        if (name.startsWith(prefix) && isTemporaryName(name.mid(prefix.size())) &&
            entry.ownerId() == ::geteuid())
            QFile::remove(entry.filePath());
    }
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Writes all of bytes at the start of fd, cuts what follows and syncs;
// errno is left set when it fails.
bool writeWhole(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        left -= n;
    }
    return ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

// The content the in-place rewrite is about to replace, kept beside it where
// the folder allows (it rarely does: this is the folder that refused the
// temporary file, but a .bak made earlier may still be written). A backup
// that cannot be finished is dropped rather than left half written.
void keepBackup(const QString &path)
{
    QFile original(path);
    if (!original.open(QIODevice::ReadOnly))
        return;
    const QByteArray old = original.readAll();
    if (original.error() != QFileDevice::NoError)
        return;
    const QByteArray backup = QFile::encodeName(path + QStringLiteral(".bak"));
    const int fd = ::open(backup.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    const bool kept = writeWhole(fd, old);
    ::close(fd);
    if (!kept)
        ::unlink(backup.constData());
}

// For a file whose folder takes no new files: the bytes are all in memory
// before the file is touched, written over the old content, and synced.
Outcome rewriteInPlace(const QString &path, const QByteArray &bytes)
{
    keepBackup(path);
    // No O_TRUNC: the old content stays until the new one is written over it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return Outcome::failure(systemError(errno));
    const bool written = writeWhole(fd, bytes);
    const int error = errno;
    if (::close(fd) != 0 && written)
        return Outcome::failure(systemError(errno));
    return written ? Outcome::success() : Outcome::failure(systemError(error));
}
} // namespace

Outcome writeSettingsFile(const QString &path, const QByteArray &bytes)
{
    removeStaleTemporaries(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // No temporary file beside it; the file itself may still take the bytes.
        const QFileInfo existing(path);
        if (existing.isFile() && existing.isWritable())
            return rewriteInPlace(path, bytes);
        return Outcome::failure(file.errorString());
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Outcome::failure(reason);
    }
    if (!file.commit())
        return Outcome::failure(file.errorString());
    return Outcome::success();
}

} // namespace qelvo::settings
