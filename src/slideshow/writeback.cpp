#include "slideshow/writeback.h"

#include "settings/keys.h"
#include "settings/textcodec.h"
#include "slideshow/showsettings.h"

namespace qelvo::slideshow
{

namespace
{
// ExecuteNumber is read as at most two characters; it goes back the same way.
constexpr qsizetype kExecuteNumberLength = 2;

// Answers whether files and folders are there, and lists nothing.
class LookupsOnly final : public FileSystem
{
public:
    explicit LookupsOnly(const FileSystem &fs) : m_fs(fs) {}
    bool isNormalFile(const QString &path) const override { return m_fs.isNormalFile(path); }
    bool folderExists(const QString &path) const override { return m_fs.folderExists(path); }
    std::vector<FolderFile> listFiles(const QString &) const override { return {}; }
    QStringList listFolders(const QString &) const override { return {}; }

private:
    const FileSystem &m_fs;
};
} // namespace

bool isChangerOnlyStart(const QString &settingsText, const FileSystem &fs, const QDateTime &now)
{
    const ShowSettings read = readShowSettings(settingsText, LookupsOnly(fs), now);
    return read.WPChanger == 3 && !read.recentStart && !read.folderNotFound;
}

int nextWallpaperIndex(int wpIndex, int fileCount, bool random, RandomSource &random01)
{
    // Work in a wider type so that a stored index at the edge of int cannot overflow.
    long long next = 0;
    if (random) {
        next = random01.pickOneBased(fileCount);
        if (next == wpIndex)
            next = random01.pickOneBased(fileCount);
    } else {
        next = static_cast<long long>(wpIndex) + 1;
    }
    if (next < 1 || next > fileCount)
        next = 1;
    return static_cast<int>(next);
}

settings::SettingsHead changerRunHead(const AppIdentity &identity, const QString &executeNumber,
                                      int wpChanger, int wpIndex, const QDateTime &now)
{
    settings::SettingsHead head;
    head.appName = identity.baseName;
    head.appVersion = versionText();
    head.appLastAccPath = identity.folder;
    head.executeNumber = executeNumber.left(kExecuteNumberLength);
    head.wpChanger = wpChanger;
    head.wpIndex = wpIndex;
    head.lastExecute = now;
    return head;
}

QByteArray rewriteSettingsBytes(const settings::SettingsHead &head, const QByteArray &oldFile)
{
    settings::SettingsHead written = head;
    written.executeNumber = head.executeNumber.left(kExecuteNumberLength);
    QByteArray out = settings::encodeSettingsText(settings::formatHead(written));

    namespace keys = settings::keys;
    bool copying = false;
    bool inRecord = false;
    qsizetype start = 0;
    while (start < oldFile.size()) {
        qsizetype end = oldFile.indexOf('\n', start);
        const qsizetype next = end < 0 ? oldFile.size() : end + 1;
        if (end < 0)
            end = oldFile.size();
        // As every reader does: a CR is part of the line end only just before it.
        if (end > start && oldFile.at(end - 1) == '\r' && (end == oldFile.size() || oldFile.at(end) == '\n'))
            --end;
        const QByteArray line = QByteArray::fromRawData(oldFile.constData() + start, end - start);
        start = next;
        if (!copying) {
            copying = line == keys::kSettingListsSection;
            continue;
        }
        out += line;
        out += keys::kLineEnd;
        if (line == keys::kStartList)
            inRecord = true;
        else if (line == keys::kEndList)
            inRecord = false;
        else if (!inRecord && line.startsWith('['))
            copying = false;
    }
    return out;
}

} // namespace qelvo::slideshow
