#include "picker/pickrules.h"

#include "printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace qelvo::picker;

namespace
{
QString typePattern(int index)
{
    return QString::fromLatin1(kFilePatterns[static_cast<std::size_t>(index)]);
}
} // namespace

TEST(MatchesPattern, TypeBoxPatternsIgnoreCaseAndTakeLongJpegEndings)
{
    struct Case {
        const char *name;
        int type;
        bool listed;
    };
    const Case cases[] = {
        {"a.jpg", 0, true},  {"A.JPG", 0, true},      {"x.jpeg", 2, true}, {"x.JPE", 2, true},
        {"x.jpeg", 0, true}, {"b.Gif", 0, true},      {"c.bmp", 0, true},  {"d.png", 0, false},
        {"jpg", 0, false},   {"a.jpg.txt", 3, false}, {"c.bmp", 1, true},  {"c.bmpx", 1, false},
        {"a.jpg", 1, false}, {"a.gif", 3, true},      {"README", 4, true}, {"a.b.c", 4, true},
        {".jpg", 2, true},   {"x.jp", 2, true},       {"xjpg", 2, false},  {"写真.JPG", 0, true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(matchesPattern(QString::fromUtf8(c.name), typePattern(c.type)), c.listed)
            << c.name << " with " << kFilePatterns[static_cast<std::size_t>(c.type)];
}

TEST(MatchesPattern, WildcardsBacktrackAndEmptyPartsMatchNothing)
{
    EXPECT_TRUE(matchesPattern("abcabd", "*abd"));
    EXPECT_TRUE(matchesPattern("a1b", "a?b"));
    EXPECT_FALSE(matchesPattern("ab", "a?b"));
    EXPECT_TRUE(matchesPattern("x.gif", " *.bmp ; *.gif "));
    EXPECT_FALSE(matchesPattern("x.gif", ";;"));
    EXPECT_FALSE(matchesPattern("x.gif", ""));
    // Many stars on a long name must not take exponential time.
    EXPECT_FALSE(matchesPattern(QString(2000, 'a'), "*a*a*a*a*a*a*a*a*b"));
}

TEST(ShortenFolderLabel, ShortensFromThirtyFiveCharacters)
{
    const QString path34 = "/home/user/pictures/summer/abcdefg"; // 34 characters
    ASSERT_EQ(path34.size(), 34);
    EXPECT_EQ(shortenFolderLabel(path34), path34);

    const QString path35 = path34 + "h";
    const QString shortened = shortenFolderLabel(path35);
    EXPECT_EQ(shortened, "/home/user/pict...ures/summer/abcdefgh");
    EXPECT_EQ(shortened.size(), 38);
    EXPECT_EQ(shortenFolderLabel("/"), "/");
    EXPECT_EQ(shortenFolderLabel(""), "");
}

TEST(ShortenFolderLabel, CountsCharactersNotCodeUnits)
{
    // 34 characters, one of them outside the BMP (two UTF-16 code units).
    const QString face = QString::fromUtf8("\xF0\x9F\x98\x80"); // U+1F600
    const QString path = "/" + face + QString(32, 'x');
    ASSERT_EQ(path.toUcs4().size(), 34);
    EXPECT_EQ(shortenFolderLabel(path), path);

    // 40 characters with that character where the head is cut: kept whole.
    const QString longer = QString(14, 'a') + face + QString(25, 'b');
    const QString shortened = shortenFolderLabel(longer);
    EXPECT_EQ(shortened, QString(14, 'a') + face + "..." + QString(20, 'b'));
    EXPECT_EQ(shortened.toUcs4().size(), 38);
}

TEST(PreviewSizeTwips, LongerSideBecomesOneThousand)
{
    struct Case {
        QSize natural, preview;
    };
    const Case cases[] = {
        {{3000, 1500}, {1000, 500}},  {{400, 800}, {500, 1000}},   {{750, 750}, {1000, 1000}},
        {{15, 15}, {1000, 1000}},     {{90000, 15}, {1000, 1}},    {{15, 90000}, {1, 1000}},
        {{1000, 1000}, {1000, 1000}}, {{4500, 3000}, {1000, 667}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(previewSizeTwips(c.natural), c.preview) << c.natural.width() << "x" << c.natural.height();
}

TEST(PreviewSizeTwips, EmptyPicturesHaveNoPreview)
{
    EXPECT_FALSE(previewSizeTwips({0, 0}).isValid());
    EXPECT_FALSE(previewSizeTwips({0, 300}).isValid());
    EXPECT_FALSE(previewSizeTwips({300, 0}).isValid());
    EXPECT_FALSE(previewSizeTwips({-1, -1}).isValid());
}

TEST(NaturalLess, SortsByLettersIgnoringCaseAndNumbersByValue)
{
    QStringList names{"img10.jpg", "Img2.jpg", "b.jpg",  "A.jpg", "img02.jpg",
                      "img1.jpg",  "a.jpg",    "10.jpg", "9.jpg"};
    std::sort(names.begin(), names.end(), naturalLess);
    EXPECT_EQ(names, (QStringList{"9.jpg", "10.jpg", "A.jpg", "a.jpg", "b.jpg", "img1.jpg", "Img2.jpg",
                                  "img02.jpg", "img10.jpg"}));
    EXPECT_FALSE(naturalLess("a", "a"));
    EXPECT_TRUE(naturalLess("a", "ab"));
    EXPECT_FALSE(naturalLess("ab", "a"));
    // Long digit runs are compared without overflowing.
    EXPECT_TRUE(naturalLess("x99999999999999999999999", "x100000000000000000000000"));
}

TEST(CollectPicked, FillsSlotsInOrderAndStopsAtTheTwoHundredFiftySixthName)
{
    QStringList names;
    for (int i = 1; i <= 300; ++i)
        names << QString("f%1.jpg").arg(i, 3, 10, QChar('0'));
    auto storage = std::make_unique<std::array<QString, kPickedSlots>>();
    auto &picked = *storage;
    picked[0] = "/pics";

    const Collected three = collectPicked(names.mid(0, 3), picked);
    EXPECT_EQ(three.count, 3);
    EXPECT_EQ(three.display, " f001.jpg f002.jpg f003.jpg");
    EXPECT_EQ(picked[0], "/pics");
    EXPECT_EQ(picked[3], "f003.jpg");
    EXPECT_EQ(collectPicked({}, picked).display, "");

    EXPECT_FALSE(collectPicked(names.mid(0, 255), picked).tooMany);
    const Collected over = collectPicked(names, picked);
    EXPECT_TRUE(over.tooMany);
    EXPECT_EQ(over.count, 255);
    EXPECT_EQ(picked[255], "f255.jpg");
    EXPECT_TRUE(picked[256].isEmpty());
}

TEST(NaturalLess, StaysAStrictWeakOrderWithOtherScriptsDigits)
{
    // Full-width digits sit after the kana in code-point order; counting them as
    // numbers made img10 < imgあ < img２ < img10, a cycle no sort may be given.
    const QStringList names{"img10.jpg",
                            QString::fromUtf8("imgあ.jpg"),
                            QString::fromUtf8("img２.jpg"),
                            QString::fromUtf8("写真10.jpg"),
                            QString::fromUtf8("写真_a.jpg"),
                            QString::fromUtf8("写真３.jpg"),
                            "img2.jpg",
                            "img_.jpg"};
    for (const QString &a : names)
        for (const QString &b : names)
            for (const QString &c : names)
                if (naturalLess(a, b) && naturalLess(b, c)) {
                    EXPECT_TRUE(naturalLess(a, c))
                        << a.toStdString() << " < " << b.toStdString() << " < " << c.toStdString();
                }
}
