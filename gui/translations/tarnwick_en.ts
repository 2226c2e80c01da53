<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>QtWindowOps</name>
    <message>
        <source>上書きする</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>上書きしない</source>
        <translation>Keep it</translation>
    </message>
</context>
<context>
    <name>tarnwick::ResultList</name>
    <message>
        <source>該当したもののみ表示(&amp;T)</source>
        <translation>Only ma&amp;tching reports</translation>
    </message>
    <message>
        <source>差異のあるもののみ表示(&amp;T)</source>
        <translation>Only differen&amp;t pairs</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>該当プロパティ</source>
        <translation>Properties hit</translation>
    </message>
    <message>
        <source>該当行</source>
        <translation>Lines hit</translation>
    </message>
    <message>
        <source>メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>オブジェクト</source>
        <translation>Object</translation>
    </message>
    <message>
        <source>オブジェクト追加</source>
        <translation>Objects added</translation>
    </message>
    <message>
        <source>オブジェクト削除</source>
        <translation>Objects removed</translation>
    </message>
    <message>
        <source>オブジェクト変更</source>
        <translation>Objects changed</translation>
    </message>
    <message>
        <source>行追加</source>
        <translation>Lines added</translation>
    </message>
    <message>
        <source>行削除</source>
        <translation>Lines removed</translation>
    </message>
    <message>
        <source>%1件</source>
        <translation>%1 reports</translation>
    </message>
    <message>
        <source>%1組</source>
        <translation>%1 pairs</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>｜該当 プロパティ %1・行 %2</source>
        <translation>; hits: %1 properties, %2 lines</translation>
    </message>
    <message>
        <source>｜オブジェクト 追加 %1・削除 %2・変更 %3</source>
        <translation>; objects: %1 added, %2 removed, %3 changed</translation>
    </message>
    <message>
        <source>｜行 追加 %1・削除 %2</source>
        <translation>; lines: %1 added, %2 removed</translation>
    </message>
    <message>
        <source>｜エラー %1</source>
        <translation>; errors: %1</translation>
    </message>
    <message>
        <source>サマリーを開く(&amp;P)</source>
        <translation>O&amp;pen summary</translation>
    </message>
    <message>
        <source>サマリーを開く(&amp;M)</source>
        <translation>Open su&amp;mmary</translation>
    </message>
    <message>
        <source>出力先フォルダを開く(&amp;W)</source>
        <translation>Sho&amp;w pages in folder</translation>
    </message>
    <message>
        <source>出力先フォルダを開く(&amp;G)</source>
        <translation>Show pa&amp;ges in folder</translation>
    </message>
</context>
<context>
    <name>tarnwick::frmAbout</name>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>%1のﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About %1</translation>
    </message>
</context>
<context>
    <name>tarnwick::frmConstract</name>
    <message>
        <source>内部構造参照</source>
        <translation>Report Structure</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&lt;プロパティ&gt;</source>
        <translation>&lt;Properties&gt;</translation>
    </message>
