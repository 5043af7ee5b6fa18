#include "settings/writer.h"

#include "platform/filesystem.h"
#include "settings/settingsfile.h"
#include "settings/textcodec.h"

#include "fakes/folderflags.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace qelvo::settings;
using qelvo::fakes::refuseNewFiles;
using qelvo::fakes::setFolderFlag;

namespace
{
SettingsHead head(const QString &executeNumber)
{
    SettingsHead h;
    h.appName = "qelvo";
    h.appVersion = "1.0.0";
    h.appLastAccPath = "/home/u/Pictures";
    h.executeNumber = executeNumber;
    h.wpChanger = 2;
    h.wpIndex = 7;
    h.lastExecute = QDateTime(QDate(2026, 12, 7), QTime(9, 5, 3));
    return h;
}
const char *kHead =
    "[AppState]\r\nAppName=qelvo\r\nAppVersion=1.0.0\r\nAppLastAccPath=/home/u/Pictures\r\n\r\n"
    "[ExecuteState]\r\nExecuteNumber=%1\r\nWPChanger=2\r\nWPIndex=7\r\n"
    "LastExecute=2026/12/07 9:05:03\r\n\r\n[SettingLists]\r\n";
QByteArray expectedHead(const char *n)
{
    return QString::fromLatin1(kHead).arg(QLatin1String(n)).toUtf8();
}
} // namespace

TEST(Writer, NoListsEndsWithTheSectionLine)
{
    EXPECT_EQ(encodeSettingsText(formatSettingsFile(head("-1"), {})), expectedHead("-1"));
}

TEST(Writer, EmptyListHasPathesThenEndMarker)
{
    SettingList list;
    list.ListName = "Empty";
    list.ChgTime = 0.5f;
    list.ZoomMax = 1.5f;
    list.MouseDisable = 1;
    const std::vector<SettingList> lists{list};
    EXPECT_EQ(encodeSettingsText(formatSettingsFile(head("0"), lists)),
              expectedHead("0") +
                  "***StartList***\r\nListName=Empty\r\nChgTime=0.5\r\nZoomMax=1.5\r\n"
                  "RandomView=0\r\nMouseDisable=1\r\nEffect=0\r\nPathes\r\n***EndList***\r\n");
}

TEST(Writer, SeveralListsWithEntriesInOrder)
{
    SettingList a;
    a.ListName = QString::fromUtf8("家族");
    a.ChgTime = 10;
    a.ZoomMax = 10;
    a.RandomView = 1;
    a.Effect = 1;
    a.FileList = {{"a.jpg", "/p/a.jpg"}, {"(summer)", "/p/summer"}};
    SettingList b;
    b.ListName = "b";
    b.ChgTime = 2.25f;
    b.ZoomMax = 1;
    b.FileList = {{"z.bmp", "/z.bmp"}};
    const std::vector<SettingList> lists{a, b};
    const QByteArray expected =
        expectedHead("1") +
        QString::fromUtf8(
            "***StartList***\r\nListName=家族\r\nChgTime=10\r\nZoomMax=10\r\nRandomView=1\r\n"
            "MouseDisable=0\r\nEffect=1\r\nPathes\r\na.jpg,/p/a.jpg\r\n(summer),/p/summer\r\n"
            "***EndList***\r\n***StartList***\r\nListName=b\r\nChgTime=2.25\r\nZoomMax=1\r\n"
            "RandomView=0\r\nMouseDisable=0\r\nEffect=0\r\nPathes\r\nz.bmp,/z.bmp\r\n***EndList***\r\n")
            .toUtf8();
    EXPECT_EQ(encodeSettingsText(formatSettingsFile(head("1"), lists)), expected);
}

TEST(WriteSettingsFile, ReplacesWholeAndLeavesNoTemporaryFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Qelvo.ini");
    ASSERT_TRUE(writeSettingsFile(path, "old content that is longer").ok());
    ASSERT_TRUE(writeSettingsFile(path, "new").ok());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "new");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Qelvo.ini"});
}

TEST(WriteSettingsFile, FailureIsReportedAndWhatStoodThereKept)
{
    // A folder where the file should go: it is refused before anything is written.
    QTemporaryDir dir;
    const QString path = dir.filePath("Qelvo.ini");
    ASSERT_TRUE(QDir(dir.path()).mkdir("Qelvo.ini"));
    ASSERT_TRUE(writeSettingsFile(dir.filePath("Qelvo.ini/inner"), "keep me").ok());
    EXPECT_FALSE(writeSettingsFile(path, "lost?").ok());
    QFile inner(dir.filePath("Qelvo.ini/inner"));
    ASSERT_TRUE(inner.open(QIODevice::ReadOnly));
    EXPECT_EQ(inner.readAll(), "keep me");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});
}

namespace
{
// Entries can then be added to the folder but none removed or replaced, so a
// rename over a file in it fails even for root.
bool setAppendOnly(const QString &folder, bool on)
{
    return setFolderFlag(folder, FS_APPEND_FL, on);
}

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}
void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

} // namespace

