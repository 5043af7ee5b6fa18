#include "fuzzsupport.h"

#include "settings/writer.h"
#include "slideshow/writeback.h"

// The changer-only run's rewrite of any old file: the new head, the setting
// lists copied.
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
    const QString text = slideshow::rewriteSettingsText(head, fuzz::settingsText(data, size));
    fuzz::require(text.startsWith(settings::formatHead(head)), "the new head comes first");
    fuzz::require(text.endsWith(QLatin1String("\r\n")), "every line ends with CR LF");
    return 0;
}
