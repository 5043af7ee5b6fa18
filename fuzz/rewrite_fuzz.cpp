#include "fuzzsupport.h"

#include "settings/writer.h"
#include "slideshow/writeback.h"

#include <set>

// The changer-only run's rewrite of any old file: the new head, then lines of
// the old file copied byte for byte, each ended with CR LF.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qelvo;
    static const settings::SettingsHead head{QStringLiteral("qelvo"),
                                             QStringLiteral("1.0.0"),
                                             QStringLiteral("/home/u"),
                                             QStringLiteral("-1"),
                                             1,
                                             3,
                                             QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26))};
    static const QByteArray headBytes = settings::encodeSettingsText(settings::formatHead(head));

    const QByteArray old(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray out = slideshow::rewriteSettingsBytes(head, old);
    fuzz::require(out.startsWith(headBytes), "the new head comes first");

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
