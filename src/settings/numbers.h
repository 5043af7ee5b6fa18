#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace qelvo::settings
{

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
[[nodiscard]] long long roundHalfEven(double value);

// The number forms the readers accept (C locale: optional sign, digits, '.',
// exponent; surrounding blanks ignored). Empty, non-numeric, infinite or NaN
// text gives nothing.
[[nodiscard]] std::optional<double> parseNumber(const QString &text);

// Conversions to the stored types; nothing on empty, non-numeric or
// out-of-range text. Integers round half to even before the range check.
[[nodiscard]] std::optional<float> toFloat32(const QString &text);
[[nodiscard]] std::optional<std::uint8_t> toByte(const QString &text);
[[nodiscard]] std::optional<std::int16_t> toInt16(const QString &text);

// General format, no trailing zeros: 10, 0.5, 1.25. Seven significant digits,
// or up to nine where seven would not read back as the same float.
[[nodiscard]] QString formatFloat(float value);

} // namespace qelvo::settings
