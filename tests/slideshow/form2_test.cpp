#include "fakes/fakes.h"
#include "gatedrender.h"
#include "platform/imagedecoder.h"
#include "platform/screens.h"
#include "slideshow/form2.h"
#include "slideshow/picturebox.h"
#include "slideshow/scaling.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace qelvo;
using namespace qelvo::slideshow;
using qelvo::testing::GatedRender;

namespace
{

class NullBackend final : public WallpaperBackend
{
public:
    bool SetDeskWallPaper(const QString &) override { return true; }
};

// The text the X server gives with a key, which the show goes by: QTest gives
// Delete none, so its own key clicks would never reach the show's DEL.
QString typedText(Qt::Key key)
{
    switch (key) {
    case Qt::Key_Delete:
        return QStringLiteral("\x7f");
    case Qt::Key_Escape:
        return QStringLiteral("\x1b");
    case Qt::Key_Tab:
        return QStringLiteral("\t");
    case Qt::Key_Space:
        return QStringLiteral(" ");
    default:
        return key >= Qt::Key_A && key <= Qt::Key_Z ? QString(QChar(key)).toLower() : QString();
    }
}
// A key pressed and released as the X server reports it.
template <typename Target> void pressKey(Target *target, Qt::Key key)
{
    QTest::sendKeyEvent(QTest::Click, target, key, typedText(key), Qt::NoModifier);
}

class Form2Widget : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QImage red(640, 480, QImage::Format_RGB32);
        red.fill(QColor(255, 0, 0));
        ASSERT_TRUE(red.save(dir.filePath("red.jpg"), "JPEG", 95));
        QImage green(300, 200, QImage::Format_RGB32);
        green.fill(QColor(0, 255, 0));
        ASSERT_TRUE(green.save(dir.filePath("green.bmp"), "BMP"));
    }
    void writeSettings(const QString &effect, const QString &mouse = "0")
    {
        QFile f(dir.filePath("Qelvo.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(("[ExecuteState]\r\nExecuteNumber=0\r\nWPChanger=1\r\nWPIndex=0\r\nLastExecute=2000/01/01 "
                 "0:00:00\r\n"
                 "\r\n[SettingLists]\r\n***StartList***\r\nListName=Widget\r\nChgTime=30\r\nZoomMax=1\r\n"
                 "RandomView=0\r\nMouseDisable=" +
                 mouse + "\r\nEffect=" + effect +
                 "\r\nPathes\r\n"
                 "red.jpg," +
                 dir.filePath("red.jpg") + "\r\ngreen.bmp," + dir.filePath("green.bmp") +
                 "\r\n***EndList***\r\n")
                    .toUtf8());
    }
    std::unique_ptr<Form2> makeForm(PictureLoader::Render render = {})
    {
        Form2Services services;
        services.backend = &backend;
        services.random = &random;
        services.endProcess = [this] { ++ended; };
        services.message = [this](const QString &text) { messages << text; };
        services.render = std::move(render);
        return std::make_unique<Form2>(AppIdentity{dir.path(), "qelvo"}, nullptr, services);
    }
    // The two pictures' show, loaded and on screen (effect "1" changes plainly,
    // "0" by transitions); a modal one runs as for real, its covers not shut out.
    std::unique_ptr<Form2> showing(const QString &effect, PictureLoader::Render render = {},
                                   bool modal = false)
    {
        writeSettings(effect);
        auto form = makeForm(std::move(render));
        form->Form_Load();
        if (modal)
            form->setWindowModality(Qt::ApplicationModal);
        form->show();
        return form;
    }
    // A cover where another screen would be, right of the show's.
    static QWidget *coverBeside(Form2 &form)
    {
        return form.coverScreen(QRect(primaryScreenGeometry().right() + 1, 0, 640, 480));
    }
    // One tick, then the picture it asked for, decoded off the window's
    // thread, is given its bounded time to arrive.
    static void tick(Form2 &form)
    {
        form.Timer1_Timer();
        settle(form);
    }
    static void settle(Form2 &form)
    {
        QElapsedTimer clock;
        clock.start();
        while (!form.picturesSettled() && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_TRUE(form.picturesSettled());
    }
    void toFirstImage(Form2 &form)
    {
        for (int i = 0; i <= kTitleTicks; ++i)
            tick(form);
    }
    // Runs a whole black shutter over the picture on screen, one tick a step.
    void closeWithShutter(Form2 &form)
    {
        random.push(0.0); // shutter
        random.push(0.0); // black
        tick(form);
        for (int i = 0; i < 100 && form.logic().state().NextEffect == NextEffectKind::Fade; ++i)
            tick(form);
        ASSERT_NE(form.logic().state().NextEffect, NextEffectKind::Fade);
    }
    static bool isRed(QRgb c) { return qRed(c) > 230 && qGreen(c) < 25 && qBlue(c) < 25; }
    static bool isGreen(QRgb c) { return qGreen(c) > 230 && qRed(c) < 25 && qBlue(c) < 25; }

    QTemporaryDir dir;
    NullBackend backend;
    fakes::ScriptedRandom random;
    int ended = 0;
    QStringList messages;
};

} // namespace

