<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Form1</name>
    <message>
        <source>スクリーンセーバのリストセットです。実行時に表示させるリストを選択して下さい。</source>
        <translation>The screen saver&apos;s list sets. Choose the list to show when it runs.</translation>
    </message>
    <message>
        <source>ファイルリスト中の画像ファイル名を示します。</source>
        <translation>The picture files of the list.</translation>
    </message>
    <message>
        <source>既存のファイルリスト</source>
        <translation>Existing lists</translation>
    </message>
    <message>
        <source>リスト内データ</source>
        <translation>List entries</translation>
    </message>
    <message>
        <source>次画像までの待ち時間を秒単位で指定。小数点以下も可。</source>
        <translation>How many seconds each picture stays. Fractions are allowed.</translation>
    </message>
    <message>
        <source>切替え秒数</source>
        <translation>Seconds each</translation>
    </message>
    <message>
        <source>画像に対する最大倍率を指定。小数点以下も可。</source>
        <translation>How far a picture may be enlarged at most. Fractions are allowed.</translation>
    </message>
    <message>
        <source>最大倍率</source>
        <translation>Largest zoom</translation>
    </message>
    <message>
        <source>ランダム表示</source>
        <translation>Shuffle</translation>
    </message>
    <message>
        <source>表示順をランダムにします。</source>
        <translation>Shows the pictures in random order.</translation>
    </message>
    <message>
        <source>マウス無効</source>
        <translation>Mouse off</translation>
    </message>
    <message>
        <source>マウス動作によるスクリーンセーバ終了を無効化します。</source>
        <translation>Moving the mouse does not end the screen saver.</translation>
    </message>
    <message>
        <source>サンプル表示なし</source>
        <translation>No sample</translation>
    </message>
    <message>
        <source>サンプル窓を無効にします。</source>
        <translation>Switches the sample view off.</translation>
    </message>
    <message>
        <source>画像効果無効</source>
        <translation>Effects off</translation>
    </message>
    <message>
        <source>画像変更時の特殊効果を無効化します。</source>
        <translation>Switches off the effects between pictures.</translation>
    </message>
    <message>
        <source>壁紙チェンジャ機能の設定</source>
        <translation>Wallpaper changer</translation>
    </message>
    <message>
        <source>壁紙チェンジャ無効</source>
        <translation>Wallpaper changer off</translation>
    </message>
    <message>
        <source>手動壁紙チェンジャ</source>
        <translation>Manual wallpaper changer</translation>
    </message>
    <message>
        <source>自動壁紙チェンジャ</source>
        <translation>Automatic wallpaper changer</translation>
    </message>
    <message>
        <source>壁紙チェンジャのみ動作</source>
        <translation>Wallpaper changer only</translation>
    </message>
    <message>
        <source>壁紙チェンジャ機能を使いません。</source>
        <translation>The wallpaper is never changed.</translation>
    </message>
    <message>
        <source>スクリーンセーバ中に[w]キーを押すことにより壁紙が変わります。</source>
        <translation>Press [w] during the screen saver to make the picture your wallpaper.</translation>
    </message>
    <message>
        <source>スクリーンセーバ中にランダムで壁紙が変わります。</source>
        <translation>The wallpaper changes now and then during the screen saver.</translation>
    </message>
    <message>
        <source>バックグラウンドモード。完全非常駐壁紙チェンジャになります。</source>
        <translation>Background mode: each start only changes the wallpaper, and nothing stays running.</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>リストへファイルの追加を行います</source>
        <translation>Adds files or a folder to the list</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>リストからファイルを削除します</source>
        <translation>Removes the selected entry from the list</translation>
    </message>
    <message>
        <source>上へ</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>選択データの表示順を上げます</source>
        <translation>Moves the selected entry up</translation>
    </message>
    <message>
        <source>下へ</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>選択データの表示順を下げます</source>
        <translation>Moves the selected entry down</translation>
    </message>
    <message>
        <source>Prev.</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>プレビューします。</source>
        <translation>Previews the slide show.</translation>
    </message>
    <message>
        <source>選択ファイルのイメージを表示します。</source>
        <translation>Shows the selected picture.</translation>
    </message>
    <message>
        <source>サンプル</source>
        <extracomment>Also the start of &quot;サンプル(W x H)&quot;; an English translation ends in a blank, where the caption may wrap.</extracomment>
        <translation>Sample </translation>
    </message>
    <message>
        <source>サンプル無効化中</source>
        <translation>Sample switched off</translation>
    </message>
    <message>
        <source>非対応ファイル形式</source>
        <translation>Unsupported file type</translation>
    </message>
    <message>
        <source>既存のファイルリスト(</source>
        <translation>Existing lists (</translation>
    </message>
    <message>
        <source>lists)</source>
        <translation>)</translation>
    </message>
    <message>
        <source>ファイルリストデータ(</source>
        <translation>List entries (</translation>
    </message>
    <message>
        <source>files)</source>
        <translation>)</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新規リストの作成(&amp;N)</source>
        <translation>&amp;New List...</translation>
    </message>
    <message>
        <source>現リストの名前変更(&amp;M)</source>
        <translation>Rena&amp;me List...</translation>
    </message>
    <message>
        <source>現リストの削除</source>
        <translation>Delete List</translation>
    </message>
    <message>
        <source>外部リストをインポート(&amp;O)</source>
        <translation>Imp&amp;ort List...</translation>
    </message>
    <message>
        <source>外部リストとしてエクスポート</source>
        <translation>Export List...</translation>
    </message>
    <message>
        <source>設定保存(&amp;S)</source>
        <translation>&amp;Save Settings</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>目次(&amp;C)</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>ﾄﾋﾟｯｸの検索(&amp;S)...</source>
        <translation>&amp;Search for Help On...</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About Qelvo...</translation>
    </message>
    <message>
        <source>設定読込みエラー:
