#include "form1fixture.h"

#include <QImage>

using namespace qelvo;
using namespace qelvo::testing;
namespace t = qelvo::dialog::texts;
using Answer = dialog::Prompter::Answer;

namespace
{
QStringList comboItems(QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}
} // namespace

// ---- List sets ----

TEST_F(Form1Test, NewListsStartEmptyWithTheSampleOffUpToNine)
{
    std::vector<settings::SettingList> eight;
    for (int i = 0; i < 8; ++i)
        eight.push_back(makeList(QStringLiteral("L%1").arg(i), 1));
    writeLists(eight);
    open();
    check("Check3")->setChecked(false);
    form->mnuFileNew_Click(); // cancelled: nothing
    EXPECT_FALSE(form->DataChanged());
    const QString tooLong(100, QLatin1Char('x'));
    prompter->texts = {tooLong, u8("家族")};
    form->mnuFileNew_Click();
    EXPECT_EQ(prompter->inputs.at(2).initial, tooLong); // asked again with what was typed
    EXPECT_EQ(prompter->messageTexts(), QStringList({u8(t::kNameTooLong)}));
    EXPECT_EQ(combo()->currentIndex(), 8);
    EXPECT_EQ(form->slot(8), dialog::newSettingList(u8("家族")));
    EXPECT_EQ(text("Text1")->text() + text("Text2")->text(), "101");
    EXPECT_EQ(label("Label2")->text(), u8("ファイルリストデータ(0files)"));
    EXPECT_EQ(label("Label3")->text(), u8("サンプル無効化中"));
    EXPECT_EQ(form->LastListIndex(), 8);
    EXPECT_TRUE(form->DataChanged());

    form->mnuFileNew_Click(); // the tenth is refused before its name is asked
    EXPECT_EQ(prompter->inputs.size(), 3u);
    EXPECT_EQ(prompter->messageTexts().last(), u8(t::kListLimit));
    EXPECT_EQ(combo()->count(), 9);
}

TEST_F(Form1Test, RenameReplacesTheNameAndAlwaysCountsAsAChange)
{
    writeLists({makeList("A", 1), makeList("B", 2)}, 1);
    open();
    form->mnuFileRename_Click(); // cancelled
    EXPECT_EQ(prompter->inputs.at(0).initial, "B");
    EXPECT_FALSE(form->DataChanged());
    prompter->texts = {"B"};
    form->mnuFileRename_Click();
    EXPECT_TRUE(form->DataChanged());
    prompter->texts = {"a, b"};
    form->mnuFileRename_Click();
    EXPECT_EQ(comboItems(combo()), QStringList({"A", "a, b"}));
    EXPECT_EQ(form->slot(1).ListName, "a, b");
    EXPECT_EQ(combo()->currentIndex(), 1);
}

TEST_F(Form1Test, DeletingAListMovesTheLaterOnesDownAndSelectsTheLast)
{
    auto b = makeList("B", 1000);
    b.Effect = 1;
    auto c = makeList("C", 2);
    c.ChgTime = 4;
    writeLists({makeList("A", 3), b, c}, 0);
    open();
    form->mnuFileDell_Click(); // unscripted: Cancel
    EXPECT_EQ(prompter->messageTexts(), QStringList({u8("リスト:Aを削除します。\nよろしいですか？")}));
    EXPECT_EQ(combo()->count(), 3);
    prompter->answers = {Answer::Ok};
    form->mnuFileDell_Click();
    EXPECT_EQ(comboItems(combo()), QStringList({"B", "C"}));
    EXPECT_EQ(form->slot(0), b);
    EXPECT_EQ(form->slot(1), c);
    EXPECT_EQ(combo()->currentIndex(), 1);
    EXPECT_EQ(text("Text1")->text(), "4");
    EXPECT_EQ(label("Label1")->text(), u8("既存のファイルリスト(2lists)"));
    EXPECT_EQ(form->LastListIndex(), 1);
    expectInvariant();
}

