#include "picker/folderbrowse.h"

#include "picker/driveroots.h"
#include "picker/pickrules.h"
#include "platform/appidentity.h"
#include "platform/filesystem.h"

#include <QFileInfo>

#include <algorithm>

namespace qelvo::picker
{

namespace
{
bool isHidden(const QString &name)
{
    return name.startsWith(QLatin1Char('.'));
}

void sortByName(QStringList &names)
{
    std::sort(names.begin(), names.end(), naturalLess);
}
} // namespace

QStringList subfolderNames(const FileSystem &fs, const QString &folder)
{
    QStringList names = fs.listFolders(folder);
    names.removeIf(isHidden);
    sortByName(names);
    return names;
}

QStringList matchingFileNames(const FileSystem &fs, const QString &folder, const QString &patterns)
{
    QStringList names;
    if (patterns.isEmpty())
        return names;
    for (const FolderFile &file : fs.listFiles(folder)) {
        if (!isHidden(file.name) && matchesPattern(file.name, patterns))
            names << file.name;
    }
    sortByName(names);
    return names;
}

QString nearestExistingFolder(const FileSystem &fs, const QString &folder)
{
    QString place = cleanFolderPath(folder);
    while (!place.isEmpty() && place != QLatin1String("/") && !fs.folderExists(place))
        place = QFileInfo(place).path();
    return place;
}

QString startFolder(const FileSystem &fs, const QString &current, const QString &home)
{
    for (const QString &candidate : {current, home}) {
        const QString folder = cleanFolderPath(candidate);
        if (!folder.isEmpty() && fs.folderExists(folder))
            return folder;
    }
    return QStringLiteral("/");
}

QStringList foldersBelow(const QString &top, const QString &folder)
{
    QStringList chain;
    if (!isInside(folder, top))
        return chain;
    QString path = top;
    for (const QString &part : folder.mid(top.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path = joinPath(path, part);
        chain << path;
    }
    return chain;
}

} // namespace qelvo::picker
