#pragma once

#include "platform/uitext.h"

// The settings dialog's own texts, exactly as a Japanese user sees them (UTF-8).
// They are also the source texts of the translations (context "Form1", see
// translations/); the few left unmarked read the same in every language.
namespace qelvo::dialog::texts
{

inline constexpr const char *kCaptionPrefix = "Qelvo - Version ";

// Controls: captions and tool tips.
inline constexpr const char *kCombo1Tip = QT_TRANSLATE_NOOP(
    "Form1", "スクリーンセーバのリストセットです。実行時に表示させるリストを選択して下さい。");
inline constexpr const char *kList1Tip =
    QT_TRANSLATE_NOOP("Form1", "ファイルリスト中の画像ファイル名を示します。");
inline constexpr const char *kLabel1 = QT_TRANSLATE_NOOP("Form1", "既存のファイルリスト");
inline constexpr const char *kLabel2 = QT_TRANSLATE_NOOP("Form1", "リスト内データ");
inline constexpr const char *kText1Initial = "10";
inline constexpr const char *kText1Tip =
    QT_TRANSLATE_NOOP("Form1", "次画像までの待ち時間を秒単位で指定。小数点以下も可。");
inline constexpr const char *kLabel4 = QT_TRANSLATE_NOOP("Form1", "切替え秒数");
inline constexpr const char *kText2Initial = "1";
inline constexpr const char *kText2Tip =
    QT_TRANSLATE_NOOP("Form1", "画像に対する最大倍率を指定。小数点以下も可。");
inline constexpr const char *kLabel5 = QT_TRANSLATE_NOOP("Form1", "最大倍率");
inline constexpr const char *kCheck1 = QT_TRANSLATE_NOOP("Form1", "ランダム表示");
inline constexpr const char *kCheck1Tip = QT_TRANSLATE_NOOP("Form1", "表示順をランダムにします。");
inline constexpr const char *kCheck2 = QT_TRANSLATE_NOOP("Form1", "マウス無効");
inline constexpr const char *kCheck2Tip =
    QT_TRANSLATE_NOOP("Form1", "マウス動作によるスクリーンセーバ終了を無効化します。");
inline constexpr const char *kCheck3 = QT_TRANSLATE_NOOP("Form1", "サンプル表示なし");
inline constexpr const char *kCheck3Tip = QT_TRANSLATE_NOOP("Form1", "サンプル窓を無効にします。");
inline constexpr const char *kCheck4 = QT_TRANSLATE_NOOP("Form1", "画像効果無効");
inline constexpr const char *kCheck4Tip = QT_TRANSLATE_NOOP("Form1", "画像変更時の特殊効果を無効化します。");
inline constexpr const char *kFrame1 = QT_TRANSLATE_NOOP("Form1", "壁紙チェンジャ機能の設定");
inline constexpr const char *kOption1[4] = {
    QT_TRANSLATE_NOOP("Form1", "壁紙チェンジャ無効"), QT_TRANSLATE_NOOP("Form1", "手動壁紙チェンジャ"),
    QT_TRANSLATE_NOOP("Form1", "自動壁紙チェンジャ"), QT_TRANSLATE_NOOP("Form1", "壁紙チェンジャのみ動作")};
inline constexpr const char *kOption1Tip[4] = {
    QT_TRANSLATE_NOOP("Form1", "壁紙チェンジャ機能を使いません。"),
    QT_TRANSLATE_NOOP("Form1", "スクリーンセーバ中に[w]キーを押すことにより壁紙が変わります。"),
    QT_TRANSLATE_NOOP("Form1", "スクリーンセーバ中にランダムで壁紙が変わります。"),
    QT_TRANSLATE_NOOP("Form1", "バックグラウンドモード。完全非常駐壁紙チェンジャになります。")};
inline constexpr const char *kCommand1 = QT_TRANSLATE_NOOP("Form1", "追加");
inline constexpr const char *kCommand1Tip = QT_TRANSLATE_NOOP("Form1", "リストへファイルの追加を行います");
inline constexpr const char *kCommand2 = QT_TRANSLATE_NOOP("Form1", "削除");
inline constexpr const char *kCommand2Tip = QT_TRANSLATE_NOOP("Form1", "リストからファイルを削除します");
inline constexpr const char *kCommand3 = QT_TRANSLATE_NOOP("Form1", "上へ");
inline constexpr const char *kCommand3Tip = QT_TRANSLATE_NOOP("Form1", "選択データの表示順を上げます");
inline constexpr const char *kCommand4 = QT_TRANSLATE_NOOP("Form1", "下へ");
inline constexpr const char *kCommand4Tip = QT_TRANSLATE_NOOP("Form1", "選択データの表示順を下げます");
inline constexpr const char *kCommand5 = QT_TRANSLATE_NOOP("Form1", "Prev.");
inline constexpr const char *kCommand5Tip = QT_TRANSLATE_NOOP("Form1", "プレビューします。");
inline constexpr const char *kImage1Tip = QT_TRANSLATE_NOOP("Form1", "選択ファイルのイメージを表示します。");

// Sample captions.
//: Also the start of "サンプル(W x H)"; an English translation ends in a blank, where the caption may wrap.
inline constexpr const char *kSample = QT_TRANSLATE_NOOP("Form1", "サンプル");
inline constexpr const char *kSampleOff = QT_TRANSLATE_NOOP("Form1", "サンプル無効化中");
inline constexpr const char *kUnsupportedFormat = QT_TRANSLATE_NOOP("Form1", "非対応ファイル形式");

// Count labels: prefix + number + suffix.
inline constexpr const char *kListsPrefix = QT_TRANSLATE_NOOP("Form1", "既存のファイルリスト(");
inline constexpr const char *kListsSuffix = QT_TRANSLATE_NOOP("Form1", "lists)");
inline constexpr const char *kFilesPrefix = QT_TRANSLATE_NOOP("Form1", "ファイルリストデータ(");
inline constexpr const char *kFilesSuffix = QT_TRANSLATE_NOOP("Form1", "files)");

// Menus.
inline constexpr const char *kMnuFile = QT_TRANSLATE_NOOP("Form1", "ﾌｧｲﾙ(&F)");
inline constexpr const char *kMnuFileNew = QT_TRANSLATE_NOOP("Form1", "新規リストの作成(&N)");
inline constexpr const char *kMnuFileRename = QT_TRANSLATE_NOOP("Form1", "現リストの名前変更(&M)");
inline constexpr const char *kMnuFileDell = QT_TRANSLATE_NOOP("Form1", "現リストの削除");
inline constexpr const char *kMnuFileOpen = QT_TRANSLATE_NOOP("Form1", "外部リストをインポート(&O)");
inline constexpr const char *kMnuFileOut = QT_TRANSLATE_NOOP("Form1", "外部リストとしてエクスポート");
inline constexpr const char *kMnuFileSave = QT_TRANSLATE_NOOP("Form1", "設定保存(&S)");
inline constexpr const char *kMnuFileExit = QT_TRANSLATE_NOOP("Form1", "終了(&X)");
inline constexpr const char *kMnuHelp = QT_TRANSLATE_NOOP("Form1", "ﾍﾙﾌﾟ(&H)");
inline constexpr const char *kMnuHelpContents = QT_TRANSLATE_NOOP("Form1", "目次(&C)");
inline constexpr const char *kMnuHelpSearch = QT_TRANSLATE_NOOP("Form1", "ﾄﾋﾟｯｸの検索(&S)...");
inline constexpr const char *kMnuHelpAbout = QT_TRANSLATE_NOOP("Form1", "ﾊﾞｰｼﾞｮﾝ情報(&A)...");

// Messages.
inline constexpr const char *kReadError =
    QT_TRANSLATE_NOOP("Form1", "設定読込みエラー:\n初回起動、或いは設定ファイルの消失が考えられます。\n"
                               "新規に設定を開始します。");
inline constexpr const char *kTooManyFiles =
    QT_TRANSLATE_NOOP("Form1", "1リスト内の画像ファイルは32,767ファイルまでです");
inline constexpr const char *kSaveConfirmTitle = QT_TRANSLATE_NOOP("Form1", "設定保存の確認");
inline constexpr const char *kSaveConfirm =
    QT_TRANSLATE_NOOP("Form1", "データが変更されています。保存後終了しますか？");
inline constexpr const char *kPreviewSave =
    QT_TRANSLATE_NOOP("Form1", "ﾌﾟﾚﾋﾞｭｰは、設定保存後に有効となります。\n設定を保存しますか？");
inline constexpr const char *kNotNumeric = QT_TRANSLATE_NOOP("Form1", "数値以外は受け付けません");
inline constexpr const char *kNumberTooLarge = QT_TRANSLATE_NOOP("Form1", "数値が大きすぎます");
inline constexpr const char *kSaveFailed =
    QT_TRANSLATE_NOOP("Form1", "設定を保存できませんでした。変更は保存されていません。\n%1\n%2");
// Why a save failed, for the common causes; the system's own text for the rest.
inline constexpr const char *kWriteNoPermission =
    QT_TRANSLATE_NOOP("Form1", "保存先に書き込む権限がありません。");
inline constexpr const char *kWriteDiskFull = QT_TRANSLATE_NOOP("Form1", "ディスクの空き容量が足りません。");
inline constexpr const char *kWriteReadOnly = QT_TRANSLATE_NOOP("Form1", "保存先は読み取り専用です。");
inline constexpr const char *kWriteFolderInPlace =
    QT_TRANSLATE_NOOP("Form1", "同じ名前のフォルダがあるため保存できません。");
inline constexpr const char *kWriteMissing =
    QT_TRANSLATE_NOOP("Form1", "保存先のフォルダまたはファイルが見つかりません。");
inline constexpr const char *kBackupFailed = QT_TRANSLATE_NOOP(
    "Form1", "読み込めなかった設定ファイルの控えを作れないため、保存を中止しました。\n%1\n%2");

// List sets.
inline constexpr const char *kListLimit =
    QT_TRANSLATE_NOOP("Form1", "設定リストは、現在9セットまでに制限しています");
inline constexpr const char *kNewListPrompt = QT_TRANSLATE_NOOP("Form1", "新規設定リスト名を入力して下さい");
inline constexpr const char *kNewListTitle = QT_TRANSLATE_NOOP("Form1", "新規設定");
inline constexpr const char *kRenamePrompt = QT_TRANSLATE_NOOP("Form1", "変更後のリスト名を入力");
inline constexpr const char *kRenameTitle = QT_TRANSLATE_NOOP("Form1", "現リスト名の変更");
inline constexpr const char *kNameTooLong =
    QT_TRANSLATE_NOOP("Form1", "リスト名は99文字以内で入力して下さい。");
inline constexpr const char *kNameLineBreak = QT_TRANSLATE_NOOP("Form1", "リスト名に改行は使えません。");
inline constexpr const char *kDeleteListTitle = QT_TRANSLATE_NOOP("Form1", "リスト削除の確認");
inline constexpr const char *kDeleteListText =
    QT_TRANSLATE_NOOP("Form1", "リスト:%1を削除します。\nよろしいですか？");

// File lists.
inline constexpr const char *kNoEditableList =
    QT_TRANSLATE_NOOP("Form1", "編集可能リストが有りません。\n新規作成しますか？");
inline constexpr const char *kRefusedNames = QT_TRANSLATE_NOOP(
    "Form1",
    "次の項目は、名前にカンマを含むか、名前が引用符(\")または空白で始まるため、リストに追加できません:\n%1");

// Buttons of the message and input boxes.
inline constexpr const char *kButtonOk = "OK";
inline constexpr const char *kButtonCancel = QT_TRANSLATE_NOOP("Form1", "キャンセル");
inline constexpr const char *kButtonYes = QT_TRANSLATE_NOOP("Form1", "はい(&Y)");
inline constexpr const char *kButtonNo = QT_TRANSLATE_NOOP("Form1", "いいえ(&N)");

// About box lines.
inline constexpr const char *kAboutVersion = "  Version-";
inline constexpr const char *kAboutUsageReadme =
    QT_TRANSLATE_NOOP("Form1", "■使用方法は、readme.txt及びwebサイトを参照して下さい");
inline constexpr const char *kAboutUsageIntuition =
    QT_TRANSLATE_NOOP("Form1", "■使用方法は、勘を参照して下さい");
inline constexpr const char *kAboutDisclaimer1 = QT_TRANSLATE_NOOP(
    "Form1", "■ソフトの開発には万全を期しておりますが、万が一このソフトを使用したことによる");
inline constexpr const char *kAboutDisclaimer2 =
    QT_TRANSLATE_NOOP("Form1", "　いかなる損害も開発者及び配布元では責任を負いません。");
inline constexpr const char *kAboutOwnName = "qelvo";

} // namespace qelvo::dialog::texts

namespace qelvo::dialog
{

// The texts above as the QString a control takes, in the user's language where marked.
inline constexpr TextContext tr8{"Form1"};

} // namespace qelvo::dialog
