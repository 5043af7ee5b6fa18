#include "form1fixture.h"

#include <QImage>

using namespace qelvo;
using namespace qelvo::testing;
namespace t = qelvo::dialog::texts;
using Answer = dialog::Prompter::Answer;
using Icon = dialog::Prompter::Icon;
using Buttons = dialog::Prompter::Buttons;

namespace {
QStringList comboItems(QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}
} // namespace

// ---- List sets ----

TEST_F(Form1Test, NewListStartsEmptyWithDefaultsAndTheSampleOff)
{
    open();
    check("Check3")->setChecked(false);
    prompter->messages.clear();
    prompter->texts = {u8("家族")};
    form->mnuFileNew_Click();
    ASSERT_EQ(prompter->inputs.size(), 1u);
    EXPECT_EQ(prompter->inputs[0].prompt, u8(t::kNewListPrompt));
    EXPECT_EQ(prompter->inputs[0].title, u8(t::kNewListTitle));
    EXPECT_TRUE(prompter->inputs[0].initial.isEmpty());
    EXPECT_EQ(comboItems(combo()), QStringList({u8("家族")}));
    EXPECT_EQ(combo()->currentIndex(), 0);
    EXPECT_EQ(form->slot(0), dialog::newSettingList(u8("家族")));
    EXPECT_EQ(text("Text1")->text(), "10");
    EXPECT_EQ(text("Text2")->text(), "1");
    EXPECT_EQ(label("Label2")->text(), u8("ファイルリストデータ(0files)"));
    EXPECT_EQ(label("Label1")->text(), u8("既存のファイルリスト(1lists)"));
    EXPECT_TRUE(check("Check3")->isChecked());
    EXPECT_EQ(label("Label3")->text(), u8("サンプル無効化中"));
    EXPECT_EQ(form->LastListIndex(), 0);
    EXPECT_TRUE(form->DataChanged());
}

TEST_F(Form1Test, NineListsAreTheLimit)
{
    std::vector<settings::SettingList> lists;
    for (int i = 0; i < 8; ++i)
        lists.push_back(makeList(QStringLiteral("L%1").arg(i), 1));
    writeLists(lists);
    open();
    prompter->texts = {"ninth", "tenth"};
    form->mnuFileNew_Click();
    EXPECT_EQ(combo()->count(), 9);
    EXPECT_EQ(combo()->currentIndex(), 8);
    EXPECT_EQ(form->LastListIndex(), 8);
    form->mnuFileNew_Click();
    EXPECT_EQ(combo()->count(), 9);
    EXPECT_EQ(prompter->inputs.size(), 1u); // no second input box
    EXPECT_EQ(prompter->messageTexts(), QStringList({u8(t::kListLimit)}));
    EXPECT_EQ(form->slot(9), settings::SettingList{});
}

TEST_F(Form1Test, CancelledOrTooLongNamesCreateNothingUntilAGoodOneComes)
{
    writeLists({makeList("A", 1)});
    open();
    form->mnuFileNew_Click(); // cancelled
    EXPECT_EQ(combo()->count(), 1);
    EXPECT_FALSE(form->DataChanged());

    const QString tooLong(100, QLatin1Char('x'));
    prompter->texts = {tooLong, tooLong.left(99)};
    form->mnuFileNew_Click();
    ASSERT_EQ(prompter->inputs.size(), 3u);
    EXPECT_EQ(prompter->inputs[2].initial, tooLong); // asked again with what was typed
    EXPECT_EQ(prompter->messageTexts(), QStringList({u8(t::kNameTooLong)}));
    EXPECT_EQ(comboItems(combo()), QStringList({"A", tooLong.left(99)}));
}

TEST_F(Form1Test, RenameReplacesTheNameAndAlwaysCountsAsAChange)
{
    writeLists({makeList("A", 1), makeList("B", 2)}, 1);
    open();
    form->mnuFileRename_Click(); // cancelled
    EXPECT_EQ(prompter->inputs.at(0).initial, "B");
    EXPECT_EQ(prompter->inputs.at(0).title, u8(t::kRenameTitle));
    EXPECT_FALSE(form->DataChanged());
    prompter->texts = {"B"};
    form->mnuFileRename_Click();
    EXPECT_TRUE(form->DataChanged());
    prompter->texts = {"a, b"};
    form->mnuFileRename_Click();
    EXPECT_EQ(comboItems(combo()), QStringList({"A", "a, b"}));
    EXPECT_EQ(form->slot(1).ListName, "a, b");
    EXPECT_EQ(combo()->currentIndex(), 1);
    EXPECT_EQ(form->slot(1).FileList.size(), 2);
}