TEST(WriteSettingsFile, FailedRenameIsReportedAndOldFileKept)
{
    // The new content is written beside the old file; only the final rename over it fails.
    QTemporaryDir dir;
    const QString path = dir.filePath("Qelvo.ini");
    ASSERT_TRUE(writeSettingsFile(path, "old").ok());
    if (!setAppendOnly(dir.path(), true))
        GTEST_SKIP() << "cannot make a folder append-only here (file system or privileges)";
    const qelvo::Outcome saved = writeSettingsFile(path, "new content");
    ASSERT_TRUE(setAppendOnly(dir.path(), false));
    EXPECT_FALSE(saved.ok());
    EXPECT_FALSE(saved.reason().isEmpty());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "old");
}

TEST(WriteSettingsFile, MissingFolderIsReported)
{
    EXPECT_FALSE(writeSettingsFile("/nonexistent-folder-qelvo/Qelvo.ini", "x").ok());
}

TEST(ReadSettingsText, ReportsAMissingFile)
{
    QTemporaryDir dir;
    EXPECT_FALSE(readSettingsText(dir.filePath("none.ini")).has_value());
    QFile f(dir.filePath("x.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x82\xa0");
    f.close();
    EXPECT_EQ(readSettingsText(dir.filePath("x.ini")), QString::fromUtf8("あ"));
}

// A folder that refuses new files: the file is rewritten in place only with
// a whole backup in an existing .bak; links are never written through.
struct InPlaceRow {
    const char *what;
    const char *backup;    // the .bak beforehand: content, "@link" for a link to a victim, null for none
    bool fileIsLink;       // Qelvo.ini itself links to the victim
    bool saved;            // the save succeeds
    const char *fileAfter; // Qelvo.ini's content afterwards
    const char *backupAfter;
};

void PrintTo(const InPlaceRow &row, std::ostream *os)
{
    *os << row.what;
}

class InPlace : public ::testing::TestWithParam<InPlaceRow>
{
};

TEST_P(InPlace, KeepsAWholeBackupAndFollowsNoLink)
{
    const InPlaceRow &row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("Qelvo.ini");
    const QString victim = dir.filePath("victim/private");
    ASSERT_TRUE(QDir(dir.path()).mkdir("victim"));
    put(victim, "private");
    if (row.fileIsLink)
        ASSERT_TRUE(QFile::link(victim, path));
    else
        put(path, "old content, longer than the new one");
    if (row.backup && QByteArray(row.backup) == "@link")
        ASSERT_TRUE(QFile::link(victim, path + ".bak"));
    else if (row.backup)
        put(path + ".bak", row.backup);
    if (!refuseNewFiles(dir.path(), true))
        GTEST_SKIP() << "cannot make a folder refuse new files here (file system or privileges)";
    const qelvo::Outcome saved = writeSettingsFile(path, "new");
    ASSERT_TRUE(refuseNewFiles(dir.path(), false));
    EXPECT_EQ(saved.ok(), row.saved) << saved.reason().toStdString();
    EXPECT_EQ(contentOf(path), row.fileAfter);
    EXPECT_EQ(contentOf(path + ".bak"), row.backupAfter);
    EXPECT_EQ(contentOf(victim), "private");
    struct stat st {
    };
    EXPECT_FALSE(::lstat(QFile::encodeName(path + ".bak").constData(), &st) == 0 && (st.st_mode & S_ISVTX));
}

INSTANTIATE_TEST_SUITE_P(WriteSettingsFile, InPlace,
                         ::testing::Values(InPlaceRow{"a .bak there takes the old content", "older", false,
                                                      true, "new", "old content, longer than the new one"},
                                           InPlaceRow{"no .bak, no rewrite", nullptr, false, false,
                                                      "old content, longer than the new one", "(missing)"},
                                           InPlaceRow{"a linked .bak is not written through", "@link", false,
                                                      false, "old content, longer than the new one",
                                                      "private"},
                                           InPlaceRow{"a linked file is not written through", "older", true,
                                                      false, "private", "older"}),
                         [](const auto &info) { return "Row" + std::to_string(info.index); });

TEST(WriteSettingsFile, ARewriteInPlaceCutShortIsUndoneByTheNextReadOrSave)
{
    // What a kill during the rewrite leaves: a torn file and the marked backup.
    for (const bool bySave : {false, true}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("Qelvo.ini");
        put(path, "new content over the old one");
        put(path + ".bak", "the old content");
        ASSERT_EQ(::chmod(QFile::encodeName(path + ".bak").constData(), 0600 | S_ISVTX), 0);
        if (bySave)
            ASSERT_TRUE(writeSettingsFile(dir.filePath("Qelvo.ini"), "the next save").ok());
        else
            EXPECT_EQ(readSettingsFile(path), QByteArray("the old content"));
        EXPECT_EQ(contentOf(path), bySave ? "the next save" : "the old content");
        struct stat st {
        };
        ASSERT_EQ(::stat(QFile::encodeName(path + ".bak").constData(), &st), 0);
        EXPECT_EQ(st.st_mode & S_ISVTX, 0u);
    }
}

TEST(WriteSettingsFile, OnlyItsOwnLeftoverTemporariesGo)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Qelvo.ini");
    // Left by a killed save; kept: a person's copies (whatever their letters),
    // another file's temporaries, and the temporary of a save still running.
    const QStringList stale{"Qelvo.ini.qelvosave-0123abcd", "Qelvo.ini.qelvosave-ffffffff"};
    const QStringList kept{"Qelvo.ini.Backup",
                           "Qelvo.ini.Monday",
                           "Qelvo.ini.OldSet",
                           "Qelvo.ini.aBcDeF",
                           "Qelvo.ini.bak",
                           "Qelvo.ini.qelvosave-0123ABCD",
                           "Other.ini.qelvosave-0123abcd",
                           "Qelvo.ini.qelvosave-0000beef"};
    for (const QString &name : stale + kept)
        put(dir.filePath(name), "[AppState]\r\n");
    const int running = ::open(QFile::encodeName(dir.filePath(kept.last())).constData(), O_RDONLY);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);
    ASSERT_TRUE(writeSettingsFile(path, "new").ok());
    ::close(running);
    QStringList expected = kept;
    expected << "Qelvo.ini";
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), expected);
}

