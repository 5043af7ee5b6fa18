#include "fakes/fakes.h"
#include "fakeview.h"
#include "slideshow/slideshow.h"
#include "slideshow/texts.h"

#include <gtest/gtest.h>

using namespace qelvo;
using namespace qelvo::slideshow;

namespace
{

struct Options {
    int files = 3;
    QString chgTime = "2";
    QString random = "0";
    QString effect = "1";
    QString changer = "0";
    QString wpIndex = "0";
    QString lastExecute = "2026/01/01 0:00:00";
    QString zoom = "1";
    QString mouseDisable = "0";
};

QString iniText(const Options &o)
{
    QString text = "[ExecuteState]\r\nExecuteNumber=0\r\nWPChanger=" + o.changer +
                   "\r\nWPIndex=" + o.wpIndex + "\r\nLastExecute=" + o.lastExecute +
                   "\r\n\r\n[SettingLists]\r\n***StartList***\r\n"
                   "ListName=Holiday\r\nChgTime=" +
                   o.chgTime + "\r\nZoomMax=" + o.zoom + "\r\nRandomView=" + o.random +
                   "\r\nMouseDisable=" + o.mouseDisable + "\r\nEffect=" + o.effect + "\r\nPathes\r\n";
    for (int i = 1; i <= o.files; ++i)
        text += QString("p%1.jpg,/img/p%1.jpg\r\n").arg(i);
    return text + "***EndList***\r\n";
}

class Show : public ::testing::Test
{
protected:
    void load(const Options &o)
    {
        fs.addFile("/app/Qelvo.ini");
        for (int i = 1; i <= o.files; ++i)
            fs.addFile(QString("/img/p%1.jpg").arg(i));
        view.settingsText = iniText(o);
        show.Form_Load();
    }
    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i)
            show.Timer1_Timer();
    }
    // Ticks through the title phase to the first image.
    void toFirstImage()
    {
        tick(kTitleTicks);
        tick();
    }
    // Ticks until the transition has finished (bounded).
    void finishFade()
    {
        for (int i = 0; i < 1000 && show.state().NextEffect == NextEffectKind::Fade; ++i)
            tick();
        ASSERT_NE(show.state().NextEffect, NextEffectKind::Fade);
    }

    fakes::FakeView view;
    fakes::FakeFileSystem fs;
    fakes::ScriptedRandom random;
    fakes::FixedClock clock{QDateTime(QDate(2026, 5, 1), QTime(8, 0, 0))};
    SlideShow show{view, AppIdentity{"/app", "qelvo"}, {fs, random, clock, view}, QSize(1024, 768)};
};

} // namespace

TEST_F(Show, LoadPreparesTheTimerTextsAndCursor)
{
    load({});
    EXPECT_EQ(view.interval, kFirstTickMs);
    EXPECT_EQ(show.state().CurrentIndex, 3);
    EXPECT_EQ(show.values().ChangeInterval, 2000);
    EXPECT_EQ(view.title, "Holiday");
    EXPECT_TRUE(view.cursorHidden);
    EXPECT_FALSE(view.background);
}

TEST_F(Show, MissingSettingsFileShowsTheMessageAndEnds)
{
    show.Form_Load();
    ASSERT_EQ(view.messages.size(), 1);
    EXPECT_EQ(view.messages[0], QString::fromUtf8(texts::kNoSettingsFile));
    EXPECT_EQ(view.closed, 1);
    EXPECT_EQ(view.intervalSets, 0);
}

TEST_F(Show, MissingFolderStopsTheLoad)
{
    // In the changer-only run nobody reads a box: the run is unseen and ends.
    for (const char *changer : {"0", "3"}) {
        SCOPED_TRACE(changer);
        fakes::FakeView seen;
        SlideShow stopped{seen, AppIdentity{"/app", "qelvo"}, {fs, random, clock, seen}, QSize(1024, 768)};
        fs.addFile("/app/Qelvo.ini");
        seen.settingsText = QString("[ExecuteState]\r\nWPChanger=%1\r\n[SettingLists]\r\n***StartList***\r\n"
                                    "ListName=x\r\nPathes\r\n(gone),/gone\r\n***EndList***\r\n")
                                .arg(changer);
        stopped.Form_Load();
        EXPECT_EQ(seen.messages, QStringList{"----Folder Not Found----"});
        EXPECT_EQ(seen.intervalSets, 0);
        EXPECT_FALSE(seen.cursorHidden);
        EXPECT_EQ(seen.background, changer[0] == '3');
        EXPECT_EQ(seen.closed, changer[0] == '3' ? 1 : 0);
        EXPECT_TRUE(seen.written.isEmpty());
    }
}