TEST_F(Form1Test, DeletingAListMovesTheLaterOnesDownAndSelectsTheLast)
{
    auto a = makeList("A", 3);
    auto b = makeList("B", 1000);
    b.Effect = 1;
    auto c = makeList("C", 2);
    c.ChgTime = 4;
    writeLists({a, b, c}, 0);
    open();
    form->mnuFileDell_Click(); // unscripted: Cancel
    ASSERT_EQ(prompter->messages.size(), 1u);
    EXPECT_EQ(prompter->messages[0].title, u8(t::kDeleteListTitle));
    EXPECT_EQ(prompter->messages[0].text, u8("リスト:Aを削除します。\nよろしいですか？"));
    EXPECT_EQ(prompter->messages[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(combo()->count(), 3);
    EXPECT_FALSE(form->DataChanged());

    prompter->answers = {Answer::Ok};
    form->mnuFileDell_Click();
    EXPECT_EQ(comboItems(combo()), QStringList({"B", "C"}));
    EXPECT_EQ(form->slot(0), b);
    EXPECT_EQ(form->slot(1), c);
    EXPECT_EQ(form->slot(2), settings::SettingList{});
    EXPECT_EQ(combo()->currentIndex(), 1);
    EXPECT_EQ(text("Text1")->text(), "4");
    EXPECT_EQ(label("Label1")->text(), u8("既存のファイルリスト(2lists)"));
    EXPECT_EQ(form->LastListIndex(), 1);
    EXPECT_TRUE(form->DataChanged());
    expectInvariant();

    // A list made after a delete starts with the effect on, whatever was there.
    prompter->answers = {Answer::Ok};
    form->mnuFileDell_Click(); // C
    prompter->texts = {"D"};
    form->mnuFileNew_Click();
    EXPECT_EQ(form->slot(1).Effect, 0);
    EXPECT_EQ(form->slot(0).Effect, 1);
}

TEST_F(Form1Test, DeletingTheOnlyListEmptiesEverythingAndTheNextAddAsksForAList)
{
    writeLists({makeList("A", 3)});
    open();
    prompter->answers = {Answer::Ok};
    form->mnuFileDell_Click();
    EXPECT_EQ(combo()->count(), 0);
    EXPECT_EQ(combo()->currentIndex(), -1);
    EXPECT_TRUE(list1Rows().isEmpty());
    EXPECT_TRUE(form->List2().isEmpty());
    EXPECT_EQ(label("Label1")->text(), u8("既存のファイルリスト(0lists)"));
    EXPECT_EQ(label("Label2")->text(), u8("ファイルリストデータ(0files)"));
    EXPECT_EQ(label("Label3")->text(), u8("サンプル(1500x996)"));
    EXPECT_EQ(form->LastListIndex(), -1);

    prompter->messages.clear();
    form->Command1_Click(); // unscripted: No
    EXPECT_EQ(prompter->messageTexts(), QStringList({u8(t::kNoEditableList)}));
    EXPECT_EQ(prompter->messages[0].icon, Icon::Question);
    EXPECT_EQ(pickerOpens, 0);
}

// ---- File lists ----

TEST_F(Form1Test, AddedFilesAreShownInLowerCaseAndTheLastIsSelected)
{
    writeLists({makeList("A", 0)});
    open();
    onPicker = [] { pick("/home/u/Pics", {"a.jpg", "B.jpg", "Photo.JPG"}); };
    form->Command1_Click();
    EXPECT_EQ(pickerOpens, 1);
    EXPECT_EQ(list1Rows(), QStringList({"a.jpg", "b.jpg", "photo.jpg"}));
    EXPECT_EQ(form->List2(), QStringList({"/home/u/Pics/a.jpg", "/home/u/Pics/B.jpg", "/home/u/Pics/Photo.JPG"}));
    EXPECT_EQ(list1Selected(), 2);
    EXPECT_EQ(label("Label2")->text(), u8("ファイルリストデータ(3files)"));
    EXPECT_TRUE(form->DataChanged());
    expectInvariant();

    // Folders, the root, and duplicates are added as they come.
    onPicker = [] { pickFolder("/home/u/Pics/Summer"); };
    form->Command1_Click();
    onPicker = [] { pickFolder("/"); };
    form->Command1_Click();
    onPicker = [] { pick("/", {"a.jpg", "a.jpg"}); };
    form->Command1_Click();
    EXPECT_EQ(list1Rows().mid(3), QStringList({"(summer)", "()", "a.jpg", "a.jpg"}));
    EXPECT_EQ(form->List2().mid(3), QStringList({"/home/u/Pics/Summer", "/", "/a.jpg", "/a.jpg"}));
    expectInvariant();

    ASSERT_TRUE(form->mnuFileSave_Click());
    EXPECT_TRUE(readSettings().contains("Pathes\r\na.jpg,/home/u/Pics/a.jpg\r\nb.jpg,/home/u/Pics/B.jpg\r\n"));
}

TEST_F(Form1Test, CancellingThePickerAddsNothingButSelectsTheLastRow)
{
    writeLists({makeList("A", 4)});
    open();
    form->Command1_Click(); // the picker hands back nothing
    EXPECT_EQ(list1Rows().size(), 4);
    EXPECT_EQ(list1Selected(), 3);
    EXPECT_FALSE(form->DataChanged());
    expectInvariant();
}

TEST_F(Form1Test, AddWithoutAListCreatesOneFirst)
{
    open();
    prompter->answers = {Answer::Yes};
    form->Command1_Click(); // name cancelled: no list, so no picker either
    EXPECT_EQ(pickerOpens, 0);
    EXPECT_EQ(combo()->count(), 0);

    prompter->answers = {Answer::Yes};
    prompter->texts = {"New"};
    onPicker = [] { pick("/p", {"x.gif"}); };
    form->Command1_Click();
    EXPECT_EQ(pickerOpens, 1);
    EXPECT_EQ(comboItems(combo()), QStringList({"New"}));
    EXPECT_EQ(list1Rows(), QStringList({"x.gif"}));
    expectInvariant();
}

TEST_F(Form1Test, PathsThatCannotBeStoredAreRefusedByNameAndTheRestAdded)
{
    writeLists({makeList("A", 0)});
    open();
    onPicker = [] { pick("/p", {"ok.jpg", "a,b.jpg", " x.jpg"}); };
    form->Command1_Click();
    EXPECT_EQ(list1Rows(), QStringList({"ok.jpg"}));
    ASSERT_EQ(prompter->messages.size(), 1u);
    EXPECT_TRUE(prompter->messages[0].text.contains("/p/a,b.jpg"));
    EXPECT_TRUE(prompter->messages[0].text.contains("/p/ x.jpg"));
    EXPECT_TRUE(form->DataChanged());

    // Nothing storable at all: nothing changed.
    writeLists({makeList("A", 0)});
    open();
    onPicker = [] { pickFolder("/a,b"); };
    form->Command1_Click();
    EXPECT_TRUE(list1Rows().isEmpty());
    EXPECT_FALSE(form->DataChanged());
}

TEST_F(Form1Test, AddStopsAtTheRowsTheDialogCanShow)
{
    writeLists({makeList("A", settings::kMaxShownEntries - 1)});
    open();
    onPicker = [] { pick("/p", {"x.jpg", "y.jpg"}); };
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
    EXPECT_EQ(list1Rows(), QStringList({"a1.jpg", "a2.jpg", "a3.jpg", "a4.jpg"}));
    EXPECT_EQ(list1Selected(), 0);
    list1()->setCurrentIndex(list1()->model()->index(3, 0));
    form->Command2_Click();
    EXPECT_EQ(list1Selected(), 2);
    list1()->setCurrentIndex(list1()->model()->index(1, 0));
    form->Command2_Click();
    EXPECT_EQ(list1Rows(), QStringList({"a1.jpg", "a3.jpg"}));
    EXPECT_EQ(list1Selected(), 1);
    EXPECT_EQ(label("Label2")->text(), u8("ファイルリストデータ(2files)"));
    EXPECT_TRUE(form->DataChanged());
    expectInvariant();
    form->Command2_Click();
    form->Command2_Click();
    EXPECT_TRUE(list1Rows().isEmpty());
    EXPECT_EQ(list1Selected(), -1);
    EXPECT_EQ(form->slot(0).LastFileIndex(), -1);
    EXPECT_EQ(label("Label2")->text(), u8("ファイルリストデータ(0files)"));
    form->Command2_Click(); // nothing left: nothing happens
    expectInvariant();
}

TEST_F(Form1Test, MovesExchangeRowsAndStopAtBothEnds)
{
    writeLists({makeList("A", 400)});
    open();
    form->Command3_Click(); // up on row 0
    EXPECT_FALSE(form->DataChanged());
    list1()->setCurrentIndex(list1()->model()->index(399, 0));
    form->Command4_Click(); // down on the last row
    EXPECT_FALSE(form->DataChanged());

    list1()->setCurrentIndex(list1()->model()->index(300, 0));
    form->Command3_Click();
    EXPECT_EQ(list1Selected(), 299);
    EXPECT_EQ(list1Rows().at(299), "a300.jpg");
    EXPECT_EQ(list1Rows().at(300), "a299.jpg");
    EXPECT_EQ(form->List2().at(299), "/p/A300.jpg");
    EXPECT_TRUE(form->DataChanged());
    form->Command4_Click();
    EXPECT_EQ(list1Selected(), 300);
    EXPECT_EQ(list1Rows().at(300), "a300.jpg");
    expectInvariant();
}

// ---- Sample ----

class SampleTest : public Form1Test {
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
    }
    // A click on a row; a click on the selected row shows it again.
    void select(int row)
    {
        const bool same = list1()->currentIndex().row() == row;
        list1()->setCurrentIndex(list1()->model()->index(row, 0));
        if (same)
            form->List1_Click();
    }
    QLabel *image1() const { return label("Image1"); }
};

TEST_F(SampleTest, PicturesAreFittedInto1500By1000TwipsWithTheirNaturalSizeInTheCaption)
{
    const QString wide = image("wide.jpg", 200, 100, "JPG"); // 3000 x 1500 twips
    const QString square = image("sq.bmp", 80, 80, "BMP");   // 1200 x 1200
    const QString small = image("small.png", 40, 20, "PNG"); // 600 x 300: enlarged
    openWith({wide, square, small, dir.filePath("missing.jpg")});
    check("Check3")->setChecked(false);
    select(0);
    EXPECT_EQ(label("Label3")->text(), u8("サンプル(3000x1500)"));
    EXPECT_EQ(image1()->size(), QSize(100, 50));
    EXPECT_FALSE(image1()->pixmap().isNull());
    EXPECT_FALSE(image1()->isHidden());
    EXPECT_EQ(image1()->pos(), QPoint(2880 / 15, 420 / 15));
    select(1);
    EXPECT_EQ(label("Label3")->text(), u8("サンプル(1200x1200)"));
    EXPECT_EQ(image1()->size(), QSize(67, 67));
    select(2);
    EXPECT_EQ(image1()->size(), QSize(100, 50));
    EXPECT_EQ(form->image1Size(), QSizeF(1500, 750));

    select(3);
    EXPECT_EQ(label("Label3")->text(), u8("非対応ファイル形式"));
    EXPECT_TRUE(image1()->pixmap().isNull());
    EXPECT_TRUE(image1()->isHidden());
    EXPECT_TRUE(prompter->messages.empty());
}

TEST_F(SampleTest, BrokenFilesFailQuietly)
{
    const QString text = dir.filePath("notes.jpg");
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is no picture");
    f.close();
    const QString truncated = image("cut.jpg", 300, 200, "JPG");
    QFile::resize(truncated, 40);
    openWith({image("ok.bmp", 30, 20, "BMP"), text, truncated, dir.path()});
    check("Check3")->setChecked(false);
    for (int row : {1, 2, 3}) {
        select(0);
        EXPECT_FALSE(image1()->pixmap().isNull());
        select(row);
        EXPECT_EQ(label("Label3")->text(), u8("非対応ファイル形式")) << row;
        EXPECT_TRUE(image1()->pixmap().isNull()) << row;
    }
}

TEST_F(SampleTest, WithTheSampleOffSelectingChangesNothing)
{
    openWith({image("a.bmp", 30, 20, "BMP"), image("b.bmp", 60, 20, "BMP")});
    EXPECT_TRUE(check("Check3")->isChecked());
    EXPECT_EQ(label("Label3")->text(), u8("サンプル"));
    select(1);
    EXPECT_EQ(label("Label3")->text(), u8("サンプル"));
    EXPECT_TRUE(image1()->pixmap().isNull());

    // Switching it on shows nothing until the next selection.
    check("Check3")->setChecked(false);
    EXPECT_TRUE(image1()->pixmap().isNull());
    select(0);
    EXPECT_EQ(label("Label3")->text(), u8("サンプル(450x300)"));
}

TEST_F(SampleTest, AfterADeleteTheCaptionShowsTheDisplayedSize)
{
    openWith({image("a.bmp", 30, 20, "BMP"), image("b.bmp", 300, 200, "BMP"), image("c.bmp", 90, 60, "BMP")});
    check("Check3")->setChecked(false);
    form->Command2_Click(); // row 0; row 0 now holds b.bmp
    EXPECT_EQ(form->List2().value(0), dir.filePath("b.bmp"));
    EXPECT_EQ(label("Label3")->text(), u8("サンプル(1500x1000)"));
    EXPECT_EQ(image1()->size(), QSize(100, 67));
}
