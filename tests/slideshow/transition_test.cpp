#include "fakes/fakes.h"
#include "slideshow/transition.h"

#include <gtest/gtest.h>

using namespace qelvo;
using namespace qelvo::slideshow;

namespace
{

// Runs a transition to its end (bounded) and returns every step.
std::vector<FadeStep> runToEnd(Transition &t, QSize picture, RandomSource &random)
{
    std::vector<FadeStep> steps;
    for (int i = 0; i < 10000; ++i) {
        steps.push_back(t.step(picture, random));
        if (steps.back().finished)
            break;
    }
    return steps;
}

} // namespace

TEST(Transition, SetupPicksTheVariantAndTheRasterModeWithTheirChances)
{
    struct Case {
        double variant, mode;
        const char *tag;
        RasterMode expected;
    };
    for (const Case &c :
         {Case{0.0, 0.8049, "1", RasterMode::Black}, Case{0.34, 0.81, "2", RasterMode::Mask},
          Case{0.5, 0.9504, "2", RasterMode::Mask}, Case{0.99, 0.9551, "3", RasterMode::Black},
          Case{0.2, 0.9551, "1", RasterMode::Invert}}) {
        Transition t;
        fakes::ScriptedRandom random{c.variant, c.mode};
        const FadeStep step = t.step({640, 480}, random);
        EXPECT_EQ(t.Tag, c.tag) << c.variant;
        // The iris always draws black, whatever the setup chose.
        EXPECT_EQ(step.attributes.mode, c.expected) << c.variant << " " << c.mode;
    }
}

TEST(Transition, ShutterClosesFromTopAndBottomInBandsOf25)
{
    Transition t;
    fakes::ScriptedRandom random{0.0, 0.0};
    const auto steps = runToEnd(t, {640, 480}, random);
    ASSERT_EQ(steps.size(), 10u); // about ten frames for a 640 x 480 picture
    EXPECT_EQ(steps[0].shapes,
              (std::vector<FadeShape>{{FadeShape::Kind::Rectangle, QRect(-10, 0, 660, 25), {}, 0},
                                      {FadeShape::Kind::Rectangle, QRect(-10, 455, 660, 25), {}, 0}}));
    EXPECT_TRUE(steps[0].frameInterval);
    EXPECT_EQ(steps[8].shapes[0].rect, QRect(-10, 200, 660, 25));
    // The last step covers the middle that is left: rows 225 to 254.
    ASSERT_EQ(steps[9].shapes.size(), 1u);
    EXPECT_EQ(steps[9].shapes[0].rect, QRect(-10, 225, 660, 30));
    EXPECT_FALSE(steps[9].frameInterval);
    EXPECT_TRUE(t.Tag.isEmpty());
    EXPECT_EQ(t.ShutterPos, 0);
}

TEST(Transition, AShortPictureFinishesTheShutterInOneStep)
{
    for (int h : {0, 1, 50}) {
        Transition t;
        fakes::ScriptedRandom random{0.0, 0.0};
        const FadeStep step = t.step({640, h}, random);
        EXPECT_TRUE(step.finished) << h;
        EXPECT_FALSE(step.frameInterval) << h; // the image interval stays
    }
    Transition t;
    fakes::ScriptedRandom random{0.0, 0.0};
    EXPECT_FALSE(t.step({640, 51}, random).finished);
}

TEST(Transition, CurtainClosesFromBothEdgesInBandsOf30)
{
    Transition t;
    fakes::ScriptedRandom random{0.5, 0.0};
    const auto steps = runToEnd(t, {640, 480}, random);
    ASSERT_EQ(steps.size(), 11u);
    EXPECT_EQ(steps[0].shapes[0].rect, QRect(-10, -10, 40, 500));
    EXPECT_EQ(steps[0].shapes[1].rect, QRect(610, -10, 40, 500));
    EXPECT_EQ(steps[9].shapes[0].rect, QRect(270, -10, 30, 500)); // only the columns it adds
    EXPECT_EQ(steps[9].shapes[1].rect, QRect(340, -10, 30, 500));
    EXPECT_EQ(steps[10].shapes[0].rect, QRect(300, -10, 40, 500));
    EXPECT_TRUE(steps[10].finished);
}

TEST(Transition, IrisShrinksFromTheHalfDiagonalToBelowOne)
{
    Transition t;
    fakes::ScriptedRandom random{0.9, 0.0};
    const auto steps = runToEnd(t, {800, 600}, random);
    std::vector<int> radii;
    for (const auto &s : steps) {
        ASSERT_EQ(s.shapes.size(), 1u);
        EXPECT_EQ(s.shapes[0].centre, QPoint(400, 300));
        radii.push_back(s.shapes[0].radius);
    }
    ASSERT_GE(radii.size(), 3u);
    EXPECT_EQ(radii[0], 500);
    EXPECT_EQ(radii[1], 471);
    for (std::size_t i = 1; i < radii.size(); ++i) {
        const int shrink = radii[i - 1] - radii[i];
        EXPECT_TRUE(shrink == 29 || shrink == 30) << radii[i - 1] << " -> " << radii[i];
    }
    EXPECT_EQ(radii[radii.size() - 2], 7);
    EXPECT_EQ(radii.back(), -23);
    EXPECT_TRUE(steps.back().finished);
    EXPECT_EQ(t.RingRadius, 0);
    EXPECT_EQ(steps[0].attributes.penWidth, 30);
    EXPECT_TRUE(steps[0].attributes.transparentFill);
}

TEST(Transition, TheIrisPenStaysButBandsDrawTheirAreaAlone)
{
    Transition t;
    fakes::ScriptedRandom random{0.9, 0.0, 0.5, 0.0};
    runToEnd(t, {200, 200}, random);
    const FadeStep curtain = t.step({200, 200}, random);
    ASSERT_EQ(t.Tag, "2");
    EXPECT_EQ(curtain.attributes.penWidth, 30);
    EXPECT_EQ(paintedBounds(curtain.shapes[0], curtain.attributes), curtain.shapes[0].rect);

    t.Tag = "1";
    const FadeStep shutter = t.step({200, 200}, random);
    EXPECT_EQ(shutter.attributes.penWidth, 1);
    EXPECT_EQ(paintedBounds(shutter.shapes[0], shutter.attributes), shutter.shapes[0].rect);
}

TEST(Transition, AbandonStartsTheNextTransitionAfresh)
{
    Transition t;
    fakes::ScriptedRandom random{0.0, 0.0};
    t.step({640, 480}, random);
    t.step({640, 480}, random);
    EXPECT_EQ(t.ShutterPos, 50);
    t.abandon();
    random.push(0.0);
    random.push(0.0);
    const FadeStep first = t.step({640, 480}, random);
    EXPECT_EQ(first.shapes[0].rect.top(), 0);
}

// A picture of no size (ZoomMax 0, or a picture that never decoded) closes at once.
TEST(Transition, APictureOfNoSizeFinishesEveryVariantInOneStep)
{
    for (double variant : {0.0, 0.5, 0.9}) {
        Transition t;
        fakes::ScriptedRandom random{variant, 0.0};
        const FadeStep step = t.step({0, 0}, random);
        EXPECT_TRUE(step.finished) << variant;
        EXPECT_TRUE(t.Tag.isEmpty()) << variant;
    }
}