初回起動、或いは設定ファイルの消失が考えられます。
新規に設定を開始します。</source>
        <translation>Could not read the settings:
This may be the first start, or the settings file may have been lost.
Starting with new settings.</translation>
    </message>
    <message>
        <source>1リスト内の画像ファイルは32,767ファイルまでです</source>
        <translation>A list can hold at most 32,767 picture files</translation>
    </message>
    <message>
        <source>設定保存の確認</source>
        <translation>Save Settings</translation>
    </message>
    <message>
        <source>データが変更されています。保存後終了しますか？</source>
        <translation>The settings have changed. Save them before closing?</translation>
    </message>
    <message>
        <source>ﾌﾟﾚﾋﾞｭｰは、設定保存後に有効となります。
設定を保存しますか？</source>
        <translation>The preview shows the saved settings.
Save the settings now?</translation>
    </message>
    <message>
        <source>数値以外は受け付けません</source>
        <translation>Only numbers are accepted</translation>
    </message>
    <message>
        <source>設定を保存できませんでした。変更は保存されていません。
%1
%2</source>
        <translation>The settings could not be saved. Your changes are not saved yet.
%1
%2</translation>
    </message>
    <message>
        <source>保存先に書き込む権限がありません。</source>
        <translation>You have no permission to write there.</translation>
    </message>
    <message>
        <source>ディスクの空き容量が足りません。</source>
        <translation>There is not enough free disk space.</translation>
    </message>
    <message>
        <source>保存先は読み取り専用です。</source>
        <translation>The place to save to is read-only.</translation>
    </message>
    <message>
        <source>同じ名前のフォルダがあるため保存できません。</source>
        <translation>A folder of the same name is in the way.</translation>
    </message>
    <message>
        <source>保存先のフォルダまたはファイルが見つかりません。</source>
        <translation>The folder or file to save to cannot be found.</translation>
    </message>
    <message>
        <source>読み込めなかった設定ファイルの控えを作れないため、保存を中止しました。
%1
%2</source>
        <translation>Nothing was saved: no backup could be made of the settings file that could not be read.
%1
%2</translation>
    </message>
    <message>
        <source>設定リストは、現在9セットまでに制限しています</source>
        <translation>You can have at most 9 lists for now</translation>
    </message>
    <message>
        <source>新規設定リスト名を入力して下さい</source>
        <translation>Enter a name for the new list</translation>
    </message>
    <message>
        <source>新規設定</source>
        <translation>New List</translation>
    </message>
    <message>
        <source>変更後のリスト名を入力</source>
        <translation>Enter the list&apos;s new name</translation>
    </message>
    <message>
        <source>現リスト名の変更</source>
        <translation>Rename List</translation>
    </message>
    <message>
        <source>リスト名は99文字以内で入力して下さい。</source>
        <translation>A list name can have at most 99 characters.</translation>
    </message>
    <message>
        <source>リスト名に改行は使えません。</source>
        <translation>A list name cannot contain a line break.</translation>
    </message>
    <message>
        <source>リスト削除の確認</source>
        <translation>Delete List</translation>
    </message>
    <message>
        <source>リスト:%1を削除します。
よろしいですか？</source>
        <translation>The list %1 will be deleted.
Are you sure?</translation>
    </message>
    <message>
        <source>編集可能リストが有りません。
新規作成しますか？</source>
        <translation>There is no list to edit.
Create a new list?</translation>
    </message>
    <message>
        <source>次の項目は、名前にカンマを含むか、名前が引用符(&quot;)または空白で始まるため、リストに追加できません:
%1</source>
        <translation>These items cannot be added to the list, because their names contain a comma or begin with a quotation mark (&quot;) or a blank:
