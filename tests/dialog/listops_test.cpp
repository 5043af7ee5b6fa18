#include "dialog/listops.h"

#include <gtest/gtest.h>

using namespace qelvo;
using namespace qelvo::dialog;
using settings::FileEntry;

namespace {
QString u8(const char *s) { return QString::fromUtf8(s); }

settings::SettingList list(const QString &name, int entries, std::uint8_t effect = 0)
{
    settings::SettingList l = newSettingList(name);
    l.Effect = effect;
    for (int i = 0; i < entries; ++i)
        l.FileList.append({QStringLiteral("%1-%2.jpg").arg(name).arg(i), QStringLiteral("/p/%1-%2.jpg").arg(name).arg(i)});
    return l;
}

QVector<FileEntry> rows(int n)
{
    QVector<FileEntry> v;
    for (int i = 0; i < n; ++i)
        v.append({QString::number(i), QStringLiteral("/p/%1").arg(i)});
    return v;
}

QStringList names(const QVector<FileEntry> &v)
{
    QStringList out;
    for (const auto &e : v)
        out << e.DispName;
    return out;
}
} // namespace

TEST(ListSets, ANewListHasTheDefaultOptions)
{
    const auto l = newSettingList("x");
    EXPECT_EQ(l.ListName, "x");
    EXPECT_FLOAT_EQ(l.ChgTime, 10.0f);
    EXPECT_FLOAT_EQ(l.ZoomMax, 1.0f);
    EXPECT_EQ(l.RandomView, 0);
    EXPECT_EQ(l.MouseDisable, 1);
    EXPECT_EQ(l.Effect, 0);
    EXPECT_EQ(l.LastFileIndex(), -1);
}

TEST(ListSets, DeletingMovesEveryLaterListDownWholeAndFreesTheLastSlot)
{
    settings::SettingSlots s{};
    s[0] = list("A", 2);
    s[1] = list("B", 1000, 1);
    s[2] = list("C", 3, 1);
    const settings::SettingList b = s[1], c = s[2];
    deleteListSlot(s, 0, 3);
    EXPECT_EQ(s[0], b);
    EXPECT_EQ(s[1], c);
    EXPECT_EQ(s[2], settings::SettingList{});
    EXPECT_EQ(s[1].Effect, 0 + 1);
    EXPECT_EQ(s[2].Effect, 0); // a list created here later starts with the effect on

    deleteListSlot(s, 1, 2); // the last one
    EXPECT_EQ(s[0], b);
    EXPECT_EQ(s[1], settings::SettingList{});

    settings::SettingSlots full{};
    for (int i = 0; i < settings::kSlotCount; ++i)
        full[i] = list(QString::number(i), 1);
    deleteListSlot(full, 3, settings::kSlotCount);
    EXPECT_EQ(full[3].ListName, "4");
    EXPECT_EQ(full[9].ListName, "10");
    EXPECT_EQ(full[10], settings::SettingList{});
    const auto before = full;
    deleteListSlot(full, 5, 5); // out of range: nothing
    deleteListSlot(full, -1, 5);
    EXPECT_EQ(full, before);
}

TEST(ListSets, NamesOfUpTo99CharactersAreAccepted)
{
    EXPECT_EQ(checkListName({}), NameCheck::Empty);
    EXPECT_EQ(checkListName(QString(99, 'a')), NameCheck::Ok);
    EXPECT_EQ(checkListName(QString(100, 'a')), NameCheck::TooLong);
    // Characters, not UTF-16 units: 99 emoji are 198 units but 99 characters.
    QString emoji;
    for (int i = 0; i < 99; ++i)
        emoji += u8("😀");
    EXPECT_EQ(checkListName(emoji), NameCheck::Ok);
    EXPECT_EQ(checkListName(emoji + u8("😀")), NameCheck::TooLong);
}

TEST(FileEntries, FilesAreShownInLowerCaseAndStoredInTheFileSystemsCase)
{
    std::array<QString, 4> picked{"/home/u/Pics", "a.jpg", "Photo.JPG", u8("ÄRGER.gif")};
    const auto formed = formEntries(false, 3, picked);
    EXPECT_TRUE(formed.refused.isEmpty());
    ASSERT_EQ(formed.entries.size(), 3);
    EXPECT_EQ(formed.entries[0], (FileEntry{"a.jpg", "/home/u/Pics/a.jpg"}));
    EXPECT_EQ(formed.entries[1], (FileEntry{"photo.jpg", "/home/u/Pics/Photo.JPG"}));
    EXPECT_EQ(formed.entries[2].DispName, u8("ärger.gif"));
}

TEST(FileEntries, RootFolderAndFolderMode)
{
    std::array<QString, 2> rootFile{"/", "a.jpg"};
    EXPECT_EQ(formEntries(false, 1, rootFile).entries.value(0), (FileEntry{"a.jpg", "/a.jpg"}));
    std::array<QString, 2> folder{"/home/u/Pics", "/home/u/Pics/Summer"};
    EXPECT_EQ(formEntries(true, 1, folder).entries.value(0), (FileEntry{"(summer)", "/home/u/Pics/Summer"}));
    std::array<QString, 2> root{"/", "/"};
    EXPECT_EQ(formEntries(true, 1, root).entries.value(0), (FileEntry{"()", "/"}));
    // Nothing picked, or a count beyond the slots, adds nothing extra.
    EXPECT_TRUE(formEntries(false, 0, rootFile).entries.isEmpty());
    EXPECT_EQ(formEntries(false, 200, rootFile).entries.size(), 1);
}