TEST_F(Form1Test, DeletingTheOnlyListEmptiesEverythingAndAddThenAsksForAList)
{
    writeLists({makeList("A", 3)});
    open();
    prompter->answers = {Answer::Ok};
    form->mnuFileDell_Click();
    EXPECT_EQ(combo()->currentIndex(), -1);
    EXPECT_TRUE(list1Rows().isEmpty());
    EXPECT_TRUE(form->List2().isEmpty());
    EXPECT_EQ(label("Label1")->text() + label("Label2")->text() + label("Label3")->text(),
              u8("既存のファイルリスト(0lists)ファイルリストデータ(0files)サンプル(1500x996)"));
    form->Command1_Click(); // unscripted: No
    EXPECT_EQ(prompter->messageTexts().last(), u8(t::kNoEditableList));
    EXPECT_EQ(pickerOpens, 0);

    prompter->answers = {Answer::Yes};
    form->Command1_Click(); // the name is cancelled: no list, so no picker either
    EXPECT_EQ(pickerOpens, 0);
    prompter->answers = {Answer::Yes};
    prompter->texts = {"New"};
    onPicker = [] { return pick("/p", {"x.gif"}); };
    form->Command1_Click();
    EXPECT_EQ(comboItems(combo()), QStringList({"New"}));
    EXPECT_EQ(list1Rows(), QStringList({"x.gif"}));
    EXPECT_EQ(form->slot(0).Effect, 0); // the deleted list had the effect off
}

// ---- File lists ----

TEST_F(Form1Test, AddedEntriesAreShownInLowerCaseAndTheLastIsSelected)
{
    writeLists({makeList("A", 0)});
    open();
    form->Command1_Click(); // the picker is cancelled: nothing added, no change
    EXPECT_FALSE(form->DataChanged());

    onPicker = [] { return pick("/home/u/Pics", {"a.jpg", "B.jpg", "a,b.jpg", " x.jpg"}); };
    form->Command1_Click();
    EXPECT_EQ(list1Rows(), QStringList({"a.jpg", "b.jpg"}));
    EXPECT_EQ(form->List2(), QStringList({"/home/u/Pics/a.jpg", "/home/u/Pics/B.jpg"}));
    EXPECT_EQ(list1Selected(), 1);
    EXPECT_EQ(label("Label2")->text(), u8("ファイルリストデータ(2files)"));
    ASSERT_EQ(prompter->messages.size(), 1u); // the refused ones, by name
    EXPECT_TRUE(prompter->messages[0].text.contains("/home/u/Pics/a,b.jpg\n/home/u/Pics/ x.jpg"));
    EXPECT_TRUE(form->DataChanged());

    // Folders, the root, and duplicates come as they are.
    for (const QString folder : {"/home/u/Pics/Summer", "/"}) {
        onPicker = [folder] { return pickFolder(folder); };
        form->Command1_Click();
    }
    onPicker = [] { return pick("/", {"a.jpg", "a.jpg"}); };
    form->Command1_Click();
    EXPECT_EQ(list1Rows().mid(2), QStringList({"(summer)", "()", "a.jpg", "a.jpg"}));
    EXPECT_EQ(form->List2().mid(2), QStringList({"/home/u/Pics/Summer", "/", "/a.jpg", "/a.jpg"}));
    expectInvariant();
    ASSERT_TRUE(form->mnuFileSave_Click());
    EXPECT_TRUE(
        readSettings().contains("Pathes\r\na.jpg,/home/u/Pics/a.jpg\r\nb.jpg,/home/u/Pics/B.jpg\r\n"));

    onPicker = {};
    list1()->setCurrentIndex(list1()->model()->index(0, 0));
    form->Command1_Click(); // a cancel still selects the last row
    EXPECT_EQ(list1Selected(), 5);
}

TEST_F(Form1Test, AddStopsAtTheRowsTheDialogCanShow)
{
    writeLists({makeList("A", settings::kMaxShownEntries - 1)});
    open();
    onPicker = [] { return pick("/p", {"x.jpg", "y.jpg"}); };
    form->Command1_Click();
    EXPECT_EQ(list1Rows().size(), settings::kMaxShownEntries);
    EXPECT_EQ(list1Rows().constLast(), "x.jpg");
    EXPECT_EQ(prompter->messageTexts(), QStringList({u8(t::kTooManyFiles)}));
    EXPECT_TRUE(form->DataChanged());
    expectInvariant();
}

TEST_F(Form1Test, DeleteSelectsTheFollowingRowOrTheNewLast)
{
    writeLists({makeList("A", 5)});
    open();
    form->Command2_Click(); // row 0
    EXPECT_EQ(list1Selected(), 0);
    selectRow(3);
    form->Command2_Click(); // the last row
    EXPECT_EQ(list1Selected(), 2);
    selectRow(1);
    form->Command2_Click();
    EXPECT_EQ(list1Rows(), QStringList({"a1.jpg", "a3.jpg"}));
    EXPECT_EQ(list1Selected(), 1);
    EXPECT_TRUE(form->DataChanged());
    expectInvariant();
    form->Command2_Click();
    form->Command2_Click();
    form->Command2_Click(); // nothing left: nothing happens
    EXPECT_EQ(list1Selected(), -1);
    EXPECT_EQ(label("Label2")->text(), u8("ファイルリストデータ(0files)"));
    expectInvariant();
}