TEST_F(Show, TitleForTenTicksThenTheFirstImage)
{
    load({});
    tick();
    EXPECT_EQ(view.prepared, QStringList{"/img/p1.jpg"}); // decoded while the title runs
    EXPECT_EQ(view.preparedBox(QSize(640, 480)), QRect(192, 144, 640, 480));
    for (int i = 2; i < kTitleTicks; ++i) {
        tick();
        EXPECT_TRUE(view.titleVisible) << "tick " << i;
        EXPECT_EQ(view.interval, kTitleTickMs);
    }
    EXPECT_TRUE(view.cornerVisible);
    tick();
    EXPECT_FALSE(view.titleVisible);
    EXPECT_FALSE(view.cornerVisible);
    EXPECT_EQ(show.state().CurrentIndex, 0);
    EXPECT_TRUE(view.presented.isEmpty());
    tick();
    EXPECT_EQ(view.presented, QStringList{"/img/p1.jpg"});
    EXPECT_EQ(view.interval, 2000);
    EXPECT_TRUE(view.pictureVisible);
    EXPECT_EQ(view.box, QRect(192, 144, 640, 480));
}

TEST_F(Show, AKeyDuringTheFirstTitleStillHidesTheCornerText)
{
    load({});
    tick(3);
    show.Form_KeyPress('n');
    EXPECT_EQ(view.shown, "/img/p1.jpg");
    EXPECT_FALSE(view.cornerVisible);
}

TEST_F(Show, ListOrderWithoutEffectsWrapsWithoutTitle)
{
    load({});
    toFirstImage();
    tick(4);
    EXPECT_EQ(view.presented,
              (QStringList{"/img/p1.jpg", "/img/p2.jpg", "/img/p3.jpg", "/img/p1.jpg", "/img/p2.jpg"}));
    EXPECT_TRUE(view.fades.empty());
}

TEST_F(Show, ListOrderWithEffectsShowsTheTitleAfterTheLastTransition)
{
    Options o;
    o.effect = "0";
    load(o);
    toFirstImage();
    for (int image = 2; image <= 3; ++image) {
        EXPECT_EQ(show.state().NextEffect, NextEffectKind::Fade);
        tick();
        EXPECT_EQ(view.interval, kFrameInterval);
        finishFade();
        EXPECT_EQ(show.state().NextEffect, NextEffectKind::Normal);
        tick();
        EXPECT_EQ(view.presented.last(), QString("/img/p%1.jpg").arg(image));
    }
    finishFade();
    EXPECT_EQ(show.state().NextEffect, NextEffectKind::TitleRool);
    EXPECT_EQ(show.state().CurrentIndex, 0);
    EXPECT_FALSE(view.pictureVisible);
    tick(kTitleTicks + 1);
    EXPECT_EQ(view.presented.last(), "/img/p1.jpg");
}

TEST_F(Show, RandomOrderStaysInRangeAndFillsHistory)
{
    Options o;
    o.random = "1";
    o.files = 5;
    load(o);
    Mt19937Random rng(7);
    for (int i = 0; i < 2000; ++i)
        random.push(rng.next());
    toFirstImage();
    for (int i = 0; i < 500; ++i) {
        ASSERT_GE(show.state().CurrentIndex, 1);
        ASSERT_LE(show.state().CurrentIndex, 5);
        ASSERT_EQ(show.state().History[static_cast<std::size_t>(show.state().HistoryPos - 1)],
                  show.state().CurrentIndex);
        tick();
    }
    EXPECT_EQ(show.state().HistoryPos, 501);
}