%1</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>■使用方法は、readme.txt及びwebサイトを参照して下さい</source>
        <translation>■For instructions, see readme.txt and the web site</translation>
    </message>
    <message>
        <source>■使用方法は、勘を参照して下さい</source>
        <translation>■For instructions, consult your intuition</translation>
    </message>
    <message>
        <source>■ソフトの開発には万全を期しておりますが、万が一このソフトを使用したことによる</source>
        <translation>■Every care has been taken in making this software, but the developer and the</translation>
    </message>
    <message>
        <source>&#x3000;いかなる損害も開発者及び配布元では責任を負いません。</source>
        <translation>&#x3000;distributor accept no liability for any damage that its use may cause.</translation>
    </message>
    <message>
        <source>数値が大きすぎます</source>
        <translation>The number is too large</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>設定ファイルが有りません
コントロールパネル→画面→スクリーンセーバ
設定ファイルを作成して下さい</source>
        <translation>There is no settings file
Open the settings with &quot;qelvo /c&quot;
and create the settings file there</translation>
    </message>
    <message>
        <source>設定ファイルを更新できませんでした。
%1
%2</source>
        <translation>The settings file could not be updated.
%1
%2</translation>
    </message>
    <message>
        <source>ファイルを読み込めません。</source>
        <translation>The file cannot be read.</translation>
    </message>
    <message>
        <source>Error:File not Found (</source>
        <translation>Error: file not found (</translation>
    </message>
    <message>
        <source>スライド停止中... スライド再開:[SPACE]Key スクリーンセーバ終了:[SPACE],[B],[N].[W]以外のキー操作及びマウスクリック</source>
        <translation>Slide show paused... Resume: [SPACE] key   End the screen saver: any key but [SPACE],[B],[N].[W], or a mouse click</translation>
    </message>
    <message>
        <source>スライド停止中... スライド再開:[SPACE]Key スクリーンセーバ終了:[SPACE],[B],[N],[W]以外のキー操作及びマウスクリック</source>
        <translation>Slide show paused... Resume: [SPACE] key   End the screen saver: any key but [SPACE],[B],[N],[W], or a mouse click</translation>
    </message>
    <message>
        <source>ファイルリスト名:</source>
        <translation>List: </translation>
    </message>
    <message>
        <source> , 表示中のファイル名:</source>
        <translation>,  Picture shown: </translation>
    </message>
    <message>
        <source>設定リストの位置が分からないため、ファイルを書き換えませんでした。</source>
        <translation>The settings file was not rewritten: its setting lists could not be found.</translation>
    </message>
    <message>
        <source>壁紙にする画像ファイルが見つかりません。
%1</source>
        <translation>The picture for the wallpaper cannot be found.
%1</translation>
    </message>
    <message>
        <source>Qelvo は既に実行中のため、壁紙を変更しませんでした。</source>
        <translation>Qelvo is already running, so the wallpaper was not changed.</translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>ファイルの追加</source>
        <translation>Add Files</translation>
    </message>
    <message>
        <source>ファイル名:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>ファイルの種類:</source>
        <translation>Files of type:</translation>
    </message>
    <message>
        <source>フォルダ:</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>このフォルダを使用する</source>
        <translation>Use this folder</translation>
    </message>
    <message>
        <source>ドライブ:</source>
        <translation>Drive:</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>非対応のファイル形式</source>
        <translation>Unsupported file type</translation>
    </message>
    <message>
        <source>この名前には文字として読めない部分があり、設定ファイルに保存できません。
</source>
        <translation>Part of this name cannot be read as text, so it cannot be stored in the settings file.
</translation>
    </message>
    <message>
        <source>画像ファイル (*.jpg;*.gif;*.bmp)</source>
        <translation>Pictures (*.jpg;*.gif;*.bmp)</translation>
    </message>
    <message>
        <source>BMPファイル (*.bmp)</source>
        <translation>BMP files (*.bmp)</translation>
    </message>
    <message>
        <source>JPGファイル (*.jpg)</source>
        <translation>JPG files (*.jpg)</translation>
    </message>
    <message>
        <source>GIFファイル (*.gif)</source>
        <translation>GIF files (*.gif)</translation>
    </message>
    <message>
        <source>全てのファイル (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
</context>
<context>
    <name>mWallPaper</name>
    <message>
        <source>壁紙を変更しました ファイルパス:</source>
        <translation>Wallpaper changed. File: </translation>
    </message>
    <message>
        <source>壁紙変更時にエラーが発生しました。</source>
        <translation>An error occurred while changing the wallpaper.</translation>
    </message>
    <message>
        <source>エラー番号:</source>
        <translation>Error number: </translation>
    </message>
</context>
</TS>
