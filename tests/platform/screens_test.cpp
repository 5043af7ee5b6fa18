#include "platform/screens.h"

#include <gtest/gtest.h>

namespace qelvo
{

TEST(TwipsToPixels, RoundsToTheNearestPixelWithHalvesToEven)
{
    struct Row {
        double twips;
        int pixels;
    };
    const Row rows[] = {
        {0, 0},    {15, 1},   {996, 66},    {1000, 67},  {7.5, 0}, // 0.5 -> 0
        {22.5, 2}, {37.5, 2}, {52.5, 4},    {-7.5, 0},   {-22.5, -2},
        {-23, -2}, {-30, -2}, {1e6, 66667}, {4575, 305}, {14.9, 1},
    };
    for (const Row &row : rows)
        EXPECT_EQ(twipsToPixels(row.twips), row.pixels) << row.twips << " twips";
    static_assert(twipsToPixels(5025) == 335, "usable for the windows' fixed sizes");
}

} // namespace qelvo
