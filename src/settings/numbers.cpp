#include "settings/numbers.h"

#include <QLocale>

#include <cfenv>
#include <cmath>
#include <limits>

namespace qelvo::settings
{

long long roundHalfEven(double value)
{
    // nearbyint honours the current rounding mode, which is to-nearest-even
    // unless someone changed it; make that explicit.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(saved);
    return static_cast<long long>(r);
}

std::optional<double> parseNumber(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> toFloat32(const QString &text)
{
    // A text just above the largest float ("3.40282347E+38", how nine digits
    // write it) rounds to it, as any conversion to the nearest float does;
    // only from half a step beyond it would it round to infinity.
    const auto value = parseNumber(text);
    constexpr double kLargest = std::numeric_limits<float>::max();
    constexpr double kHalfStep = 0x1p103; // half the gap between the largest floats
    if (!value || std::fabs(*value) >= kLargest + kHalfStep)
        return std::nullopt;
    if (std::fabs(*value) > kLargest)
        return std::copysign(std::numeric_limits<float>::max(), static_cast<float>(*value));
    return static_cast<float>(*value);
}

namespace
{
template <typename Int> std::optional<Int> toInteger(const QString &text)
{
    const auto value = parseNumber(text);
    if (!value || std::fabs(*value) > 1e18)
        return std::nullopt;
    const long long rounded = roundHalfEven(*value);
    if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max())
        return std::nullopt;
    return static_cast<Int>(rounded);
}
} // namespace

std::optional<std::uint8_t> toByte(const QString &text)
{
    return toInteger<std::uint8_t>(text);
}
std::optional<std::int16_t> toInt16(const QString &text)
{
    return toInteger<std::int16_t>(text);
}

QString formatFloat(float value)
{
    // General format with 7 significant digits as long as that reads back as
    // the same float (0.1f prints 0.1, not 0.1000000015); otherwise the fewest
    // digits that do, so a saved value never drifts from save to save
    // (16777216 would come back as 16777220 from 1.677722E+07). Nine digits
    // always do.
    QString text;
    for (int digits = 7; digits <= 9; ++digits) {
        text = QLocale::c()
                   .toString(static_cast<double>(value), 'g', digits)
                   .replace(QLatin1String("e+"), QLatin1String("E+"))
                   .replace(QLatin1String("e-"), QLatin1String("E-"));
        if (toFloat32(text) == value)
            break;
    }
    return text;
}

} // namespace qelvo::settings
