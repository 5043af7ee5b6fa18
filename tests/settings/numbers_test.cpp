#include "settings/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

#include <limits>

using namespace qelvo::settings;

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.500001), 3);
    EXPECT_EQ(roundHalfEven(500.0), 500);
}

TEST(Conversions, ReadErrorsOnEmptyNonNumericAndOutOfRange)
{
    EXPECT_FALSE(toByte("").has_value());
    EXPECT_FALSE(toByte("x").has_value());
    EXPECT_FALSE(toByte("256").has_value());
    EXPECT_FALSE(toByte("-1").has_value());
    EXPECT_EQ(toByte("255"), 255);
    EXPECT_EQ(toByte("1"), 1);
    EXPECT_EQ(toByte("2.5"), 2);
    EXPECT_FALSE(toInt16("32768").has_value());
    EXPECT_EQ(toInt16("-32768"), -32768);
    EXPECT_EQ(toInt16(" 12 "), 12);
    EXPECT_FALSE(toInt16("-").has_value());
    EXPECT_FALSE(toInt16("1,5").has_value());
    EXPECT_FALSE(toFloat32("abc").has_value());
    EXPECT_FALSE(toFloat32("inf").has_value());
    EXPECT_FALSE(toFloat32("nan").has_value());
    EXPECT_FALSE(toFloat32("1e39").has_value());
    EXPECT_EQ(toFloat32("0.5"), 0.5f);
    EXPECT_EQ(toFloat32("-3"), -3.0f);
    EXPECT_EQ(toFloat32("1E+07"), 1e7f);
}

TEST(FormatFloat, GeneralFormatWithoutTrailingZeros)
{
    EXPECT_EQ(formatFloat(10.0f), "10");
    EXPECT_EQ(formatFloat(0.5f), "0.5");
    EXPECT_EQ(formatFloat(1.25f), "1.25");
    EXPECT_EQ(formatFloat(1.5f), "1.5");
    EXPECT_EQ(formatFloat(0.1f), "0.1");
    EXPECT_EQ(formatFloat(-3.0f), "-3");
    EXPECT_EQ(formatFloat(0.0f), "0");
    EXPECT_EQ(formatFloat(1234567.0f), "1234567");
    EXPECT_EQ(formatFloat(1.0f / 3.0f), "0.33333334");
    EXPECT_EQ(formatFloat(1e7f), "1E+07");
    EXPECT_EQ(formatFloat(1.5e-7f), "1.5E-07");
    // Where seven digits would not read back, the fewest that do.
    EXPECT_EQ(formatFloat(12345678.0f), "12345678");
    EXPECT_EQ(formatFloat(16777217.0f), "16777216"); // the float nearest 16777217
    EXPECT_EQ(formatFloat(123456.79f), "123456.79");
    EXPECT_EQ(formatFloat(std::numeric_limits<float>::max()), "3.4028235E+38");
}

TEST(FormatFloat, EveryValueReadsBackAsTheSameFloat)
{
    // So nothing drifts from save to save, up to the edges of the range.
    using L = std::numeric_limits<float>;
    for (float f : {0.1f, 2.5f, 65.536f, 1e7f, 0.0001f, 1234.567f, 16777217.0f, 0.1f + 0.2f, 7.0e-45f,
                    L::max(), -L::max(), std::nextafter(L::max(), 0.0f), L::min(), L::denorm_min(),
                    -L::denorm_min(), std::nextafter(1.0f, 2.0f), 65535.0f, 3.4028234e38f})
        EXPECT_EQ(toFloat32(formatFloat(f)), f) << formatFloat(f).toStdString();
    // What a nine-digit writer made of the largest float reads as it; beyond
    // half a step over it a text is out of range.
    EXPECT_EQ(toFloat32("3.40282347E+38"), L::max());
    EXPECT_EQ(toFloat32("-3.40282347E+38"), -L::max());
    EXPECT_FALSE(toFloat32("3.4028236E+38").has_value());
}
