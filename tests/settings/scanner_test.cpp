#include "settings/keys.h"
#include "settings/scanner.h"

#include <gtest/gtest.h>

using namespace qelvo::settings;

TEST(SplitLines, AcceptsCrLfAndLfAndALastLineWithoutEnd)
{
    EXPECT_EQ(splitLines("a\r\nb\nc"), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(splitLines("a\r\n\r\n"), (QStringList{"a", ""}));
    EXPECT_EQ(splitLines(""), QStringList{});
    EXPECT_EQ(splitLines("x,y\r\n"), QStringList{"x,y"});
}

TEST(TextScanner, ItemsEndAtCommasAndLineEnds)
{
    TextScanner items("ListName=a,b\r\nPathes\r\nx.jpg,/p/x.jpg\n\r\n***EndList***\r\n");
    QStringList got;
    while (!items.atEnd())
        got << items.nextItem();
    EXPECT_EQ(got, (QStringList{"ListName=a", "b", "Pathes", "x.jpg", "/p/x.jpg", "", "***EndList***"}));
    EXPECT_EQ(items.nextItem(), QString());
}

TEST(TextScanner, TrailingCommaGivesAnEmptyItemAndNoCrLeaks)
{
    TextScanner items("a,\r\nb");
    EXPECT_EQ(items.nextItem(), "a");
    EXPECT_EQ(items.nextItem(), "");
    EXPECT_EQ(items.nextItem(), "b");
    EXPECT_TRUE(items.atEnd());
}

TEST(TextScanner, LinesAndItemsShareOnePosition)
{
    // Key lines, then the entries item by item, then key lines again.
    TextScanner text("ChgTime=1,5\r\nPathes\r\na.jpg,/p/a.jpg\r\nListName=x,y\r\n");
    EXPECT_EQ(text.nextLine(), "ChgTime=1,5");
    EXPECT_EQ(text.nextLine(), "Pathes");
    EXPECT_EQ(text.nextItem(), "a.jpg");
    EXPECT_EQ(text.nextItem(), "/p/a.jpg");
    EXPECT_EQ(text.nextLine(), "ListName=x,y");
    EXPECT_TRUE(text.atEnd());
    EXPECT_EQ(text.nextLine(), QString());

    // A line read after an item is the rest of that line.
    TextScanner rest("a,b,c\nd");
    EXPECT_EQ(rest.nextItem(), "a");
    EXPECT_EQ(rest.nextLine(), "b,c");
    EXPECT_EQ(rest.nextLine(), "d");
    EXPECT_TRUE(rest.atEnd());
}

TEST(TextScanner, OnlyACrThatEndsALineIsDropped)
{
    TextScanner lines("a\rb\r\nc\r");
    EXPECT_EQ(lines.nextLine(), "a\rb");
    EXPECT_EQ(lines.nextLine(), "c");
    TextScanner items("a\r,b\r");
    EXPECT_EQ(items.nextItem(), "a\r");
    EXPECT_EQ(items.nextItem(), "b");
}

TEST(KeyPrefix, FirstFiveCharactersCaseSensitive)
{
    EXPECT_TRUE(hasKeyPrefix("ExecuteNumber=2", keys::kExecuteNumber));
    EXPECT_TRUE(hasKeyPrefix("ExecuXYZ", keys::kExecuteNumber));
    EXPECT_FALSE(hasKeyPrefix("executeNumber=2", keys::kExecuteNumber));
    EXPECT_FALSE(hasKeyPrefix("Exec", keys::kExecuteNumber));
    EXPECT_TRUE(hasKeyPrefix("Pathes", keys::kPathes));
    EXPECT_TRUE(hasKeyPrefix("Pathe", keys::kPathes));
}

TEST(ValueAt, FixedPositionsAndTheNinetyNineCharacterCut)
{
    EXPECT_EQ(valueAfterKey("ExecuteNumber=12345", keys::kExecuteNumber, 2), "12");
    EXPECT_EQ(valueAfterKey("ExecuteNumber=", keys::kExecuteNumber, 2), "");
    EXPECT_EQ(valueAfterKey("WPChanger=3", keys::kWPChanger, 1), "3");
    const QString longName = QString(150, QChar(u'名'));
    const QString value = valueAfterKey("ListName=" + longName, keys::kListName, 99);
    EXPECT_EQ(value.size(), 99);
    EXPECT_EQ(valueAt("abc", 4, 5), "");
    EXPECT_EQ(valueAt("abc", 0, 5), "");
    EXPECT_EQ(valueAt("abc", 3, 5), "c");
}
