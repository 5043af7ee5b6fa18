#include "form1fixture.h"

#include "picker/picker.h"
#include "qelvo/version.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace qelvo;
using namespace qelvo::testing;
namespace t = qelvo::dialog::texts;
using Answer = dialog::Prompter::Answer;
using Icon = dialog::Prompter::Icon;
using Buttons = dialog::Prompter::Buttons;

namespace
{
std::vector<settings::SettingList> threeLists()
{
    auto b = Form1Test::makeList("B", 0);
    b.ChgTime = 0.5f;
    b.RandomView = 1;
    auto c = Form1Test::makeList("C", 2);
    c.ChgTime = 3;
    c.ZoomMax = 2.5f;
    c.RandomView = 1;
    c.MouseDisable = 0;
    c.Effect = 1;
    return {Form1Test::makeList("A", 1), b, c};
}
} // namespace

TEST_F(Form1Test, FirstRunShowsTheReadErrorAndTheInitialControls)
{
    open();
    ASSERT_EQ(prompter->messages.size(), 1u);
    EXPECT_EQ(prompter->messages[0].text, u8(t::kReadError));
    EXPECT_EQ(prompter->messages[0].icon, Icon::Information);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Qelvo - Version %1").arg(version::kMajor));
    EXPECT_EQ(combo()->currentIndex(), -1);
    EXPECT_TRUE(list1Rows().isEmpty());
    EXPECT_EQ(text("Text1")->text() + text("Text2")->text(), "101");
    EXPECT_EQ(checks(), "0111");
    EXPECT_TRUE(child<QRadioButton>("Option1_0")->isChecked());
    EXPECT_EQ(label("Label1")->text() + label("Label2")->text(), u8("既存のファイルリストリスト内データ"));
    EXPECT_FALSE(form->DataChanged());
    // Menus: the import, export and help items are there but do nothing.
    for (const char *off : {"mnuFileOpen", "mnuFileOut", "mnuHelpContents", "mnuHelpSearch"})
        EXPECT_FALSE(child<QAction>(off)->isEnabled()) << off;
    EXPECT_EQ(child<QAction>("mnuFileSave")->shortcut(), QKeySequence("Ctrl+S"));
}

TEST_F(Form1Test, TheStoredListIsShownAndSelectingAnotherIsAChangeThatAltersNoList)
{
    const auto lists = threeLists();
    writeLists(lists, 2);
    open();
    EXPECT_TRUE(prompter->messages.empty());
    EXPECT_EQ(combo()->currentIndex(), 2);
    EXPECT_EQ(list1Rows(), QStringList({"c0.jpg", "c1.jpg"}));
    EXPECT_EQ(list1Selected(), 0);
    EXPECT_EQ(text("Text1")->text() + "|" + text("Text2")->text(), "3|2.5");
    EXPECT_EQ(checks(), "1011");
    EXPECT_TRUE(child<QRadioButton>("Option1_2")->isChecked());
    EXPECT_EQ(label("Label1")->text(), u8("既存のファイルリスト(3lists)"));
    EXPECT_EQ(label("Label2")->text(), u8("ファイルリストデータ(2files)"));
    EXPECT_FALSE(form->DataChanged());
    expectInvariant();

    choose(1);
    EXPECT_TRUE(list1Rows().isEmpty());
    EXPECT_EQ(text("Text1")->text() + "|" + text("Text2")->text(), "0.5|1");
    EXPECT_EQ(checks(), "1110");
    EXPECT_TRUE(form->DataChanged());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(form->slot(i), lists[i]) << i;
}