TEST(FileEntries, NamesThatCannotReadBackAreRefusedAndTheRestAdded)
{
    std::array<QString, 7> picked{"/p", "ok.jpg", "a,b.jpg", "\"q.jpg", " lead.jpg", "line\nbreak.jpg", "end.jpg"};
    const auto formed = formEntries(false, 6, picked);
    EXPECT_EQ(names(formed.entries), QStringList({"ok.jpg", "end.jpg"}));
    EXPECT_EQ(formed.refused, QStringList({"/p/a,b.jpg", "/p/\"q.jpg", "/p/ lead.jpg", "/p/line\nbreak.jpg"}));
    std::array<QString, 2> commaFolder{"/a,b", "/a,b/c"};
    const auto folder = formEntries(true, 1, commaFolder);
    EXPECT_TRUE(folder.entries.isEmpty());
    EXPECT_EQ(folder.refused, QStringList({"/a,b/c"}));
}

TEST(FileEntries, DeleteSelectsTheFollowingRowOrTheNewLast)
{
    auto v = rows(5);
    EXPECT_EQ(deleteEntry(v, 4), 3);
    EXPECT_EQ(deleteEntry(v, 1), 1);
    EXPECT_EQ(names(v), QStringList({"0", "2", "3"}));
    auto one = rows(1);
    EXPECT_EQ(deleteEntry(one, 0), -1);
    EXPECT_TRUE(one.isEmpty());
}

TEST(FileEntries, MovesExchangeNeighboursAndStopAtTheEnds)
{
    auto v = rows(400);
    EXPECT_EQ(moveEntry(v, 300, -1), 299);
    EXPECT_EQ(v[299].DispName, "300");
    EXPECT_EQ(v[300].DispName, "299");
    EXPECT_EQ(v[300].FullPath, "/p/299");
    const auto before = v;
    EXPECT_FALSE(moveEntry(v, 0, -1));
    EXPECT_FALSE(moveEntry(v, 399, +1));
    EXPECT_FALSE(moveEntry(v, -1, +1));
    EXPECT_EQ(v, before);
    QVector<FileEntry> empty;
    EXPECT_FALSE(moveEntry(empty, -1, +1));
    EXPECT_FALSE(moveEntry(empty, 0, -1));
    EXPECT_EQ(moveEntry(v, 398, +1), 399);
}

struct FitCase {
    QSizeF natural;
    QSizeF shown;
};
class SampleFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(SampleFit, FillsTheBoxKeepingTheProportions)
{
    const auto shown = fitSample(GetParam().natural);
    ASSERT_TRUE(shown.has_value());
    EXPECT_NEAR(shown->width(), GetParam().shown.width(), 0.01);
    EXPECT_NEAR(shown->height(), GetParam().shown.height(), 0.01);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SampleFit,
                         ::testing::Values(FitCase{{3000, 2000}, {1500, 1000}}, FitCase{{1200, 1200}, {1000, 1000}},
                                           FitCase{{600, 300}, {1500, 750}}, FitCase{{1500, 1000}, {1500, 1000}},
                                           FitCase{{15, 60000}, {0.25, 1000}}, FitCase{{0, 300}, {0, 1000}}));

TEST(SampleFitEdge, AnEmptyPictureHasNoFit) { EXPECT_FALSE(fitSample({0, 0}).has_value()); }

TEST(Captions, CountsAndSizesReadAsTheDialogShowsThem)
{
    EXPECT_EQ(listsLabel(3), u8("既存のファイルリスト(3lists)"));
    EXPECT_EQ(filesLabel(0), u8("ファイルリストデータ(0files)"));
    EXPECT_EQ(sampleCaption(1500, 1000), u8("サンプル(1500x1000)"));
    EXPECT_EQ(sampleCaption(1000, 666.6667), u8("サンプル(1000x666.6667)"));
}

TEST(Captions, AboutTextChoosesTheUsageLineByTheLowerCaseName)
{
    const QString own = aboutText("QELVO", "3.0.40", "(C) someone");
    EXPECT_TRUE(own.startsWith(u8("QELVO  Version-3.0.40\n(C) someone\n\n■使用方法は、readme.txt")));
    EXPECT_TRUE(own.endsWith(u8("　いかなる損害も開発者及び配布元では責任を負いません。\n")));
    EXPECT_EQ(own.count('\n'), 6);
    const QString other = aboutText("saver", "3.0.40", "(C) someone");
    EXPECT_TRUE(other.contains(u8("■使用方法は、勘を参照して下さい\n")));
    EXPECT_EQ(QString(other).replace("saver", "QELVO").remove(u8("勘を参照して下さい")),
              QString(own).remove(u8("readme.txt及びwebサイトを参照して下さい")));
}