TEST_F(Form2Widget, ShowsTheTitleThenTheImageScaledAndCentred)
{
    auto form = showing("1");
    EXPECT_EQ(form->geometry(), primaryScreenGeometry());
    EXPECT_TRUE(form->timer1().isActive());
    EXPECT_EQ(form->timer1().interval(), kFirstTickMs);
    tick(*form);
    EXPECT_TRUE(form->text3()->isVisible());
    EXPECT_EQ(form->text3()->text(), "Widget");
    EXPECT_TRUE(form->text2()->isVisible());
    for (int i = 1; i <= kTitleTicks; ++i)
        tick(*form);
    const QRect expected = scaleToScreen({640, 480}, primaryScreenGeometry().size(), 1);
    EXPECT_TRUE(form->picture1()->isVisible());
    EXPECT_EQ(form->picture1()->geometry(), expected);
    EXPECT_FALSE(form->text3()->isVisible());
    EXPECT_FALSE(form->text2()->isVisible());
    const QImage shown = form->picture1()->shownImage();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.size(), expected.size() * form->devicePixelRatio());
    EXPECT_GT(qRed(shown.pixel(shown.width() / 2, shown.height() / 2)), 230);
    EXPECT_EQ(form->timer1().interval(), 30000);
}

TEST_F(Form2Widget, TransitionsDrawOverThePictureAndNotIntoIt)
{
    auto form = showing("0");
    toFirstImage(*form);
    const QImage before = form->picture1()->picture();
    random.push(0.0); // shutter
    random.push(0.0); // black
    tick(*form);
    EXPECT_EQ(form->logic().state().transition.Tag, "1");
    EXPECT_EQ(form->picture1()->picture(), before);
    const QImage shown = form->picture1()->shownImage();
    EXPECT_EQ(shown.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_GT(qRed(shown.pixel(5, shown.height() / 2)), 230);
    // One step per frame of the screen, not a 1 ms race.
    EXPECT_EQ(form->timerInterval(), kFrameInterval);
    EXPECT_GE(form->timer1().interval(), 5);
}

TEST_F(Form2Widget, InvertAndMaskCombineWithWhatIsOnScreen)
{
    auto form = showing("0");
    toFirstImage(*form);
    random.push(0.0);  // shutter
    random.push(0.99); // invert
    tick(*form);
    const QRgb inverted = form->picture1()->shownImage().pixel(5, 5);
    EXPECT_LT(qRed(inverted), 25);
    EXPECT_GT(qGreen(inverted), 230);
    EXPECT_GT(qBlue(inverted), 230);
}

TEST_F(Form2Widget, ABoxHiddenAndShownAgainShowsItsPictureWithoutTheTransition)
{
    auto form = showing("0");
    toFirstImage(*form);
    closeWithShutter(*form);
    PictureBox &box = *form->picture1();
    const QImage closed = box.shownImage();
    EXPECT_EQ(closed.pixel(closed.width() / 2, closed.height() / 2), qRgb(0, 0, 0));
    box.hide();
    box.show();
    EXPECT_EQ(box.shownImage(), box.picture());
    EXPECT_TRUE(isRed(box.grab().toImage().pixel(box.width() / 2, box.height() / 2)));
}

// After a transition the next change finds its file gone: the picture the
// transition closed comes back, with the error line under it.
TEST_F(Form2Widget, AMissingFileAfterATransitionLeavesThePreviousPictureOnScreen)
{
    auto form = showing("0");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    toFirstImage(*form);
    closeWithShutter(*form);
    ASSERT_TRUE(QFile::remove(dir.filePath("green.bmp")));
    tick(*form);
    EXPECT_TRUE(form->text1()->isVisible());
    EXPECT_TRUE(form->text1()->text().contains("green.bmp"));
    PictureBox &box = *form->picture1();
    ASSERT_TRUE(box.isVisible());
    const QImage shown = box.shownImage();
    EXPECT_EQ(shown, box.picture());
    EXPECT_TRUE(isRed(shown.pixel(shown.width() / 2, shown.height() / 2)));
    EXPECT_TRUE(isRed(shown.pixel(2, 2)));
    const QImage onScreen = form->grab().toImage();
    const QPoint centre = box.geometry().center() * form->devicePixelRatio();
    EXPECT_TRUE(isRed(onScreen.pixel(centre)));
}

// The last picture's transition leads to the title; when the first file has
// gone by then, the last picture comes back rather than its closed box.
TEST_F(Form2Widget, AMissingFirstFileAfterTheTitleShowsTheLastPicture)
{
    auto form = showing("0");
    toFirstImage(*form);
    closeWithShutter(*form);
    tick(*form); // green
    ASSERT_EQ(form->logic().state().CurrentIndex, 2);
    closeWithShutter(*form);
    ASSERT_EQ(form->logic().state().NextEffect, NextEffectKind::TitleRool);
    EXPECT_FALSE(form->picture1()->isVisible());
    ASSERT_TRUE(QFile::remove(dir.filePath("red.jpg")));
    for (int i = 0; i < kTitleTicks; ++i)
        tick(*form);
    ASSERT_EQ(form->logic().state().NextEffect, NextEffectKind::Normal);
    tick(*form);
    EXPECT_EQ(form->logic().state().CurrentIndex, 1);
    EXPECT_TRUE(form->text1()->isVisible());
    ASSERT_TRUE(form->picture1()->isVisible());
    const QImage shown = form->picture1()->shownImage();
    EXPECT_TRUE(isGreen(shown.pixel(shown.width() / 2, shown.height() / 2)));
}

TEST_F(Form2Widget, CharacterKeysEndTheShowAndOthersDoNothing)
{
    auto form = showing("1");
    pressKey(form.get(), Qt::Key_Left);
    pressKey(form.get(), Qt::Key_F5);
    pressKey(form.get(), Qt::Key_Shift);
    pressKey(form.get(), Qt::Key_Delete);
    EXPECT_EQ(ended, 0);
    pressKey(form.get(), Qt::Key_Space);
    EXPECT_EQ(ended, 0);
    EXPECT_FALSE(form->timer1().isActive());
    EXPECT_TRUE(form->text1()->isVisible());
    pressKey(form.get(), Qt::Key_Tab);
    EXPECT_EQ(ended, 1);
    pressKey(form.get(), Qt::Key_Escape);
    EXPECT_EQ(ended, 2);
    pressKey(form.get(), Qt::Key_Q);
    EXPECT_EQ(ended, 3);
}

TEST_F(Form2Widget, PointerOverThePictureCountsAsOverTheWindowAndAClickCloses)
{
    auto form = showing("1");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    toFirstImage(*form);
    const QPoint centre = form->picture1()->geometry().center();
    for (int i = 1; i <= 3; ++i)
        QTest::mouseMove(form.get(), centre + QPoint(i * 7, i * 5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended == 1; }, 2000)) << "ended = " << ended;
    QTest::mouseClick(form.get(), Qt::LeftButton, Qt::NoModifier, centre);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }, 2000));
}

