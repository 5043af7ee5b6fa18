#include "fuzzsupport.h"

#include "settings/keys.h"
#include "settings/scanner.h"

// The line and item scanners over any text, read the way the readers mix
// them: the first byte chooses, for each read, a line or an item.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qelvo;
    if (size == 0)
        return 0;
    const unsigned pattern = data[0];
    const QString text = fuzz::settingsText(data + 1, size - 1);

    const QStringList lines = settings::splitLines(text);
    fuzz::require(lines.size() <= text.size() + 1, "no more lines than characters");
    for (const QString &line : lines) {
        (void)settings::hasKeyPrefix(line, settings::keys::kWPIndex);
        (void)settings::valueAfterKey(line, settings::keys::kChgTime, 256);
        (void)settings::valueAt(line, int(pattern % 20), int(pattern % 7));
    }

    settings::TextScanner scanner(text);
    qsizetype reads = 0;
    for (unsigned bit = 0; !scanner.atEnd(); bit = (bit + 1) % 8, ++reads) {
        // Every read takes at least one character, so the scan ends.
        fuzz::require(reads <= text.size(), "every read advances");
        const QString part = (pattern >> bit) & 1 ? scanner.nextItem() : scanner.nextLine();
        fuzz::require(!part.contains(QLatin1Char('\n')), "no line end inside a read");
    }
    fuzz::require(scanner.nextItem().isEmpty() && scanner.nextLine().isEmpty(), "empty at the end");
    return 0;
}
