#include "form1fixture.h"

#include "qelvo/version.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

using namespace qelvo;
using namespace qelvo::testing;
namespace t = qelvo::dialog::texts;
using Answer = dialog::Prompter::Answer;
using Icon = dialog::Prompter::Icon;
using Buttons = dialog::Prompter::Buttons;

namespace {
std::vector<settings::SettingList> threeLists()
{
    auto a = Form1Test::makeList("A", 1);
    auto b = Form1Test::makeList("B", 0);
    b.ChgTime = 0.5f;
    b.RandomView = 1;
    auto c = Form1Test::makeList("C", 2);
    c.ChgTime = 3;
    c.ZoomMax = 2.5f;
    c.RandomView = 1;
    c.MouseDisable = 0;
    c.Effect = 1;
    return {a, b, c};
}

QByteArray withoutLastExecute(QByteArray bytes)
{
    const qsizetype at = bytes.indexOf("LastExecute=");
    return at < 0 ? bytes : bytes.remove(at, bytes.indexOf("\r\n", at) - at);
}
} // namespace

TEST_F(Form1Test, FirstRunShowsTheReadErrorAndTheInitialControls)
{
    open();
    ASSERT_EQ(prompter->messages.size(), 1u);
    const auto &m = prompter->messages[0];
    EXPECT_EQ(m.text, u8(t::kReadError));
    EXPECT_EQ(m.icon, Icon::Information);
    EXPECT_EQ(m.buttons, Buttons::Ok);
    EXPECT_TRUE(m.title.isEmpty());

    EXPECT_EQ(form->windowTitle(), QStringLiteral("Qelvo - Version %1").arg(version::kMajor));
    EXPECT_EQ(combo()->count(), 0);
    EXPECT_EQ(combo()->currentIndex(), -1);
    EXPECT_TRUE(list1Rows().isEmpty());
    EXPECT_EQ(text("Text1")->text(), "10");
    EXPECT_EQ(text("Text2")->text(), "1");
    EXPECT_FALSE(check("Check1")->isChecked());
    EXPECT_TRUE(check("Check2")->isChecked());
    EXPECT_TRUE(check("Check3")->isChecked());
    EXPECT_TRUE(check("Check4")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("Option1_0")->isChecked());
    EXPECT_EQ(label("Label1")->text(), u8("既存のファイルリスト"));
    EXPECT_EQ(label("Label2")->text(), u8("リスト内データ"));
    EXPECT_EQ(label("Label3")->text(), u8("サンプル"));
    EXPECT_EQ(form->LastListIndex(), -1);
    EXPECT_FALSE(form->DataChanged());
    EXPECT_FALSE(QFileInfo::exists(identity.settingsPath()));
}

