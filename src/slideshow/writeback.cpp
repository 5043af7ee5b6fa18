#include "slideshow/writeback.h"

#include "settings/keys.h"
#include "settings/textcodec.h"
#include "settings/wallpapermode.h"
#include "slideshow/showsettings.h"

#include <QStringDecoder>
#include <QStringEncoder>

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
// The head in the encoding the lists are read with. Lists copied from a
// file of the original platform are CP932, and a UTF-8 head with a non-ASCII
// folder in front of them would leave the file neither: every name in it
// would be lost at the next read.
QByteArray encodeHeadFor(const QString &head, const QByteArray &lists)
{
    const QByteArray utf8 = settings::encodeSettingsText(head);
    if (utf8.size() == head.size()) // ASCII: the same bytes in either encoding
        return utf8;
    QStringDecoder asUtf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoders only run when their text is taken.
    const QString asText = asUtf8(lists);
    QStringDecoder asCp932("windows-31j");
    if (!asUtf8.hasError() || !asCp932.isValid())
        return utf8;
    const QString asLegacyText = asCp932(lists);
    QStringEncoder toCp932("windows-31j");
    const QByteArray legacy = toCp932(head);
    return asCp932.hasError() || toCp932.hasError() ? utf8 : legacy;
}
} // namespace

bool isChangerOnlyStart(const QString &settingsText, const FileSystem &fs, const QDateTime &now)
{
    const ShowSettings read = readShowSettings(settingsText, LookupsOnly(fs), now);
    return read.WPChanger == settings::kChangerOnly && !read.recentStart;
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

std::optional<QByteArray> rewriteSettingsBytes(const settings::SettingsHead &head, const QByteArray &oldFile)
{
    settings::SettingsHead written = head;
    written.executeNumber = head.executeNumber.left(kExecuteNumberLength);
    const QString headText = settings::formatHead(written);
    QByteArray out;

    namespace keys = settings::keys;
    bool copying = false;
    bool inRecord = false;
    int records = 0, copiedRecords = 0;
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
        if (line == keys::kStartList)
            ++records;
        if (!copying) {
            copying = line == keys::kSettingListsSection;
            continue;
        }
        out += line;
        out += keys::kLineEnd;
        if (line == keys::kStartList) {
            inRecord = true;
            ++copiedRecords;
        } else if (line == keys::kEndList) {
            inRecord = false;
        } else if (!inRecord && line.startsWith('[')) {
            copying = false;
        }
    }
    // Lists the copy would miss (under "[settinglists]" or "[SettingLists] ",
    // which the other readers take): better no rewrite than lost lists.
    if (copiedRecords < records)
        return std::nullopt;
    return encodeHeadFor(headText, out) + out;
}

} // namespace qelvo::slideshow
