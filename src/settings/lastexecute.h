#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace qelvo::settings
{

// "yyyy/MM/dd H:mm:ss" in local time.
[[nodiscard]] QString formatLastExecute(const QDateTime &when);
// Accepts the written form and ISO 8601; nothing for anything else.
[[nodiscard]] std::optional<QDateTime> parseLastExecute(const QString &text);

} // namespace qelvo::settings