TEST_F(Form1Test, MovesExchangeRowsAndStopAtBothEnds)
{
    writeLists({makeList("A", 400)});
    open();
    form->Command3_Click(); // up on row 0
    selectRow(399);
    form->Command4_Click(); // down on the last row
    EXPECT_FALSE(form->DataChanged());
    selectRow(300);
    form->Command3_Click();
    EXPECT_EQ(list1Selected(), 299);
    EXPECT_EQ(list1Rows().mid(299, 2), QStringList({"a300.jpg", "a299.jpg"}));
    EXPECT_TRUE(form->DataChanged());
    form->Command4_Click();
    EXPECT_EQ(list1Selected(), 300);
    EXPECT_EQ(list1Rows().mid(299, 2), QStringList({"a299.jpg", "a300.jpg"}));
    expectInvariant();
}

// ---- Sample ----

class SampleTest : public Form1Test
{
protected:
    QString image(const char *name, int w, int h, const char *format)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::red);
        const QString path = dir.filePath(QLatin1String(name));
        EXPECT_TRUE(img.save(path, format));
        return path;
    }
    void openWith(const QStringList &paths)
    {
        settings::SettingList l = dialog::newSettingList("S");
        for (const QString &p : paths)
            l.FileList.append({QFileInfo(p).fileName().toLower(), p});
        writeLists({l});
        open();
        check("Check3")->setChecked(false);
    }
    // A click on a row; a click on the selected row shows it again.
    void select(int row)
    {
        const bool same = list1()->currentIndex().row() == row;
        selectRow(row);
        if (same)
            form->List1_Click();
    }
    QLabel *image1() const { return label("Image1"); }
};

TEST_F(SampleTest, PicturesAreFittedInto1500By1000TwipsAndFailuresSaySo)
{
    QFile notes(dir.filePath("notes.jpg"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("this is no picture");
    notes.close();
    const QString cut = image("cut.jpg", 300, 200, "JPG");
    QFile::resize(cut, 40);
    openWith({image("wide.jpg", 200, 100, "JPG"), image("sq.bmp", 80, 80, "BMP"),
              image("small.png", 40, 20, "PNG"), dir.filePath("missing.jpg"), notes.fileName(), cut,
              dir.path()});
    select(0);
    EXPECT_EQ(label("Label3")->text(), u8("サンプル(3000x1500)"));
    EXPECT_EQ(image1()->geometry(), QRect(2880 / 15, 420 / 15, 100, 50));
    EXPECT_FALSE(image1()->pixmap().isNull());
    select(1);
    EXPECT_EQ(label("Label3")->text(), u8("サンプル(1200x1200)"));
    EXPECT_EQ(image1()->size(), QSize(67, 67));
    select(2);
    EXPECT_EQ(form->image1Size(), QSizeF(1500, 750)); // enlarged
    for (int row = 3; row < 7; ++row) {
        select(row);
        EXPECT_EQ(label("Label3")->text(), u8("非対応ファイル形式")) << row;
        EXPECT_TRUE(image1()->pixmap().isNull()) << row;
        EXPECT_TRUE(image1()->isHidden()) << row;
    }
    EXPECT_TRUE(prompter->messages.empty());
}

TEST_F(SampleTest, WithTheSampleOffSelectingChangesNothing)
{
    openWith({image("a.bmp", 30, 20, "BMP"), image("b.bmp", 60, 20, "BMP")});
    check("Check3")->setChecked(true);
    select(1);
    EXPECT_EQ(label("Label3")->text(), u8("サンプル無効化中"));
    EXPECT_TRUE(image1()->pixmap().isNull());
    check("Check3")->setChecked(false); // nothing until the next selection
    EXPECT_TRUE(image1()->pixmap().isNull());
    select(0);
    EXPECT_EQ(label("Label3")->text(), u8("サンプル(450x300)"));
}

TEST_F(SampleTest, AfterADeleteTheCaptionShowsTheDisplayedSize)
{
    openWith({image("a.bmp", 30, 20, "BMP"), image("b.bmp", 300, 200, "BMP")});
    form->Command2_Click(); // row 0, which now holds b.bmp
    EXPECT_EQ(label("Label3")->text(), u8("サンプル(1500x1000)"));
    EXPECT_EQ(image1()->size(), QSize(100, 67));
}
