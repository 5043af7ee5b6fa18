#include "platform/language.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace qelvo
{

TEST(ChooseUiLanguage, JapaneseForJapaneseAndTheCLocaleEnglishForTheRest)
{
    using L = UiLanguage;
    struct Row {
        QStringList languages;
        L expected;
    };
    const Row rows[] = {
        {{"ja-JP", "en"}, L::Japanese},
        {{"ja"}, L::Japanese},
        {{"ja_JP.UTF-8"}, L::Japanese},
        {{"C"}, L::Japanese},
        {{"C.UTF-8"}, L::Japanese},
        {{"POSIX"}, L::Japanese},
        {{}, L::Japanese},
        {{""}, L::Japanese},
        {{"en-US"}, L::English},
        {{"de-DE", "ja-JP"}, L::English},
        {{"jv-ID"}, L::English}, // Javanese is not Japanese
        {{"zh-Hans-CN"}, L::English},
    };
    for (const Row &row : rows)
        EXPECT_EQ(chooseUiLanguage(row.languages), row.expected) << row.languages.join(',').toStdString();
}

// English brings Qelvo's own catalogue (embedded in the program), Japanese
// Qt's; each leaves the texts as they were once it goes.
TEST(Translations, InstallTheLanguagesCatalogueForTheirLifetime)
{
    const char *label = "既存のファイルリスト";
    {
        const Translations english(UiLanguage::English);
        ASSERT_TRUE(english.loaded());
        EXPECT_EQ(QCoreApplication::translate("Form1", label), QStringLiteral("Existing lists"));
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    }
    EXPECT_EQ(QCoreApplication::translate("Form1", label), QString::fromUtf8(label));
    {
        const Translations japanese(UiLanguage::Japanese);
        ASSERT_TRUE(japanese.loaded()) << "qtbase_ja.qm (qt6-translations-l10n) is not installed";
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8("キャンセル"));
        EXPECT_EQ(QCoreApplication::translate("Form1", label), QString::fromUtf8(label));
    }
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

} // namespace qelvo
