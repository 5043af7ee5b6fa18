#include "dialog/settingsload.h"

#include "settings/writer.h"

#include <gtest/gtest.h>

using namespace qelvo;
using namespace qelvo::dialog;

namespace
{

QString head(const char *executeNumber)
{
    return QString::fromLatin1(
               "[AppState]\r\nAppName=qelvo\r\nAppVersion=1.0.0\r\nAppLastAccPath=/home/u/Pictures\r\n\r\n"
               "[ExecuteState]\r\nExecuteNumber=%1\r\nWPChanger=2\r\nWPIndex=7\r\n"
               "LastExecute=2026/12/07 9:05:03\r\n\r\n[SettingLists]\r\n")
        .arg(QLatin1String(executeNumber));
}

QString record(const QString &name, const QString &options = "ChgTime=10\r\nZoomMax=1\r\n",
               const QStringList &entries = {})
{
    QString r = "***StartList***\r\nListName=" + name + "\r\n" + options + "Pathes\r\n";
    for (const QString &e : entries)
        r += e + "\r\n";
    return r + "***EndList***\r\n";
}

struct Picker {
    QStringList calls;
    bool ok = true;
    PickerPlace place()
    {
        return {[this](const QString &f) { return calls << "folder " + f, ok; },
                [this](const QString &d) { return calls << "drive " + d, ok; },
                [](const QString &f) { return f.section('/', 0, 2); }};
    }
};

LoadedSettings load(const QString &text)
{
    Picker p;
    return loadDialogSettings(text, p.place());
}

} // namespace

TEST(SettingsLoad, ThreeListsSelectTheStoredOneWithEntriesOptionsAndPickerPlace)
{
    const QString c =
        record("C", "Effect=1\r\nChgTime=2.5\r\nZoomMax=1.5\r\nRandomView=1\r\nMouseDisable=0\r\n",
               {"a.jpg,/Pics/A.jpg", "(summer),/Pics/Summer"});
    // LF line ends read like CR LF.
    const QString text =
        head("2") + record("A") + record("B", "", {"x.jpg,/p/x.jpg"}) + QString(c).replace("\r\n", "\n");
    Picker picker;
    const LoadedSettings out = loadDialogSettings(text, picker.place());
    ASSERT_TRUE(out.ok) << out.error.toStdString();
    EXPECT_EQ(out.selection, 2);
    EXPECT_EQ(out.comboItems, QStringList({"A", "B", "C"}));
    EXPECT_EQ(out.LastListIndex, 2);
    EXPECT_EQ(out.WPChanger, 2);
    EXPECT_EQ(out.WPIndex, 7);
    const auto &s = out.listSlots[2];
    EXPECT_EQ(std::tuple(s.ChgTime, s.ZoomMax, s.RandomView, s.MouseDisable, s.Effect),
              std::tuple(2.5f, 1.5f, std::uint8_t(1), std::uint8_t(0), std::uint8_t(1)));
    EXPECT_EQ(s.FileList,
              (QVector<settings::FileEntry>{{"a.jpg", "/Pics/A.jpg"}, {"(summer)", "/Pics/Summer"}}));
    EXPECT_FLOAT_EQ(out.listSlots[1].ChgTime, 0.0f); // a missing key keeps the fresh slot's 0
    EXPECT_EQ(picker.calls, QStringList({"folder /home/u/Pictures", "drive /home/u"}));
}

TEST(SettingsLoad, AWrittenFileReadsBackAsWritten)
{
    settings::SettingsHead h;
    h.executeNumber = "1";
    h.wpChanger = 3;
    h.wpIndex = -4;
    std::vector<settings::SettingList> lists(2);
    lists[0].ListName = QString::fromUtf8("家族, 旅行"); // commas stay: the list pass reads whole lines
    lists[0].ChgTime = 0.5f;
    lists[0].ZoomMax = 1.25f;
    lists[0].FileList = {{"a.jpg", "/x/A.jpg"}};
    lists[1].ListName = QString(120, 'n');
    const LoadedSettings out = load(settings::formatSettingsFile(h, lists));
    ASSERT_TRUE(out.ok) << out.error.toStdString();
    EXPECT_EQ(out.listSlots[0], lists[0]);
    EXPECT_EQ(out.listSlots[1].ListName, QString(99, 'n'));
    EXPECT_EQ(std::tuple(*out.WPChanger, *out.WPIndex, out.selection), std::tuple(3, -4, 1));
}

TEST(SettingsLoad, TheSelectionIsTheFirstCharacterAndMustNameAList)
{
    QString eleven;
    for (int i = 0; i < 11; ++i)
        eleven += record(QString::number(i));
    EXPECT_EQ(load(head("10") + eleven).selection, 1);
    EXPECT_EQ(load("WPChanger=1\r\n" + record("A")).selection, 0); // no line at all: list 0
    for (const QString &bad :
         {head("-1") + eleven, head("") + eleven, head("3") + record("A"), head("0"), QString()})
        EXPECT_FALSE(load(bad).ok) << bad.toStdString();
}

TEST(SettingsLoad, TheFirstErrorEndsTheLoadKeepingWhatWasRead)
{
    const LoadedSettings early = load(head("0") + "ChgTime=5\r\n" + record("A"));
    EXPECT_FALSE(early.ok);
    EXPECT_TRUE(early.comboItems.isEmpty());
    EXPECT_EQ(early.WPChanger, 2);

    QString twelve;
    for (int i = 0; i < 12; ++i)
        twelve += record(QStringLiteral("L%1").arg(i), "", {QStringLiteral("e,/p/e%1").arg(i)});
    const LoadedSettings out = load(head("0") + twelve);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.selection, -1);
    EXPECT_EQ(out.comboItems.size(), 11);
    EXPECT_EQ(out.listSlots[10].FileList.value(0).FullPath, "/p/e10");

    for (const char *bad : {"ChgTime=abc\r\n", "ZoomMax=\r\n", "RandomView=x\r\n"})
        EXPECT_FALSE(load(head("0") + record("A", bad)).ok) << bad;
    EXPECT_FALSE(load(QString(head("0")).replace("WPChanger=2", "WPChanger=4") + record("A")).ok);
    EXPECT_FALSE(load(QString(head("0")).replace("WPIndex=7", "WPIndex=40000") + record("A")).ok);
}

TEST(SettingsLoad, EverythingFromPathesToTheEndMarkerIsEntriesUpTo32768)
{
    const LoadedSettings out =
        load(head("0") + "ListName=A\r\nPathes\r\nChgTime=5,/x\r\n***EndList***\r\nListName=B\r\n");
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.listSlots[0].FileList.value(0).DispName, "ChgTime=5");
    EXPECT_FLOAT_EQ(out.listSlots[0].ChgTime, 0.0f);
    EXPECT_EQ(out.comboItems, QStringList({"A", "B"}));

    const QString full = head("0") + "ListName=A\r\nPathes\r\n" +
                         QString("f.jpg,/f.jpg\r\n").repeated(32768) + "***EndList***\r\n";
    EXPECT_EQ(load(full).listSlots[0].LastFileIndex(), 32767);
    EXPECT_FALSE(load(QString(full).replace("***EndList***", "g,/g\r\n***EndList***")).ok);
}

TEST(SettingsLoad, AFolderThatCannotBeSetDoesNotEndTheLoad)
{
    Picker picker;
    picker.ok = false;
    const LoadedSettings out = loadDialogSettings(head("0") + record("A"), picker.place());
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.comboItems, QStringList({"A"}));
}
