#include "fakes/fakes.h"
#include "slideshow/showsettings.h"

#include <gtest/gtest.h>

using namespace qelvo;
using namespace qelvo::slideshow;

namespace
{

const QDateTime kNow(QDate(2026, 3, 14), QTime(15, 9, 26));

QString head(const QString &executeNumber, const QString &lastExecute = "2026/03/14 9:00:00",
             const QString &changer = "0", const QString &index = "0")
{
    return "[AppState]\r\nAppName=qelvo\r\nAppVersion=1.0.0\r\nAppLastAccPath=/home/u\r\n\r\n"
           "[ExecuteState]\r\nExecuteNumber=" +
           executeNumber + "\r\nWPChanger=" + changer + "\r\nWPIndex=" + index +
           "\r\nLastExecute=" + lastExecute + "\r\n\r\n[SettingLists]\r\n";
}

QString record(const QString &name, const QStringList &entries, const QString &chgTime = "10",
               const QString &zoom = "1.5", const QString &random = "0", const QString &mouse = "1",
               const QString &effect = "0")
{
    QString text = "***StartList***\r\nListName=" + name + "\r\nChgTime=" + chgTime + "\r\nZoomMax=" + zoom +
                   "\r\nRandomView=" + random + "\r\nMouseDisable=" + mouse + "\r\nEffect=" + effect +
                   "\r\nPathes\r\n";
    for (const QString &e : entries)
        text += e + "\r\n";
    return text + "***EndList***\r\n";
}

QString threeLists(const QString &executeNumber)
{
    return head(executeNumber) + record("first", {"a.jpg,/p/a.jpg"}) + record("second", {"b.jpg,/p/b.jpg"}) +
           record("third", {"c.jpg,/p/c.jpg"});
}

} // namespace

TEST(ShowSettings, ExecuteNumberCountsRecordsFromZero)
{
    fakes::FakeFileSystem fs;
    const ShowSettings first = readShowSettings(threeLists("0"), fs, kNow);
    EXPECT_EQ(first.ListName, "first");
    EXPECT_EQ(first.PlayList, std::vector<QString>{"/p/a.jpg"});

    const ShowSettings third = readShowSettings(threeLists("2"), fs, kNow);
    EXPECT_EQ(third.ListName, "third");
    EXPECT_EQ(third.PlayList, std::vector<QString>{"/p/c.jpg"});

    // Past the end: no list, nothing to play, and the options keep their zeros.
    const ShowSettings none = readShowSettings(threeLists("3"), fs, kNow);
    EXPECT_TRUE(none.ListName.isEmpty());
    EXPECT_TRUE(none.PlayList.empty());
    EXPECT_EQ(none.ChangeInterval, 0);
    EXPECT_EQ(none.ZoomMax, 0.0f);

    EXPECT_TRUE(readShowSettings(threeLists("-1"), fs, kNow).PlayList.empty());
    // A number that cannot be read takes the first record.
    EXPECT_EQ(readShowSettings(threeLists(""), fs, kNow).ListName, "first");
    EXPECT_EQ(readShowSettings(threeLists("-"), fs, kNow).ListName, "first");
}

TEST(ShowSettings, OptionsAndStateAreRead)
{
    fakes::FakeFileSystem fs;
    const QString text = head("0", "2026/03/14 9:00:00", "2", "17") +
                         record("opts", {"x.gif,/x.gif"}, "0.5", "2.25", "1", "0", "1");
    const ShowSettings s = readShowSettings(text, fs, kNow);
    EXPECT_EQ(s.ExecuteNumber, "0");
    EXPECT_EQ(s.WPChanger, 2);
    EXPECT_EQ(s.WPIndex, 17);
    EXPECT_EQ(s.ChangeInterval, 500);
    EXPECT_FLOAT_EQ(s.ZoomMax, 2.25f);
    EXPECT_EQ(s.RandomView, 1);
    EXPECT_EQ(s.MouseDisable, 0);
    EXPECT_EQ(s.Effect, 1);
    EXPECT_FALSE(s.recentStart);
    EXPECT_FALSE(s.folderNotFound);
}

TEST(ShowSettings, ValuesThatCannotBeConvertedKeepTheirDefaults)
{
    fakes::FakeFileSystem fs;
    const QString text = head("0", "not a date", "x", "99999") + record("bad", {}, "abc", "", "", "y", "-");
    const ShowSettings s = readShowSettings(text, fs, kNow);
    EXPECT_EQ(s.ListName, "bad");
    EXPECT_EQ(s.WPChanger, 0);
    EXPECT_EQ(s.WPIndex, 0);
    EXPECT_EQ(s.ChangeInterval, 0);
    EXPECT_EQ(s.ZoomMax, 0.0f);
    EXPECT_EQ(s.RandomView, 0);
    EXPECT_EQ(s.MouseDisable, 0);
    EXPECT_EQ(s.Effect, 0);
    EXPECT_FALSE(s.recentStart);
}

TEST(ShowSettings, LongAndNegativeIntervalsAreKeptAsRead)
{
    fakes::FakeFileSystem fs;
    EXPECT_EQ(readShowSettings(head("0") + record("l", {}, "100"), fs, kNow).ChangeInterval, 100000);
    EXPECT_EQ(readShowSettings(head("0") + record("n", {}, "-2"), fs, kNow).ChangeInterval, -2000);
    // Beyond the 32-bit range: a conversion error, the value stays 0.
    EXPECT_EQ(readShowSettings(head("0") + record("h", {}, "1e12"), fs, kNow).ChangeInterval, 0);
}

