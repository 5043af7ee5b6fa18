#pragma once

#include <QByteArray>
#include <QString>

namespace qelvo::settings
{

// Settings files are UTF-8; a file that is not valid UTF-8 was written on a
// Japanese system and is read as CP932 (Shift_JIS) as a whole.
[[nodiscard]] QString decodeSettingsText(const QByteArray &bytes);
[[nodiscard]] QByteArray encodeSettingsText(const QString &text);

} // namespace qelvo::settings
