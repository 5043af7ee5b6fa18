#include "slideshow/writeback.h"

#include "fakes/fakes.h"
#include "settings/textcodec.h"

#include <gtest/gtest.h>

using namespace qelvo;
using qelvo::fakes::ScriptedRandom;
using qelvo::slideshow::nextWallpaperIndex;
using qelvo::slideshow::rewriteSettingsBytes;

namespace
{

struct OrderCase {
    int stored;
    int fileCount;
    int expected;
};

void PrintTo(const OrderCase &c, std::ostream *os)
{
    *os << "stored " << c.stored << " of " << c.fileCount;
}

class ListOrder : public ::testing::TestWithParam<OrderCase>
{
};

TEST_P(ListOrder, StepsForwardAndStartsOverWhenPastTheEnd)
{
    const OrderCase c = GetParam();
    ScriptedRandom random;
    EXPECT_EQ(nextWallpaperIndex(c.stored, c.fileCount, false, random), c.expected)
        << "stored " << c.stored << " of " << c.fileCount;
    EXPECT_EQ(random.remaining(), 0u);
}

INSTANTIATE_TEST_SUITE_P(WallpaperIndex, ListOrder,
                         ::testing::Values(OrderCase{0, 3, 1},  // never set yet
                                           OrderCase{1, 3, 2},  //
                                           OrderCase{2, 3, 3},  // the third image
                                           OrderCase{3, 3, 1},  // wraps at the end
                                           OrderCase{7, 3, 1},  // the list shrank
                                           OrderCase{-5, 3, 1}, // a damaged file
                                           OrderCase{0, 0, 1},  // empty list
                                           OrderCase{32767, 32767, 1}, OrderCase{2147483647, 5, 1}));

TEST(WallpaperIndexRandom, KeepsTheFirstDrawWhenItDiffers)
{
    ScriptedRandom random{0.5, 0.0};
    EXPECT_EQ(nextWallpaperIndex(1, 4, true, random), 3); // Int(0.5 * 4) + 1
    EXPECT_EQ(random.remaining(), 1u);
}

TEST(WallpaperIndexRandom, DrawsOnceMoreWhenTheFirstRepeatsAndKeepsTheSecond)
{
    ScriptedRandom random{0.5, 0.99};
    EXPECT_EQ(nextWallpaperIndex(3, 4, true, random), 4);

    // Both draws on the previous image: the same image twice in a row.
    ScriptedRandom twice{0.5, 0.6, 0.0};
    EXPECT_EQ(nextWallpaperIndex(3, 4, true, twice), 3);
    EXPECT_EQ(twice.remaining(), 1u);
}

TEST(WallpaperIndexRandom, OneImageOrNoneEndsAfterTwoDraws)
{
    ScriptedRandom random{0.3, 0.7, 0.1};
    EXPECT_EQ(nextWallpaperIndex(1, 1, true, random), 1);
    EXPECT_EQ(random.remaining(), 1u);

    ScriptedRandom none{0.3, 0.7};
    EXPECT_EQ(nextWallpaperIndex(0, 0, true, none), 1);
}

// The rewrite of a file that is plain UTF-8 text.
QString rewriteText(const settings::SettingsHead &head, const QString &old)
{
    return QString::fromUtf8(rewriteSettingsBytes(head, old.toUtf8()).value_or("(refused)"));
}

settings::SettingsHead sampleHead()
{
    settings::SettingsHead head;
    head.appName = "qelvo";
    head.appVersion = "1.0.0";
    head.appLastAccPath = "/opt/qelvo";
    head.executeNumber = "2";
    head.wpChanger = 3;
    head.wpIndex = 3;
    head.lastExecute = QDateTime(QDate(2026, 12, 7), QTime(9, 5, 7));
    return head;
}

const QString kHead = "[AppState]\r\n"
                      "AppName=qelvo\r\n"
                      "AppVersion=1.0.0\r\n"
                      "AppLastAccPath=/opt/qelvo\r\n"
                      "\r\n"
                      "[ExecuteState]\r\n"
                      "ExecuteNumber=2\r\n"
                      "WPChanger=3\r\n"
                      "WPIndex=3\r\n"
                      "LastExecute=2026/12/07 9:05:07\r\n"
                      "\r\n"
                      "[SettingLists]\r\n";

const QString kLists = "***StartList***\r\n"
                       "ListName=旅行 ﾃｽﾄ\r\n"
                       "ChgTime=5\r\n"
                       "ZoomMax=1.5\r\n"
                       "RandomView=0\r\n"
                       "MouseDisable=0\r\n"
                       "Effect=1\r\n"
                       "Pathes\r\n"
                       "a.jpg,/home/u/A.jpg\r\n"
                       "(pics),/home/u/pics\r\n"
                       "***EndList***\r\n";

TEST(RewriteSettings, ReplacesTheStateAndKeepsTheListsCharacterForCharacter)
{
    const QString old = "[AppState]\r\nAppName=old\r\nAppVersion=0.9.0\r\nAppLastAccPath=/x\r\n\r\n"
                        "[ExecuteState]\r\nExecuteNumber=2\r\nWPChanger=3\r\nWPIndex=2\r\n"
                        "LastExecute=2020/01/01 0:00:00\r\n\r\n[SettingLists]\r\n" +
                        kLists;
    EXPECT_EQ(rewriteText(sampleHead(), old), kHead + kLists);
}

TEST(RewriteSettings, ReadsLfLinesAndWritesCrLf)
{
    QString lfLists = kLists;
    lfLists.replace("\r\n", "\n");
    EXPECT_EQ(rewriteText(sampleHead(), "[SettingLists]\n" + lfLists), kHead + kLists);
}

TEST(RewriteSettings, SectionsAroundTheListsLoseTheirLines)
{
    const QString old = "[Other]\r\nkey=value\r\n[SettingLists]\r\n" + kLists +
                        "[Later]\r\nlost=1\r\n\r\n[SettingLists]\r\nagain\r\n";
    // The section after the lists keeps its header; a second lists header starts another copy.
    EXPECT_EQ(rewriteText(sampleHead(), old), kHead + kLists + "[Later]\r\nagain\r\n");
}

TEST(RewriteSettings, CopyStopsAtAnyBracketLineEvenAnotherListsHeader)
{
    const QString old = "[SettingLists]\r\none\r\n[SettingLists]\r\ntwo\r\n";
    EXPECT_EQ(rewriteText(sampleHead(), old), kHead + "one\r\n[SettingLists]\r\n");
}

TEST(RewriteSettings, WithoutAListsHeaderOnlyTheHeadRemains)
{
    EXPECT_EQ(rewriteText(sampleHead(), "[AppState]\r\nAppName=x\r\n ***StartList***\r\n"), kHead);
    EXPECT_EQ(rewriteText(sampleHead(), ""), kHead);
    // The header must be the whole line.
    EXPECT_EQ(rewriteText(sampleHead(), "[SettingLists] \r\nx\r\n[settinglists]\r\ny\r\n"), kHead);
}

TEST(RewriteSettings, ListsTheCopyWouldMissLeaveNoRewrite)
{
    // The dialog and the show read these lists; the copy would drop them.
    for (const QString &old : {"[SettingLists] \r\n" + kLists, "[settinglists]\r\n" + kLists,
                               "[SettingLists]\r\n" + kLists + "[Other]\r\n" + kLists}) {
        SCOPED_TRACE(old.left(20).toStdString());
        EXPECT_EQ(rewriteText(sampleHead(), old), "(refused)");
    }
}

TEST(RewriteSettings, KeepsEmptyLinesInsideTheListsAndAddsNoneAtTheEnd)
{
    EXPECT_EQ(rewriteText(sampleHead(), "[SettingLists]\r\n\r\nx\r\n\r\n"), kHead + "\r\nx\r\n\r\n");
    EXPECT_EQ(rewriteText(sampleHead(), "[SettingLists]\r\nlast"), kHead + "last\r\n");
}

TEST(RewriteSettings, ExecuteNumberIsCutToTwoCharacters)
{
    settings::SettingsHead head = sampleHead();
    head.executeNumber = "123";
    EXPECT_TRUE(rewriteText(head, "").contains("\r\nExecuteNumber=12\r\n"));
    head.executeNumber = "-1";
    EXPECT_TRUE(rewriteText(head, "").contains("\r\nExecuteNumber=-1\r\n"));
}

TEST(RewriteSettings, ChangerRunWritesTheProgramsOwnFolderAndTheNewState)
{
    const AppIdentity identity{"/opt/qelvo", "qelvo"};
    settings::SettingsHead head =
        slideshow::changerRunHead(identity, "2", 3, 3, QDateTime(QDate(2026, 12, 7), QTime(9, 5, 7)));
    head.appVersion = "1.0.0"; // the build's version, whatever it is
    EXPECT_EQ(rewriteText(head, ""), kHead);
    EXPECT_EQ(slideshow::changerRunHead(identity, "", 3, 1, {}).appVersion, versionText());
}

TEST(ChangerOnlyStart, IsToldBeforeTheStartShowsAnything)
{
    fakes::FakeFileSystem fs;
    fs.addFolder("/pics");
    const QDateTime now(QDate(2026, 12, 7), QTime(9, 5, 30));
    const auto file = [](const char *changer, const char *last, const char *folder) {
        return QString("[ExecuteState]\r\nExecuteNumber=0\r\nWPChanger=%1\r\nWPIndex=0\r\nLastExecute=%2\r\n"
                       "[SettingLists]\r\n***StartList***\r\nListName=a\r\nPathes\r\n(f),%3\r\n"
                       "***EndList***\r\n")
            .arg(changer, last, folder);
    };
    EXPECT_TRUE(slideshow::isChangerOnlyStart(file("3", "2026/12/07 9:00:00", "/pics"), fs, now));
    // A quick restart shows its black window; the other modes show the show.
    EXPECT_FALSE(slideshow::isChangerOnlyStart(file("3", "2026/12/07 9:05:29", "/pics"), fs, now));
    EXPECT_FALSE(slideshow::isChangerOnlyStart(file("2", "2026/12/07 9:00:00", "/pics"), fs, now));
    // A missing folder stops the run; its message goes where the run's do.
    EXPECT_TRUE(slideshow::isChangerOnlyStart(file("3", "2026/12/07 9:00:00", "/gone"), fs, now));
}

TEST(RewriteSettings, ANonAsciiFolderIsWrittenSoThatTheWholeFileStillReads)
{
    // Lists of the original platform (CP932 "旅行") stay CP932: so does the head.
    settings::SettingsHead head = sampleHead();
    head.appLastAccPath = "/home/太郎/qelvo";
    for (const QByteArray &listName : {QByteArray("\x97\xb7\x8d\x73"), QString("旅行").toUtf8()}) {
        const QByteArray lists =
            "***StartList***\r\nListName=" + listName + "\r\nPathes\r\n***EndList***\r\n";
        const QByteArray after = rewriteSettingsBytes(head, "[SettingLists]\r\n" + lists).value_or("");
        EXPECT_TRUE(after.endsWith(lists));
        const QString text = settings::decodeSettingsText(after);
        EXPECT_TRUE(text.contains("AppLastAccPath=/home/太郎/qelvo\r\n")) << text.toStdString();
        EXPECT_TRUE(text.contains("ListName=旅行\r\n")) << text.toStdString();
    }
}

struct BytesCase {
    const char *what;
    QByteArray lists;   // what follows "[SettingLists]" in the old file
    QByteArray written; // what follows it after the run
};

void PrintTo(const BytesCase &c, std::ostream *os)
{
    *os << c.what;
}

class ListsBytes : public ::testing::TestWithParam<BytesCase>
{
};

TEST_P(ListsBytes, AreCopiedAsTheyStand)
{
    const BytesCase &c = GetParam();
    const QByteArray old = "[AppState]\r\nAppName=old\r\n[SettingLists]\r\n" + c.lists;
    EXPECT_EQ(rewriteSettingsBytes(sampleHead(), old), std::optional(kHead.toUtf8() + c.written));
}

const QByteArray kRecordHead = "***StartList***\r\nListName=a\r\nPathes\r\n";
const QByteArray kSecondRecord =
    "***StartList***\r\nListName=b\r\nPathes\r\nb.jpg,/b.jpg\r\n***EndList***\r\n";

INSTANTIATE_TEST_SUITE_P(
    RewriteSettings, ListsBytes,
    ::testing::Values(
        // A name from an old disk, neither UTF-8 nor CP932, in a file that is otherwise UTF-8.
        BytesCase{"Latin-1 name", kRecordHead + "caf\xe9.jpg,/p/caf\xe9.jpg\r\n***EndList***\r\n",
                  kRecordHead + "caf\xe9.jpg,/p/caf\xe9.jpg\r\n***EndList***\r\n"},
        BytesCase{"CP932 name", kRecordHead + "\x83\x65\x83\x58\x83\x67.jpg,/p/x.jpg\r\n***EndList***\r\n",
                  kRecordHead + "\x83\x65\x83\x58\x83\x67.jpg,/p/x.jpg\r\n***EndList***\r\n"},
        // Inside a record a line starting with "[" is an entry: the rest and the next list stay.
        BytesCase{"bracket entry",
                  kRecordHead + "[2024] trip.jpg,/p/[2024] trip.jpg\r\nz.jpg,/z.jpg\r\n***EndList***\r\n" +
                      kSecondRecord,
                  kRecordHead + "[2024] trip.jpg,/p/[2024] trip.jpg\r\nz.jpg,/z.jpg\r\n***EndList***\r\n" +
                      kSecondRecord},
        // A record cut short keeps everything to the end of the file.
        BytesCase{"unended record", kRecordHead + "[x],/x\r\n[Later]\r\nmore",
                  kRecordHead + "[x],/x\r\n[Later]\r\nmore\r\n"},
        // Between records a bracket line is a section header and ends the copy there.
        BytesCase{"section after a record", kSecondRecord + "[Later]\r\nlost=1\r\n",
                  kSecondRecord + "[Later]\r\n"}));

} // namespace
