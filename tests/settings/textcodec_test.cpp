#include "settings/keys.h"
#include "settings/scanner.h"
#include "settings/textcodec.h"

#include <gtest/gtest.h>

using namespace qelvo::settings;

TEST(TextCodec, Cp932FileWithJapaneseListNamesReadsBack)
{
    // "ListName=日本の写真" in CP932, CR LF, then an entry line.
    const QByteArray cp932 = QByteArray("ListName=") +
                             QByteArray("\x93\xfa\x96\x7b\x82\xcc\x8e\xca\x90\x5e") +
                             "\r\n\x82\xa0.jpg,c:\\\x82\xa0.jpg\r\n";
    const QString text = decodeSettingsText(cp932);
    const QStringList lines = splitLines(text);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(valueAfterKey(lines[0], keys::kListName, 99), QString::fromUtf8("日本の写真"));
    EXPECT_EQ(lines[1], QString::fromUtf8("あ.jpg,c:\\あ.jpg"));
}

TEST(TextCodec, ACp932FileCutInsideACharacterKeepsAMarkForIt)
{
    // "あ" and a lone lead byte: still CP932, the cut character shows as U+FFFD.
    EXPECT_EQ(decodeSettingsText("x\x82\xa0\x82"), QString::fromUtf8("xあ\uFFFD"));
    // A trail byte in the lead range is part of its pair, not a cut.
    EXPECT_EQ(decodeSettingsText("\x82\x81"), QString::fromUtf8("ａ"));
}

TEST(TextCodec, Utf8RoundTripsEveryName)
{
    const QString text = QString::fromUtf8("ListName=日本の写真 ﾃｽﾄ　全角\r\nüñï.jpg,/home/ü/üñï.jpg\r\n");
    EXPECT_EQ(decodeSettingsText(encodeSettingsText(text)), text);
    EXPECT_FALSE(encodeSettingsText(text).startsWith("\xEF\xBB\xBF"));
}
