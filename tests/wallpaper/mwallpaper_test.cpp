#include "wallpaper/mwallpaper.h"

#include "fakes/fakes.h"
#include "wallpapertestutil.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qelvo;
using namespace qelvo::wallpapertest;

namespace
{

// Records each bitmap handed to the desktop and what it showed at that moment.
class RecordingBackend final : public WallpaperBackend
{
public:
    struct Call {
        QString path;
        QImage picture;
        QByteArray head;
    };
    bool SetDeskWallPaper(const QString &bitmapPath) override
    {
        calls.push_back({bitmapPath, QImage(bitmapPath), readBytes(bitmapPath).left(30)});
        return takes;
    }
    std::vector<Call> calls;
    bool takes = true; // what the desktop answers
};

const QString kChanged = QStringLiteral("壁紙を変更しました ファイルパス:");

class SetWallPaperTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_identity.folder = m_dir.path();
        m_identity.baseName = "qelvo";
        m_ui.showStatus = [this](const QString &text) { statuses.push_back(text); };
        m_ui.showError = [this](const QString &text) { errors.push_back(text); };
    }

    QString file(const QString &name) const { return m_dir.filePath(name); }
    QString bitmap() const { return m_identity.wallpaperBitmapPath(); }

    void set(const QString &path, const FileSystem &fs = realFileSystem())
    {
        mWallPaper wp(m_identity, backend, fs);
        wp.SetWallPaper(path, m_ui);
    }

    QTemporaryDir m_dir;
    AppIdentity m_identity;
    WallpaperUi m_ui;
    RecordingBackend backend;
    std::vector<QString> statuses;
    std::vector<QString> errors;
};

TEST_F(SetWallPaperTest, BitmapIsSetWhereItLiesAndNamedInTheMessage)
{
    const QString bmp = file("photo.bmp");
    ASSERT_TRUE(savePicture(bmp, Qt::green, "BMP"));
    set(bmp);
    ASSERT_EQ(backend.calls.size(), 1u);
    EXPECT_EQ(backend.calls[0].path, bmp);
    EXPECT_EQ(statuses, std::vector<QString>{kChanged + bmp});
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(QFile::exists(bitmap()));
}

TEST_F(SetWallPaperTest, JpegAndGifImagesAreConvertedIntoTheWallpaperBitmap)
{
    struct Case {
        const char *name;
        const char *format;
        QColor colour;
    };
    const Case cases[] = {{"a.jpg", "JPG", Qt::red},
                          {"b.jpeg", "JPG", Qt::blue},
                          {"C.JPG", "JPG", Qt::green},
                          {"d.gif", "GIF", Qt::yellow},
                          {"e.Jpeg", "JPG", Qt::magenta},
                          // A hostile name is just a name here.
                          {"a'; touch x; '.jpg", "JPG", Qt::cyan},
                          {"$(id) 写真.gif", "GIF", Qt::white}};
    for (const Case &c : cases) {
        const QString source = file(c.name);
        ASSERT_TRUE(savePicture(source, c.colour, c.format)) << c.name;
        backend.calls.clear();
        statuses.clear();
        set(source);
        ASSERT_EQ(backend.calls.size(), 1u) << c.name;
        const RecordingBackend::Call &call = backend.calls[0];
        EXPECT_EQ(call.path, bitmap());
        EXPECT_EQ(call.head.left(2), "BM");
        EXPECT_EQ(call.head.at(28), 24) << "24 bits per pixel";
        EXPECT_TRUE(near(call.picture.pixelColor(20, 15), c.colour)) << c.name;
        EXPECT_EQ(call.picture.size(), QSize(40, 30));
        EXPECT_EQ(statuses, std::vector<QString>{kChanged + source}) << c.name;
    }
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(QFile::exists(file("x")));
}

TEST_F(SetWallPaperTest, TwoConversionsInARowReplaceTheFirstPicture)
{
    ASSERT_TRUE(savePicture(file("red.jpg"), Qt::red, "JPG"));
    ASSERT_TRUE(savePicture(file("blue.gif"), Qt::blue, "GIF", {64, 48}));
    set(file("red.jpg"));
    set(file("blue.gif"));
    ASSERT_EQ(backend.calls.size(), 2u);
    EXPECT_EQ(backend.calls[0].path, backend.calls[1].path);
    EXPECT_TRUE(near(backend.calls[0].picture.pixelColor(1, 1), Qt::red));
    EXPECT_TRUE(near(backend.calls[1].picture.pixelColor(1, 1), Qt::blue));
    EXPECT_EQ(QImage(bitmap()).size(), QSize(64, 48));
}

TEST_F(SetWallPaperTest, OtherNamesAreSetOnlyWhenTheFileIsABitmap)
{
    ASSERT_TRUE(savePicture(file("picture.png"), Qt::red, "PNG"));
    set(file("picture.png"));
    // A bitmap under another extension, and a JPEG under .bmp (not a bitmap after all).
    ASSERT_TRUE(savePicture(file("picture.dib"), Qt::blue, "BMP"));
    ASSERT_TRUE(savePicture(file("fake.bmp"), Qt::blue, "JPG"));
    set(file("fake.bmp"));
    ASSERT_TRUE(writeBytes(file("short.bmp"), "B"));
    set(file("short.bmp"));
    set(file("picture.dib"));

    ASSERT_EQ(backend.calls.size(), 1u);
    EXPECT_EQ(backend.calls[0].path, file("picture.dib"));
    EXPECT_EQ(statuses, std::vector<QString>{kChanged + file("picture.dib")});
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(QFile::exists(bitmap()));
}