// Each pick is drawn right after the change before it (the first one at the
// title's first step), so that its picture can be prepared while that one is
// on screen.
TEST_F(Show, RandomPickDrawsOnceMoreOnTheSameImageAndKeepsTheSecondDraw)
{
    Options o;
    o.random = "1";
    o.files = 4;
    load(o);
    for (double draw : {0.5,  // the first change: 3
                        0.6,  // 3 again: drawn once more
                        0.1,  // 1
                        0.0,  // 1 again
                        0.0}) // and again: kept
        random.push(draw);
    tick(kTitleTicks);
    EXPECT_EQ(view.prepared, QStringList{"/img/p3.jpg"});
    tick();
    EXPECT_EQ(show.state().CurrentIndex, 3);
    EXPECT_EQ(view.prepared, (QStringList{"/img/p3.jpg", "/img/p1.jpg"}));
    tick();
    EXPECT_EQ(show.state().CurrentIndex, 1);
    tick();
    EXPECT_EQ(show.state().CurrentIndex, 1);
    EXPECT_EQ(random.remaining(), 0u);
}

// In a host's window: a random pick that another monitor's show has on
// screen meanwhile is drawn again among the free pictures, and the changer-only
// mode shows the list without storing anything.
TEST_F(Show, HostedShowPicksBesideTheOtherMonitorsAndWritesNothing)
{
    view.hosted = true;
    view.elsewhere = {"/img/p3.jpg", "/img/p4.jpg"};
    Options o;
    o.random = "1";
    o.files = 4;
    o.changer = "3";
    load(o);
    for (double draw : {0.5,  // 3: on another screen
                        0.6}) // among 1 and 2: 2
        random.push(draw);
    toFirstImage();
    EXPECT_EQ(show.state().CurrentIndex, 2);
    EXPECT_EQ(view.claimed.front(), "/img/p2.jpg");
    EXPECT_FALSE(view.background);
    EXPECT_EQ(view.ended, 0);
    EXPECT_TRUE(view.written.isEmpty());
}

// A title that comes back after the last transition prepares its first
// picture too, from a pick drawn then, which the change after it uses.
TEST_F(Show, EveryTitlePreparesThePictureAfterIt)
{
    Options o;
    o.random = "1";
    o.effect = "0";
    load(o);
    for (double draw : {0.9,      // the first title: 3
                        0.0,      // the pick after 3: 1
                        0.0, 0.0, // the transition: shutter, black
                        0.4})     // the second title: 2
        random.push(draw);
    tick();
    EXPECT_EQ(view.prepared, QStringList{"/img/p3.jpg"});
    tick(kTitleTicks);
    EXPECT_EQ(view.presented, QStringList{"/img/p3.jpg"});
    tick();
    finishFade();
    ASSERT_EQ(show.state().NextEffect, NextEffectKind::TitleRool);
    view.prepared.clear();
    tick();
    EXPECT_EQ(view.prepared, QStringList{"/img/p2.jpg"});
    tick(kTitleTicks);
    EXPECT_EQ(view.presented.last(), "/img/p2.jpg");
    EXPECT_EQ(show.state().HistoryPos, 2);
    EXPECT_EQ(show.state().History[1], 2);
    EXPECT_EQ(random.remaining(), 0u);
}

TEST_F(Show, RandomOrderWithOneImageKeepsShowingIt)
{
    Options o;
    o.random = "1";
    o.files = 1;
    load(o);
    random.push(0.99);
    toFirstImage();
    tick(3);
    EXPECT_EQ(view.presented, QStringList(4, "/img/p1.jpg"));
    EXPECT_EQ(show.state().History[0], 1);
    EXPECT_EQ(show.state().History[3], 1);
}

TEST_F(Show, HistoryWrapsAfterItsLastSlot)
{
    Options o;
    o.random = "1";
    load(o);
    toFirstImage();
    for (int i = 0; i < kHistorySlots && show.state().HistoryPos < kHistorySlots; ++i)
        show.Form_KeyPress('n');
    ASSERT_EQ(show.state().HistoryPos, kHistorySlots);
    tick();
    EXPECT_EQ(show.state().HistoryPos, 1);
    EXPECT_EQ(show.state().History[0], show.state().CurrentIndex);
}

TEST_F(Show, EmptyPlayListAlternatesTitleAndEmptyScreen)
{
    Options o;
    o.files = 0;
    load(o);
    EXPECT_EQ(show.state().CurrentIndex, 0);
    toFirstImage();
    EXPECT_EQ(show.state().CurrentIndex, 0);
    EXPECT_EQ(show.state().NextEffect, NextEffectKind::None);
    EXPECT_TRUE(view.presented.isEmpty());
    tick();
    EXPECT_TRUE(view.titleVisible);
}