// The pointer's first position in the window may come with its entering
// alone: that counts as a move, the entering where the pointer sat when the
// window appeared does not.
TEST_F(Form2Widget, EnteringAtANewPlaceCountsAsAMove)
{
    auto form = showing("1");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const QPoint still = form->mapFromGlobal(QCursor::pos());
    const auto enter = [&](QPoint at) {
        QEnterEvent event(at, at, form->mapToGlobal(at));
        QApplication::sendEvent(form.get(), &event);
    };
    enter(still);
    enter(QPoint(40, 30));
    form->Form_MouseMove(40, 30); // the same place again: no move
    form->Form_MouseMove(60, 50);
    EXPECT_EQ(ended, 0);
    form->Form_MouseMove(80, 70);
    EXPECT_EQ(ended, 1);
}

// The black windows over the other screens: the show ends from any screen.
// The show runs modal, as it does for real, so the covers must not be shut out.
TEST_F(Form2Widget, KeysOnAnotherScreensCoverReachTheShow)
{
    auto form = showing("1", {}, true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QWidget *cover = coverBeside(*form);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(cover));
    pressKey(cover->windowHandle(), Qt::Key_Left);
    pressKey(cover->windowHandle(), Qt::Key_Delete);
    EXPECT_EQ(ended, 0);
    pressKey(cover->windowHandle(), Qt::Key_Space);
    EXPECT_FALSE(form->timer1().isActive());
    EXPECT_EQ(ended, 0);
    pressKey(cover->windowHandle(), Qt::Key_Tab);
    EXPECT_EQ(ended, 1);
    pressKey(cover->windowHandle(), Qt::Key_Q);
    EXPECT_EQ(ended, 2);
}

