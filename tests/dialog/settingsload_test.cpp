#include "dialog/settingsload.h"

#include "settings/writer.h"

#include <gtest/gtest.h>

using namespace qelvo;
using namespace qelvo::dialog;

namespace {

const char *kHead = "[AppState]\r\nAppName=qelvo\r\nAppVersion=1.0.0\r\nAppLastAccPath=/home/u/Pictures\r\n\r\n"
                    "[ExecuteState]\r\nExecuteNumber=%1\r\nWPChanger=2\r\nWPIndex=7\r\n"
                    "LastExecute=2026/12/07 9:05:03\r\n\r\n[SettingLists]\r\n";

QString head(const char *executeNumber) { return QString::fromLatin1(kHead).arg(QLatin1String(executeNumber)); }

QString record(const QString &name, const QStringList &entries = {}, const char *options = nullptr)
{
    QString r = "***StartList***\r\nListName=" + name + "\r\n";
    r += options ? QString::fromLatin1(options)
                 : QStringLiteral("ChgTime=10\r\nZoomMax=1\r\nRandomView=0\r\nMouseDisable=1\r\nEffect=0\r\n");
    r += "Pathes\r\n";
    for (const QString &e : entries)
        r += e + "\r\n";
    return r + "***EndList***\r\n";
}

struct PickerCalls {
    QStringList folders;
    QStringList drives;
    bool folderOk = true;
};

PickerPlace place(PickerCalls &calls)
{
    PickerPlace p;
    p.setFolder = [&calls](const QString &f) {
        calls.folders << f;
        return calls.folderOk;
    };
    p.setDrive = [&calls](const QString &d) {
        calls.drives << d;
        return calls.folderOk;
    };
    p.home = "/home/u";
    p.user = "u";
    return p;
}

LoadedSettings load(const QString &text)
{
    PickerCalls calls;
    return loadDialogSettings(text, place(calls));
}

} // namespace

TEST(SettingsLoad, NoFileIsTheFirstErrorAndLeavesEverythingEmpty)
{
    PickerCalls calls;
    const LoadedSettings out = loadDialogSettings(std::nullopt, place(calls));
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.selection, -1);
    EXPECT_TRUE(out.comboItems.isEmpty());
    EXPECT_EQ(out.LastListIndex, -1);
    EXPECT_FALSE(out.WPChanger.has_value());
    EXPECT_TRUE(calls.folders.isEmpty());
}

TEST(SettingsLoad, ThreeListsSelectTheStoredOneWithEntriesAndOptions)
{
    const QString text = head("2") + record("A") + record("B", {"x.jpg,/p/x.jpg"}) +
                         record("C", {"a.jpg,/Pics/A.jpg", "(summer),/Pics/Summer"},
                                "ChgTime=2.5\r\nZoomMax=1.5\r\nRandomView=1\r\nMouseDisable=0\r\nEffect=1\r\n");
    PickerCalls calls;
    const LoadedSettings out = loadDialogSettings(text, place(calls));
    ASSERT_TRUE(out.ok) << out.error.toStdString();
    EXPECT_EQ(out.selection, 2);
    EXPECT_EQ(out.comboItems, QStringList({"A", "B", "C"}));
    EXPECT_EQ(out.LastListIndex, 2);
    EXPECT_EQ(out.WPChanger, 2);
    EXPECT_EQ(out.WPIndex, 7);
    const auto &c = out.listSlots[2];
    EXPECT_FLOAT_EQ(c.ChgTime, 2.5f);
    EXPECT_FLOAT_EQ(c.ZoomMax, 1.5f);
    EXPECT_EQ(c.RandomView, 1);
    EXPECT_EQ(c.MouseDisable, 0);
    EXPECT_EQ(c.Effect, 1);
    ASSERT_EQ(c.FileList.size(), 2);
    EXPECT_EQ(c.FileList[1], (settings::FileEntry{"(summer)", "/Pics/Summer"}));
    EXPECT_EQ(out.listSlots[0].LastFileIndex(), -1);
    EXPECT_EQ(calls.folders, QStringList({"/home/u/Pictures"}));
    EXPECT_EQ(calls.drives, QStringList({"/home/u"}));
}