TEST_F(Show, ChangeIntervalZeroStopsAtTheFirstImage)
{
    Options o;
    o.chgTime = "0";
    load(o);
    toFirstImage();
    EXPECT_EQ(view.interval, 0);
    EXPECT_EQ(view.presented, QStringList{"/img/p1.jpg"});
}

TEST_F(Show, MissingFileShowsTheStatusLineUnderThePreviousImage)
{
    load({});
    toFirstImage();
    fs.removeFile("/img/p2.jpg");
    const int clears = view.clears;
    tick();
    EXPECT_TRUE(view.statusVisible);
    EXPECT_EQ(view.status, "Error:File not Found (/img/p2.jpg)");
    EXPECT_EQ(view.shown, "/img/p1.jpg");
    EXPECT_EQ(view.clears, clears);
    tick();
    EXPECT_FALSE(view.statusVisible);
    EXPECT_EQ(view.shown, "/img/p3.jpg");
}

TEST_F(Show, UndecodableFileLeavesABlackBoxOfThePreviousSize)
{
    load({});
    toFirstImage();
    view.broken << "/img/p2.jpg";
    tick();
    EXPECT_TRUE(view.shown.isEmpty());
    EXPECT_EQ(view.box, QRect(192, 144, 640, 480));
    EXPECT_TRUE(view.pictureVisible);
    EXPECT_FALSE(view.statusVisible);
}

TEST_F(Show, AutomaticWallpaperOnlyInModeTwoWithItsChance)
{
    Options o;
    o.changer = "2";
    load(o);
    toFirstImage(); // the first change draws too
    view.wallpapers.clear();
    random.push(0.05); // r = 5: set
    tick();
    random.push(0.06); // r = 6: not set
    tick();
    EXPECT_EQ(view.wallpapers, QStringList{"/img/p2.jpg"});
    // A copy went out: the play list still names the image.
    EXPECT_EQ(show.values().PlayList[1], "/img/p2.jpg");
}

TEST_F(Show, KeyTable)
{
    EXPECT_EQ(keyCommandFor(' '), KeyCommand::PauseResume);
    for (int c : {int('B'), int('b')})
        EXPECT_EQ(keyCommandFor(c), KeyCommand::Previous);
    for (int c : {int('N'), int('n')})
        EXPECT_EQ(keyCommandFor(c), KeyCommand::Next);
    for (int c : {int('W'), int('w')})
        EXPECT_EQ(keyCommandFor(c), KeyCommand::Wallpaper);
    for (int c : {27, 13, 9, int('0'), int('q'), int('a'), 0x3042})
        EXPECT_EQ(keyCommandFor(c), KeyCommand::End) << c;
}

TEST_F(Show, SpacePausesWithItsTextAndResumes)
{
    load({});
    toFirstImage();
    show.Form_KeyPress(' ');
    EXPECT_FALSE(view.enabled);
    EXPECT_TRUE(view.statusVisible);
    EXPECT_EQ(view.status, QString::fromUtf8(texts::kPauseHeadSpaceKey) +
                               "\r\nファイルリスト名:Holiday , 表示中のファイル名:/img/p1.jpg");
    show.Form_KeyPress(' ');
    EXPECT_TRUE(view.enabled);
    EXPECT_FALSE(view.statusVisible);
}

TEST_F(Show, SpaceOnTheTitleKeepsTheStatusText)
{
    load({});
    tick(kTitleTicks); // the title's last tick: no entry on screen
    ASSERT_EQ(show.state().CurrentIndex, 0);
    view.status = "earlier";
    show.Form_KeyPress(' ');
    EXPECT_FALSE(view.enabled);
    EXPECT_TRUE(view.statusVisible);
    EXPECT_EQ(view.status, "earlier");
}

TEST_F(Show, PausedNextKeepsThePauseWithAFreshStatusLine)
{
    load({});
    toFirstImage();
    show.Form_KeyPress(' ');
    show.Form_KeyPress('n');
    EXPECT_FALSE(view.enabled);
    EXPECT_EQ(view.shown, "/img/p2.jpg");
    EXPECT_EQ(view.status, QString::fromUtf8(texts::kPauseHeadImageChange) +
                               "\r\nファイルリスト名:Holiday , 表示中のファイル名:/img/p2.jpg");
}

