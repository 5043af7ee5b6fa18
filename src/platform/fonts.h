#pragma once

#include <QFont>

namespace qelvo
{

// The dialogs' face: "MS UI Gothic" where it exists, else a Japanese-capable
// sans face at the same point size.
[[nodiscard]] QFont uiGothicFont(int pointSize);

// The point size the windows' texts share: the dialogs and the show's status lines.
inline constexpr int kUiPointSize = 9;

} // namespace qelvo