</context>
<context>
    <name>tarnwick::frmMain</name>
    <message>
        <source>ファイル・フォルダの比較</source>
        <translation>Compare Files / Folders</translation>
    </message>
    <message>
        <source>指定したオブジェクトの比較</source>
        <translation>Compare Objects</translation>
    </message>
    <message>
        <source>文字列検索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>フォルダ単位(&amp;B)</source>
        <translation>Folder &amp;by folder</translation>
    </message>
    <message>
        <source>ファイル単位(&amp;I)</source>
        <translation>&amp;Individual files</translation>
    </message>
    <message>
        <source>違う箇所のみ出力する(&amp;Y)</source>
        <translation>Differences onl&amp;y</translation>
    </message>
    <message>
        <source>空白の違いを無視する(&amp;W)</source>
        <translation>Ignore &amp;whitespace</translation>
    </message>
    <message>
        <source>大文字・小文字の違いを無視する(&amp;C)</source>
        <translation>Ignore &amp;case</translation>
    </message>
    <message>
        <source>ソース１</source>
        <translation>Source 1</translation>
    </message>
    <message>
        <source>フォルダ(&amp;D)</source>
        <translation>Fol&amp;der</translation>
    </message>
    <message>
        <source>オブジェクト・リスト・レポートファイル名(&amp;R)</source>
        <translation>&amp;Report files</translation>
    </message>
    <message>
        <source>ソース２</source>
        <translation>Source 2</translation>
    </message>
    <message>
        <source>フォルダ(&amp;E)</source>
        <translation>Fold&amp;er</translation>
    </message>
    <message>
        <source>オブジェクト・リスト・レポートファイル名(&amp;P)</source>
        <translation>Re&amp;port files</translation>
    </message>
    <message>
        <source>検索条件</source>
        <translation>Search conditions</translation>
    </message>
    <message>
        <source>プロパティの値が(&amp;U)</source>
        <translation>Property val&amp;ue</translation>
    </message>
    <message>
        <source>全ての条件を満たす(&amp;M)</source>
        <translation>&amp;Match all conditions</translation>
    </message>
    <message>
        <source>いずれかの条件を満たす(&amp;Y)</source>
        <translation>Match an&amp;y condition</translation>
    </message>
    <message>
        <source>検索条件に一致する箇所のみ出力する(&amp;G)</source>
        <translation>Only matchin&amp;g properties</translation>
    </message>
    <message>
        <source>大文字と小文字を区別しない(&amp;C)</source>
        <translation>Ignore &amp;case</translation>
    </message>
    <message>
        <source>ソース</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>ファイルを自動的に開く(&amp;A)</source>
        <translation>Open &amp;automatically</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>出力先フォルダ(&amp;O)</source>
        <translation>&amp;Output folder</translation>
    </message>
    <message>
        <source>結果出力ファイル名(.html)(&amp;N)</source>
        <translation>Result file &amp;name (.html)</translation>
    </message>
    <message>
        <source>ファイルの選択</source>
        <translation>Choose files</translation>
    </message>
    <message>
        <source>フォルダの選択</source>
        <translation>Choose a folder</translation>
    </message>
    <message>
        <source>オブジェクト・リスト・レポート、Forms XML (*.txt *.xml);;すべてのファイル (*)</source>
        <translation>Object list reports, Forms XML (*.txt *.xml);;All files (*)</translation>
    </message>
    <message>
        <source>無視ルール(&amp;U):</source>
        <translation>Ignore r&amp;ules:</translation>
    </message>
    <message>
        <source>ここに挙げたプロパティの違いは差異に数えません（UTF-8、1行に1ルール）</source>
        <translation>Differences in the properties listed here are not counted (UTF-8, one rule per line)</translation>
    </message>
    <message>
        <source>無視ルールファイルの選択</source>
        <translation>Choose an ignore rules file</translation>
    </message>
    <message>
        <source>無視ルール (*.txt);;すべてのファイル (*)</source>
        <translation>Ignore rules (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>レビュー形式のページを出力する(&amp;R)</source>
        <translation>&amp;Review-style pages</translation>
    </message>
    <message>
        <source>言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>日本語(&amp;J)</source>
        <translation>&amp;Japanese</translation>
    </message>
    <message>
        <source>English(&amp;E)</source>
        <translation>&amp;English</translation>
    </message>
    <message>
        <source>デバッグ</source>
        <translation>Debug</translation>
    </message>
    <message>
        <source>構造の表示</source>
        <translation>Show Structure</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About Tarnwick...</translation>
    </message>
    <message>
        <source>を含む</source>
        <translation>contains</translation>
    </message>
    <message>
        <source>を含まない</source>
        <translation>does not contain</translation>
    </message>
    <message>
        <source>オブジェクト・リスト・レポートのTXTファイルをドロップしてください</source>
        <translation>Drop an object list report (.txt) here</translation>
    </message>
    <message>
        <source>検索開始(&amp;S)</source>
        <translation>&amp;Start search</translation>
    </message>
    <message>
        <source>比較開始(&amp;S)</source>
        <translation>&amp;Start comparison</translation>
    </message>
    <message>
        <source>読込エラーがあっても続行する(&amp;K)</source>
        <translation>&amp;Keep going past unreadable reports</translation>
    </message>
    <message>
        <source>読めないレポートはエラーとしてサマリーに載せ、残りを比較します</source>
        <translation>A report that cannot be read is listed as an error; the others are compared</translation>
    </message>
    <message>
        <source>読めないレポートはエラーとしてサマリーに載せ、残りを検索します</source>
        <translation>A report that cannot be read is listed as an error; the others are searched</translation>
    </message>
    <message>
        <source>ソース１(&amp;1):</source>
        <translation>Source &amp;1:</translation>
    </message>
    <message>
        <source>ソース２(&amp;2):</source>
        <translation>Source &amp;2:</translation>
    </message>
    <message>
        <source>レポートを開く</source>
        <translation>Open a report</translation>
    </message>
    <message>
        <source>ソース１のレポートを開く(&amp;1)...</source>
        <translation>Open source &amp;1 report...</translation>
    </message>
    <message>
        <source>ソース２のレポートを開く(&amp;2)...</source>
        <translation>Open source &amp;2 report...</translation>
    </message>
    <message>
        <source>（未読込）</source>
        <translation>(none loaded)</translation>
    </message>
    <message>
        <source>比較・検索を実行中です。中止して閉じますか？</source>
        <translation>A comparison or search is running. Stop it and close?</translation>
    </message>
    <message>
        <source>中止して閉じる</source>
        <translation>Stop and close</translation>
    </message>
    <message>
        <source>続行する</source>
        <translation>Keep running</translation>
    </message>
    <message>
        <source>ソース１のレポートを開く</source>
        <translation>Open the source 1 report</translation>
    </message>
    <message>
        <source>ソース２のレポートを開く</source>
        <translation>Open the source 2 report</translation>
    </message>
</context>
</TS>
