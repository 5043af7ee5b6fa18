#include "dialog/listops.h"

#include <gtest/gtest.h>

using namespace qelvo;
using namespace qelvo::dialog;
using settings::FileEntry;

TEST(ListSets, DeletingMovesEveryLaterListDownWholeAndFreesTheLastSlot)
{
    settings::SettingSlots s{};
    for (int i = 0; i < settings::kSlotCount; ++i) {
        s[i] = newSettingList(QString::number(i));
        s[i].Effect = 1;
        s[i].FileList.resize(i * 100);
    }
    const auto before = s;
    deleteListSlot(s, 5, 5); // out of range: nothing
    deleteListSlot(s, -1, 5);
    EXPECT_EQ(s, before);
    deleteListSlot(s, 0, 3);
    EXPECT_EQ(s[0], before[1]);
    EXPECT_EQ(s[1], before[2]);
    EXPECT_EQ(s[2], settings::SettingList{}); // a list made here later has Effect 0
    EXPECT_EQ(s[3], before[3]);
    deleteListSlot(s, 3, settings::kSlotCount);
    EXPECT_EQ(s[9], before[10]);
    EXPECT_EQ(s[10], settings::SettingList{});
}

TEST(ListSets, NamesAreCountedInCharactersUpTo99)
{
    EXPECT_EQ(checkListName({}), NameCheck::Empty);
    EXPECT_EQ(checkListName(QString(99, 'a')), NameCheck::Ok);
    EXPECT_EQ(checkListName(QString(100, 'a')), NameCheck::TooLong);
    const QString emoji = QString::fromUtf8("😀").repeated(99); // 198 UTF-16 units
    EXPECT_EQ(checkListName(emoji), NameCheck::Ok);
    EXPECT_EQ(checkListName(emoji + "x"), NameCheck::TooLong);
    // A pasted line break would split the record in the file.
    EXPECT_EQ(checkListName("A\r\nChgTime=oops"), NameCheck::LineBreak);
    EXPECT_EQ(checkListName("A\nB"), NameCheck::LineBreak);
}

TEST(FileEntries, FilesAreShownInLowerCaseAndStoredInTheFileSystemsCase)
{
    std::array<QString, 4> picked{"/home/u/Pics", "a.jpg", "Photo.JPG", QString::fromUtf8("ÄRGER.gif")};
    const auto formed = formEntries(false, 3, picked);
    EXPECT_TRUE(formed.refused.isEmpty());
    EXPECT_EQ(formed.entries,
              (QVector<FileEntry>{{"a.jpg", "/home/u/Pics/a.jpg"},
                                  {"photo.jpg", "/home/u/Pics/Photo.JPG"},
                                  {QString::fromUtf8("ärger.gif"), picked[0] + "/" + picked[3]}}));
    std::array<QString, 2> rootFile{"/", "a.jpg"};
    EXPECT_EQ(formEntries(false, 1, rootFile).entries.value(0), (FileEntry{"a.jpg", "/a.jpg"}));
    EXPECT_EQ(formEntries(false, 200, rootFile).entries.size(), 1); // a count beyond the slots
}

TEST(FileEntries, AFolderIsItsLowerCaseLastNameInParentheses)
{
    std::array<QString, 2> folder{"/home/u/Pics", "/home/u/Pics/Summer"};
    EXPECT_EQ(formEntries(true, 1, folder).entries.value(0), (FileEntry{"(summer)", "/home/u/Pics/Summer"}));
    std::array<QString, 2> root{"/", "/"};
    EXPECT_EQ(formEntries(true, 1, root).entries.value(0), (FileEntry{"()", "/"}));
}

TEST(FileEntries, NamesThatCannotReadBackAreRefusedAndTheRestAdded)
{
    std::array<QString, 7> picked{"/p",        "ok.jpg",          "a,b.jpg", "\"q.jpg",
                                  " lead.jpg", "line\nbreak.jpg", "end.jpg"};
    const auto formed = formEntries(false, 6, picked);
    EXPECT_EQ(formed.entries.size(), 2);
    EXPECT_EQ(formed.refused,
              QStringList({"/p/a,b.jpg", "/p/\"q.jpg", "/p/ lead.jpg", "/p/line\nbreak.jpg"}));
    std::array<QString, 2> commaFolder{"/a,b", "/a,b/c"};
    EXPECT_EQ(formEntries(true, 1, commaFolder).refused, QStringList({"/a,b/c"}));
}

struct FitCase {
    QSizeF natural, shown;
};
void PrintTo(const FitCase &c, std::ostream *os)
{
    *os << c.natural.width() << "x" << c.natural.height() << " shown as " << c.shown.width() << "x"
        << c.shown.height();
}
class SampleFit : public ::testing::TestWithParam<FitCase>
{
};

TEST_P(SampleFit, FillsTheBoxKeepingTheProportions)
{
    const auto shown = fitSample(GetParam().natural);
    ASSERT_TRUE(shown.has_value());
    EXPECT_NEAR(shown->width(), GetParam().shown.width(), 0.01);
    EXPECT_NEAR(shown->height(), GetParam().shown.height(), 0.01);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SampleFit,
                         ::testing::Values(FitCase{{3000, 2000}, {1500, 1000}},
                                           FitCase{{1200, 1200}, {1000, 1000}},
                                           FitCase{{600, 300}, {1500, 750}},
                                           FitCase{{1500, 1000}, {1500, 1000}},
                                           FitCase{{15, 60000}, {0.25, 1000}}, FitCase{{0, 300}, {0, 1000}}));

TEST(SampleFitEdge, AnEmptyPictureHasNoFit)
{
    EXPECT_FALSE(fitSample({0, 0}).has_value());
}

TEST(NumberBoxes, FullWidthFormsReadAsTheirAsciiNumbers)
{
    const std::pair<const char *, std::optional<float>> cases[] = {
        {"12", 12.0f},    {"１２", 12.0f}, {"１．５", 1.5f}, {"－３", -3.0f}, {"１Ｅ＋２", 100.0f},
        {"　７　", 7.0f}, {"１２ａ", {}},  {"", {}},         {"ａｂｃ", {}},
    };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(readNumber(QString::fromUtf8(text)), value) << text;
}

// Numbers beyond a float get a notice of their own; what is no number at all,
// or fits, does not.
TEST(NumberBoxes, TooLargeIsTellingNumbersFromText)
{
    const std::pair<const char *, bool> cases[] = {
        {"1e40", true},  {"-1e40", true},   {"１Ｅ４０", true}, {"1e400", true},  {" 4e38 ", true},
        {"3e38", false}, {"1e-400", false}, {"inf", false},     {"1e40x", false}, {"", false},
    };
    for (const auto &[text, tooLarge] : cases)
        EXPECT_EQ(numberTooLarge(QString::fromUtf8(text)), tooLarge) << text;
}
