#include "slideshow/slideshow.h"

#include "settings/numbers.h"
#include "settings/writer.h"
#include "slideshow/scaling.h"
#include "slideshow/texts.h"
#include "slideshow/writeback.h"

#include <utility>

namespace qelvo::slideshow
{

namespace
{
QString pauseText(const char *head, const QString &listName, const QString &path)
{
    return tr8(head) + QLatin1String(texts::kPauseLineBreak) + tr8(texts::kPauseListName) + listName +
           tr8(texts::kPauseFileShown) + path;
}
} // namespace

SlideShow::SlideShow(ShowView &view, AppIdentity identity, Services services, QSize screenPx)
    : m_view(view), m_identity(std::move(identity)), m_services(services), m_screen(screenPx)
{
}

std::optional<QString> SlideShow::entry(int position) const
{
    if (position < 1 || position > FileCount())
        return std::nullopt;
    return PlayList[static_cast<std::size_t>(position - 1)];
}

QString SlideShow::spacePauseText() const
{
    return pauseText(texts::kPauseHeadSpaceKey, ListName, entry(CurrentIndex).value_or(QString()));
}

void SlideShow::Form_Load()
{
    if (!m_services.fs.isNormalFile(m_identity.settingsPath())) {
        // Nothing to show: the message, then the show ends.
        m_view.showMessage(tr8(texts::kNoSettingsFile));
        m_view.closeWindow();
        return;
    }
    const ShowSettings read = readShowSettings(m_services.settings.readText().value_or(QString()),
                                               m_services.fs, m_services.clock.now());
    static_cast<ShowValues &>(*this) = read;
    m_recentStart = read.recentStart;
    // The changer-only run stores where the list stands: in a host it would
    // do so once per monitor and show nothing, so there the list is shown
    // with no wallpaper changes.
    if (m_view.hostedShow() && WPChanger == 3)
        WPChanger = 0;
    if (read.folderNotFound) {
        // An unattended changer-only run (an unplugged drive) must not wait
        // for a click nobody gives: it says so and ends, as failed.
        const bool unattended = WPChanger == 3 && !m_recentStart;
        if (unattended)
            m_view.hideForBackgroundRun();
        m_view.showMessage(QString::fromUtf8(texts::kFolderNotFound));
        if (unattended)
            m_view.closeWindow();
        return;
    }

    m_view.hideCursor();
    m_view.setTimerInterval(kFirstTickMs);
    CurrentIndex = FileCount();
    m_view.prepareTexts(ListName);

    if (WPChanger == 3 && !m_recentStart) {
        m_view.setTimerInterval(kBackgroundRunMs);
        m_view.hideForBackgroundRun();
        chwo();
    }
}

void SlideShow::Timer1_Timer()
{
    // Every changer-only run ends at its first tick.
    if (WPChanger == 3) {
        m_view.endProcess();
        return;
    }
    if (NextEffect == NextEffectKind::None)
        NextEffect = NextEffectKind::TitleRool;
    switch (NextEffect) {
    case NextEffectKind::Fade:
        FadeOut();
        break;
    case NextEffectKind::Normal:
        imageChange();
        break;
    case NextEffectKind::TitleRool:
        titleStep();
        break;
    case NextEffectKind::None:
        break;
    }
}

void SlideShow::titleStep()
{
    m_view.setPictureVisible(false);
    m_view.setTitleVisible(true);
    // The title's first step: the picture that follows it is decoded while it
    // is on screen, as every later change's is.
    if (!std::exchange(m_inTitle, true))
        prepareAfter(0);
    ++TitleTicks;
    m_view.setTimerInterval(kTitleTickMs);
    if (TitleTicks >= kTitleTicks) {
        m_view.setTitleVisible(false);
        m_view.setCornerTextVisible(false);
        CurrentIndex = 0;
        TitleTicks = 0;
        NextEffect = NextEffectKind::Normal;
        m_inTitle = false;
    }
}

int SlideShow::pickDifferentFrom(int current, int appearsInMs)
{
    int v = m_services.random.pickOneBased(FileCount());
    if (v == current)
        v = m_services.random.pickOneBased(FileCount());
    if (!m_view.hostedShow())
        return v;
    // Other monitors' shows: a picture none of them has on screen meanwhile,
    // where the list has one (preferably not the one on this screen).
    m_view.pickBesideOthers(appearsInMs, ChangeInterval, [&](const QStringList &elsewhere) {
        if (!elsewhere.contains(*entry(v)))
            return *entry(v);
        std::vector<int> free, freeOrCurrent;
        for (int p = 1; p <= FileCount(); ++p) {
            if (elsewhere.contains(*entry(p)))
                continue;
            freeOrCurrent.push_back(p);
            if (p != current)
                free.push_back(p);
        }
        const std::vector<int> &from = free.empty() ? freeOrCurrent : free;
        if (!from.empty())
            v = from[static_cast<std::size_t>(m_services.random.pickOneBased(static_cast<int>(from.size())) -
                                              1)];
        return *entry(v);
    });
    return v;
}

int SlideShow::nextRandomPick()
{
    const int ahead = std::exchange(m_nextPick, 0);
    if (ahead != 0 && m_pickedAfter == CurrentIndex && ahead <= FileCount())
        return ahead;
    return pickDifferentFrom(CurrentIndex, 0);
}

// The picture of the change after the one at position (0: the title), decoded
// while that one is on screen: in list order the next entry, in random order
// the next pick, drawn now.
void SlideShow::prepareAfter(int position)
{
    if (FileCount() == 0)
        return;
    int next = position >= FileCount() ? 1 : position + 1;
    if (RandomView != 0) {
        // After the title, or a change's interval from now.
        m_nextPick = pickDifferentFrom(position, position == 0 ? kTitleTicks * kTitleTickMs : ChangeInterval);
        m_pickedAfter = position;
        next = m_nextPick;
    }
    const auto path = entry(next);
    if (!path || !m_services.fs.isNormalFile(*path))
        return;
    m_view.prepareImage(*path, boxRule());
}

void SlideShow::pushHistory()
{
    HistoryPos = HistoryPos > kHistorySlots - 1 ? 1 : static_cast<std::int16_t>(HistoryPos + 1);
    History[static_cast<std::size_t>(HistoryPos - 1)] = CurrentIndex;
}

void SlideShow::imageChange()
{
    NextEffect = Effect == 1 ? NextEffectKind::Normal : NextEffectKind::Fade;
    m_view.setTimerInterval(ChangeInterval);
    if (RandomView == 0) {
        if (++CurrentIndex > FileCount())
            CurrentIndex = 1;
    } else {
        CurrentIndex = nextRandomPick();
        pushHistory();
    }
    m_view.setPictureVisible(false);
    chgImg();
    m_view.setPictureVisible(true);

    const auto shown = entry(CurrentIndex);
    if (shown && !shown->isEmpty() && WPChanger == 2) {
        const long long r = settings::roundHalfEven(m_services.random.next() * kAutoWallpaperDrawScale);
        if (r <= kAutoWallpaperMax)
            m_view.setWallPaper(*shown); // a copy: the play list keeps its entry
    }
    prepareAfter(CurrentIndex);
}

void SlideShow::chgImg()
{
    m_view.setTitleVisible(false);
    // B or N during the first title skip the step that would hide the corner text.
    m_view.setCornerTextVisible(false);
    if (CurrentIndex == 0)
        return;
    if (CurrentIndex > FileCount()) {
        CurrentIndex = FileCount();
        NextEffect = NextEffectKind::None;
        return;
    }
    const QString p = *entry(CurrentIndex);
    if (!m_services.fs.isNormalFile(p)) {
        // The previous picture stays, with the error line under it.
        m_view.setStatusText(tr8(texts::kFileNotFoundPrefix) + p +
                             QString::fromUtf8(texts::kFileNotFoundSuffix));
        m_view.setStatusVisible(true);
        return;
    }
    if (m_view.timerEnabled()) {
        m_view.setStatusVisible(false);
    } else {
        m_view.setStatusVisible(true);
        m_view.setStatusText(pauseText(texts::kPauseHeadImageChange, ListName, p));
    }
    m_view.clearPicture();
    const ShowView::BoxRule rule = boxRule();
    const auto natural = m_view.preparedNaturalSize(p);
    if (!natural) {
        m_view.presentImage(p, rule);
        m_view.setPictureVisible(true);
        return;
    }
    if (!natural->isValid() || natural->isEmpty())
        return;
    const QRect box = rule(*natural);
    if (!m_view.presentImage(p, box))
        return;
    pictureSize = box.size();
    m_view.setPictureVisible(true);
}

void SlideShow::pictureShown(QSize size)
{
    pictureSize = size;
}

ShowView::BoxRule SlideShow::boxRule() const
{
    return [screen = m_screen, zoomMax = ZoomMax](QSize natural) {
        return scaleToScreen(natural, screen, zoomMax);
    };
}

void SlideShow::FadeOut()
{
    const FadeStep step = transition.step(pictureSize, m_services.random);
    m_view.drawFade(step);
    if (step.frameInterval)
        m_view.setTimerInterval(kFrameInterval);
    if (!step.finished)
        return;
    if (CurrentIndex == FileCount()) {
        CurrentIndex = 0;
        m_view.setPictureVisible(false);
        NextEffect = NextEffectKind::TitleRool;
    } else {
        NextEffect = NextEffectKind::Normal;
    }
}

void SlideShow::stepImage(bool forward)
{
    NextEffect = Effect == 1 ? NextEffectKind::Normal : NextEffectKind::Fade;
    m_inTitle = false; // a key during the title ends it
    m_view.setTimerInterval(ChangeInterval);
    m_view.clearPicture();
    transition.abandon();
    if (m_view.timerEnabled()) {
        // The next automatic change comes a full interval from now.
        m_view.setTimerEnabled(false);
        m_view.setTimerEnabled(true);
    }
    if (RandomView != 0) {
        if (forward) {
            CurrentIndex = nextRandomPick();
            pushHistory();
        } else if (HistoryPos <= 1) {
            CurrentIndex = m_services.random.pickOneBased(FileCount());
        } else {
            --HistoryPos;
            if (const int earlier = History[static_cast<std::size_t>(HistoryPos - 1)]; earlier != 0)
                CurrentIndex = earlier;
        }
    } else {
        CurrentIndex += forward ? 1 : -1;
    }
    if (forward && CurrentIndex > FileCount())
        CurrentIndex = 1;
    if (!forward && CurrentIndex < 1)
        CurrentIndex = FileCount();
    chgImg();
    prepareAfter(CurrentIndex);
}

void SlideShow::Form_KeyPress(int charCode)
{
    switch (keyCommandFor(charCode)) {
    case KeyCommand::PauseResume:
        if (m_view.timerEnabled()) {
            m_view.setTimerEnabled(false);
            m_view.setStatusVisible(true);
            // On the title there is no entry to name: the line keeps its text.
            if (entry(CurrentIndex))
                m_view.setStatusText(spacePauseText());
        } else {
            m_view.setTimerEnabled(true);
            m_view.setStatusVisible(false);
        }
        break;
    case KeyCommand::Previous:
        stepImage(false);
        break;
    case KeyCommand::Next:
        stepImage(true);
        break;
    case KeyCommand::Wallpaper:
        if (const auto shown = entry(CurrentIndex); shown && !shown->isEmpty() && WPChanger >= 1)
            m_view.setWallPaper(*shown);
        break;
    case KeyCommand::End:
        m_view.endProcess();
        break;
    }
}

void SlideShow::Form_MouseMove(double x, double y)
{
    if (pointer.moved(x, y, MouseDisable == 1))
        m_view.endProcess();
}

void SlideShow::Form_Click()
{
    m_view.closeWindow();
}

void SlideShow::chwo()
{
    WPIndex = static_cast<std::int16_t>(
        nextWallpaperIndex(WPIndex, FileCount(), RandomView != 0, m_services.random));
    const settings::SettingsHead head =
        changerRunHead(m_identity, ExecuteNumber, WPChanger, WPIndex, m_services.clock.now());
    // Without the old file the setting lists could not be copied: it is left alone.
    const auto old = m_services.settings.readBytes();
    const auto rewritten = old ? rewriteSettingsBytes(head, *old) : std::nullopt;
    const Outcome saved = rewritten ? m_services.settings.writeBytes(*rewritten)
                          : old     ? Outcome::failure(tr8(texts::kListsNotFound))
                                    : Outcome::failure(tr8(texts::kSettingsUnreadable));
    // Unsaid, WPIndex would stop advancing and every start would set the same picture.
    if (!saved)
        m_view.showMessage(tr8(texts::kRewriteFailed).arg(m_identity.settingsPath(), saved.reason()));
    const QString picture = entry(WPIndex).value_or(QString());
    // The wallpaper operation passes over a missing file in silence; this run
    // would then end as if it had set one.
    if (!m_services.fs.isNormalFile(picture)) {
        m_view.showMessage(tr8(texts::kWallpaperMissing).arg(picture));
        return;
    }
    m_view.setWallPaper(picture);
}

} // namespace qelvo::slideshow
