#pragma once

#include "platform/appidentity.h"
#include "platform/clock.h"
#include "platform/filesystem.h"
#include "platform/randomsource.h"
#include "settings/settingsfile.h"
#include "slideshow/showinput.h"
#include "slideshow/showsettings.h"
#include "slideshow/showview.h"
#include "slideshow/transition.h"

#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace qelvo::slideshow
{

// Title phase length in ticks and the fixed intervals of the show, in ms.
inline constexpr int kTitleTicks = 10;
inline constexpr int kFirstTickMs = 250;
inline constexpr int kTitleTickMs = 100;
inline constexpr int kBackgroundRunMs = 2000;
inline constexpr int kFrameInterval = 1; // "as fast as the screen shows": one step per frame
inline constexpr int kHistorySlots = 32767;
// r <= 5 of a draw scaled to 0..100 and rounded: a 5.5 % chance of a
// wallpaper per change.
inline constexpr double kAutoWallpaperDrawScale = 100;
inline constexpr long long kAutoWallpaperMax = 5;

// What the next timer tick does.
enum class NextEffectKind {
    None,      // the first tick: becomes TitleRool
    TitleRool, // a step of the title phase
    Normal,    // an image change
    Fade,      // a step of the closing transition
};

// The show's own variables, beside the values it read (ShowValues).
struct ShowState {
    std::int32_t CurrentIndex = 0;
    // Slot p is History[p - 1]; 0 = empty.
    std::vector<std::int32_t> History = std::vector<std::int32_t>(kHistorySlots, 0);
    std::int16_t HistoryPos = 0;
    std::int32_t TitleTicks = 0;
    NextEffectKind NextEffect = NextEffectKind::None;
    Transition transition; // Picture1's Tag, band and ring state, drawing attributes
    PointerMemory pointer; // LastX, LastY, MoveCount
    QSize pictureSize;     // Picture1's drawing area in pixels
};

// The show's logic, apart from its window: start-up and play list, the timer
// tick with the title phase and the image change, the transitions, keys and
// pointer, and the changer-only run. Everything on screen goes through the
// ShowView; random draws, clock, file lookups and the settings file are injected.
class SlideShow : private ShowValues, private ShowState
{
public:
    struct Services {
        const FileSystem &fs;
        RandomSource &random;
        const Clock &clock;
        settings::SettingsStore &settings;
    };
    SlideShow(ShowView &view, AppIdentity identity, Services services, QSize screenPx);

    void Form_Load();
    void Timer1_Timer();
    void chgImg();
    void FadeOut();
    void chwo();
    void Form_KeyPress(int charCode);
    void Form_MouseMove(double x, double y);
    void Form_Click();

    // The play-list entry at a 1-based position; nothing outside 1..FileCount.
    [[nodiscard]] std::optional<QString> entry(int position) const;
    [[nodiscard]] int FileCount() const { return static_cast<int>(PlayList.size()); }

    // A picture the view read off its thread (ShowView::presentImage with a
    // rule) is on screen in a box of this size.
    void pictureShown(QSize size);

    // The primary screen changed size: the next change places its picture
    // for the new size.
    void screenResized(QSize screenPx) { m_screen = screenPx; }

    // What the show read and where it stands, for reading only: the show
    // changes them through its handlers alone.
    [[nodiscard]] const ShowValues &values() const { return *this; }
    [[nodiscard]] const ShowState &state() const { return *this; }

private:
    // The pause text of the SPACE key for the entry on screen.
    [[nodiscard]] QString spacePauseText() const;
    void titleStep();
    void imageChange();
    void stepImage(bool forward);
    void pushHistory();
    [[nodiscard]] int pickDifferentFrom(int current, int appearsInMs);
    [[nodiscard]] int nextRandomPick();
    void prepareAfter(int position);
    // Where a picture of a natural size stands: the screen and ZoomMax held
    // by value, so the rule may run on the loader's worker.
    [[nodiscard]] ShowView::BoxRule boxRule() const;

    ShowView &m_view;
    AppIdentity m_identity;
    Services m_services;
    QSize m_screen;
    bool m_recentStart = false;
    // The random pick for the change after the picture at m_pickedAfter (0:
    // after the title), drawn ahead so its picture can be prepared; 0 when none.
    int m_nextPick = 0;
    int m_pickedAfter = 0;
    bool m_inTitle = false; // the title's first step has run
};

} // namespace qelvo::slideshow
