// Every caption of the three windows and the about box shows whole in the
// dialogs' face at the controls' sizes: nothing cut, nothing covered.
#include "dialog/prompter.h"
#include "form1fixture.h"
#include "picker/driveroots.h"
#include "picker/folderlabel.h"
#include "picker/form3.h"
#include "picker/pickrules.h"
#include "platform/filesystem.h"
#include "platform/fonts.h"
#include "platform/language.h"
#include "qelvo/version.h"
#include "slideshow/form2.h"

#include <QCheckBox>
#include <QDir>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTextLayout>
#include <QTreeWidget>

using namespace qelvo;
using namespace qelvo::testing;

namespace
{

QString withoutMnemonic(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("&(?=[^&])")));
}

// The box a caption may use and the rectangle its text needs, both in the
// widget's own coordinates; an empty needed rectangle when w shows no text.
struct TextRoom {
    QRect room;
    QRect needed;
};

TextRoom textRoom(QWidget *w)
{
    const QFontMetrics fm = w->fontMetrics();
    QStyle *style = w->style();
    if (auto *label = qobject_cast<QLabel *>(w)) {
        if (label->text().isEmpty())
            return {};
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect room = label->contentsRect();
        return {room, fm.boundingRect(room, flags, label->text())};
    }
    if (auto *folder = qobject_cast<picker::FolderLabel *>(w)) {
        const QRect room = folder->rect();
        return {room, fm.boundingRect(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere,
                                      folder->shownText())};
    }
    if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const auto element = qobject_cast<QCheckBox *>(w)      ? QStyle::SE_CheckBoxContents
                             : qobject_cast<QRadioButton *>(w) ? QStyle::SE_RadioButtonContents
                                                               : QStyle::SE_PushButtonContents;
        const QRect room = style->subElementRect(element, &option, button);
        return {room, fm.boundingRect(room, Qt::AlignCenter, withoutMnemonic(button->text()))};
    }
    if (auto *box = qobject_cast<QLineEdit *>(w)) {
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
        // The line edit keeps two pixels free on either side of its text.
        const QRect room =
            style->subElementRect(QStyle::SE_LineEditContents, &option, box).adjusted(2, 0, -2, 0);
        const QRect line(room.left(), room.top(), fm.horizontalAdvance(box->text()), fm.height());
        return {room, line.translated(0, (room.height() - fm.height()) / 2)};
    }
    return {};
}

// One line per caption of window that does not show whole: too big for its
// control, reaching out of the control's parent, or under a later sibling.
std::string misfits(QWidget *window)
{
    QStringList found;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        const TextRoom t = textRoom(w);
        if (t.needed.isEmpty())
            continue;
        const QString name = w->objectName() + QLatin1Char(' ') + w->metaObject()->className();
        if (!t.room.contains(t.needed))
            found << QStringLiteral("%1: needs %2x%3, has %4x%5")
                         .arg(name)
                         .arg(t.needed.width())
                         .arg(t.needed.height())
                         .arg(t.room.width())
                         .arg(t.room.height());
        QWidget *parent = w->parentWidget();
        if (!parent)
            continue;
        const QRect inParent = t.needed.translated(w->pos());
        if (!parent->rect().contains(inParent))
            found << name + QStringLiteral(": reaches out of its parent");
        const QObjectList &siblings = parent->children();
        for (qsizetype i = siblings.indexOf(w) + 1; i < siblings.size(); ++i) {
            auto *above = qobject_cast<QWidget *>(siblings[i]);
            if (above && above->isVisibleTo(window) && above->geometry().intersects(inParent))
                found << name + QStringLiteral(": covered by ") + above->objectName();
        }
    }
    return found.join(QLatin1Char('\n')).toStdString();
}

class NullBackend final : public WallpaperBackend
{
public:
    bool SetDeskWallPaper(const QString &) override { return true; }
};

