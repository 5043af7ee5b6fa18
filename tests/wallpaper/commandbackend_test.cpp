#include "wallpaper/commandbackend.h"

#include "fakes/rawnames.h"
#include "platform/pathbytes.h"
#include "platform/safefile.h"
#include "wallpaper/backends.h"
#include "wallpapertestutil.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qelvo;
using namespace qelvo::wallpaper;
using namespace qelvo::wallpapertest;

namespace
{

// Records the commands; answers from a script keyed by program name.
class RecordingRunner final : public CommandRunner
{
public:
    CommandResult run(const CommandLine &command) override
    {
        calls.push_back(command);
        if (failing.contains(command.program))
            return {};
        for (const QString &argument : command.arguments)
            if (failingArguments.contains(argument))
                return {};
        if (command.arguments.contains("-l"))
            return {true, listing};
        return {true, {}};
    }
    std::vector<CommandLine> calls;
    QStringList failing;          // programs that fail
    QStringList failingArguments; // commands with any of these arguments fail
    QByteArray listing;
};

TEST(CommandBackend, RunsEveryCommandAndSucceedsOnlyWhenAllDo)
{
    auto runner = std::make_shared<RecordingRunner>();
    CommandBackend gnome(Desktop::Gnome, runner);
    EXPECT_TRUE(gnome.SetDeskWallPaper("/p/w.bmp"));
    EXPECT_EQ(runner->calls, desktopCommands(Desktop::Gnome, "/p/w.bmp"));

    runner->calls.clear();
    runner->failing = {"gsettings"};
    EXPECT_FALSE(gnome.SetDeskWallPaper("/p/w.bmp"));
    EXPECT_EQ(runner->calls.size(), 2u) << "the dark style is still tried";
}

TEST(CommandBackend, GnomeWithoutTheDarkStyleKeyStillTakesTheChange)
{
    // GNOME before 42: gsettings refuses the unknown key picture-uri-dark.
    auto runner = std::make_shared<RecordingRunner>();
    runner->failingArguments = {"picture-uri-dark"};
    CommandBackend gnome(Desktop::Gnome, runner);
    EXPECT_TRUE(gnome.SetDeskWallPaper("/p/w.bmp"));
    EXPECT_EQ(runner->calls, desktopCommands(Desktop::Gnome, "/p/w.bmp")) << "the dark key is still set";

    runner->calls.clear();
    runner->failingArguments = {"picture-uri"};
    EXPECT_FALSE(gnome.SetDeskWallPaper("/p/w.bmp")) << "the light key is what changes the picture";
    EXPECT_EQ(runner->calls.size(), 2u);
}

TEST(CommandBackend, XfceFailsWhenAnyMonitorRefuses)
{
    auto runner = std::make_shared<RecordingRunner>();
    runner->listing = "/backdrop/screen0/monitorA/workspace0/last-image\n"
                      "/backdrop/screen0/monitorB/workspace0/last-image\n";
    runner->failingArguments = {"/backdrop/screen0/monitorB/workspace0/last-image"};
    CommandBackend xfce(Desktop::Xfce, runner);
    EXPECT_FALSE(xfce.SetDeskWallPaper("/p/w.bmp"));
    EXPECT_EQ(runner->calls.size(), 3u);
}

TEST(CommandBackend, HandsOverAbsolutePathsOnly)
{
    auto runner = std::make_shared<RecordingRunner>();
    CommandBackend kde(Desktop::Kde, runner);
    EXPECT_TRUE(kde.SetDeskWallPaper("-rf.bmp"));
    ASSERT_EQ(runner->calls.size(), 1u);
    EXPECT_EQ(runner->calls[0].arguments, QStringList{QDir::current().absoluteFilePath("-rf.bmp")});
    EXPECT_FALSE(kde.SetDeskWallPaper(QString()));
    EXPECT_EQ(runner->calls.size(), 1u);
}

TEST(CommandBackend, XfceWithoutAMonitorNameCreatesMonitor0)
{
    auto runner = std::make_shared<RecordingRunner>();
    CommandBackend xfce(Desktop::Xfce, runner);
    EXPECT_TRUE(xfce.SetDeskWallPaper("/p/w.bmp"));
    ASSERT_EQ(runner->calls.size(), 2u);
    EXPECT_EQ(runner->calls[0], xfceListCommand());
    EXPECT_EQ(runner->calls[1], xfceCommands("", "/p/w.bmp", "0")[0]);
}

// Records the path handed over and the picture's bytes at that moment.
class RecordingBackend final : public WallpaperBackend
{
public:
    bool SetDeskWallPaper(const QString &path) override
    {
        paths.push_back(path);
        contents.push_back(readBytes(path));
        return answer;
    }
    std::vector<QString> paths;
    std::vector<QByteArray> contents;
    bool answer = true;
};

class FreshNameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto inner = std::make_unique<RecordingBackend>();
        recorder = inner.get();
        backend = std::make_unique<FreshNameBackend>(std::move(inner), dir.path(), "qelvo");
        bitmap = dir.filePath("qelvowp.bmp");
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir;
    RecordingBackend *recorder = nullptr;
    std::unique_ptr<FreshNameBackend> backend;
    QString bitmap;
};

