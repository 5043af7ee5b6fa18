#pragma once

#include <QCoreApplication>
#include <QString>

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
// One of the texts above in the user's language.
inline QString tr8(const char *text)
{
    return QCoreApplication::translate("mWallPaper", text);
}
} // namespace qelvo::wallpaper
