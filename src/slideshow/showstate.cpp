#include "slideshow/showstate.h"

#include "settings/numbers.h"

namespace qelvo::slideshow {

ShowState::ShowState(const ShowOptions &options, RandomSource &random)
    : FileCount(options.fileCount), CurrentIndex(options.fileCount), History(kHistorySlots, 0),
      m_options(options), m_random(random)
{
}

int ShowState::randomPick()
{
    return m_random.pickOneBased(FileCount);
}

// A second draw when the first hits the current entry, kept whatever it is:
// with one image this must not loop.
int ShowState::randomPickDifferentFrom(int current)
{
    const int v = randomPick();
    return v == current ? randomPick() : v;
}

void ShowState::remember(int index)
{
    HistoryPos = HistoryPos >= kHistorySlots ? 1 : static_cast<std::int16_t>(HistoryPos + 1);
    History[HistoryPos - 1] = index;
}

NextEffect ShowState::afterChange() const
{
    return m_options.effect == 1 ? NextEffect::Normal : NextEffect::Fade;
}

ShowState::TickResult ShowState::tick()
{
    TickResult result;
    if (m_options.wpChanger == 3) {
        result.action = Tick::EndRun;
        return result;
    }
    if (nextEffect == NextEffect::None)
        nextEffect = NextEffect::TitleRool;

    switch (nextEffect) {
    case NextEffect::Fade:
        result.action = Tick::Fade;
        break;
    case NextEffect::TitleRool:
        result.action = Tick::Title;
        ++TitleTicks;
        result.interval = kTitleIntervalMs;
        if (TitleTicks >= kTitleTicks) {
            result.titleEnded = true;
            CurrentIndex = 0;
            TitleTicks = 0;
            nextEffect = NextEffect::Normal;
        }
        break;
    case NextEffect::Normal:
        result.action = Tick::ImageChange;
        nextEffect = afterChange();
        result.interval = m_options.changeInterval;
        if (m_options.randomView == 0) {
            ++CurrentIndex;
            if (CurrentIndex > FileCount)
                CurrentIndex = 1;
        } else {
            CurrentIndex = randomPickDifferentFrom(CurrentIndex);
            remember(CurrentIndex);
        }
        break;
    case NextEffect::None:
        break;
    }
    return result;
}

std::optional<int> ShowState::imageToShow()
{
    if (CurrentIndex == 0)
        return std::nullopt;
    if (CurrentIndex > FileCount) {
        CurrentIndex = FileCount;
        nextEffect = NextEffect::None;
        return std::nullopt;
    }
    if (CurrentIndex < 0)
        return std::nullopt;
    return CurrentIndex;
}

bool ShowState::autoWallpaperDue()
{
    return settings::roundHalfEven(m_random.next() * 100.0) <= 5;
}

void ShowState::stepBack()
{
    nextEffect = afterChange();
    if (m_options.randomView != 0) {
        if (HistoryPos <= 1) {
            CurrentIndex = randomPick();
        } else {
            --HistoryPos;
            CurrentIndex = History[HistoryPos - 1];
        }
    } else {
        --CurrentIndex;
    }
    if (CurrentIndex < 1)
        CurrentIndex = FileCount;
}

void ShowState::stepForward()
{
    nextEffect = afterChange();
    if (m_options.randomView != 0) {
        CurrentIndex = randomPickDifferentFrom(CurrentIndex);
        remember(CurrentIndex);
    } else {
        ++CurrentIndex;
    }
    if (CurrentIndex > FileCount)
        CurrentIndex = 1;
}

bool ShowState::finishTransition()
{
    if (CurrentIndex == FileCount) {
        CurrentIndex = 0;
        nextEffect = NextEffect::TitleRool;
        return true;
    }
    nextEffect = NextEffect::Normal;
    return false;
}

} // namespace qelvo::slideshow
