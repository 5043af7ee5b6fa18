#include "settings/numbers.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(formatFloat(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(formatFloat(12345678.0f), "1.234568E+07");
    // Values a user types (up to 7 digits) read back to the same float.
    for (float f : {0.1f, 2.5f, 65.536f, 1e7f, 0.0001f, 1234.567f})
        EXPECT_EQ(toFloat32(formatFloat(f)), f) << formatFloat(f).toStdString();
}