TEST(SettingsLoad, AWrittenFileReadsBackAsWritten)
{
    settings::SettingsHead h;
    h.appName = "qelvo";
    h.appVersion = "1.0.0";
    h.appLastAccPath = "/";
    h.executeNumber = "1";
    h.wpChanger = 3;
    h.wpIndex = -4;
    h.lastExecute = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5));
    std::vector<settings::SettingList> lists(2);
    lists[0].ListName = QString::fromUtf8("家族, 旅行");
    lists[0].ChgTime = 0.5f;
    lists[0].ZoomMax = 1.25f;
    lists[0].FileList = {{"a.jpg", "/x/A.jpg"}};
    lists[1].ListName = "empty";
    const LoadedSettings out = load(settings::formatSettingsFile(h, lists));
    ASSERT_TRUE(out.ok) << out.error.toStdString();
    EXPECT_EQ(out.listSlots[0], lists[0]);
    EXPECT_EQ(out.listSlots[1], lists[1]);
    EXPECT_EQ(out.WPIndex, -4);
    EXPECT_EQ(out.selection, 1);
}

TEST(SettingsLoad, FilesWithoutAListFailAtTheFinalSelection)
{
    for (const QString &text : {QString(), head("0"), QStringLiteral("ExecuteNumber=0\r\n")}) {
        const LoadedSettings out = load(text);
        EXPECT_FALSE(out.ok) << text.toStdString();
        EXPECT_EQ(out.selection, -1);
    }
}

TEST(SettingsLoad, OnlyTheFirstCharacterOfTheSelectionCounts)
{
    QString lists;
    for (int i = 0; i < 11; ++i)
        lists += record(QString::number(i));
    EXPECT_EQ(load(head("10") + lists).selection, 1); // "1" of "10"
    EXPECT_FALSE(load(head("-1") + lists).ok);        // "-" alone is no number
    EXPECT_FALSE(load(head("") + lists).ok);          // a line without a value
    // No such line at all selects list 0.
    const LoadedSettings none = load(QStringLiteral("WPChanger=1\r\n") + record("A") + record("B"));
    EXPECT_TRUE(none.ok);
    EXPECT_EQ(none.selection, 0);
    EXPECT_EQ(none.WPChanger, 1);
    // A list number the combo box does not have.
    EXPECT_FALSE(load(head("3") + record("A")).ok);
}

TEST(SettingsLoad, KeysBeforeTheFirstListAndATwelfthListAreErrorsKeepingWhatWasRead)
{
    const LoadedSettings early = load(head("0") + "ChgTime=5\r\n" + record("A"));
    EXPECT_FALSE(early.ok);
    EXPECT_TRUE(early.comboItems.isEmpty());
    EXPECT_EQ(early.WPChanger, 2); // pass 2 had already run

    QString twelve;
    for (int i = 0; i < 12; ++i)
        twelve += record(QStringLiteral("L%1").arg(i), {QStringLiteral("e%1,/p/e%1").arg(i)});
    const LoadedSettings out = load(head("0") + twelve);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.comboItems.size(), 11);
    EXPECT_EQ(out.LastListIndex, 10);
    EXPECT_EQ(out.listSlots[10].FileList.value(0).FullPath, "/p/e10");
}

TEST(SettingsLoad, BadNumbersAndBadModesAreErrors)
{
    EXPECT_FALSE(load(head("0") + record("A", {}, "ChgTime=abc\r\n")).ok);
    EXPECT_FALSE(load(head("0") + record("A", {}, "ZoomMax=\r\n")).ok);
    EXPECT_FALSE(load(head("0") + record("A", {}, "RandomView=x\r\n")).ok);
    EXPECT_FALSE(load(QString(head("0")).replace("WPChanger=2", "WPChanger=4") + record("A")).ok);
    EXPECT_FALSE(load(QString(head("0")).replace("WPIndex=7", "WPIndex=40000") + record("A")).ok);
    // Options in any order; a missing key keeps the slot's earlier value.
    const LoadedSettings any = load(head("0") + record("A", {}, "Effect=1\r\nZoomMax=3\r\n"));
    ASSERT_TRUE(any.ok);
    EXPECT_FLOAT_EQ(any.listSlots[0].ZoomMax, 3.0f);
    EXPECT_FLOAT_EQ(any.listSlots[0].ChgTime, 0.0f);
    EXPECT_EQ(any.listSlots[0].Effect, 1);
}