TEST_F(Form2Widget, PointerMovesOnACoverCountInTheShowWindowsCoordinates)
{
    auto form = showing("1", {}, true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const QRect screen = primaryScreenGeometry();
    const QRect coverArea(screen.right() + 1, 100, 640, 480);
    QWidget *cover = form->coverScreen(coverArea);
    // With one screen a full-screen cover lands on the show's own screen:
    // place it beside that screen, where another screen would be.
    cover->setWindowState(Qt::WindowNoState);
    cover->setGeometry(coverArea);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(cover));
    ASSERT_EQ(cover->mapToGlobal(QPoint(0, 0)), coverArea.topLeft());
    const PointerMemory &pointer = form->logic().state().pointer;
    QTest::mouseMove(cover->windowHandle(), QPoint(10, 20));
    ASSERT_TRUE(QTest::qWaitFor([&] { return pointer.MoveCount == 1; }, 2000))
        << "pointer.MoveCount = " << pointer.MoveCount;
    const QPoint expected = form->mapFromGlobal(coverArea.topLeft() + QPoint(10, 20));
    EXPECT_EQ(pointer.LastX, expected.x());
    EXPECT_EQ(pointer.LastY, expected.y());
    EXPECT_GT(pointer.LastX, screen.width() - 1); // not the cover's own (10, 20)
    QTest::mouseMove(cover->windowHandle(), QPoint(30, 40));
    ASSERT_TRUE(QTest::qWaitFor([&] { return pointer.MoveCount == 2; }, 2000))
        << "pointer.MoveCount = " << pointer.MoveCount;
    EXPECT_EQ(ended, 0);
    QTest::mouseMove(cover->windowHandle(), QPoint(50, 60));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended == 1; }, 2000)) << "ended = " << ended;
}

TEST_F(Form2Widget, AClickOnACoverClosesTheShow)
{
    auto form = showing("1", {}, true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QWidget *cover = coverBeside(*form);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(cover));
    QTest::mouseClick(cover->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }, 2000));
    EXPECT_FALSE(cover->isVisible());
}

TEST_F(Form2Widget, MissingSettingsFileShowsTheMessageAndClosesUnseen)
{
    auto form = makeForm();
    form->Form_Load();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8("設定ファイルが有りません")));
    EXPECT_EQ(form->exec(), QDialog::Rejected); // returns at once
}

