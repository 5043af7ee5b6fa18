#include "platform/displaycounter.h"

#include <gtest/gtest.h>

using namespace qelvo;

TEST(DisplayCounter, ReportsVisibilityOnlyWhenItFlips)
{
    std::vector<bool> seen;
    DisplayCounter counter([&](bool v) { seen.push_back(v); });
    EXPECT_EQ(counter.ShowCursor(true), 1);
    EXPECT_EQ(counter.ShowCursor(false), 0);
    EXPECT_EQ(counter.ShowCursor(false), -1);
    EXPECT_EQ(counter.ShowCursor(false), -2);
    EXPECT_EQ(counter.ShowCursor(true), -1);
    EXPECT_EQ(counter.ShowCursor(true), 0);
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
}
