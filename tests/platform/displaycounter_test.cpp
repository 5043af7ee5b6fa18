#include "platform/appidentity.h"
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

TEST(JoinPath, RootAlreadyEndsInSeparator)
{
    EXPECT_EQ(joinPath("/", "a.jpg"), "/a.jpg");
    EXPECT_EQ(joinPath("/home/u/Pics", "a.jpg"), "/home/u/Pics/a.jpg");
}

TEST(AppIdentity, WallpaperBitmapSitsBesideTheExecutable)
{
    const AppIdentity id{"/opt/qelvo", "qelvo"};
    EXPECT_EQ(id.settingsPath(), "/opt/qelvo/Qelvo.ini");
    EXPECT_EQ(id.wallpaperBitmapPath(), "/opt/qelvo/qelvowp.bmp");
    const AppIdentity current = AppIdentity::current();
    EXPECT_FALSE(current.folder.isEmpty());
    EXPECT_EQ(current.baseName, "platform_test");
}