class LabelFit : public Form1Test
{
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        // And once per language: QELVO_TEST_LANGUAGE=en puts the English texts in.
        if (qEnvironmentVariable("QELVO_TEST_LANGUAGE") == QLatin1String("en")) {
            static const Translations english(UiLanguage::English);
            ASSERT_TRUE(english.loaded());
        }
        // CTest runs these once per Japanese face, each alone in its own
        // fontconfig set-up; otherwise whichever face the machine picks.
        const QString face = qEnvironmentVariable("QELVO_TEST_FACE");
        const QString used = japaneseFace();
        if (!face.isEmpty()) {
            ASSERT_EQ(used.toStdString(), face.toStdString()) << "the face's package is not installed";
        }
        ASSERT_TRUE(QFontDatabase::writingSystems(used).contains(QFontDatabase::Japanese))
            << "no Japanese face (fonts-ipafont-gothic) is installed";
    }
    // The face the windows draw Japanese text in.
    static QString japaneseFace()
    {
        QTextLayout layout(QStringLiteral(u"あ"), uiGothicFont(kUiPointSize));
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        return runs.isEmpty() ? QString() : runs.first().rawFont().familyName();
    }
};

// The text is made when the test runs, in the language of the run.
struct CaptionCase {
    const char *control;
    QString (*text)();
};

void PrintTo(const CaptionCase &c, std::ostream *out)
{
    *out << c.control << " " << c.text().toStdString();
}

class Form1Captions : public LabelFit, public ::testing::WithParamInterface<CaptionCase>
{
};

// The longest texts each control of the dialog is given.
TEST_P(Form1Captions, ShowWhole)
{
    Form1 &f = open();
    f.show();
    QWidget *control = form->findChild<QWidget *>(QLatin1String(GetParam().control));
    ASSERT_NE(control, nullptr);
    if (auto *label = qobject_cast<QLabel *>(control))
        label->setText(GetParam().text());
    else
        qobject_cast<QLineEdit *>(control)->setText(GetParam().text());
    EXPECT_EQ(misfits(form.get()), "");
}

INSTANTIATE_TEST_SUITE_P(
    Longest, Form1Captions,
    ::testing::Values(CaptionCase{"Label3", [] { return dialog::sampleCaption(1800, 1800); }},
                      CaptionCase{"Label3", [] { return dialog::sampleCaption(60000, 45000); }},
                      CaptionCase{"Label3", [] { return dialog::sampleCaption(149985, 149985); }},
                      CaptionCase{"Label3", [] { return dialog::tr8(dialog::texts::kUnsupportedFormat); }},
                      CaptionCase{"Label3", [] { return dialog::tr8(dialog::texts::kSampleOff); }},
                      CaptionCase{"Label1", [] { return dialog::listsLabel(9); }},
                      CaptionCase{"Label2", [] { return dialog::filesLabel(32767); }},
                      CaptionCase{"Text1", [] { return QStringLiteral("1.234568E+07"); }},
                      CaptionCase{"Text2", [] { return QStringLiteral("-1.234568E-07"); }}));

// The largest sample (1500 x 1000 twips) leaves a gap above the Add button.
TEST_F(LabelFit, LargestSampleClearsTheButtons)
{
    const QString path = dir.filePath("wide.jpg");
    ASSERT_TRUE(QImage(300, 200, QImage::Format_RGB32).save(path, "JPG"));
    settings::SettingList list = makeList("A", 0);
    list.FileList.append({"wide.jpg", path});
    writeLists({list});
    open().show();
    check("Check3")->setChecked(false);
    choose(0);
    auto *image = form->findChild<QLabel *>(QStringLiteral("Image1"));
    ASSERT_FALSE(image->pixmap().isNull());
    // Decoded at the screen's density, so sharp at 2x, and shown at the box's size.
    EXPECT_EQ(image->pixmap().devicePixelRatio(), image->devicePixelRatioF());
    EXPECT_EQ(image->pixmap().deviceIndependentSize(), QSizeF(image->size()));
    EXPECT_LT(image->geometry().bottom() + 2, form->findChild<QPushButton *>("Command1")->y());
    EXPECT_EQ(misfits(form.get()), "");
}