TEST_F(FreshNameTest, EachChangeGetsANewNameAndTheOldOneGoes)
{
    ASSERT_TRUE(writeBytes(bitmap, "BM first"));
    ASSERT_TRUE(writeBytes(dir.filePath("qelvowp-5.bmp.keep"), "x"));
    ASSERT_TRUE(writeBytes(dir.filePath("otherwp-5.bmp"), "x"));
    EXPECT_TRUE(backend->SetDeskWallPaper(bitmap));
    ASSERT_TRUE(writeBytes(bitmap + ".new", "BM second"));
    ASSERT_TRUE(QFile::remove(bitmap) && QFile::rename(bitmap + ".new", bitmap)); // as the atomic save does
    EXPECT_TRUE(backend->SetDeskWallPaper(bitmap));

    ASSERT_EQ(recorder->paths.size(), 2u);
    EXPECT_NE(recorder->paths[0], recorder->paths[1]);
    for (const QString &path : recorder->paths) {
        EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(bitmap).absolutePath());
        EXPECT_TRUE(QFileInfo(path).fileName().contains(QRegularExpression("^qelvowp-[0-9]+\\.bmp$")));
    }
    EXPECT_EQ(recorder->contents[0], "BM first");
    EXPECT_EQ(recorder->contents[1], "BM second");
    EXPECT_EQ(files(), (QStringList{"otherwp-5.bmp", QFileInfo(recorder->paths[1]).fileName(),
                                    "qelvowp-5.bmp.keep", "qelvowp.bmp"}));
}

TEST_F(FreshNameTest, ARefusedChangeKeepsEveryNameTheDesktopMayStillShow)
{
    ASSERT_TRUE(writeBytes(bitmap, "BM"));
    EXPECT_TRUE(backend->SetDeskWallPaper(bitmap));
    recorder->answer = false;
    EXPECT_FALSE(backend->SetDeskWallPaper(bitmap));
    EXPECT_EQ(files(), (QStringList{QFileInfo(recorder->paths[0]).fileName(),
                                    QFileInfo(recorder->paths[1]).fileName(), "qelvowp.bmp"}));
    recorder->answer = true;
    EXPECT_TRUE(backend->SetDeskWallPaper(bitmap));
    EXPECT_EQ(files(), (QStringList{QFileInfo(recorder->paths[2]).fileName(), "qelvowp.bmp"}));
}

// Replaces the bitmap the way the atomic save does: a new file renamed over it.
void replaceBitmap(const QString &bitmap, const QByteArray &bytes)
{
    ASSERT_TRUE(writeBytes(bitmap + ".new", bytes));
    ASSERT_TRUE(QFile::remove(bitmap) && QFile::rename(bitmap + ".new", bitmap));
}

QStringList freshFiles(const QString &folder)
{
    return QDir(folder).entryList({"qelvowp-*.bmp"}, QDir::Files, QDir::Name);
}

TEST_F(FreshNameTest, ThePictureLastTakenStaysWhileLaterChangesAreRefused)
{
    ASSERT_TRUE(writeBytes(bitmap, "BM taken"));
    EXPECT_TRUE(backend->SetDeskWallPaper(bitmap));
    const QString taken = recorder->paths[0];
    recorder->answer = false;
    for (int i = 1; i <= 12; ++i) {
        replaceBitmap(bitmap, "BM refused " + QByteArray::number(i));
        EXPECT_FALSE(backend->SetDeskWallPaper(bitmap));
        const QString handed = recorder->paths.back();
        EXPECT_EQ(freshFiles(dir.path()),
                  (QStringList{QFileInfo(taken).fileName(), QFileInfo(handed).fileName()}))
            << "change " << i;
        EXPECT_EQ(readBytes(taken), "BM taken");
        EXPECT_EQ(readBytes(handed), "BM refused " + QByteArray::number(i));
    }
    recorder->answer = true;
    EXPECT_TRUE(backend->SetDeskWallPaper(bitmap));
    EXPECT_EQ(files(), (QStringList{QFileInfo(recorder->paths.back()).fileName(), "qelvowp.bmp"}));
}

TEST_F(FreshNameTest, TheNewestCopyOfAnEarlierRunStaysUntilAChangeIsTaken)
{
    // Numbers compare as numbers, not as text.
    for (const char *name : {"qelvowp-99.bmp", "qelvowp-200.bmp", "qelvowp-1000.bmp"})
        ASSERT_TRUE(writeBytes(dir.filePath(name), "BM earlier"));
    ASSERT_TRUE(writeBytes(bitmap, "BM"));
    recorder->answer = false;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(backend->SetDeskWallPaper(bitmap));
        EXPECT_EQ(freshFiles(dir.path()),
                  (QStringList{"qelvowp-1000.bmp", QFileInfo(recorder->paths.back()).fileName()}));
    }
    recorder->answer = true;
    EXPECT_TRUE(backend->SetDeskWallPaper(bitmap));
    EXPECT_EQ(freshFiles(dir.path()), QStringList{QFileInfo(recorder->paths.back()).fileName()});
}

