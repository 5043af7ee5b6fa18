#include "fakes/fakes.h"
#include "slideshow/picturebox.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace qelvo;
using namespace qelvo::slideshow;

namespace
{

const QSize kBox(320, 180);

// A step drawn the plain way: onto a whole copy of what is shown.
void drawOnCopy(QImage &image, const FadeStep &step)
{
    const qreal dpr = image.devicePixelRatio();
    const int pen = std::max(step.attributes.penWidth, 1);
    for (const FadeShape &shape : step.shapes) {
        if (shape.kind == FadeShape::Kind::Circle) {
            QPainter p(&image);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            const bool dot = shape.radius <= 0;
            p.setPen(dot ? QPen(Qt::NoPen) : QPen(Qt::black, pen));
            p.setBrush(step.attributes.transparentFill && !dot ? Qt::NoBrush : Qt::SolidPattern);
            const qreal radius = dot ? pen / 2.0 : shape.radius;
            p.drawEllipse(QPointF(shape.centre), radius, radius);
            continue;
        }
        const QRectF b = paintedBounds(shape, step.attributes);
        const QRect r = QRectF(b.x() * dpr, b.y() * dpr, b.width() * dpr, b.height() * dpr).toAlignedRect() &
                        image.rect();
        const QRgb mask = step.attributes.fillColor.rgb() | 0xff000000u;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                const RasterMode mode = step.attributes.mode;
                image.setPixel(x, y,
                               mode == RasterMode::Invert ? pixel ^ 0x00ffffffu
                               : mode == RasterMode::Mask ? pixel & mask
                                                          : 0xff000000u);
            }
    }
}

QImage gradient(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / size.width(), y * 255 / size.height(), (x ^ y) & 255));
    return image;
}

QImage onScreen(PictureBox &box)
{
    return box.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

// The box keeps the transition apart from the picture and copies only what
// each step draws on; what it shows and paints must equal every step drawn
// onto a whole copy, and clearing must bring the picture back untouched.
TEST(PictureBox, ShowsEachStepAsIfDrawnOnACopyOfThePicture)
{
    // Run under QT_SCALE_FACTOR=2 as well, for a box that stores device pixels.
    const qreal dpr = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? 2 : 1;
    struct Run {
        const char *name;
        std::vector<std::pair<double, double>> transitions; // variant and mode draws
        bool picture;
    };
    const Run runs[] = {
        {"shutter in black", {{0.0, 0.0}}, true},
        {"curtain in the mask, a shutter inverting over it, the mask again",
         {{0.5, 0.9}, {0.0, 0.99}, {0.5, 0.9}},
         true},
        {"an inverting curtain", {{0.5, 0.99}}, true},
        {"iris", {{0.99, 0.0}}, true},
        {"iris, then a curtain with its wide pen, over no picture", {{0.99, 0.0}, {0.5, 0.0}}, false},
    };
    for (const Run &run : runs) {
        SCOPED_TRACE(run.name);
        PictureBox box;
        box.resize(kBox);
        box.show();
        ASSERT_EQ(box.devicePixelRatioF(), dpr);
        QImage expected = gradient(box.deviceSize(kBox));
        if (run.picture) {
            box.showPicture(expected);
        } else {
            box.clearPicture();
            expected.fill(Qt::black);
        }
        expected.setDevicePixelRatio(dpr);
        const QImage start = expected;
        fakes::ScriptedRandom random;
        Transition transition;
        int steps = 0;
        for (const auto &[variant, mode] : run.transitions) {
            random.push(variant);
            random.push(mode);
            for (bool finished = false; !finished; ++steps) {
                const FadeStep step = transition.step(kBox, random);
                finished = step.finished;
                box.drawFade(step);
                drawOnCopy(expected, step);
                ASSERT_EQ(box.shownImage(), expected) << "step " << steps;
                ASSERT_EQ(onScreen(box), expected) << "step " << steps;
            }
        }
        EXPECT_GT(steps, 3);
        box.clearTransition();
        EXPECT_EQ(box.shownImage(), box.picture());
        EXPECT_EQ(onScreen(box), start);
    }
}

// A whole transition of each kind in each raster mode, at two picture sizes:
// the bands, areas and rings tile the picture, so every pixel ends combined
// with the mode exactly once (an inverted pixel inverted twice would show the
// picture again, one left out too). The iris always draws black.
TEST(PictureBox, EveryTransitionCoversEachPixelExactlyOnce)
{
    struct Mode {
        const char *name;
        double draw;
        QRgb (*combine)(QRgb);
    };
    const Mode modes[] = {
        {"black", 0.0, [](QRgb) { return 0xff000000u; }},
        {"mask", 0.9, [](QRgb p) { return p & 0xff0000ffu; }},
        {"invert", 0.99, [](QRgb p) { return p ^ 0x00ffffffu; }},
    };
    const std::pair<const char *, double> kinds[] = {{"shutter", 0.0}, {"curtain", 0.5}, {"iris", 0.99}};
    for (const QSize size : {QSize(320, 180), QSize(301, 203)}) {
        for (const auto &[kind, variant] : kinds) {
            for (const Mode &mode : modes) {
                SCOPED_TRACE(std::string(kind) + " in " + mode.name + " at " + std::to_string(size.width()));
                PictureBox box;
                box.resize(size);
                box.show();
                const QImage start = gradient(box.deviceSize(size));
                box.showPicture(start);
                // After an iris, so that its wide pen is still set.
                fakes::ScriptedRandom random{0.99, 0.0, variant, mode.draw};
                Transition transition;
                for (int passes = 0; passes < 2; ++passes) {
                    for (bool finished = false; !finished;) {
                        const FadeStep step = transition.step(size, random);
                        finished = step.finished;
                        if (passes == 1)
                            box.drawFade(step);
                    }
                }
                const QImage shown = box.shownImage();
                ASSERT_EQ(shown.size(), start.size());
                int wrong = 0;
                int firstRow = -1;
                for (int y = 0; y < start.height(); ++y)
                    for (int x = 0; x < start.width(); ++x) {
                        const QRgb want = variant == 0.99 ? 0xff000000u : mode.combine(start.pixel(x, y));
                        if (shown.pixel(x, y) != want && wrong++ == 0)
                            firstRow = y;
                    }
                EXPECT_EQ(wrong, 0) << "first in row " << firstRow;
            }
        }
    }
}
