#pragma once

// The wallpaper changer's own texts.
namespace qelvo::wallpaper::texts
{

// Status line after a change, followed by the source image's path.
inline constexpr const char *kChanged = "壁紙を変更しました ファイルパス:";
// Message box on a failure: kErrorHead, a line break, an empty line, kErrorNumber and the number.
inline constexpr const char *kErrorHead = "壁紙変更時にエラーが発生しました。";
inline constexpr const char *kErrorNumber = "エラー番号:";

} // namespace qelvo::wallpaper::texts
