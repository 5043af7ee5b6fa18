#include "gatedrender.h"
#include "slideshow/pictureloader.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qelvo;
using qelvo::testing::GatedRender;
using qelvo::testing::waitUntil;

namespace
{

class Loader : public ::testing::Test
{
protected:
    Loader()
    {
        QObject::connect(&loader, &PictureLoader::loaded,
                         [this](const QString &path, const QImage &) { delivered << path; });
    }
    ~Loader() override { gate.release(); }
    QString file(const QString &name, const QByteArray &bytes = "x")
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }

    QTemporaryDir dir;
    GatedRender gate;
    PictureLoader loader{gate.render()};
    QStringList delivered;
    const QSize box{64, 48};
    const TargetRule boxRule = [box = box](QSize) { return box; };
};

} // namespace

TEST_F(Loader, OnlyTheLatestLoadIsDecodedAfterTheOneUnderWayAndDelivered)
{
    loader.load("/a", box);
    ASSERT_TRUE(gate.waitForStarted(1));
    loader.load("/b", box);
    loader.load("/c", box);
    gate.release();
    ASSERT_TRUE(waitUntil([&] { return loader.idle(); }));
    EXPECT_EQ(gate.started(), (QStringList{"/a", "/c"}));
    EXPECT_EQ(delivered, QStringList{"/c"});
}

TEST_F(Loader, APreparedPictureIsTakenOnceAndNotAfterItsFileChanged)
{
    const QString x = file("x.jpg");
    gate.release();
    loader.prepare(x, boxRule);
    ASSERT_TRUE(waitUntil([&] { return loader.idle(); }));
    EXPECT_EQ(loader.preparedNaturalSize(x, stampOf(x)), GatedRender::kNatural);
    EXPECT_FALSE(loader.takePrepared(x, QSize(10, 10))); // another size
    EXPECT_TRUE(loader.takePrepared(x, box));
    EXPECT_FALSE(loader.takePrepared(x, box));
    EXPECT_FALSE(loader.preparedNaturalSize(x, stampOf(x)));

    loader.prepare(x, boxRule);
    ASSERT_TRUE(waitUntil([&] { return loader.idle(); }));
    file("x.jpg", "a longer file");
    EXPECT_FALSE(loader.preparedNaturalSize(x, stampOf(x)));
    EXPECT_FALSE(loader.takePrepared(x, box));
    EXPECT_TRUE(delivered.isEmpty());
}

TEST_F(Loader, TheScreenAdoptsThePrepareUnderWayInsteadOfDecodingAgain)
{
    const QString x = file("x.jpg");
    loader.prepare(x, boxRule);
    ASSERT_TRUE(gate.waitForStarted(1));
    ASSERT_TRUE(loader.preparing(x));
    loader.adopt();
    loader.prepare("/next", boxRule); // waits for the adopted one
    gate.release();
    ASSERT_TRUE(waitUntil([&] { return loader.idle(); }));
    EXPECT_EQ(delivered, QStringList{x});
    EXPECT_EQ(gate.started(), (QStringList{x, "/next"}));
}

// The header, the box and the decode come from one open file: a file gone
// between the header and the decode is still decoded, for the box the rule
// gave from the natural size.
TEST(RenderPicture, ReadsTheFileOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("once.jpg");
    QImage stored(640, 480, QImage::Format_RGB32);
    stored.fill(Qt::blue);
    ASSERT_TRUE(stored.save(path, "JPEG"));
    const RenderedPicture picture = renderPicture(path, [path](QSize natural) {
        QFile::remove(path);
        return natural / 8;
    });
    EXPECT_EQ(picture.natural, QSize(640, 480));
    ASSERT_EQ(picture.image.size(), QSize(80, 60));
    EXPECT_GT(qBlue(picture.image.pixel(40, 30)), 200);
}
