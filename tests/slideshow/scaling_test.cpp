#include "slideshow/scaling.h"

#include <gtest/gtest.h>

using qelvo::slideshow::scaleToScreen;

namespace
{

// The worked table, in twips on a 1024 x 768 screen (15 twips a pixel).
struct Row {
    int w, h;
    float zoom;
    int widthTwips, heightTwips, leftTwips, topTwips;
};

void PrintTo(const Row &r, std::ostream *os)
{
    *os << r.w << "x" << r.h << " zoom " << r.zoom;
}

class WorkedTable : public ::testing::TestWithParam<Row>
{
};

} // namespace

TEST_P(WorkedTable, BoxMatchesAfterConversionToPixels)
{
    const Row r = GetParam();
    const QRect box = scaleToScreen({r.w, r.h}, {1024, 768}, r.zoom);
    EXPECT_EQ(box, QRect(r.leftTwips / 15, r.topTwips / 15, r.widthTwips / 15, r.heightTwips / 15))
        << r.w << "x" << r.h << " zoom " << r.zoom;
}

INSTANTIATE_TEST_SUITE_P(Scaling, WorkedTable,
                         ::testing::Values(Row{640, 480, 1, 9600, 7200, 2880, 2160},
                                           Row{640, 480, 2, 15360, 11520, 0, 0},
                                           Row{2000, 1000, 1, 15360, 7680, 0, 1920},
                                           Row{800, 1200, 1, 7680, 11520, 3840, 0},
                                           Row{300, 200, 1.5f, 6750, 4500, 4305, 3510},
                                           Row{300, 200, 0.5f, 2250, 1500, 6555, 5010}));

TEST(Scaling, ScreenSizedImageAtZoomOneStaysAsItIs)
{
    EXPECT_EQ(scaleToScreen({1920, 1080}, {1920, 1080}, 1), QRect(0, 0, 1920, 1080));
}

TEST(Scaling, LargePhotosShrinkToFitKeepingTheirProportions)
{
    EXPECT_EQ(scaleToScreen({6000, 4000}, {1920, 1080}, 1), QRect(150, 0, 1620, 1080));
    EXPECT_EQ(scaleToScreen({4000, 6000}, {3840, 2160}, 4), QRect(1200, 0, 1440, 2160));
}

TEST(Scaling, DegenerateInputsGiveAnEmptyBoxAndNoFault)
{
    EXPECT_TRUE(scaleToScreen({0, 0}, {1024, 768}, 1).isEmpty());
    EXPECT_TRUE(scaleToScreen({640, 0}, {1024, 768}, 1).isEmpty());
    EXPECT_TRUE(scaleToScreen({640, 480}, {1024, 768}, 0).isEmpty()); // no setting list found
    EXPECT_TRUE(scaleToScreen({640, 480}, {1024, 768}, -1).isEmpty());
    EXPECT_EQ(scaleToScreen({640, 480}, {1024, 768}, 0).topLeft(), QPoint(512, 384));
    EXPECT_TRUE(scaleToScreen({640, 480}, {0, 0}, 1).isEmpty());
    // A sliver keeps at least one pixel in its thin direction.
    EXPECT_EQ(scaleToScreen({1, 30000}, {1024, 768}, 1), QRect(512, 0, 1, 768));
    EXPECT_EQ(scaleToScreen({30000, 1}, {1024, 768}, 1), QRect(0, 384, 1024, 1));
    EXPECT_EQ(scaleToScreen({2, 2}, {1024, 768}, 0.1f).size(), QSize(1, 1));
}