TEST(SettingsLoad, EverythingAfterPathesUpToTheEndMarkerIsEntries)
{
    const QString text = head("0") + "***StartList***\r\nListName=A\r\nPathes\r\nChgTime=5,/x\r\n"
                                      "b.jpg,/p/b.jpg\r\n***EndList***\r\nListName=B\r\n";
    const LoadedSettings out = load(text);
    ASSERT_TRUE(out.ok);
    ASSERT_EQ(out.listSlots[0].FileList.size(), 2);
    EXPECT_EQ(out.listSlots[0].FileList[0].DispName, "ChgTime=5");
    EXPECT_FLOAT_EQ(out.listSlots[0].ChgTime, 0.0f);
    EXPECT_EQ(out.comboItems, QStringList({"A", "B"}));
    // A record cut off at the end of the file keeps what it had.
    const LoadedSettings cut = load(head("0") + "ListName=A\r\nPathes\r\na.jpg,/a.jpg\r\n");
    ASSERT_TRUE(cut.ok);
    EXPECT_EQ(cut.listSlots[0].FileList.size(), 1);
}

TEST(SettingsLoad, NamesWithCommasStayWholeAndLongNamesAreCut)
{
    const QString longName(120, QLatin1Char('n'));
    const LoadedSettings out = load(head("0") + record("a, b, c") + record(longName));
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.comboItems.value(0), "a, b, c");
    EXPECT_EQ(out.comboItems.value(1), longName.left(99));
}

TEST(SettingsLoad, TheEntryLimitIs32768)
{
    QString entries;
    for (int i = 0; i < 32768; ++i)
        entries += QStringLiteral("f.jpg,/f.jpg\r\n");
    const QString full = head("0") + "ListName=A\r\nPathes\r\n" + entries + "***EndList***\r\n";
    const LoadedSettings ok = load(full);
    ASSERT_TRUE(ok.ok);
    EXPECT_EQ(ok.listSlots[0].LastFileIndex(), 32767);
    const LoadedSettings over = load(QString(full).replace("***EndList***", "g.jpg,/g.jpg\r\n***EndList***"));
    EXPECT_FALSE(over.ok);
}

TEST(SettingsLoad, AFolderThatCannotBeSetDoesNotEndTheLoad)
{
    PickerCalls calls;
    calls.folderOk = false;
    const LoadedSettings out = loadDialogSettings(head("0") + record("A"), place(calls));
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.comboItems, QStringList({"A"}));
    EXPECT_EQ(calls.folders.size(), 1);
}

TEST(SettingsLoad, TheDriveIsTheBrowsingRootHoldingTheFolder)
{
    EXPECT_EQ(driveOf("/home/u/Pictures", "/home/u", "u"), "/home/u");
    EXPECT_EQ(driveOf("/home/u", "/home/u", "u"), "/home/u");
    EXPECT_EQ(driveOf("/home/uv/x", "/home/u", "u"), "/");
    EXPECT_EQ(driveOf("/media/u/CARD/DCIM", "/home/u", "u"), "/media/u/CARD");
    EXPECT_EQ(driveOf("/run/media/u/usb", "/home/u", "u"), "/run/media/u/usb");
    EXPECT_EQ(driveOf("/mnt/photos/2024", "/home/u", "u"), "/mnt/photos");
    EXPECT_EQ(driveOf("/usr/share", "/home/u", "u"), "/");
    EXPECT_EQ(driveOf("/", "/home/u", "u"), "/");
}

TEST(SettingsLoad, LfLineEndsAndJapaneseNamesRead)
{
    const QString text = QString(head("0")).replace("\r\n", "\n") + QString::fromUtf8("ListName=写真\nPathes\n"
                                                                                       "a.jpg,/a.jpg\n***EndList***\n");
    const LoadedSettings out = load(text);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.comboItems.value(0), QString::fromUtf8("写真"));
    EXPECT_EQ(out.listSlots[0].FileList.value(0).FullPath, "/a.jpg");
}
