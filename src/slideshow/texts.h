#pragma once

// The slide show's own texts, exactly as the user sees them.
namespace qelvo::slideshow::texts {

// Message box when Qelvo.ini is missing; the lines are joined with line breaks.
inline constexpr const char *kNoSettingsFile1 = "設定ファイルが有りません";
inline constexpr const char *kNoSettingsFile2 = "コントロールパネル→画面→スクリーンセーバ";
inline constexpr const char *kNoSettingsFile3 = "設定ファイルを作成して下さい";

inline constexpr const char *kFolderNotFound = "----Folder Not Found----";

// Status line for a play-list entry whose file is gone: prefix + path + suffix.
inline constexpr const char *kFileNotFoundPrefix = "Error:File not Found (";
inline constexpr const char *kFileNotFoundSuffix = ")";

// The pause text written by an image change while paused ("[N].[W]") ...
inline constexpr const char *kPauseHeadImageChange =
    "スライド停止中... スライド再開:[SPACE]Key "
    "スクリーンセーバ終了:[SPACE],[B],[N].[W]以外のキー操作及びマウスクリック";
// ... and the one written by the SPACE key ("[N],[W]").
inline constexpr const char *kPauseHeadSpaceKey =
    "スライド停止中... スライド再開:[SPACE]Key "
    "スクリーンセーバ終了:[SPACE],[B],[N],[W]以外のキー操作及びマウスクリック";
inline constexpr const char *kPauseListName = "ファイルリスト名:";
inline constexpr const char *kPauseFileShown = " , 表示中のファイル名:";
inline constexpr const char *kLineBreak = "\r\n";

} // namespace qelvo::slideshow::texts