TEST_F(Form1Test, MenusCarryTheirCaptionsShortcutsAndDisabledItems)
{
    make();
    const auto action = [this](const char *name) { return child<QAction>(name); };
    EXPECT_EQ(action("mnuFileNew")->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(action("mnuFileRename")->shortcut(), QKeySequence("Ctrl+M"));
    EXPECT_EQ(action("mnuFileSave")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(action("mnuFileOpen")->shortcut(), QKeySequence("Ctrl+O"));
    for (const char *off : {"mnuFileOpen", "mnuFileOut", "mnuHelpContents", "mnuHelpSearch"})
        EXPECT_FALSE(action(off)->isEnabled()) << off;
    for (const char *on : {"mnuFileNew", "mnuFileRename", "mnuFileDell", "mnuFileSave", "mnuFileExit", "mnuHelpAbout"})
        EXPECT_TRUE(action(on)->isEnabled()) << on;
    EXPECT_EQ(action("mnuFileSave")->text(), u8("設定保存(&S)"));
    const QStringList titles = [this] {
        QStringList out;
        for (QAction *a : form->menuBar()->actions())
            out << a->text();
        return out;
    }();
    EXPECT_EQ(titles, QStringList({u8("ﾌｧｲﾙ(&F)"), u8("ﾍﾙﾌﾟ(&H)")}));
}

TEST_F(Form1Test, TheStoredListIsSelectedWithItsEntriesOptionsAndCounts)
{
    writeLists(threeLists(), 2);
    open();
    EXPECT_TRUE(prompter->messages.empty());
    EXPECT_EQ(combo()->currentIndex(), 2);
    EXPECT_EQ(list1Rows(), QStringList({"c0.jpg", "c1.jpg"}));
    EXPECT_EQ(form->List2(), QStringList({"/p/C0.jpg", "/p/C1.jpg"}));
    EXPECT_EQ(list1Selected(), 0);
    EXPECT_EQ(text("Text1")->text(), "3");
    EXPECT_EQ(text("Text2")->text(), "2.5");
    EXPECT_TRUE(check("Check1")->isChecked());
    EXPECT_FALSE(check("Check2")->isChecked());
    EXPECT_TRUE(check("Check4")->isChecked());
    EXPECT_TRUE(child<QRadioButton>("Option1_2")->isChecked());
    EXPECT_EQ(form->WPChanger(), 2);
    EXPECT_EQ(form->WPIndex(), 5);
    EXPECT_EQ(label("Label1")->text(), u8("既存のファイルリスト(3lists)"));
    EXPECT_EQ(label("Label2")->text(), u8("ファイルリストデータ(2files)"));
    EXPECT_EQ(form->LastListIndex(), 2);
    EXPECT_FALSE(form->DataChanged());
    expectInvariant();
}

TEST_F(Form1Test, SelectingAnotherListReplacesTheControlsAndCountsAsAChange)
{
    const auto lists = threeLists();
    writeLists(lists, 2);
    open();
    choose(1);
    EXPECT_TRUE(list1Rows().isEmpty());
    EXPECT_EQ(label("Label2")->text(), u8("ファイルリストデータ(0files)"));
    EXPECT_EQ(text("Text1")->text(), "0.5");
    EXPECT_EQ(text("Text2")->text(), "1");
    EXPECT_TRUE(check("Check1")->isChecked());
    EXPECT_TRUE(check("Check2")->isChecked());
    EXPECT_FALSE(check("Check4")->isChecked());
    EXPECT_TRUE(form->DataChanged());
    // Showing a list writes the same values back: nothing of any list changed.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(form->slot(i), lists[i]) << i;
    EXPECT_EQ(form->WPChanger(), 2);
}

TEST_F(Form1Test, ListsOfAtLeast32767EntriesShowTheNoticeAndKeepTheFirst32767)
{
    for (const int n : {32766, 32767, 32768}) {
        auto big = makeList("Big", n);
        writeLists({big});
        open();
        const int notices = static_cast<int>(prompter->messageTexts().count(u8(t::kTooManyFiles)));
        EXPECT_EQ(notices, n >= 32767 ? 1 : 0) << n;
        EXPECT_EQ(form->slot(0).FileList.size(), std::min(n, 32767)) << n;
        EXPECT_EQ(list1Rows().size(), std::min(n, 32767)) << n;
        EXPECT_EQ(form->slot(0).FileList.constLast(), big.FileList[std::min(n, 32767) - 1]);
    }
}

TEST_F(Form1Test, ASavedFileIsTheLoadedFileExceptForTheTimeOfTheSave)
{
    writeLists(threeLists(), 1);
    const QByteArray before = readSettings();
    open();
    clock.set(QDateTime(QDate(2027, 3, 4), QTime(5, 6, 7)));
    ASSERT_TRUE(form->mnuFileSave_Click());
    const QByteArray after = readSettings();
    EXPECT_NE(before, after);
    EXPECT_EQ(withoutLastExecute(before), withoutLastExecute(after));
    EXPECT_TRUE(after.contains("LastExecute=2027/03/04 5:06:07\r\n"));
    EXPECT_FALSE(form->DataChanged());
    EXPECT_EQ(pickerDestroys, 1);
    EXPECT_TRUE(prompter->messages.empty());
}

TEST_F(Form1Test, SavingWithoutListsWritesTheTwelveLines)
{
    open();
    ASSERT_TRUE(form->mnuFileSave_Click());
    const QByteArray bytes = readSettings();
    EXPECT_EQ(bytes.count("\r\n"), 12);
    EXPECT_TRUE(bytes.contains("\r\nExecuteNumber=-1\r\n"));
    EXPECT_TRUE(bytes.endsWith("[SettingLists]\r\n"));
    EXPECT_FALSE(QFileInfo::exists(identity.settingsPath() + ".bak")); // there was nothing to keep
}

TEST_F(Form1Test, AFailedSaveSaysWhyAndKeepsTheChangesUnsaved)
{
    identity.folder = dir.filePath("no-such-folder");
    open();
    prompter->messages.clear();
    form->mnuFileNew_Click(); // nothing scripted: cancelled, but select a mode to change something
    child<QRadioButton>("Option1_1")->setChecked(true);
    ASSERT_TRUE(form->DataChanged());
    EXPECT_FALSE(form->mnuFileSave_Click());
    ASSERT_EQ(prompter->messages.size(), 1u);
    EXPECT_EQ(prompter->messages[0].icon, Icon::Critical);
    EXPECT_TRUE(prompter->messages[0].text.contains(identity.settingsPath()));
    EXPECT_TRUE(form->DataChanged());

    // The close guard's Yes with a failing save keeps the dialog open.
    form->show();
    prompter->answers = {Answer::Yes};
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->DataChanged());
}

TEST_F(Form1Test, AFileThatCouldNotBeReadIsKeptAsBakByTheSaveThatReplacesIt)
{
    QString twelve;
    std::vector<settings::SettingList> lists;
    for (int i = 0; i < 12; ++i)
        lists.push_back(makeList(QStringLiteral("L%1").arg(i), 1));
    writeLists(lists);
    const QByteArray original = readSettings();
    open();
    EXPECT_EQ(prompter->messageTexts(), QStringList({u8(t::kReadError)}));
    EXPECT_EQ(combo()->count(), 11); // what was read stays
    EXPECT_EQ(combo()->currentIndex(), -1);

    ASSERT_TRUE(form->mnuFileSave_Click());
    EXPECT_EQ(readBytes(identity.settingsPath() + ".bak"), original);
    EXPECT_NE(readSettings(), original);
    // Only the first save keeps a copy: later saves leave the .bak alone.
    ASSERT_TRUE(form->mnuFileSave_Click());
    EXPECT_EQ(readBytes(identity.settingsPath() + ".bak"), original);
}

TEST_F(Form1Test, AStoredFolderThatIsGoneDoesNotCostTheLists)
{
    pickerFolderOk = false;
    writeLists(threeLists(), 0);
    open();
    EXPECT_TRUE(prompter->messages.empty());
    EXPECT_EQ(combo()->count(), 3);
    EXPECT_EQ(pickerFolders, QStringList({"/home/u/Pictures"}));
    EXPECT_FALSE(form->DataChanged());
}

TEST_F(Form1Test, CloseGuardAsksOnlyWhenChangedAndHonoursEachAnswer)
{
    writeLists(threeLists(), 0);
    const QByteArray before = readSettings();

    open().show();
    EXPECT_TRUE(form->close()); // unchanged: nothing asked
    EXPECT_TRUE(prompter->messages.empty());
    EXPECT_EQ(pickerDestroys, 1);

    open().show();
    choose(0); // a selection is a change
    prompter->answers = {Answer::Cancel};
    EXPECT_FALSE(form->close());
    ASSERT_EQ(prompter->messages.size(), 1u);
    EXPECT_EQ(prompter->messages[0].title, u8(t::kSaveConfirmTitle));
    EXPECT_EQ(prompter->messages[0].text, u8(t::kSaveConfirm));
    EXPECT_EQ(prompter->messages[0].icon, Icon::Question);
    EXPECT_EQ(prompter->messages[0].buttons, Buttons::YesNoCancel);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->DataChanged());

    prompter->answers = {Answer::No};
    EXPECT_TRUE(form->close());
    EXPECT_EQ(readSettings(), before);

    open().show();
    child<QRadioButton>("Option1_3")->setChecked(true);
    prompter->answers = {Answer::Yes};
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(readSettings().contains("\r\nWPChanger=3\r\n"));
}

