#pragma once

#include "dialog/form1.h"

namespace qelvo
{

// The dialog's hooks to the real picker, the slide show and the program's end.
[[nodiscard]] Form1::Hooks dialogHooks(const AppIdentity &identity);

} // namespace qelvo
