#include "settings/writer.h"

#include "settings/keys.h"
#include "settings/lastexecute.h"
#include "settings/numbers.h"

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

} // namespace qelvo::settings
