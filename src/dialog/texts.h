#pragma once

#include <QString>

// The settings dialog's own texts, exactly as the user sees them (UTF-8).
namespace qelvo::dialog::texts
{

inline constexpr const char *kCaptionPrefix = "Qelvo - Version ";

// Controls: captions and tool tips.
inline constexpr const char *kCombo1Tip =
    "スクリーンセーバのリストセットです。実行時に表示させるリストを選択して下さい。";
inline constexpr const char *kList1Tip = "ファイルリスト中の画像ファイル名を示します。";
inline constexpr const char *kLabel1 = "既存のファイルリスト";
inline constexpr const char *kLabel2 = "リスト内データ";
inline constexpr const char *kText1Initial = "10";
inline constexpr const char *kText1Tip = "次画像までの待ち時間を秒単位で指定。小数点以下も可。";
inline constexpr const char *kLabel4 = "切替え秒数";
inline constexpr const char *kText2Initial = "1";
inline constexpr const char *kText2Tip = "画像に対する最大倍率を指定。小数点以下も可。";
inline constexpr const char *kLabel5 = "最大倍率";
inline constexpr const char *kCheck1 = "ランダム表示";
inline constexpr const char *kCheck1Tip = "表示順をランダムにします。";
inline constexpr const char *kCheck2 = "マウス無効";
inline constexpr const char *kCheck2Tip = "マウス動作によるスクリーンセーバ終了を無効化します。";
inline constexpr const char *kCheck3 = "サンプル表示なし";
inline constexpr const char *kCheck3Tip = "サンプル窓を無効にします。";
inline constexpr const char *kCheck4 = "画像効果無効";
inline constexpr const char *kCheck4Tip = "画像変更時の特殊効果を無効化します。";
inline constexpr const char *kFrame1 = "壁紙チェンジャ機能の設定";
inline constexpr const char *kOption1[4] = {"壁紙チェンジャ無効", "手動壁紙チェンジャ", "自動壁紙チェンジャ",
                                            "壁紙チェンジャのみ動作"};
inline constexpr const char *kOption1Tip[4] = {
    "壁紙チェンジャ機能を使いません。", "スクリーンセーバ中に[w]キーを押すことにより壁紙が変わります。",
    "スクリーンセーバ中にランダムで壁紙が変わります。",
    "バックグラウンドモード。完全非常駐壁紙チェンジャになります。"};
inline constexpr const char *kCommand1 = "追加";
inline constexpr const char *kCommand1Tip = "リストへファイルの追加を行います";
inline constexpr const char *kCommand2 = "削除";
inline constexpr const char *kCommand2Tip = "リストからファイルを削除します";
inline constexpr const char *kCommand3 = "上へ";
inline constexpr const char *kCommand3Tip = "選択データの表示順を上げます";
inline constexpr const char *kCommand4 = "下へ";
inline constexpr const char *kCommand4Tip = "選択データの表示順を下げます";
inline constexpr const char *kCommand5 = "Prev.";
inline constexpr const char *kCommand5Tip = "プレビューします。";
inline constexpr const char *kImage1Tip = "選択ファイルのイメージを表示します。";

// Sample captions.
inline constexpr const char *kSample = "サンプル";
inline constexpr const char *kSampleOff = "サンプル無効化中";
inline constexpr const char *kUnsupportedFormat = "非対応ファイル形式";

// Count labels: prefix + number + suffix.
inline constexpr const char *kListsPrefix = "既存のファイルリスト(";
inline constexpr const char *kListsSuffix = "lists)";
inline constexpr const char *kFilesPrefix = "ファイルリストデータ(";
inline constexpr const char *kFilesSuffix = "files)";

// Menus.
inline constexpr const char *kMnuFile = "ﾌｧｲﾙ(&F)";
inline constexpr const char *kMnuFileNew = "新規リストの作成(&N)";
inline constexpr const char *kMnuFileRename = "現リストの名前変更(&M)";
inline constexpr const char *kMnuFileDell = "現リストの削除";
inline constexpr const char *kMnuFileOpen = "外部リストをインポート(&O)";
inline constexpr const char *kMnuFileOut = "外部リストとしてエクスポート";
inline constexpr const char *kMnuFileSave = "設定保存(&S)";
inline constexpr const char *kMnuFileExit = "終了(&X)";
inline constexpr const char *kMnuHelp = "ﾍﾙﾌﾟ(&H)";
inline constexpr const char *kMnuHelpContents = "目次(&C)";
inline constexpr const char *kMnuHelpSearch = "ﾄﾋﾟｯｸの検索(&S)...";
inline constexpr const char *kMnuHelpAbout = "ﾊﾞｰｼﾞｮﾝ情報(&A)...";

// Messages.
inline constexpr const char *kReadError =
    "設定読込みエラー:\n初回起動、或いは設定ファイルの消失が考えられます。\n"
    "新規に設定を開始します。";
inline constexpr const char *kTooManyFiles = "1リスト内の画像ファイルは32,767ファイルまでです";
inline constexpr const char *kSaveConfirmTitle = "設定保存の確認";
inline constexpr const char *kSaveConfirm = "データが変更されています。保存後終了しますか？";
inline constexpr const char *kPreviewSave = "ﾌﾟﾚﾋﾞｭｰは、設定保存後に有効となります。\n設定を保存しますか？";
inline constexpr const char *kNotNumeric = "数値以外は受け付けません";
inline constexpr const char *kNumberTooLarge = "数値が大きすぎます";
inline constexpr const char *kSaveFailed = "設定を保存できませんでした。変更は保存されていません。\n%1\n%2";
// Why a save failed, for the common causes; the system's own text for the rest.
inline constexpr const char *kWriteNoPermission = "保存先に書き込む権限がありません。";
inline constexpr const char *kWriteDiskFull = "ディスクの空き容量が足りません。";
inline constexpr const char *kWriteReadOnly = "保存先は読み取り専用です。";
inline constexpr const char *kWriteFolderInPlace = "同じ名前のフォルダがあるため保存できません。";
inline constexpr const char *kWriteMissing = "保存先のフォルダまたはファイルが見つかりません。";
inline constexpr const char *kBackupFailed =
    "読み込めなかった設定ファイルの控えを作れないため、保存を中止しました。\n%1\n%2";

// List sets.
inline constexpr const char *kListLimit = "設定リストは、現在9セットまでに制限しています";
inline constexpr const char *kNewListPrompt = "新規設定リスト名を入力して下さい";
inline constexpr const char *kNewListTitle = "新規設定";
inline constexpr const char *kRenamePrompt = "変更後のリスト名を入力";
inline constexpr const char *kRenameTitle = "現リスト名の変更";
inline constexpr const char *kNameTooLong = "リスト名は99文字以内で入力して下さい。";
inline constexpr const char *kNameLineBreak = "リスト名に改行は使えません。";
inline constexpr const char *kDeleteListTitle = "リスト削除の確認";
inline constexpr const char *kDeleteListText = "リスト:%1を削除します。\nよろしいですか？";

// File lists.
inline constexpr const char *kNoEditableList = "編集可能リストが有りません。\n新規作成しますか？";
inline constexpr const char *kRefusedNames =
    "次の項目は、名前にカンマを含むか、名前が引用符(\")または空白で始まるため、リストに追加できません:\n%1";

// Buttons of the message and input boxes.
inline constexpr const char *kButtonOk = "OK";
inline constexpr const char *kButtonCancel = "キャンセル";
inline constexpr const char *kButtonYes = "はい(&Y)";
inline constexpr const char *kButtonNo = "いいえ(&N)";

// About box lines.
inline constexpr const char *kAboutVersion = "  Version-";
inline constexpr const char *kAboutUsageReadme = "■使用方法は、readme.txt及びwebサイトを参照して下さい";
inline constexpr const char *kAboutUsageIntuition = "■使用方法は、勘を参照して下さい";
inline constexpr const char *kAboutDisclaimer1 =
    "■ソフトの開発には万全を期しておりますが、万が一このソフトを使用したことによる";
inline constexpr const char *kAboutDisclaimer2 = "　いかなる損害も開発者及び配布元では責任を負いません。";
inline constexpr const char *kAboutOwnName = "qelvo";

} // namespace qelvo::dialog::texts

namespace qelvo::dialog
{

// One of the texts above as the QString a control or a box takes.
inline QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace qelvo::dialog