TEST_F(Form1Test, ListsOfAtLeast32767EntriesShowTheNoticeAndKeepTheFirst32767)
{
    for (const int n : {32766, 32767, 32768}) {
        writeLists({makeList("Big", n)});
        open();
        EXPECT_EQ(prompter->messageTexts().count(u8(t::kTooManyFiles)), n >= 32767 ? 1 : 0) << n;
        EXPECT_EQ(list1Rows().size(), std::min(n, 32767)) << n;
        expectInvariant();
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
    EXPECT_EQ(QByteArray(after).replace("2027/03/04 5:06:07", "2026/01/01 8:00:00"), before);
    EXPECT_FALSE(form->DataChanged());
    EXPECT_EQ(pickerDestroys, 1);
}

TEST_F(Form1Test, APickerFolderWithALineBreakIsNotWrittenIntoTheHead)
{
    writeLists(threeLists(), 1);
    open();
    form->hooks().pickerFolder = [] { return QStringLiteral("/home/u/a\r\nListName=x"); };
    ASSERT_TRUE(form->mnuFileSave_Click());
    const QByteArray file = readSettings();
    EXPECT_TRUE(file.contains("\r\nAppLastAccPath=\r\n\r\n[ExecuteState]\r\n"));
    EXPECT_EQ(file.count("ListName="), 3);
}

TEST_F(Form1Test, AFailedSaveSaysWhyInJapaneseAndKeepsTheChangesAndTheDialog)
{
    const QString folderInPlace = dir.filePath("taken");
    ASSERT_TRUE(QDir().mkpath(folderInPlace + "/Qelvo.ini"));
    const std::pair<QString, const char *> cases[] = {{dir.filePath("no-such-folder"), t::kWriteMissing},
                                                      {folderInPlace, t::kWriteFolderInPlace}};
    for (const auto &[folder, reason] : cases) {
        identity.folder = folder;
        open().show();
        child<QRadioButton>("Option1_1")->setChecked(true);
        prompter->messages.clear();
        EXPECT_FALSE(form->mnuFileSave_Click());
        ASSERT_EQ(prompter->messages.size(), 1u);
        EXPECT_EQ(prompter->messages[0].icon, Icon::Critical);
        EXPECT_TRUE(prompter->messages[0].text.contains(identity.settingsPath()));
        EXPECT_TRUE(prompter->messages[0].text.endsWith(u8(reason)))
            << prompter->messages[0].text.toStdString();
        EXPECT_TRUE(form->DataChanged());
        prompter->answers = {Answer::Yes}; // the close guard's save fails too
        EXPECT_FALSE(form->close());
        EXPECT_TRUE(form->isVisible());
    }
}

TEST_F(Form1Test, TwoSavesInARowStoreTheFolderRestoredAtStartUp)
{
    const QString pics = QDir(dir.filePath("pics")).absolutePath();
    ASSERT_TRUE(QDir().mkpath(pics));
    writeLists(threeLists(), 0);
    writeBytes(readSettings().replace("/home/u/Pictures", pics.toUtf8()));
    picker::ResetAll();
    Form1::Hooks &h = make().hooks();
    h.setPickerFolder = [](const QString &folder) { return picker::SetFolder(folder); };
    h.setPickerDrive = [](const QString &drive) { return picker::SetDrive(drive); };
    h.pickerDriveOf = [](const QString &folder) { return picker::DriveOf(folder); };
    h.pickerFolder = [] { return picker::CurrentFolder(); };
    h.destroyPicker = [] { picker::Destroy(); };
    h.rememberPickerPlace = [] { picker::RememberPlace(); };
    form->Form_Load();
    const QByteArray stored = "\r\nAppLastAccPath=" + pics.toUtf8() + "\r\n";
    ASSERT_TRUE(form->mnuFileSave_Click());
    EXPECT_TRUE(readSettings().contains(stored));
    ASSERT_TRUE(form->mnuFileSave_Click()); // a new picker, no OK in this run
    EXPECT_TRUE(readSettings().contains(stored)) << readSettings().toStdString();
    picker::ResetAll();
}

TEST_F(Form1Test, ARefusedNumberKeepsTheClickedCommandFromRunning)
{
    writeLists(threeLists(), 2);
    const QByteArray before = readSettings();
    open().show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    text("Text1")->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return text("Text1")->hasFocus(); }, 2000));
    text("Text1")->clear();
    const QStringList rows = list1Rows();
    ASSERT_EQ(rows.size(), 2);

    for (const char *button : {"Command2", "Command1", "Command5"}) {
        prompter->messages.clear();
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !prompter->messages.empty(); }, 2000)) << button;
        EXPECT_TRUE(QTest::qWaitFor([&] { return text("Text1")->hasFocus(); }, 2000)) << button;
        EXPECT_EQ(prompter->messageTexts(), QStringList{u8(t::kNotNumeric)}) << button;
    }
    // A menu command from inside the box is refused the same way.
    prompter->messages.clear();
    form->findChild<QAction *>("mnuFileSave")->trigger();
    EXPECT_EQ(prompter->messageTexts(), QStringList{u8(t::kNotNumeric)});
    EXPECT_EQ(list1Rows(), rows);
    EXPECT_EQ(pickerOpens, 0);
    EXPECT_EQ(previews, 0);
    EXPECT_EQ(readSettings(), before);

    text("Text1")->setText(QString::fromUtf8("１．５")); // as a Japanese input method types it
    EXPECT_FLOAT_EQ(form->slot(2).ChgTime, 1.5f);
    QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
    EXPECT_EQ(list1Rows().size(), 1);
}

