#include "fuzzsupport.h"

// Any bytes decode to some text, and the text written back as UTF-8 reads the
// same: a file the program saves is always one it reads back unchanged.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qelvo;
    const QString text = fuzz::settingsText(data, size);
    const QByteArray written = settings::encodeSettingsText(text);
    const QString reread = settings::decodeSettingsText(written);
    // A leading U+FEFF reads as a byte-order mark and is dropped; nothing
    // else may change.
    const QString expected = text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    fuzz::require(reread == expected, "decode(encode(text)) == text");
    return 0;
}