TEST(WriteSettingsFile, ASymbolicLinkIsReplacedNotWrittenThrough)
{
    // A planted link to another file, and a dangling one (nothing is made where it points).
    for (const bool targetThere : {true, false}) {
        SCOPED_TRACE(targetThere ? "to a file" : "dangling");
        QTemporaryDir dir;
        const QString target = dir.filePath("victim/private");
        ASSERT_TRUE(QDir(dir.path()).mkdir("victim"));
        if (targetThere)
            put(target, "private");
        const QString path = dir.filePath("Qelvo.ini");
        ASSERT_TRUE(QFile::link(target, path));
        ASSERT_TRUE(writeSettingsFile(path, "new").ok());
        EXPECT_FALSE(QFileInfo(path).isSymLink());
        EXPECT_EQ(contentOf(path), "new");
        EXPECT_EQ(contentOf(target), targetThere ? "private" : "(missing)");
    }
}

TEST(WriteSettingsFile, AFiftyMegabyteFileIsReplacedWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Qelvo.ini");
    const QByteArray old(50 * 1024 * 1024, 'o');
    const QByteArray fresh(50 * 1024 * 1024 + 7, 'n');
    ASSERT_TRUE(writeSettingsFile(path, old).ok());
    ASSERT_TRUE(writeSettingsFile(path, fresh).ok());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll() == fresh);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Qelvo.ini"});
}

// A file system with no room left: the save fails, says it is full, and the
// old file stays whole with nothing new beside it; in place as by a rename.
TEST(WriteSettingsFile, AFullFileSystemKeepsTheOldFileWhole)
{
    for (const bool inPlace : {false, true}) {
        SCOPED_TRACE(inPlace ? "in place" : "temporary file and rename");
        QTemporaryDir dir;
        const QByteArray mountPoint = QFile::encodeName(dir.path());
        const QByteArray command = "mount -t tmpfs -o size=64k qelvo-full " + mountPoint + " 2>/dev/null";
        if (std::system(command.constData()) != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs here (needs the right to mount)";
        const QString path = dir.filePath("Qelvo.ini");
        const QByteArray old(16 * 1024, 'o');
        const bool written =
            writeSettingsFile(path, old).ok() && (!inPlace || writeSettingsFile(path + ".bak", "older").ok());
        const bool refusing = !inPlace || refuseNewFiles(dir.path(), true);
        const qelvo::Outcome full = writeSettingsFile(path, QByteArray(128 * 1024, 'n'));
        const bool unrefused = !inPlace || refuseNewFiles(dir.path(), false);
        const QByteArray kept = contentOf(path);
        const QStringList files = QDir(dir.path()).entryList(QDir::Files);
        const auto problem = qelvo::diagnoseWriteFailure(path, 128 * 1024);
        std::system(("umount " + mountPoint).constData());
        ASSERT_TRUE(written);
        if (!refusing)
            GTEST_SKIP() << "cannot make a folder refuse new files here";
        ASSERT_TRUE(unrefused);
        EXPECT_FALSE(full.ok());
        EXPECT_EQ(full.systemError(), ENOSPC) << full.reason().toStdString();
        EXPECT_TRUE(kept == old);
        EXPECT_EQ(files, inPlace ? QStringList({"Qelvo.ini", "Qelvo.ini.bak"}) : QStringList{"Qelvo.ini"});
        if (!inPlace) {
            EXPECT_EQ(problem, qelvo::WriteProblem::DiskFull);
        }
    }
}
