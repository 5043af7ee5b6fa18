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
    loader.prepare(x, box);
    ASSERT_TRUE(waitUntil([&] { return loader.idle(); }));
    EXPECT_FALSE(loader.takePrepared(x, QSize(10, 10))); // another size
    EXPECT_TRUE(loader.takePrepared(x, box));
    EXPECT_FALSE(loader.takePrepared(x, box));

    loader.prepare(x, box);
    ASSERT_TRUE(waitUntil([&] { return loader.idle(); }));
    file("x.jpg", "a longer file");
    EXPECT_FALSE(loader.takePrepared(x, box));
    EXPECT_TRUE(delivered.isEmpty());
}

TEST_F(Loader, TheScreenAdoptsThePrepareUnderWayInsteadOfDecodingAgain)
{
    const QString x = file("x.jpg");
    loader.prepare(x, box);
    ASSERT_TRUE(gate.waitForStarted(1));
    ASSERT_TRUE(loader.preparing(x, box));
    loader.adopt();
    loader.prepare("/next", box); // waits for the adopted one
    gate.release();
    ASSERT_TRUE(waitUntil([&] { return loader.idle(); }));
    EXPECT_EQ(delivered, QStringList{x});
    EXPECT_EQ(gate.started(), (QStringList{x, "/next"}));
}