TEST_F(Form1Test, AFileThatCouldNotBeReadIsKeptAsBakByTheSaveThatReplacesIt)
{
    std::vector<settings::SettingList> twelve;
    for (int i = 0; i < 12; ++i)
        twelve.push_back(makeList(QStringLiteral("L%1").arg(i), 1));
    writeLists(twelve);
    const QByteArray original = readSettings();
    open();
    EXPECT_EQ(prompter->messageTexts(), QStringList({u8(t::kReadError)}));
    EXPECT_EQ(combo()->count(), 11); // what was read stays
    ASSERT_TRUE(form->mnuFileSave_Click());
    ASSERT_TRUE(form->mnuFileSave_Click()); // only the first save keeps a copy
    EXPECT_EQ(readBytes(identity.settingsPath() + ".bak"), original);
    EXPECT_NE(readSettings(), original);
}

TEST_F(Form1Test, CloseGuardQuitAndEscapeAskOnlyWhenChanged)
{
    writeLists(threeLists(), 0);
    const QByteArray before = readSettings();
    open().show();
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(prompter->messages.empty());

    open().show();
    choose(0); // a selection is a change
    prompter->answers = {Answer::Cancel};
    QTest::keyClick(text("Text1"), Qt::Key_Escape);
    ASSERT_EQ(prompter->messages.size(), 1u);
    const auto &m = prompter->messages[0];
    EXPECT_EQ(
        std::tuple(m.title, m.text, m.icon, m.buttons),
        std::tuple(u8(t::kSaveConfirmTitle), u8(t::kSaveConfirm), Icon::Question, Buttons::YesNoCancel));
    EXPECT_TRUE(form->isVisible());
    prompter->answers = {Answer::Cancel};
    form->mnuFileExit_Click();
    EXPECT_EQ(quits, 0);
    prompter->answers = {Answer::No};
    form->mnuFileExit_Click();
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(readSettings(), before);

    open().show();
    child<QRadioButton>("Option1_3")->setChecked(true);
    prompter->answers = {Answer::Yes};
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(readSettings().contains("\r\nWPChanger=3\r\n"));
}

TEST_F(Form1Test, PreviewAsksToSaveOnlyWhenChanged)
{
    writeLists(threeLists(), 0);
    const QByteArray before = readSettings();
    open();
    form->Command5_Click();
    EXPECT_EQ(previews, 1);
    choose(2);
    form->Command5_Click(); // unscripted: No
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(prompter->messageTexts(), QStringList({u8(t::kPreviewSave)}));
    EXPECT_EQ(readSettings(), before);
    prompter->answers = {Answer::Yes};
    form->Command5_Click();
    EXPECT_EQ(previews, 2);
    EXPECT_TRUE(readSettings().contains("\r\nExecuteNumber=2\r\n"));
}

TEST_F(Form1Test, SecondsAndZoomBoxesStoreNumbersAndRefuseToLeaveOtherText)
{
    writeLists(threeLists(), 0);
    open();
    text("Text1")->setText("2.5");
    EXPECT_FLOAT_EQ(form->slot(0).ChgTime, 2.5f);
    text("Text1")->setText("");
    EXPECT_FLOAT_EQ(form->slot(0).ChgTime, 2.5f); // kept
    form->Text1_LostFocus();
    text("Text2")->setText("1e40"); // a number, too large to store: refused and told so
    form->Text2_LostFocus();
    EXPECT_FLOAT_EQ(form->slot(0).ZoomMax, 1.0f);
    EXPECT_EQ(prompter->messageTexts(), QStringList({u8(t::kNotNumeric), u8(t::kNumberTooLarge)}));
    for (const char *value : {"0", "-3"}) {
        text("Text1")->setText(value);
        form->Text1_LostFocus();
        EXPECT_FLOAT_EQ(form->slot(0).ChgTime, QString(value).toFloat());
    }
    EXPECT_EQ(prompter->messages.size(), 2u);
    EXPECT_TRUE(form->DataChanged());
}

