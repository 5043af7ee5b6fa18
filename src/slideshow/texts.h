#pragma once

#include "platform/uitext.h"

// The slide show's own texts, exactly as a Japanese user sees them; the marked
// ones are the source texts of their translations (context "Form2").
namespace qelvo::slideshow::texts
{

// Shown when Qelvo.ini is missing (lines joined with a line break).
inline constexpr const char *kNoSettingsFile =
    QT_TRANSLATE_NOOP("Form2", "設定ファイルが有りません\n"
                               "コントロールパネル→画面→スクリーンセーバ\n"
                               "設定ファイルを作成して下さい");
inline constexpr const char *kFolderNotFound = "----Folder Not Found----";

// The changer-only run could not store its new state: the file's path and the reason follow.
inline constexpr const char *kRewriteFailed =
    QT_TRANSLATE_NOOP("Form2", "設定ファイルを更新できませんでした。\n%1\n%2");
inline constexpr const char *kSettingsUnreadable = QT_TRANSLATE_NOOP("Form2", "ファイルを読み込めません。");
// The file holds setting lists outside an exact "[SettingLists]" section: the
// rewrite would lose them, so it is not made.
inline constexpr const char *kListsNotFound =
    QT_TRANSLATE_NOOP("Form2", "設定リストの位置が分からないため、ファイルを書き換えませんでした。");
// The changer-only run's picture is not there (an unplugged drive): its path follows.
inline constexpr const char *kWallpaperMissing =
    QT_TRANSLATE_NOOP("Form2", "壁紙にする画像ファイルが見つかりません。\n%1");
// The changer-only run could not start: another Qelvo holds the single instance.
inline constexpr const char *kAlreadyRunning =
    QT_TRANSLATE_NOOP("Form2", "Qelvo は既に実行中のため、壁紙を変更しませんでした。");

// Status line after a play-list entry turned out to be missing: prefix + path + suffix.
inline constexpr const char *kFileNotFoundPrefix = QT_TRANSLATE_NOOP("Form2", "Error:File not Found (");
inline constexpr const char *kFileNotFoundSuffix = ")";

// The pause text written by an image change while paused: note the full stop
// between [N] and [W].
inline constexpr const char *kPauseHeadImageChange =
    QT_TRANSLATE_NOOP("Form2", "スライド停止中... スライド再開:[SPACE]Key "
                               "スクリーンセーバ終了:[SPACE],[B],[N].[W]以外のキー操作及びマウスクリック");
// The pause text written by the SPACE key: a comma between [N] and [W].
inline constexpr const char *kPauseHeadSpaceKey =
    QT_TRANSLATE_NOOP("Form2", "スライド停止中... スライド再開:[SPACE]Key "
                               "スクリーンセーバ終了:[SPACE],[B],[N],[W]以外のキー操作及びマウスクリック");
inline constexpr const char *kPauseLineBreak = "\r\n";
inline constexpr const char *kPauseListName = QT_TRANSLATE_NOOP("Form2", "ファイルリスト名:");
inline constexpr const char *kPauseFileShown = QT_TRANSLATE_NOOP("Form2", " , 表示中のファイル名:");

} // namespace qelvo::slideshow::texts

namespace qelvo::slideshow
{
// The texts above as the QString a control takes, in the user's language where marked.
inline constexpr TextContext tr8{"Form2"};
} // namespace qelvo::slideshow