// The version line, the copyright and the two long notice lines each keep a
// line of their own.
TEST_F(LabelFit, AboutBoxKeepsEveryLineWhole)
{
    const QString text = dialog::aboutText("qelvo", versionText(), QString::fromUtf8(version::kLegalNotice));
    const auto box = dialog::QtPrompter::messageBox({{}, text}, nullptr);
    box->show();
    auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    const QFontMetrics fm = label->fontMetrics();
    const int lines = static_cast<int>(text.count(QLatin1Char('\n')));
    // Fewer than one line more than the text has (a face's line may round up).
    EXPECT_LT(fm.boundingRect(label->contentsRect(), Qt::TextWordWrap, text.trimmed()).height(),
              (lines + 1) * fm.lineSpacing());
    EXPECT_EQ(misfits(box.get()), "");
}

// The picker at a deep folder: the folder label shows the text its rule
// makes, whole, and the tree shows the open folder's name whole.
TEST_F(LabelFit, PickerShowsTheFolderName)
{
    const QString base = dir.path();
    const QString deep =
        QDir(base).filePath(u8("とても長いフォルダの名前/さらに深い階層のフォルダ名/最後のフォルダ"));
    // Wide characters throughout; ASCII with no blank to wrap at; a path just
    // short enough to be shown unshortened.
    const QString wide = QDir(base).filePath(u8("全角文字ばかりの長い長いフォルダの名前です"));
    const QString ascii =
        QDir(base).filePath(QStringLiteral("a_rather_long_folder_name/and_a_quite_long_subfolder"));
    const QString root = QStringLiteral("/");
    const QString unshortened =
        QDir(root).filePath(u8("全角文字で三十四文字までのフォルダの名前です全角文字で三十四文字ま"));
    for (const QString &path : {deep, wide, ascii})
        ASSERT_TRUE(QDir().mkpath(path));
    picker::DriveFolders folders;
    Form3 picker(realFileSystem(), [] { return QStringList{QStringLiteral("/")}; }, folders, {});
    picker.Form_Load();
    picker.show();
    auto *label = picker.findChild<picker::FolderLabel *>(QStringLiteral("Label3"));
    for (const QString &path : {deep, wide, ascii}) {
        ASSERT_TRUE(picker.setDirPath(path));
        EXPECT_EQ(label->shownText(), picker::shortenFolderLabel(path)) << path.toStdString();
        EXPECT_EQ(label->toolTip(), path);
        EXPECT_EQ(misfits(&picker), "") << path.toStdString();
    }
    ASSERT_EQ(unshortened.size(), 34);
    label->setText(unshortened);
    EXPECT_EQ(label->shownText(), unshortened);
    ASSERT_TRUE(picker.setDirPath(deep));

    auto *tree = picker.findChild<QTreeWidget *>(QStringLiteral("Dir1"));
    QTreeWidgetItem *current = tree->currentItem();
    ASSERT_NE(current, nullptr);
    const QRect shown = tree->visualItemRect(current);
    const int icon = tree->iconSize().isValid() ? tree->iconSize().width()
                                                : tree->style()->pixelMetric(QStyle::PM_SmallIconSize);
    const int textRight = shown.left() + icon + 8 + tree->fontMetrics().horizontalAdvance(current->text(0));
    EXPECT_GE(tree->header()->sectionSize(0), textRight - shown.left() + tree->indentation());
    EXPECT_GE(shown.left(), 0);
    EXPECT_LE(textRight, tree->viewport()->width());
    EXPECT_EQ(tree->horizontalScrollBar()->value(), 0); // the start of every name in view
}

TEST_F(LabelFit, SlideShowTextsShowWhole)
{
    ASSERT_TRUE(QImage(64, 48, QImage::Format_RGB32).save(dir.filePath("a.png")));
    writeSettings(
        u8("[ExecuteState]\r\nExecuteNumber=0\r\nWPChanger=0\r\nWPIndex=0\r\n\r\n[SettingLists]\r\n"
           "***StartList***\r\nListName=風景写真のリスト\r\nChgTime=30\r\nZoomMax=1\r\nRandomView=0\r\n"
           "MouseDisable=1\r\nEffect=1\r\nPathes\r\na.png,") +
        dir.filePath("a.png") + QStringLiteral("\r\n***EndList***\r\n"));
    NullBackend backend;
    Form2Services services;
    services.backend = &backend;
    services.endProcess = [] {};
    services.message = [](const QString &) {};
    Form2 show(identity, nullptr, services);
    show.Form_Load();
    show.show();
    EXPECT_EQ(misfits(&show), "");
}

} // namespace
