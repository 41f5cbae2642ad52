<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>AddFileThread</name>
    <message>
        <source>Add File: &apos;%1&apos;.</source>
        <translation>ファイルを追加中:「%1」</translation>
    </message>
    <message>
        <source>Adding files done.</source>
        <translation>ファイルの追加が完了しました。</translation>
    </message>
</context>
<context>
    <name>ConvertThread</name>
    <message>
        <source>At least two files are needed for a merge.</source>
        <translation>結合には 2 つ以上のファイルが必要です。</translation>
    </message>
    <message>
        <source>Merge Failed</source>
        <translation>結合に失敗しました</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Join PDF files into one, page by page.</source>
        <translation>PDF ファイルをページ単位で 1 つに結合します。</translation>
    </message>
    <message>
        <source>Support:</source>
        <translation>サポート:</translation>
    </message>
    <message>
        <source>Home Page:</source>
        <translation>ホームページ:</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>バージョン:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TAddFileForm</name>
    <message>
        <source>Add PDF Files...</source>
        <translation>PDF ファイルを追加中...</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Add PDF Files</source>
        <translation>PDF ファイルの追加</translation>
    </message>
    <message>
        <source>File being opened</source>
        <translation>開いているファイル</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Are you sure to stop adding files.</source>
        <translation>ファイルの追加を停止しますか?</translation>
    </message>
</context>
<context>
    <name>TConvertForm</name>
    <message>
        <source>File being copied</source>
        <translation>コピー中のファイル</translation>
    </message>
    <message>
        <source>Page being copied</source>
        <translation>コピー中のページ</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>page %1 of %2</source>
        <translation>%2 ページ中 %1 ページ目</translation>
    </message>
    <message>
        <source>Merge successfully.Open output pdf file?</source>
        <translation>結合が完了しました。作成した PDF ファイルを開きますか?</translation>
    </message>
    <message>
        <source>Are you sure to cancel merging?</source>
        <translation>結合を中止しますか?</translation>
    </message>
</context>
<context>
    <name>TFileListModel</name>
    <message>
        <source>Odd</source>
        <translation>奇数</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>偶数</translation>
    </message>
    <message>
        <source>Part</source>
        <translation>指定</translation>
    </message>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>逆順</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>正順</translation>
    </message>
    <message>
        <source>%1KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>番号</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>ファイル名</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>Total Pages</source>
        <translation>総ページ数</translation>
    </message>
    <message>
        <source>Page Range</source>
        <translation>ページ範囲</translation>
    </message>
    <message>
        <source>Page Sort</source>
        <translation>ページ順</translation>
    </message>
</context>
<context>
    <name>TMergerForm</name>
    <message>
        <source>Add Files</source>
        <translation>ファイル追加</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>フォルダーを追加</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上へ</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下へ</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>結合方法</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>結合</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>参照</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Help Content</source>
        <translation>ユーザーガイド</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>サポート</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>ホームページ</translation>
    </message>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Files to merge</source>
        <translation>結合するファイル</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>ファイル名</translation>
    </message>
    <message>
        <source>Output Setting</source>
        <translation>出力設定</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>ファイル名:</translation>
    </message>
    <message>
        <source>Destination Folder:</source>
        <translation>保存先フォルダー:</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>カスタム</translation>
    </message>
    <message>
        <source>FirstFilename_LastFilename</source>
        <translation>最初のファイル名_最後のファイル名</translation>
    </message>
    <message>
        <source>LastFilename_FirstFilename</source>
        <translation>最後のファイル名_最初のファイル名</translation>
    </message>
    <message>
        <source>Destination Folder</source>
        <translation>保存先フォルダー</translation>
    </message>
    <message>
        <source>Select PDF File</source>
        <translation>PDF ファイルの選択</translation>
    </message>
    <message>
        <source>PDF files</source>
        <translation>PDF ファイル</translation>
    </message>
    <message>
        <source>Please Select PDF Folder</source>
        <translation>PDF ファイルのあるフォルダーを選択してください</translation>
    </message>
    <message>
        <source>Please add more than one file to merge</source>
        <translation>結合するファイルを 2 つ以上追加してください。</translation>
    </message>
    <message>
        <source>Please enter the output file name</source>
        <translation>出力ファイル名を入力してください。</translation>
    </message>
    <message>
        <source>The PDF file already exists,replace it?</source>
        <translation>この PDF ファイルは既に存在します。置き換えますか?</translation>
    </message>
    <message>
        <source>Please Select Output Folder</source>
        <translation>保存先フォルダーを選択してください</translation>
    </message>
    <message>
        <source>Are you sure to exit?</source>
        <translation>終了しますか?</translation>
    </message>
</context>
<context>
    <name>TMethodForm</name>
    <message>
        <source>Merge Method</source>
        <translation>結合方法</translation>
    </message>
    <message>
        <source>Select Page Range</source>
        <translation>ページ範囲の選択</translation>
    </message>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>奇数</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>偶数</translation>
    </message>
    <message>
        <source>Part  e.g[1,3,6-18]</source>
        <translation>指定  例: [1,3,6-18]</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>ページ</translation>
    </message>
    <message>
        <source>Invalid format or out of range!</source>
        <translation>形式が正しくないか、範囲外です!</translation>
    </message>
    <message>
        <source>Select Page Sort</source>
        <translation>ページ順の選択</translation>
    </message>
    <message>
        <source>Sequence</source>
        <translation>正順</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>逆順</translation>
    </message>
    <message>
        <source>Merge all files alternately</source>
        <translation>すべてのファイルを交互に結合</translation>
    </message>
    <message>
        <source>Mix pages by every</source>
        <translation>交互に</translation>
    </message>
    <message>
        <source>Pages per pass</source>
        <translation>1 回に取るページ数</translation>
    </message>
    <message>
        <source>page(s)</source>
        <translation>ページずつ</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>繰り返し</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Please choose page range to merge.</source>
        <translation>結合するページ範囲を選択してください。</translation>
    </message>
</context>
<context>
    <name>TOptionsForm</name>
    <message>
        <source>Options</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>プロパティ</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>タイトル:</translation>
    </message>
    <message>
        <source>Subject:</source>
        <translation>サブタイトル:</translation>
    </message>
    <message>
        <source>Author:</source>
        <translation>作成者:</translation>
    </message>
    <message>
        <source>Keywords:</source>
        <translation>キーワード:</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>タイトル</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>サブタイトル</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>作成者</translation>
    </message>
    <message>
        <source>Keywords</source>
        <translation>キーワード</translation>
    </message>
    <message>
        <source>Open the file after merging successfully</source>
        <translation>結合が完了したらファイルを開く</translation>
    </message>
    <message>
        <source>Add a bookmark for each file</source>
        <translation>ファイルごとにしおりを追加する</translation>
    </message>
    <message>
        <source>Keep the whole document</source>
        <translation>文書全体を保持する</translation>
    </message>
    <message>
        <source>Bookmarks, links, form fields, tags, layers, metadata, document settings and attachments; unchecked, only the pages.</source>
        <translation>しおり、リンク、フォームフィールド、タグ、レイヤー、メタデータ、文書の設定、添付ファイル。オフにするとページのみ。</translation>
    </message>
</context>
<context>
    <name>TUpDown</name>
    <message>
        <source>More pages</source>
        <translation>ページを増やす</translation>
    </message>
    <message>
        <source>Fewer pages</source>
        <translation>ページを減らす</translation>
    </message>
</context>
</TS>
