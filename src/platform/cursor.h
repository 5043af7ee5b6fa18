#pragma once

#include "platform/displaycounter.h"

#include <cstdint>

namespace qelvo
{

// Start-up's run mode and cursor routines. They live here, below both start-up
// and the show, so that the show's window can use them without depending on
// start-up.

// The screen-saver mode; Main sets it to 3 before it dispatches.
inline constexpr std::uint8_t kScreenSaverMode = 3;
std::uint8_t RunMode();
void setRunMode(std::uint8_t mode);

// Lowers the display counter until it is negative (at least one step).
void HideCursor(DisplayCounter &counter = processDisplayCounter());
// Raises the display counter until it is zero or more (at least one step).
void RestoreCursor(DisplayCounter &counter = processDisplayCounter());

} // namespace qelvo
