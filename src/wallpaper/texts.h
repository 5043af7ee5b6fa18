#pragma once

#include "platform/uitext.h"

// The wallpaper changer's own texts in Japanese, the source texts of their
// translations (context "mWallPaper").
namespace qelvo::wallpaper::texts
{

// Status line after a change, followed by the source image's path.
inline constexpr const char *kChanged = QT_TRANSLATE_NOOP("mWallPaper", "壁紙を変更しました ファイルパス:");
// Message box on a failure: kErrorHead, a line break, an empty line, kErrorNumber and the number.
inline constexpr const char *kErrorHead =
    QT_TRANSLATE_NOOP("mWallPaper", "壁紙変更時にエラーが発生しました。");
inline constexpr const char *kErrorNumber = QT_TRANSLATE_NOOP("mWallPaper", "エラー番号:");

} // namespace qelvo::wallpaper::texts

namespace qelvo::wallpaper
{
// The texts above as the QString a control takes, in the user's language where marked.
inline constexpr TextContext tr8{"mWallPaper"};
} // namespace qelvo::wallpaper
