#pragma once

#include <array>

// The file picker's own texts.
namespace qelvo::picker::texts
{
inline constexpr const char *kCaption = "ファイルの追加";
inline constexpr const char *kFileName = "ファイル名:";
inline constexpr const char *kFileType = "ファイルの種類:";
inline constexpr const char *kFolder = "フォルダ:";
inline constexpr const char *kUseFolder = "このフォルダを使用する";
inline constexpr const char *kDrive = "ドライブ:";
inline constexpr const char *kOk = "OK";
inline constexpr const char *kCancel = "キャンセル";
inline constexpr const char *kUnsupported = "非対応のファイル形式";
// Followed by the name as far as it reads.
inline constexpr const char *kNameNotText =
    "この名前には文字として読めない部分があり、設定ファイルに保存できません。\n";

// The type box's items; the pattern each one stands for is at the same index of kFilePatterns.
inline constexpr std::array<const char *, 5> kFileTypes = {"画像ファイル (*.jpg;*.gif;*.bmp)",
                                                           "BMPファイル (*.bmp)", "JPGファイル (*.jpg)",
                                                           "GIFファイル (*.gif)", "全てのファイル (*.*)"};
} // namespace qelvo::picker::texts
