#include "slideshow/writeback.h"

#include "settings/keys.h"
#include "settings/scanner.h"

namespace qelvo::slideshow
{

namespace
{
// ExecuteNumber is read as at most two characters; it goes back the same way.
constexpr qsizetype kExecuteNumberLength = 2;
} // namespace

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

QString rewriteSettingsText(const settings::SettingsHead &head, const QString &oldText)
{
    settings::SettingsHead written = head;
    written.executeNumber = head.executeNumber.left(kExecuteNumberLength);
    QString out = settings::formatHead(written);

    const QString listsHeader = QString::fromLatin1(settings::keys::kSettingListsSection);
    const QLatin1String lineEnd(settings::keys::kLineEnd);
    bool copying = false;
    for (const QString &line : settings::splitLines(oldText)) {
        if (!copying) {
            copying = line == listsHeader;
            continue;
        }
        out += line;
        out += lineEnd;
        if (line.startsWith(QLatin1Char('[')))
            copying = false;
    }
    return out;
}

} // namespace qelvo::slideshow
