// The real binary in the user's language: the dialog, an input box's title
// and a message box with its buttons in Japanese or in English as the
// locale variables say; the settings file the same bytes in every language.
#include "qelvorun.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qelvo::e2e;
using namespace std::chrono_literals;

namespace
{

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

class LanguageE2E : public SessionTest
{
protected:
    static bool type(const XSession::Window &w, const QString &keys)
    {
        return s_session->xdotool({"windowactivate", "--sync", QString::number(w.id)}) &&
               s_session->xdotool({"key", "--clearmodifiers", keys});
    }
    // What the clipboard holds, as xclip reads it from the session's display.
    static QString clipboard()
    {
        QProcess xclip;
        xclip.setProcessEnvironment(s_session->environment());
        xclip.start("xclip", {"-o", "-selection", "clipboard"});
        return xclip.waitForFinished(10000) && xclip.exitCode() == 0 ? QString::fromUtf8(xclip.readAll())
                                                                     : QString();
    }
};

struct LanguageRow {
    const char *lang;
    bool japanese;
};

void PrintTo(const LanguageRow &row, std::ostream *out)
{
    *out << "LANG=" << row.lang;
}

class LanguageTable : public LanguageE2E, public ::testing::WithParamInterface<LanguageRow>
{
};

// A new list through the input box, then leaving: the save question with its
// three buttons, copied from the box as a user copies it (Ctrl+C) and
// answered No through its accelerator, which is the same letter in both languages.
TEST_P(LanguageTable, DialogInputBoxAndMessageBoxSpeakTheLanguage)
{
    const bool ja = GetParam().japanese;
    QelvoInstall install(*s_session);
    install.writeSettings("ExecuteNumber=0\r\nListName=A\r\nPathes\r\n***EndList***\r\n");
    QProcess &qelvo = install.start({"/c"}, {QStringLiteral("LANG=") + GetParam().lang});

    // A busy machine once took over 15 s to show the Japanese dialog; the wait
    // is bounded and lasts only as long as the program takes.
    const auto dialog = waitForTitle(qelvo, "Qelvo - Version ", 60s);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_TRUE(dialog->name.contains(QRegularExpression("^Qelvo - Version \\d+$")))
        << dialog->name.toStdString();

    ASSERT_TRUE(type(*dialog, "ctrl+n"));
    const auto input = waitForTitle(qelvo, ja ? u8("新規設定") : u8("New List"), 15s);
    ASSERT_TRUE(input.has_value());
    ASSERT_TRUE(type(*input, "b"));
    ASSERT_TRUE(type(*input, "Return"));

    ASSERT_TRUE(type(*dialog, "Escape"));
    const auto question = waitForTitle(qelvo, ja ? u8("設定保存の確認") : u8("Save Settings"), 15s);
    ASSERT_TRUE(question.has_value());
    ASSERT_TRUE(type(*question, "ctrl+c"));
    const QString text = ja ? u8("データが変更されています。保存後終了しますか？")
                            : u8("The settings have changed. Save them before closing?");
    QString copied;
    EXPECT_TRUE(waitUntil([&] { return (copied = clipboard()).contains(text); }, 10s))
        << copied.toStdString();
    const QStringList buttons = ja ? QStringList{u8("はい(Y)"), u8("いいえ(N)"), u8("キャンセル")}
                                   : QStringList{"Yes", "No", "Cancel"};
    for (const QString &button : buttons)
        EXPECT_TRUE(copied.contains(button)) << button.toStdString() << " in " << copied.toStdString();

    ASSERT_TRUE(type(*question, "alt+n"));
    const auto code = QelvoInstall::waitForExit(qelvo, 15s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0);
    EXPECT_FALSE(install.readSettings().contains("ListName=b")) << "No saves nothing";
}

INSTANTIATE_TEST_SUITE_P(Locales, LanguageTable,
                         ::testing::Values(LanguageRow{"en_US.UTF-8", false},
                                           LanguageRow{"de_DE.UTF-8", false},
                                           LanguageRow{"ja_JP.UTF-8", true}, LanguageRow{"C", true}),
                         [](const auto &info) {
                             return std::string(info.param.japanese ? "ja" : "en") +
                                    std::to_string(info.index);
                         });

// Numbers and dates in Qelvo.ini keep the file's own format under a locale
// whose decimal point is a comma: the C library's locale is really German
// here (the locales are built for the test, so none need be installed).
TEST_F(LanguageE2E, SettingsBytesAreTheSameInEveryLanguage)
{
    QTemporaryDir locales;
    for (const char *locale : {"de_DE", "ja_JP"}) {
        QProcess localedef;
        localedef.start("localedef",
                        {"-i", locale, "-f", "UTF-8", locales.filePath(QString(locale) + ".UTF-8")});
        ASSERT_TRUE(localedef.waitForFinished(60000));
        ASSERT_EQ(localedef.exitCode(), 0)
            << locale << ": " << localedef.readAllStandardError().toStdString();
    }
    const QByteArray input = "[ExecuteState]\r\nExecuteNumber=0\r\nWPChanger=2\r\nWPIndex=3\r\n\r\n"
                             "[SettingLists]\r\n***StartList***\r\nListName=A\r\nChgTime=2.5\r\n"
                             "ZoomMax=0.1234567\r\nRandomView=1\r\nMouseDisable=0\r\nEffect=1\r\nPathes\r\n"
                             "a.jpg,/pictures/a.jpg\r\n(b),/pictures/b\r\n***EndList***\r\n";
    QByteArray saved[2];
    const char *langs[2] = {"de_DE.UTF-8", "ja_JP.UTF-8"};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(langs[i]);
        QelvoInstall install(*s_session);
        install.writeSettings(input);
        QProcess &qelvo =
            install.start({"/c"}, {QStringLiteral("LANG=") + langs[i], "LOCPATH=" + locales.path()});
        const auto dialog = waitForTitle(qelvo, "Qelvo - Version ", 15s);
        ASSERT_TRUE(dialog.has_value());
        ASSERT_TRUE(type(*dialog, "ctrl+s"));
        ASSERT_TRUE(waitUntil([&] { return install.readSettings().startsWith("[AppState]"); }, 10s));
        ASSERT_TRUE(waitUntil([&] { return install.readSettings().endsWith("***EndList***\r\n"); }, 10s));
        // Each install has its folder of its own, which the picker's folder names.
        saved[i] = install.readSettings().replace(install.folder().toUtf8(), "<folder>");
        ASSERT_TRUE(type(*dialog, "Escape"));
        ASSERT_TRUE(QelvoInstall::waitForExit(qelvo, 15s).has_value());
    }
    // The save's own time differs from run to run; its format does not.
    const QRegularExpression when("LastExecute=\\d{4}/\\d{2}/\\d{2} \\d{1,2}:\\d{2}:\\d{2}\r\n");
    for (QByteArray &bytes : saved) {
        QString text = QString::fromUtf8(bytes);
        EXPECT_EQ(text.count(when), 1) << bytes.toStdString();
        bytes = text.replace(when, "LastExecute=<now>\r\n").toUtf8();
    }
    EXPECT_EQ(saved[0].toStdString(), saved[1].toStdString());
    EXPECT_TRUE(saved[0].contains("\r\nChgTime=2.5\r\nZoomMax=0.1234567\r\n")) << saved[0].toStdString();
}

} // namespace
