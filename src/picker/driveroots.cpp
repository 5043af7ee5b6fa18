#include "picker/driveroots.h"

#include "platform/filesystem.h"
#include "platform/pathbytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace qelvo::picker
{

namespace
{

// The mount table escapes blanks, tabs, line breaks and backslashes as \ooo.
QString unescapeMountPoint(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = false;
            const int value = digits.toInt(&ok, 8);
            if (ok && digits.size() == 3 && value < 256) {
                out.append(static_cast<char>(value));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return decodePath(out);
}

bool isMediaMount(const QString &mountPoint, const QString &user)
{
    const QString runMedia = QStringLiteral("/run/media/") + user;
    return (mountPoint.startsWith(QLatin1String("/media/")) && mountPoint.size() > 7) ||
           (!user.isEmpty() && isInside(mountPoint, runMedia) && mountPoint != runMedia) ||
           isInside(mountPoint, QStringLiteral("/mnt"));
}

} // namespace

QString cleanFolderPath(const QString &path)
{
    if (!path.startsWith(QLatin1Char('/')))
        return {};
    return QDir::cleanPath(path);
}

bool isInside(const QString &path, const QString &root)
{
    if (root.isEmpty() || !path.startsWith(root))
        return false;
    return path.size() == root.size() || root.endsWith(QLatin1Char('/')) ||
           path[root.size()] == QLatin1Char('/');
}

QStringList driveRootsFromMounts(const QByteArray &mounts, const QString &home, const QString &user)
{
    QStringList roots{QStringLiteral("/")};
    const QString cleanHome = cleanFolderPath(home);
    if (!cleanHome.isEmpty() && !roots.contains(cleanHome))
        roots << cleanHome;
    QStringList media;
    for (const QByteArray &line : mounts.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 2)
            continue;
        const QString mountPoint = cleanFolderPath(unescapeMountPoint(fields[1]));
        if (mountPoint.isEmpty() || !isMediaMount(mountPoint, user))
            continue;
        if (!roots.contains(mountPoint) && !media.contains(mountPoint))
            media << mountPoint;
    }
    std::sort(media.begin(), media.end());
    return roots + media;
}

QStringList mountedDriveRoots()
{
    QFile table(QStringLiteral("/proc/self/mounts"));
    QByteArray mounts;
    if (table.open(QIODevice::ReadOnly))
        mounts = table.readAll();
    const QStringList all =
        driveRootsFromMounts(mounts, QDir::homePath(), QString::fromLocal8Bit(qgetenv("USER")));
    QStringList roots;
    for (const QString &root : all) {
        if (realFileSystem().folderExists(root))
            roots << root;
    }
    if (roots.isEmpty())
        roots << QStringLiteral("/");
    return roots;
}

QString driveOf(const QString &path, const QStringList &roots)
{
    QString best;
    for (const QString &root : roots) {
        if (isInside(path, root) && root.size() > best.size())
            best = root;
    }
    return best;
}

void DriveFolders::remember(const QString &root, const QString &folder)
{
    if (!root.isEmpty())
        m_folders.insert(root, folder);
}

QString DriveFolders::folderFor(const QString &root, const std::function<bool(const QString &)> &exists) const
{
    QString folder = m_folders.value(root, root);
    while (isInside(folder, root) && folder != root) {
        if (exists(folder))
            return folder;
        folder = QFileInfo(folder).path();
    }
    return root;
}

} // namespace qelvo::picker