TEST_F(Show, ListOrderKeysWrapAndRestartTheInterval)
{
    Options o;
    o.effect = "0";
    load(o);
    toFirstImage();
    tick(); // a transition under way
    ASSERT_FALSE(show.state().transition.Tag.isEmpty());
    const int restarts = view.timerRestarts;
    show.Form_KeyPress('B');
    EXPECT_EQ(view.shown, "/img/p3.jpg");
    EXPECT_TRUE(show.state().transition.Tag.isEmpty());
    EXPECT_EQ(show.state().NextEffect, NextEffectKind::Fade);
    EXPECT_EQ(view.interval, 2000);
    EXPECT_EQ(view.timerRestarts, restarts + 1);
    show.Form_KeyPress('N');
    EXPECT_EQ(view.shown, "/img/p1.jpg");
}

TEST_F(Show, RandomBackWalksTheHistoryNewestFirst)
{
    Options o;
    o.random = "1";
    o.files = 9;
    load(o);
    for (double draw : {0.0, 0.15, 0.45, 0.85}) // the first change: 1, then 2, 5, 8
        random.push(draw);
    toFirstImage();
    for (int i = 0; i < 3; ++i)
        show.Form_KeyPress('n');
    EXPECT_EQ(show.state().CurrentIndex, 8);
    show.Form_KeyPress('b');
    EXPECT_EQ(show.state().CurrentIndex, 5);
    show.Form_KeyPress('b');
    EXPECT_EQ(show.state().CurrentIndex, 2);
    show.Form_KeyPress('b');
    EXPECT_EQ(show.state().CurrentIndex, 1);
    EXPECT_EQ(show.state().HistoryPos, 1);
}

TEST_F(Show, RandomBackRightAfterStartDrawsAndLeavesHistoryAlone)
{
    Options o;
    o.random = "1";
    o.files = 4;
    load(o);
    random.push(0.6);
    show.Form_KeyPress('b');
    EXPECT_EQ(show.state().CurrentIndex, 3);
    EXPECT_EQ(show.state().HistoryPos, 0);
    EXPECT_EQ(show.state().History[0], 0);
}

TEST_F(Show, WallpaperKeyNeedsAModeAndAnImage)
{
    Options withChanger;
    withChanger.changer = "1";
    load(withChanger);
    tick(kTitleTicks); // the title is over, no entry chosen yet: nothing
    show.Form_KeyPress('w');
    tick();
    show.Form_KeyPress('W');
    EXPECT_EQ(view.wallpapers, QStringList{"/img/p1.jpg"});
    EXPECT_EQ(view.shown, "/img/p1.jpg"); // no image change
    EXPECT_EQ(view.interval, 2000);
}

TEST_F(Show, WallpaperKeyDoesNothingWithoutAMode)
{
    load({});
    toFirstImage();
    show.Form_KeyPress('w');
    EXPECT_TRUE(view.wallpapers.isEmpty());
}

TEST_F(Show, OtherKeysEndTheProgram)
{
    load({});
    show.Form_KeyPress(27);
    show.Form_KeyPress('q');
    EXPECT_EQ(view.ended, 2);
}

TEST_F(Show, PointerMovesEndTheShowOnTheThirdChange)
{
    load({});
    show.Form_MouseMove(0, 0); // the memory starts at the origin: no change
    show.Form_MouseMove(10, 10);
    show.Form_MouseMove(10, 10);
    show.Form_MouseMove(11.4, 10);
    EXPECT_EQ(view.ended, 0);
    show.Form_MouseMove(11.4, 10); // stored as 11: a change
    EXPECT_EQ(view.ended, 1);
}

TEST_F(Show, PointerIsIgnoredWhenTheMouseIsOffButClicksStillClose)
{
    Options o;
    o.mouseDisable = "1";
    load(o);
    for (int i = 1; i < 10; ++i)
        show.Form_MouseMove(i, i);
    EXPECT_EQ(view.ended, 0);
    show.Form_Click();
    EXPECT_EQ(view.closed, 1);
}

