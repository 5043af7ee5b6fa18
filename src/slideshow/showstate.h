#pragma once

#include "platform/randomsource.h"

#include <cstdint>
#include <optional>
#include <vector>

// The slide show's timing and order: what each tick does, which entry comes
// next (in list order or at random, with the History of random picks that B
// walks back through), and where the title phase fits in. The window carries
// out what this decides.
namespace qelvo::slideshow {

// What the next tick of the show's timer does.
enum class NextEffect {
    None,      // start the title phase
    TitleRool, // one step of the title phase
    Normal,    // change to the next image
    Fade,      // one step of the closing transition
};

inline constexpr int kTitleTicks = 10;
inline constexpr int kTitleIntervalMs = 100;
inline constexpr int kFirstTickMs = 250;
inline constexpr int kChangerOnlyTickMs = 2000;
inline constexpr int kHistorySlots = 32767;
// The closing transition asks for 1 ms: one step per frame of the screen.
inline constexpr int kStepIntervalMs = 1;

struct ShowOptions {
    int fileCount = 0;
    std::int32_t changeInterval = 0; // ms
    std::uint8_t randomView = 0;
    std::uint8_t effect = 0; // 1 = transitions off
    std::uint8_t wpChanger = 0;
};

class ShowState {
public:
    enum class Tick {
        EndRun,      // changer-only run: restore the cursor and end the process
        Title,       // title step done (see titleEnded)
        ImageChange, // position chosen: show it
        Fade,        // run one transition step
        Nothing,
    };
    struct TickResult {
        Tick action = Tick::Nothing;
        std::optional<int> interval; // new timer interval, ms
        bool titleEnded = false;     // hide the title and the corner text
    };

    ShowState(const ShowOptions &options, RandomSource &random);

    // One tick of the timer: everything but the drawing and the image itself.
    TickResult tick();

    // The entry chgImg is to show, or nothing: at index 0 (title) or past the
    // end, where it also arranges for the title to come back.
    std::optional<int> imageToShow();

    // After an automatic image change in mode 2: a 5.5 % chance (Rnd x 100
    // rounded half to even, at most 5).
    [[nodiscard]] bool autoWallpaperDue();

    // B and N: the new position (no drawing, no timer).
    void stepBack();
    void stepForward();

    // The closing transition has drawn its last step; true when it closed the
    // last entry, so the picture hides and the title follows.
    bool finishTransition();

    // The variables, under the names the rest of the show uses.
    int FileCount = 0;
    std::int32_t CurrentIndex = 0;
    std::int16_t HistoryPos = 0;
    std::int32_t TitleTicks = 0;
    NextEffect nextEffect = NextEffect::None;
    // History(i) is History[i - 1]; 0 = empty slot.
    std::vector<int> History;

    [[nodiscard]] const ShowOptions &options() const { return m_options; }

private:
    int randomPick();
    int randomPickDifferentFrom(int current);
    void remember(int index);
    [[nodiscard]] NextEffect afterChange() const;

    ShowOptions m_options;
    RandomSource &m_random;
};

} // namespace qelvo::slideshow
