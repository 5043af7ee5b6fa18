#include "platform/cursor.h"

#include <gtest/gtest.h>

using namespace qelvo;

TEST(Cursor, HideGoesBelowZeroAndOneStepFurtherWhenAlreadyHidden)
{
    int hookCalls = 0;
    bool lastVisible = true;
    DisplayCounter counter([&](bool visible) {
        ++hookCalls;
        lastVisible = visible;
    });
    HideCursor(counter);
    EXPECT_EQ(counter.count(), -1);
    EXPECT_FALSE(lastVisible);
    HideCursor(counter);
    EXPECT_EQ(counter.count(), -2);
    RestoreCursor(counter);
    EXPECT_EQ(counter.count(), 0);
    EXPECT_TRUE(lastVisible);
    EXPECT_EQ(hookCalls, 2);
}

TEST(Cursor, RestoreRaisesByExactlyOneWhenAlreadyShown)
{
    DisplayCounter counter;
    counter.ShowCursor(true);
    RestoreCursor(counter);
    EXPECT_EQ(counter.count(), 2);
    HideCursor(counter);
    EXPECT_EQ(counter.count(), -1);
}

TEST(RunMode, KeepsWhatMainSets)
{
    setRunMode(kScreenSaverMode);
    EXPECT_EQ(RunMode(), 3);
}