TEST_F(Form1Test, LeavingAnEmptyBoxForAnotherEmptyBoxShowsOneNotice)
{
    writeLists(threeLists(), 0);
    open().show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    // Qt's own wait macros do not report to GoogleTest: wait with qWaitFor and assert its result.
    text("Text1")->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return text("Text1")->hasFocus(); }, 2000));
    text("Text1")->clear();
    text("Text2")->clear();
    text("Text2")->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !prompter->messages.empty(); }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return text("Text1")->hasFocus(); }, 2000));
    QTest::qWait(50); // room for a stray second notice to show itself
    EXPECT_EQ(prompter->messages.size(), 1u);
}

TEST_F(Form1Test, CheckBoxesWriteTheCurrentListAndTheModeIsDialogWide)
{
    open(); // no list: nothing is stored, but it is a change
    text("Text1")->setText("7");
    check("Check1")->setChecked(true);
    EXPECT_TRUE(form->DataChanged());
    EXPECT_EQ(form->slot(0), settings::SettingList{});

    writeLists(threeLists(), 0);
    open();
    check("Check1")->setChecked(true);
    check("Check2")->setChecked(false);
    check("Check4")->setChecked(false);
    child<QRadioButton>("Option1_1")->setChecked(true);
    choose(2);
    EXPECT_EQ(std::tuple(form->slot(0).RandomView, form->slot(0).MouseDisable, form->slot(0).Effect),
              std::tuple(std::uint8_t(1), std::uint8_t(0), std::uint8_t(0)));
    EXPECT_EQ(form->WPChanger(), 1);

    // The sample switch changes its caption only.
    const bool changed = form->DataChanged();
    check("Check3")->setChecked(false);
    EXPECT_EQ(label("Label3")->text(), u8("サンプル"));
    check("Check3")->setChecked(true);
    EXPECT_EQ(label("Label3")->text(), u8("サンプル無効化中"));
    EXPECT_EQ(form->DataChanged(), changed);
}

TEST_F(Form1Test, AboutBoxShowsNameVersionNoticeAndTheUsageLineByLowerCaseName)
{
    identity.baseName = "QELVO";
    open();
    form->mnuHelpAbout_Click();
    const QString own = prompter->messages.back().text;
    EXPECT_TRUE(own.startsWith("QELVO  Version-" + versionText() + "\n" +
                               QString::fromUtf8(version::kLegalNotice) + "\n\n"));
    EXPECT_TRUE(own.contains(u8(t::kAboutUsageReadme)));
    EXPECT_EQ(prompter->messages.back().icon, Icon::None);
    identity.baseName = "saver";
    open();
    form->mnuHelpAbout_Click();
    EXPECT_TRUE(prompter->messages.back().text.contains(u8(t::kAboutUsageIntuition)));
}

TEST(QtPrompter, AnswersByTheButtonPressedAndClosingCountsAsTheSafeAnswer)
{
    QWidget owner;
    dialog::QtPrompter prompter(&owner);
    // Presses a button of the box once it is up (or closes it when none is named).
    const auto answerWith = [](std::optional<QMessageBox::StandardButton> button, QString *seen) {
        QTimer::singleShot(0, [=] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton *b : box->buttons())
                *seen += b->text() + "|";
            button ? box->button(*button)->click() : (void)box->close();
        });
    };
    QString texts;
    answerWith(QMessageBox::No, &texts);
    EXPECT_EQ(prompter.ask({{}, "?", Icon::Question, Buttons::YesNoCancel}), Answer::No);
    for (const char *name : {t::kButtonYes, t::kButtonNo, t::kButtonCancel})
        EXPECT_TRUE(texts.contains(u8(name))) << texts.toStdString();
    answerWith(std::nullopt, &texts);
    EXPECT_EQ(prompter.ask({{}, "?", Icon::None, Buttons::YesNo}), Answer::No);
    answerWith(std::nullopt, &texts);
    EXPECT_EQ(prompter.ask({{}, "?", Icon::None, Buttons::YesNoCancel}), Answer::Cancel);
}