TEST_F(SetWallPaperTest, MissingFilesFoldersAndEmptyPathsArePassedOverQuietly)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder.jpg"));
    for (const QString &path : {file("gone.jpg"), file("gone.bmp"), file("folder.jpg"), QString()})
        set(path);
    // The file system decides what counts as there (a hidden picture, say).
    ASSERT_TRUE(savePicture(file("hidden.jpg"), Qt::red, "JPG"));
    fakes::FakeFileSystem fs;
    set(file("hidden.jpg"), fs);

    EXPECT_TRUE(backend.calls.empty());
    EXPECT_TRUE(statuses.empty());
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(QFile::exists(bitmap()));
}

TEST_F(SetWallPaperTest, BrokenPictureIsReportedAndTheEarlierBitmapStays)
{
    ASSERT_TRUE(savePicture(file("red.jpg"), Qt::red, "JPG"));
    set(file("red.jpg"));
    ASSERT_TRUE(writeBytes(file("broken.jpg"), QByteArray("\xff\xd8\xff\xe0 not really a JPEG")));
    set(file("broken.jpg"));

    EXPECT_EQ(backend.calls.size(), 1u);
    EXPECT_EQ(statuses.size(), 1u);
    EXPECT_EQ(errors, std::vector<QString>{"壁紙変更時にエラーが発生しました。\n\nエラー番号:481"});
    EXPECT_TRUE(near(QImage(bitmap()).pixelColor(5, 5), Qt::red));
}

TEST_F(SetWallPaperTest, AGiantPictureIsRefusedRatherThanExhaustingMemory)
{
    // A GIF announcing 65535 x 65535 pixels (16 GB decoded) with almost no data.
    QByteArray gif = solidGif({1, 1}, Qt::red);
    for (int at : {6, 7, 8, 9, 24, 25, 26, 27})
        gif[at] = char(0xff);
    ASSERT_TRUE(writeBytes(file("giant.gif"), gif));
    set(file("giant.gif"));
    EXPECT_EQ(errors, std::vector<QString>{wallpaperErrorText(WallpaperError::InvalidPicture)});
    EXPECT_TRUE(backend.calls.empty());
}

TEST_F(SetWallPaperTest, UnwritableBitmapAndUnreadableFileAreReportedWithTheirNumbers)
{
    ASSERT_TRUE(savePicture(file("red.jpg"), Qt::red, "JPG"));
    m_identity.folder = file("no such folder");
    set(file("red.jpg"));
    EXPECT_EQ(errors, std::vector<QString>{wallpaperErrorText(WallpaperError::BitmapWrite)});
    EXPECT_EQ(wallpaperErrorText(WallpaperError::BitmapWrite),
              "壁紙変更時にエラーが発生しました。\n\nエラー番号:75");

    // The file system says it is there, but it cannot be opened.
    errors.clear();
    fakes::FakeFileSystem fs;
    fs.addFile(file("vanished.bmp"));
    set(file("vanished.bmp"), fs);
    EXPECT_EQ(errors, std::vector<QString>{"壁紙変更時にエラーが発生しました。\n\nエラー番号:57"});
    EXPECT_TRUE(backend.calls.empty());
    EXPECT_TRUE(statuses.empty());
}

TEST_F(SetWallPaperTest, ARefusalOfTheDesktopIsReportedNotToldAsAChange)
{
    ASSERT_TRUE(savePicture(file("photo.bmp"), Qt::green, "BMP"));
    ASSERT_TRUE(savePicture(file("red.jpg"), Qt::red, "JPG"));
    backend.takes = false;
    for (const char *name : {"photo.bmp", "red.jpg"})
        set(file(name));
    EXPECT_EQ(backend.calls.size(), 2u);
    EXPECT_TRUE(statuses.empty());
    const QString refused = "壁紙変更時にエラーが発生しました。\n\nエラー番号:1000";
    EXPECT_EQ(errors, (std::vector<QString>{refused, refused}));
}

TEST_F(SetWallPaperTest, WorksWithoutAnyoneListening)
{
    ASSERT_TRUE(writeBytes(file("broken.gif"), "GIF89a"));
    ASSERT_TRUE(savePicture(file("ok.gif"), Qt::red, "GIF"));
    mWallPaper wp(m_identity, backend);
    wp.SetWallPaper(file("broken.gif"), WallpaperUi{});
    wp.SetWallPaper(file("ok.gif"), WallpaperUi{});
    EXPECT_EQ(backend.calls.size(), 1u);
}

TEST(ConvertedNames, AreTheLastThreeCharactersInAnyCase)
{
    for (const char *name : {"a.jpg", "a.JPG", "a.jpeg", "a.JPEG", "a.gif", "a.GiF", "xjpg", "peg"})
        EXPECT_TRUE(isConvertedImageName(name)) << name;
    for (const char *name : {"a.bmp", "a.png", "a.jpg ", "a.jp", "", "a.jpe", "a.dib"})
        EXPECT_FALSE(isConvertedImageName(name)) << name;
}

} // namespace