TEST_F(Form1Test, EscapeClosesThroughTheGuardFromAnyControl)
{
    writeLists(threeLists(), 0);
    open().show();
    child<QRadioButton>("Option1_1")->setChecked(true);
    prompter->answers = {Answer::Cancel};
    QTest::keyClick(text("Text1"), Qt::Key_Escape);
    EXPECT_EQ(prompter->messageTexts(), QStringList({u8(t::kSaveConfirm)}));
    EXPECT_TRUE(form->isVisible());
    prompter->answers = {Answer::No};
    QTest::keyClick(list1(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Form1Test, QuitEndsTheProgramUnlessTheGuardIsCancelled)
{
    writeLists(threeLists(), 0);
    open().show();
    choose(1);
    prompter->answers = {Answer::Cancel};
    form->mnuFileExit_Click();
    EXPECT_EQ(quits, 0);
    EXPECT_TRUE(form->isVisible());
    prompter->answers = {Answer::No};
    form->mnuFileExit_Click();
    EXPECT_EQ(quits, 1);
}

TEST_F(Form1Test, PreviewAsksToSaveOnlyWhenChanged)
{
    writeLists(threeLists(), 0);
    const QByteArray before = readSettings();
    open();
    form->Command5_Click();
    EXPECT_EQ(previews, 1);
    EXPECT_TRUE(prompter->messages.empty());

    choose(2);
    form->Command5_Click(); // unscripted: No
    EXPECT_EQ(previews, 1);
    ASSERT_EQ(prompter->messages.size(), 1u);
    EXPECT_EQ(prompter->messages[0].text, u8(t::kPreviewSave));
    EXPECT_EQ(prompter->messages[0].buttons, Buttons::YesNo);
    EXPECT_EQ(prompter->messages[0].icon, Icon::None);
    EXPECT_EQ(readSettings(), before);

    prompter->answers = {Answer::Yes};
    form->Command5_Click();
    EXPECT_EQ(previews, 2);
    EXPECT_TRUE(readSettings().contains("\r\nExecuteNumber=2\r\n"));
    EXPECT_FALSE(form->DataChanged());
}

TEST_F(Form1Test, SecondsAndZoomBoxesStoreNumbersAndRefuseToLeaveOtherText)
{
    writeLists(threeLists(), 0);
    open();
    text("Text1")->setText("2.5");
    EXPECT_FLOAT_EQ(form->slot(0).ChgTime, 2.5f);
    EXPECT_TRUE(form->DataChanged());
    ASSERT_TRUE(form->mnuFileSave_Click());
    EXPECT_TRUE(readSettings().contains("\r\nChgTime=2.5\r\n"));

    text("Text1")->setText("");
    EXPECT_FLOAT_EQ(form->slot(0).ChgTime, 2.5f); // kept
    EXPECT_TRUE(form->DataChanged());
    form->Text1_LostFocus();
    EXPECT_EQ(prompter->messageTexts(), QStringList({u8(t::kNotNumeric)}));
    text("Text1")->setText("abc");
    form->Text1_LostFocus();
    EXPECT_EQ(prompter->messages.size(), 2u);
    // A number too large to store is refused too, rather than passed and dropped.
    text("Text2")->setText("1e39");
    form->Text2_LostFocus();
    EXPECT_EQ(prompter->messages.size(), 3u);
    EXPECT_FLOAT_EQ(form->slot(0).ZoomMax, 1.0f);

    for (const char *value : {"0", "-3"}) {
        text("Text1")->setText(value);
        text("Text2")->setText(value);
        form->Text1_LostFocus();
        form->Text2_LostFocus();
        EXPECT_FLOAT_EQ(form->slot(0).ChgTime, QString(value).toFloat());
        EXPECT_FLOAT_EQ(form->slot(0).ZoomMax, QString(value).toFloat());
    }
    EXPECT_EQ(prompter->messages.size(), 3u);
}

TEST_F(Form1Test, LeavingAnEmptyBoxForAnotherEmptyBoxShowsOneNotice)
{
    writeLists(threeLists(), 0);
    open().show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    text("Text1")->setFocus();
    QTRY_VERIFY_WITH_TIMEOUT(text("Text1")->hasFocus(), 2000);
    text("Text1")->clear();
    text("Text2")->clear();
    text("Text2")->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE_WITH_TIMEOUT(static_cast<int>(prompter->messages.size()), 1, 2000);
    QTRY_VERIFY_WITH_TIMEOUT(text("Text1")->hasFocus(), 2000);
    QTest::qWait(50); // let any stray deferred notice through
    EXPECT_EQ(prompter->messageTexts(), QStringList({u8(t::kNotNumeric)}));
    EXPECT_EQ(text("Text1")->selectedText(), text("Text1")->text());
}

TEST_F(Form1Test, CheckBoxesAndModeButtonsWriteTheirValues)
{
    writeLists(threeLists(), 0);
    open();
    check("Check1")->setChecked(true);
    EXPECT_EQ(form->slot(0).RandomView, 1);
    check("Check2")->setChecked(false);
    EXPECT_EQ(form->slot(0).MouseDisable, 0);
    check("Check4")->setChecked(false);
    EXPECT_EQ(form->slot(0).Effect, 0);
    EXPECT_TRUE(form->DataChanged());
    child<QRadioButton>("Option1_1")->setChecked(true);
    EXPECT_EQ(form->WPChanger(), 1);
    choose(2);
    EXPECT_EQ(form->WPChanger(), 1); // dialog-wide, not per list
    EXPECT_EQ(form->slot(0).RandomView, 1);
}

TEST_F(Form1Test, WithNoListTheControlsStoreNothing)
{
    open();
    text("Text1")->setText("7");
    check("Check1")->setChecked(true);
    EXPECT_TRUE(form->DataChanged());
    for (int i = 0; i < settings::kSlotCount; ++i)
        EXPECT_EQ(form->slot(i), settings::SettingList{}) << i;
}

TEST_F(Form1Test, SampleSwitchChangesTheCaptionButNotTheChangedFlag)
{
    writeLists(threeLists(), 0);
    open();
    check("Check3")->setChecked(false);
    EXPECT_EQ(label("Label3")->text(), u8("サンプル"));
    check("Check3")->setChecked(true);
    EXPECT_EQ(label("Label3")->text(), u8("サンプル無効化中"));
    EXPECT_FALSE(form->DataChanged());
}

TEST_F(Form1Test, AboutBoxShowsNameVersionAndNotice)
{
    identity.baseName = "QELVO";
    open();
    prompter->messages.clear();
    form->mnuHelpAbout_Click();
    ASSERT_EQ(prompter->messages.size(), 1u);
    const auto &m = prompter->messages[0];
    EXPECT_EQ(m.icon, Icon::None);
    EXPECT_EQ(m.buttons, Buttons::Ok);
    EXPECT_TRUE(m.title.isEmpty());
    EXPECT_TRUE(m.text.startsWith("QELVO  Version-" + versionText() + "\n" + QString::fromUtf8(version::kLegalNotice)));
    EXPECT_TRUE(m.text.contains(u8("readme.txt")));
}
