#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace qelvo::settings
{

// Settings files are UTF-8; a file that is not valid UTF-8 was written on a
// Japanese system and is read as CP932 (Shift_JIS) as a whole.
[[nodiscard]] QString decodeSettingsText(const QByteArray &bytes);
[[nodiscard]] QByteArray encodeSettingsText(const QString &text);

// Reads and decodes a settings file; nothing when it cannot be opened.
[[nodiscard]] std::optional<QString> readSettingsText(const QString &path);

} // namespace qelvo::settings
