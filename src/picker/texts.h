#pragma once

#include "platform/uitext.h"

#include <array>

// The file picker's own texts in Japanese, the source texts of their
// translations (context "Form3").
namespace qelvo::picker::texts
{
inline constexpr const char *kCaption = QT_TRANSLATE_NOOP("Form3", "ファイルの追加");
inline constexpr const char *kFileName = QT_TRANSLATE_NOOP("Form3", "ファイル名:");
inline constexpr const char *kFileType = QT_TRANSLATE_NOOP("Form3", "ファイルの種類:");
inline constexpr const char *kFolder = QT_TRANSLATE_NOOP("Form3", "フォルダ:");
inline constexpr const char *kUseFolder = QT_TRANSLATE_NOOP("Form3", "このフォルダを使用する");
inline constexpr const char *kDrive = QT_TRANSLATE_NOOP("Form3", "ドライブ:");
inline constexpr const char *kOk = "OK";
inline constexpr const char *kCancel = QT_TRANSLATE_NOOP("Form3", "キャンセル");
inline constexpr const char *kUnsupported = QT_TRANSLATE_NOOP("Form3", "非対応のファイル形式");
// Followed by the name as far as it reads.
inline constexpr const char *kNameNotText =
    QT_TRANSLATE_NOOP("Form3", "この名前には文字として読めない部分があり、設定ファイルに保存できません。\n");

// The type box's items; the pattern each one stands for is at the same index of kFilePatterns.
inline constexpr std::array<const char *, 5> kFileTypes = {
    QT_TRANSLATE_NOOP("Form3", "画像ファイル (*.jpg;*.gif;*.bmp)"),
    QT_TRANSLATE_NOOP("Form3", "BMPファイル (*.bmp)"), QT_TRANSLATE_NOOP("Form3", "JPGファイル (*.jpg)"),
    QT_TRANSLATE_NOOP("Form3", "GIFファイル (*.gif)"), QT_TRANSLATE_NOOP("Form3", "全てのファイル (*.*)")};
} // namespace qelvo::picker::texts

namespace qelvo::picker
{
// The texts above as the QString a control takes, in the user's language where marked.
inline constexpr TextContext tr8{"Form3"};
} // namespace qelvo::picker
