#pragma once

#include <cstdint>

namespace qelvo
{

// The show in the window a screen-saver host named (XScreenSaver and
// xsecurelock start one per monitor, and one for a preview pane, all at
// once): no single-instance lock and no settings written, so every monitor
// gets its show. Ends the process when the show ends or the window is gone.
[[noreturn]] void runHostedShow(std::uint32_t window, int argc, char *argv[]);

} // namespace qelvo