TEST_F(FreshNameTest, ANameIsNeverHandedOverTwice)
{
    // Many changes within one millisecond must not bring back a name the
    // desktop may have cached.
    ASSERT_TRUE(writeBytes(bitmap, "BM"));
    for (int i = 0; i < 50; ++i) {
        recorder->answer = i % 3 != 0;
        backend->SetDeskWallPaper(bitmap);
    }
    QStringList handed(recorder->paths.begin(), recorder->paths.end());
    handed.removeDuplicates();
    EXPECT_EQ(handed.size(), 50);
}

TEST(FreshNameFiles, ADesktopThatAlwaysRefusesDoesNotFillTheFolder)
{
    // KDE without plasma-apply-wallpaperimage: every change fails.
    QTemporaryDir dir;
    const AppIdentity identity{dir.path(), "qelvo"};
    const QString bitmap = identity.wallpaperBitmapPath();
    ASSERT_TRUE(writeBytes(bitmap, "BM"));
    auto runner = std::make_shared<RecordingRunner>();
    runner->failing = {"plasma-apply-wallpaperimage"};
    QProcessEnvironment kde;
    kde.insert("XDG_CURRENT_DESKTOP", "KDE");
    auto backend = makeDesktopBackend(kde, identity, runner);
    for (int i = 0; i < 30; ++i) {
        replaceBitmap(bitmap, "BM " + QByteArray::number(i));
        EXPECT_FALSE(backend->SetDeskWallPaper(bitmap));
        ASSERT_EQ(runner->calls.size(), size_t(i + 1));
        const QString handed = runner->calls.back().arguments.value(0);
        EXPECT_LE(freshFiles(dir.path()).size(), 2) << "change " << i;
        EXPECT_TRUE(freshFiles(dir.path()).contains(QFileInfo(handed).fileName()));
    }
    EXPECT_TRUE(QFile::exists(bitmap));
}

TEST(FreshNameFiles, GnomeWithoutTheDarkStyleKeyKeepsOnlyTheCopyOnScreen)
{
    QTemporaryDir dir;
    const AppIdentity identity{dir.path(), "qelvo"};
    ASSERT_TRUE(writeBytes(identity.wallpaperBitmapPath(), "BM"));
    auto runner = std::make_shared<RecordingRunner>();
    runner->failingArguments = {"picture-uri-dark"};
    QProcessEnvironment gnome;
    gnome.insert("XDG_CURRENT_DESKTOP", "GNOME");
    auto backend = makeDesktopBackend(gnome, identity, runner);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(backend->SetDeskWallPaper(identity.wallpaperBitmapPath()));
        EXPECT_EQ(freshFiles(dir.path()).size(), 1);
    }
}

TEST_F(FreshNameTest, PicturesElsewhereAndUnwritableFoldersStillWork)
{
    QTemporaryDir other;
    const QString photo = other.filePath("my photo.bmp");
    ASSERT_TRUE(writeBytes(photo, "BM photo"));
    EXPECT_TRUE(backend->SetDeskWallPaper(photo));
    EXPECT_EQ(recorder->contents.back(), "BM photo");
    EXPECT_TRUE(QFile::exists(photo));
    // An old disk's name, not UTF-8, is linked like any other.
    const QString cp932 = decodePath(QFile::encodeName(other.path()) + "/" + fakes::kCp932Name + ".bmp");
    ASSERT_TRUE(writeNewFile(cp932, "BM cp932").ok());
    EXPECT_TRUE(backend->SetDeskWallPaper(cp932));
    EXPECT_EQ(recorder->contents.back(), "BM cp932");

    auto inner = std::make_unique<RecordingBackend>();
    RecordingBackend *seen = inner.get();
    FreshNameBackend fallback(std::move(inner), dir.filePath("missing"), "qelvo");
    EXPECT_TRUE(fallback.SetDeskWallPaper(photo));
    EXPECT_EQ(seen->paths, std::vector<QString>{photo});
}

TEST(DesktopBackendFactory, PicksTheBackendFromTheEnvironment)
{
    QTemporaryDir dir;
    const AppIdentity identity{dir.path(), "qelvo"};
    ASSERT_TRUE(writeBytes(identity.wallpaperBitmapPath(), "BM"));

    auto runner = std::make_shared<RecordingRunner>();
    QProcessEnvironment gnome;
    gnome.insert("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
    EXPECT_TRUE(
        makeDesktopBackend(gnome, identity, runner)->SetDeskWallPaper(identity.wallpaperBitmapPath()));
    ASSERT_EQ(runner->calls.size(), 2u);
    const QString uri = runner->calls[0].arguments.last();
    EXPECT_TRUE(uri.startsWith("'" + fileUri(dir.path()) + "/qelvowp-")) << uri.toStdString();

    runner->calls.clear();
    QProcessEnvironment nothing;
    nothing.insert("WAYLAND_DISPLAY", "wayland-0");
    EXPECT_FALSE(
        makeDesktopBackend(nothing, identity, runner)->SetDeskWallPaper(identity.wallpaperBitmapPath()));
    EXPECT_TRUE(runner->calls.empty());
}

} // namespace