TEST_F(Form2Widget, ChangerOnlyRunKeepsTheListsOfALegacyShiftJisFileByteForByte)
{
    // "ListName=旅行" in Shift_JIS: decoding and writing it as UTF-8 would lose
    // any name that is not valid Shift_JIS either, so the bytes stay as they are.
    const QByteArray lists =
        "***StartList***\r\nListName=\x97\xb7\x8d\x73\r\nChgTime=30\r\nPathes\r\nred.jpg," +
        dir.filePath("red.jpg").toUtf8() + "\r\n***EndList***\r\n";
    {
        QFile f(dir.filePath("Qelvo.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[ExecuteState]\r\nExecuteNumber=0\r\nWPChanger=3\r\nWPIndex=0\r\n"
                "LastExecute=2000/01/01 0:00:00\r\n\r\n[SettingLists]\r\n" +
                lists);
    }
    auto form = makeForm();
    form->Form_Load();
    ASSERT_TRUE(form->backgroundRun());
    EXPECT_EQ(form->exitStatus(), 0);
    EXPECT_TRUE(messages.isEmpty());

    QFile f(dir.filePath("Qelvo.ini"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray after = f.readAll();
    EXPECT_TRUE(after.startsWith("[AppState]\r\nAppName=qelvo\r\n"));
    EXPECT_TRUE(after.contains("\r\nWPIndex=1\r\n"));
    EXPECT_TRUE(after.endsWith("\r\n[SettingLists]\r\n" + lists)) << after.constData();
}

TEST_F(Form2Widget, ChangerOnlyRunDoesNotCreateAMissingSettingsFile)
{
    auto form = makeForm();
    form->chwo();
    EXPECT_FALSE(QFile::exists(dir.filePath("Qelvo.ini")));
}

TEST_F(Form2Widget, TheTimerHonoursLongIntervalsAndTreatsNegativeOnesAsZero)
{
    for (const auto &[seconds, interval] : {std::pair{"100", 100000}, std::pair{"-5", 0}}) {
        writeSettings("1");
        QFile f(dir.filePath("Qelvo.ini"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray text = f.readAll().replace("ChgTime=30", QByteArray("ChgTime=") + seconds);
        f.resize(0);
        f.write(text);
        f.close();
        auto form = makeForm();
        form->Form_Load();
        toFirstImage(*form);
        EXPECT_EQ(form->timer1().isActive(), interval > 0) << seconds;
        if (interval > 0) {
            EXPECT_EQ(form->timer1().interval(), interval);
        }
    }
}

// A transition is seen: its steps come one per frame of the screen, so
// closing a 640 x 480 picture with the shutter (ten steps) takes about ten
// frames, not the few milliseconds a 1 ms timer with fast painting would.
TEST_F(Form2Widget, TransitionStepsArePacedToTheScreensFrames)
{
    auto form = showing("0");
    toFirstImage(*form);
    random.push(0.0); // shutter
    random.push(0.0); // black
    QElapsedTimer clock;
    clock.start();
    tick(*form); // the first step; the rest follow on the timer
    ASSERT_EQ(form->logic().state().NextEffect, NextEffectKind::Fade);
    while (form->logic().state().NextEffect == NextEffectKind::Fade && clock.elapsed() < 3000)
        QTest::qWait(1);
    ASSERT_NE(form->logic().state().NextEffect, NextEffectKind::Fade);
    EXPECT_GE(clock.elapsed(), 9 * 1000 / 60 * 8 / 10) << "ms"; // nine more steps, a fifth of slack
}

// While a picture decodes the window stays free: a held N queues no decodes,
// only the last position's picture is shown, and Escape ends at once.
TEST_F(Form2Widget, KeysAreAnsweredWhileAPictureDecodes)
{
    GatedRender gate;
    auto form = showing("1", gate.render());
    for (int i = 0; i <= kTitleTicks; ++i)
        form->Timer1_Timer(); // the first picture's decode, begun in the title, is held
    ASSERT_TRUE(gate.waitForStarted(1));
    for (int i = 0; i < 21; ++i)
        pressKey(form.get(), Qt::Key_N);
    EXPECT_EQ(form->logic().state().CurrentIndex, 2);
    pressKey(form.get(), Qt::Key_Escape);
    EXPECT_EQ(ended, 1);
    gate.release();
    settle(*form);
    EXPECT_LE(gate.started().size(), 4);
    EXPECT_EQ(gate.started().last(), dir.filePath("red.jpg")); // prepared after green, the last one shown
}

// A prepared change shows its picture at once and reads its file once, on
// the worker: the window's thread takes the natural size read with the
// picture. The first picture is prepared during the title, so N right after
// the first change moves on from a picture that was seen. A prepared picture
// whose file changed since is read again, header and all, on the worker too.
TEST_F(Form2Widget, APreparedChangeShowsItsPictureAtOnceAndReadsItsFileOnce)
{
    GatedRender decodes;
    decodes.release();
    auto form = showing("1", decodes.render());
    for (int i = 0; i < kTitleTicks; ++i)
        tick(*form);
    form->Timer1_Timer(); // the first change, no event processed after it
    EXPECT_TRUE(isRed(form->picture1()->picture().pixel(0, 0)));
    settle(*form);
    tick(*form);
    const QString red = dir.filePath("red.jpg"), green = dir.filePath("green.bmp");
    EXPECT_EQ(decodes.started(), (QStringList{red, green, red}));

    QImage other(320, 240, QImage::Format_RGB32);
    other.fill(Qt::blue);
    ASSERT_TRUE(other.save(red, "JPEG"));
    tick(*form);
    EXPECT_EQ(decodes.started().mid(3), (QStringList{red, green}));
    // The gated decoder's pictures are all of its one size: the box follows what the worker read.
    EXPECT_EQ(form->picture1()->geometry(),
              scaleToScreen(GatedRender::kNatural, primaryScreenGeometry().size(), 1));
}

// A load that stops at a missing folder still has its status line at the foot
// of the screen, as on any other stop.
TEST_F(Form2Widget, TheStatusLineIsInPlaceAfterAMissingFolder)
{
    QFile f(dir.filePath("Qelvo.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[SettingLists]\r\n***StartList***\r\nListName=x\r\nPathes\r\n(gone),/gone/"
            "away\r\n***EndList***\r\n");
    f.close();
    auto form = makeForm();
    form->Form_Load();
    ASSERT_EQ(messages, QStringList{"----Folder Not Found----"});
    const QRect line = form->text1()->geometry();
    EXPECT_EQ(line.bottom(), primaryScreenGeometry().height() - 1);
    EXPECT_EQ(line.width(), primaryScreenGeometry().width());
}

// A change whose picture was not prepared keeps the old picture on screen,
// in its place, until the new one has been decoded: no empty box meanwhile.
TEST_F(Form2Widget, AnUnpreparedChangeKeepsTheOldPictureUntilTheNewOneComes)
{
    GatedRender gate;
    gate.release(2); // red during the title, then green ahead
    auto form = showing("1", gate.render());
    toFirstImage(*form);
    const QRect redBox = form->picture1()->geometry();
    QImage other(320, 240, QImage::Format_RGB32);
    other.fill(Qt::blue);
    ASSERT_TRUE(other.save(dir.filePath("green.bmp"), "BMP")); // the prepared green is stale
    pressKey(form.get(), Qt::Key_N);
    ASSERT_TRUE(gate.waitForStarted(3));
    EXPECT_EQ(form->picture1()->geometry(), redBox);
    EXPECT_TRUE(form->picture1()->isVisible());
    EXPECT_FALSE(form->picture1()->picture().isNull());
    gate.release();
    settle(*form);
    // The header now comes with the decode (GatedRender's size).
    EXPECT_EQ(form->picture1()->geometry(),
              scaleToScreen(GatedRender::kNatural, primaryScreenGeometry().size(), 1));
    EXPECT_TRUE(form->picture1()->isVisible());
    EXPECT_EQ(form->picture1()->picture().size(), form->picture1()->deviceSize(GatedRender::kNatural));
}

namespace
{
// The stalled folder mounted for one test, taken down again before the show
// that waits on it goes: killing the server fails the read under way.
struct StalledMount {
    QTemporaryDir folder;
    QProcess server;
    bool mounted = false;
    StalledMount()
    {
#ifdef QELVO_STALLEDFS
        server.start(QStringLiteral(QELVO_STALLEDFS), {folder.path()});
        mounted = server.waitForStarted(5000) &&
                  qelvo::testing::waitUntil([this] { return QFileInfo(picture()).isFile(); });
#endif
    }
    ~StalledMount()
    {
        server.kill();
        server.waitForFinished(5000);
        QProcess umount; // auto_unmount has done it already, as a rule
        umount.start("umount", {"-l", folder.path()});
        umount.waitForFinished(5000);
    }
    QString picture() const
    {
        return folder.filePath("stalled.jpg");
    }
};
} // namespace

// A picture on a folder whose reads never return (a dead network server):
// the worker waits on it for good, the window never does, so Escape ends the
// show at once.
TEST_F(Form2Widget, EscapeEndsTheShowAtOnceWhileAPictureNeverAnswers)
{
    std::unique_ptr<Form2> form; // goes after the mount: its loader waits on the read
    StalledMount stalled;
    if (!stalled.mounted)
        GTEST_SKIP() << "no FUSE here (stalledfs not built, or /dev/fuse or mounting refused)";
    QFile f(dir.filePath("Qelvo.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(("[SettingLists]\r\n***StartList***\r\nListName=x\r\nChgTime=30\r\nZoomMax=1\r\nRandomView=0\r\n"
             "MouseDisable=0\r\nEffect=1\r\nPathes\r\nstalled.jpg," +
             stalled.picture() + "\r\n***EndList***\r\n")
                .toUtf8());
    f.close();
    form = makeForm(); // the real decoder
    form->Form_Load();
    form->show();
    // The title prepares the picture (the worker is held from then on); the
    // change after it wants it on screen.
    for (int i = 0; i <= kTitleTicks; ++i)
        form->Timer1_Timer();
    EXPECT_EQ(form->logic().state().CurrentIndex, 1);
    QElapsedTimer clock;
    clock.start();
    pressKey(form.get(), Qt::Key_Escape);
    EXPECT_EQ(ended, 1);
    EXPECT_LT(clock.elapsed(), 100) << "ms";
}