TEST_F(Show, ChangerOnlyRunRewritesStateSetsTheNextWallpaperAndEndsAtItsFirstTick)
{
    Options o;
    o.changer = "3";
    o.wpIndex = "2";
    load(o);
    EXPECT_TRUE(view.background);
    EXPECT_EQ(view.interval, kBackgroundRunMs);
    EXPECT_EQ(show.values().WPIndex, 3);
    ASSERT_EQ(view.written.size(), 1);
    EXPECT_TRUE(view.written[0].contains("WPIndex=3\r\n"));
    EXPECT_TRUE(view.written[0].contains("LastExecute=2026/05/01 8:00:00\r\n"));
    EXPECT_EQ(view.wallpapers, QStringList{"/img/p3.jpg"});
    tick();
    EXPECT_EQ(view.ended, 1);
    EXPECT_TRUE(view.presented.isEmpty());
}

TEST_F(Show, ChangerOnlyQuickRestartChangesNothing)
{
    Options o;
    o.changer = "3";
    o.lastExecute = "2026/05/01 7:59:58";
    load(o);
    EXPECT_FALSE(view.background);
    EXPECT_TRUE(view.written.isEmpty());
    EXPECT_TRUE(view.wallpapers.isEmpty());
    EXPECT_EQ(view.interval, kFirstTickMs);
    tick();
    EXPECT_EQ(view.ended, 1);
}

TEST_F(Show, ChangerOnlyRunLeavesAnUnreadableFileAlone)
{
    Options o;
    o.changer = "3";
    load(o);
    view.settingsText.reset();
    view.written.clear();
    show.chwo();
    EXPECT_TRUE(view.written.isEmpty());
    EXPECT_EQ(view.wallpapers.size(), 2);
    // ... but says so: the index did not advance.
    ASSERT_EQ(view.messages.size(), 1);
    EXPECT_TRUE(view.messages[0].startsWith("設定ファイルを更新できませんでした。\n"))
        << view.messages[0].toStdString();
}

TEST_F(Show, ChangerOnlyRunTellsAFailedRewriteAndStillSetsTheWallpaper)
{
    Options o;
    o.changer = "3";
    view.writeRefusal = "No space left on device";
    load(o);
    ASSERT_EQ(view.written.size(), 1);
    ASSERT_EQ(view.messages.size(), 1);
    EXPECT_TRUE(view.messages[0].endsWith("Qelvo.ini\nNo space left on device"))
        << view.messages[0].toStdString();
    EXPECT_EQ(view.wallpapers.size(), 1);
}

TEST_F(Show, ChangerOnlyRunThatCannotDoItsWorkSaysSo)
{
    // A missing picture is not set; lists the rewrite would lose leave the file alone.
    Options o;
    o.changer = "3";
    o.wpIndex = "2";
    view.settingsText = iniText(o);
    fs.addFile("/app/Qelvo.ini");
    fs.addFile("/img/p1.jpg");
    show.Form_Load();
    EXPECT_EQ(view.written.size(), 1);
    EXPECT_TRUE(view.wallpapers.isEmpty());
    EXPECT_EQ(view.messages, QStringList{QString::fromUtf8(texts::kWallpaperMissing).arg("/img/p3.jpg")});

    view.messages.clear();
    view.written.clear();
    view.settingsText->replace("[SettingLists]", "[settinglists]");
    show.chwo();
    EXPECT_TRUE(view.written.isEmpty());
    ASSERT_EQ(view.messages.size(), 1);
    EXPECT_TRUE(view.messages[0].endsWith(QString::fromUtf8(texts::kListsNotFound)));
    EXPECT_EQ(view.wallpapers, QStringList{"/img/p1.jpg"});
}

TEST_F(Show, APictureNotPreparedIsReadByTheViewAndItsSizeComesLater)
{
    view.unprepared << "/img/p1.jpg";
    load({});
    toFirstImage();
    EXPECT_EQ(view.readLater, QStringList{"/img/p1.jpg"});
    EXPECT_TRUE(view.presented.isEmpty());
    EXPECT_EQ(view.laterBox(QSize(2048, 1536)), QRect(0, 0, 1024, 768));
    show.pictureShown(QSize(1024, 768));
    EXPECT_EQ(show.state().pictureSize, QSize(1024, 768));
}
