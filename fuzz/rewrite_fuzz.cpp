#include "fuzzsupport.h"

#include "settings/writer.h"
#include "slideshow/writeback.h"

#include <QStringEncoder>

#include <set>

// The changer-only run's rewrite of any old file: the new head, then lines of
// the old file copied byte for byte, each ended with CR LF; or no rewrite at
// all, when the copy would hold fewer records than the file. The first byte
// picks the head's folder: ASCII, or Japanese, whose head is written in
// CP932 in front of lists that are CP932 and not UTF-8.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qelvo;
    static const auto headIn = [](const QString &folder) {
        return settings::SettingsHead{QStringLiteral("qelvo"),
                                      QStringLiteral("1.0.0"),
                                      folder,
                                      QStringLiteral("-1"),
                                      1,
                                      3,
                                      QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26))};
    };
    static const settings::SettingsHead ascii = headIn(QStringLiteral("/home/u"));
    static const settings::SettingsHead japanese = headIn(QString::fromUtf8("/home/太郎/写真"));
    if (size == 0)
        return 0;
    const settings::SettingsHead &head = data[0] & 1 ? japanese : ascii;
    const QString headText = settings::formatHead(head);
    const QByteArray utf8Head = settings::encodeSettingsText(headText);
    const QByteArray cp932Head = QStringEncoder("windows-31j")(headText);

    const QByteArray old(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const auto rewritten = slideshow::rewriteSettingsBytes(head, old);
    if (!rewritten) {
        fuzz::require(old.contains("***StartList***"),
                      "a rewrite is refused only over records it would miss");
        return 0;
    }
    const QByteArray &out = *rewritten;
    const bool utf8 = out.startsWith(utf8Head);
    fuzz::require(utf8 || out.startsWith(cp932Head), "the new head comes first");
    const QByteArray headBytes = utf8 ? utf8Head : cp932Head;

    std::set<QByteArray> oldLines;
    for (QByteArray line : old.split('\n')) {
        oldLines.insert(line);
        if (line.endsWith('\r'))
            line.chop(1);
        oldLines.insert(line);
    }
    const QByteArray copied = out.mid(headBytes.size());
    fuzz::require(copied.isEmpty() || copied.endsWith("\r\n"), "every copied line ends with CR LF");
    for (const QByteArray &line : copied.split('\n')) {
        if (!line.isEmpty())
            fuzz::require(line.endsWith('\r') && oldLines.count(line.chopped(1)) > 0,
                          "copied lines are old lines");
    }
    return 0;
}
