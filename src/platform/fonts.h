#pragma once

#include <QFont>

namespace qelvo
{

// The dialogs' face: "MS UI Gothic" where it exists, else a Japanese-capable
// sans face at the same point size.
[[nodiscard]] QFont uiGothicFont(int pointSize);

} // namespace qelvo