TEST(ShowSettings, AStateSectionMissingAKeyIsReadToItsEnd)
{
    fakes::FakeFileSystem fs;
    const QString text = "[ExecuteState]\r\nExecuteNumber=1\r\nWPChanger=1\r\n\r\n[SettingLists]\r\n" +
                         record("zero", {}) + record("one", {"k.bmp,/k.bmp"});
    const ShowSettings s = readShowSettings(text, fs, kNow);
    EXPECT_EQ(s.ListName, "one");
    EXPECT_EQ(s.WPChanger, 1);
    EXPECT_EQ(s.PlayList, std::vector<QString>{"/k.bmp"});
}

TEST(ShowSettings, AListNameIsCutAtItsFirstComma)
{
    fakes::FakeFileSystem fs;
    EXPECT_EQ(readShowSettings(head("0") + record("a,b", {"f.jpg,/f.jpg"}), fs, kNow).ListName, "a");
}

TEST(ShowSettings, FoldersExpandToTheirJpegGifAndBmpFilesInListingOrder)
{
    fakes::FakeFileSystem fs;
    for (const char *name :
         {"a.jpg", "b.JPG", "c.jpeg", "d.gif", "e.bmp", "f.png", "g.2000.jpg", "readme.txt"})
        fs.addFile(QString("/pics/") + name);
    fs.addFile("/pics/sub/deep.jpg"); // a subfolder's files are not the folder's
    const QString text =
        head("0") + record("mix", {"first.png,/else/first.png", "(pics),/pics", "last.txt,/l.txt"});
    const ShowSettings s = readShowSettings(text, fs, kNow);
    const std::vector<QString> expected{"/else/first.png", "/pics/a.jpg", "/pics/b.JPG",
                                        "/pics/d.gif",     "/pics/e.bmp", "/l.txt"};
    EXPECT_EQ(s.PlayList, expected);
}

TEST(ShowSettings, ExtensionRuleTakesUpToFourCharactersAfterTheFirstDot)
{
    EXPECT_TRUE(isShowImageName("a.jpg"));
    EXPECT_TRUE(isShowImageName("B.JPG"));
    EXPECT_TRUE(isShowImageName("c.peg"));
    EXPECT_TRUE(isShowImageName("jpg")); // no dot: the name's first four characters
    EXPECT_FALSE(isShowImageName("c.jpeg"));
    EXPECT_FALSE(isShowImageName("g.2000.jpg"));
    EXPECT_FALSE(isShowImageName(".hidden"));
    EXPECT_FALSE(isShowImageName(""));
}

TEST(ShowSettings, AMissingFolderStopsTheReading)
{
    fakes::FakeFileSystem fs;
    fs.addFile("/there/x.jpg");
    const QString text = head("0") + record("gone", {"a.jpg,/a.jpg", "(nowhere),/nowhere", "(there),/there"});
    const ShowSettings s = readShowSettings(text, fs, kNow);
    EXPECT_TRUE(s.folderNotFound);
    EXPECT_EQ(s.PlayList, std::vector<QString>{"/a.jpg"});
}

TEST(ShowSettings, ThePlayListStopsAt32767Entries)
{
    fakes::FakeFileSystem fs;
    for (int i = 0; i < kPlayListSlots + 5; ++i)
        fs.addFile(QString("/many/%1.jpg").arg(i));
    const QString text = head("0") + record("many", {"(many),/many", "after.jpg,/after.jpg"});
    const ShowSettings s = readShowSettings(text, fs, kNow);
    ASSERT_EQ(static_cast<int>(s.PlayList.size()), kPlayListSlots);
    EXPECT_EQ(s.PlayList.back(), QString("/many/%1.jpg").arg(kPlayListSlots - 1));
}

TEST(ShowSettings, OnlyTheRecordsMarkersEndItsEntries)
{
    fakes::FakeFileSystem fs;
    // A file named like a section header is an entry like any other.
    const QString text = head("0") + record("trip", {"[2024] trip.jpg,/p/[2024] trip.jpg", "b.jpg,/b.jpg"}) +
                         record("next", {"n.jpg,/n.jpg"});
    const std::vector<QString> all{"/p/[2024] trip.jpg", "/b.jpg"};
    EXPECT_EQ(readShowSettings(text, fs, kNow).PlayList, all);
    // A record that lost its end marker stops where the next record starts.
    const QString unended = head("0") + "***StartList***\r\nListName=cut\r\nPathes\r\na.jpg,/a.jpg\r\n" +
                            record("next", {"n.jpg,/n.jpg"});
    EXPECT_EQ(readShowSettings(unended, fs, kNow).PlayList, std::vector<QString>{"/a.jpg"});
}

// The whole date and time counts, not the seconds alone.
TEST(ShowSettings, RecentStartComparesTheWholeDateAndTime)
{
    fakes::FakeFileSystem fs;
    auto recent = [&](const QString &last) {
        return readShowSettings(head("0", last), fs, kNow).recentStart;
    };
    EXPECT_TRUE(recent("2026/03/14 15:09:26"));
    EXPECT_TRUE(recent("2026/03/14 15:09:24"));
    EXPECT_TRUE(recent("2026/03/14 15:09:28"));
    EXPECT_FALSE(recent("2026/03/14 15:09:23"));
    EXPECT_FALSE(recent("2026/03/14 15:08:26")); // same seconds, another minute
    EXPECT_FALSE(recent("2025/01/02 3:04:27"));
    EXPECT_TRUE(recent("2026-03-14T15:09:25"));
}
