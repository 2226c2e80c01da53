// The Japanese texts of every message.
#include "messages/message_catalog.h"

namespace tarnwick {

std::u16string_view JapaneseCatalog(MessageId id) {
  using enum MessageId;
  switch (id) {
    case SourceFolder1Required:
      return u"ソース１のフォルダを指定してください";
    case SourceFile1Required:
      return u"ソース１のオブジェクト・リスト・レポート ファイル名を指定してください";
    case SourceFolder2Required:
      return u"ソース２のフォルダを指定してください";
    case SourceFile2Required:
      return u"ソース２のオブジェクト・リスト・レポート ファイル名を指定してください";
    case SearchFolderRequired:
      return u"ソースのフォルダを指定してください";
    case SearchFileRequired:
      return u"ソースのオブジェクト・リスト・レポート ファイル名を指定してください";
    case OutputFolderRequired:
      return u"出力先フォルダを指定してください";
    case OutputFileRequired:
      return u"結果出力ファイル名を入力してください";
    case SearchStringRequired:
      return u"検索条件を入力してください";
    case SourceFolder1NotFound:
      return u"ソース１のフォルダが見つかりません";
    case SourceFolder2NotFound:
      return u"ソース２のフォルダが見つかりません";
    case SearchFolderNotFound:
      return u"ソースのフォルダが見つかりません";
    case OutputFolderNotFound:
      return u"出力先フォルダが見つかりません";
    case SourceFile1NotFound:
      return u"ソースファイル１が見つかりません";
    case SourceFile2NotFound:
      return u"ソースファイル２が見つかりません";
    case SearchStringAsterisksOnly:
      return u"検索条件に * のみは入力できません";
    case SearchStringBracketUnclosed:
      return u"検索条件の [ に対応する ] がありません";
    case ReportsNotDropped:
      return u"オブジェクト・リスト・レポートファイルをドロップしてください。";
    case ObjectsNotSelected:
      return u"比較するオブジェクトを選択してください。";
    case OverwritesInput:
      return u"出力ファイル[{1}]は入力のレポートファイルです。上書きできません。";
    case ReplacesOtherRunsPage:
      return u"出力ファイル[{1}]は別の種類の実行が出力したページです。上書きしますか？";
    case OtherRunsPageKept:
      return u"出力ファイル[{1}]は別の種類の実行が出力したページです。上書きしませんでした。";
    case PatternMatchesNothing:
      return u"フォルダ[{1}]にファイル名[{2}]に一致するレポートがありません。";
    case ObjectNotFound1:
      return u"ソース１のレポートにオブジェクト[{1}]がありません。";
    case ObjectNotFound2:
      return u"ソース２のレポートにオブジェクト[{1}]がありません。";
    case SettingHoldsNul:
      return u"設定値[{1}]にNUL文字が含まれています。";
    case IgnoreFileUnreadable:
      return u"無視ルールファイル[{1}]を読み込めません。\r\n{2}";
    case IgnoreFileNotUtf8:
      return u"無視ルールファイル[{1}]の{2}行目はUTF-8ではありません。";
    case IgnoreRuleInvalid:
      return u"無視ルールファイル[{1}]の{2}行目はルールではありません: {3}";
    case Finished:
      return u"終了しました。";
    case FinishedWithSetAside:
      return u"終了しました。\r\n名前の大文字小文字だけが違うレポート{1}"
             u"件は対象外としました（一覧を参照）。";
    case FinishedWithFailures:
      return u"終了しました。\r\n読み込めないレポートがあり、{1}件を読込エラーとしました"
             u"（一覧を参照）。";
    case FinishedWithFailuresAndSetAside:
      return u"終了しました。\r\n読み込めないレポートがあり、{1}件を読込エラーとしました"
             u"（一覧を参照）。\r\n名前の大文字小文字だけが違うレポート{2}"
             u"件は対象外としました（一覧を参照）。";
    case Cancelled:
      return u"中止しました。";
    case RunFailed:
      return u"{1}エラーが発生しました。\r\n{2}";
    case LoadFailed:
      return u"{1}エラーが発生しました。{2}";
    case SettingsWriteFailed:
      return u"iniファイルの書き込み中にエラーが発生しました。\r\n{1}";
    case SettingsMovedToUserCopy:
      return u"設定ファイル[{1}]に書き込めないため、設定を[{2}]に保存しました。"
             u"次回からはこちらを読み込みます。";
    case JsonWriteFailed:
      return u"JSON[{1}]の出力中に、エラーが発生しました。\r\n{2}";
    case ReadDocumentation:
      return u"本ソフトウエアの使用前に、添付のドキュメントを参照ください。";
    case ReadDocumentationAt:
      return u"本ソフトウエアの使用前に、添付のドキュメントを参照ください。\r\n{1}";
    case SameFolderOnly:
      return u"同一フォルダのファイルのみ、ドロップできます。";
    case SettingsFileKept:
      return u"設定ファイル[{1}]を正しく読み込めないため、"
             u"このファイルには設定を保存しません。\r\n{2}";
    case SettingsNotUtf8:
      return u"UTF-8として読めないバイトが含まれています。";
    case SettingsNotCp932:
      return u"コードページ932の文字として読めないバイトが含まれています。";
    case StageReading:
      return u"ファイル文章[{1}]の読み込み中に、";
    case StageParsing:
      return u"フォーム文章[{1}]の解析中に、";
    case StageReadingSide:
      return u"{1}のファイル文章[{2}]の読み込み中に、";
    case StageParsingSide:
      return u"{1}のフォーム文章[{2}]の解析中に、";
    case StageComparing:
      return u"フォーム文章の差分作成中に、";
    case StageComparingPair:
      return u"フォーム文章[{1}]の差分作成中に、";
    case StageSearching:
      return u"フォーム文章[{1}]の検索中に、";
    case StageWriting:
      return u"ファイル[{1}]の出力中に、";
    case OutOfMemory:
      return u"メモリが不足しています。";
    case StandardOutput:
      return u"標準出力";
    case GrammarLine:
      return u"{1}行目";
    case GrammarTooDeep:
      return u"でセクションの入れ子が{1}階層を超えました。";
    case GrammarNameTaken:
      return u"のオブジェクトを追加できません。同じ名前のプロパティがあります。";
    case GrammarUnreadable:
      return u"の書式を解析できません。";
    case GrammarTooManySameNamed:
      return u"で同じ名前のオブジェクトが多すぎます。";
    case GrammarMenuItemCode:
      return u"のメニュー項目コードを分割できません。";
    case GrammarQuotedLine:
      return u"[{1}]";
    case XmlPlace:
      return u"{1}行目{2}文字目";
    case XmlNotWellFormed:
      return u"でXMLが整形式ではありません。";
    case XmlUnrecognizedTag:
      return u"タグを認識できません。";
    case XmlBadInstruction:
      return u"処理命令が正しくありません。";
    case XmlBadComment:
      return u"コメントが正しくありません。";
    case XmlBadCdata:
      return u"CDATAセクションが正しくありません。";
    case XmlBadDoctype:
      return u"文書型宣言が正しくありません。";
    case XmlBadText:
      return u"文字データが正しくありません。";
    case XmlBadStartTag:
      return u"開始タグが正しくありません。";
    case XmlBadAttribute:
      return u"属性が正しくありません。";
    case XmlBadEndTag:
      return u"終了タグが正しくありません。";
    case XmlTagsMismatch:
      return u"開始タグと終了タグが対応していません。";
    case XmlNoRoot:
      return u"ルート要素がありません。";
    case XmlUnreadable:
      return u"解析できません。";
    case XmlAttributeTwice:
      return u"属性{1}が重複しています。";
    case XmlAfterRoot:
      return u"ルート要素の後に要素があります。";
    case XmlTooDeep:
      return u"で要素の入れ子が{1}階層を超えました。";
    case XmlNotAModule:
      return u"のルート要素はFormsのModuleではありません。";
    case NodeNotText:
      return u"ノード[{1}]はテキストではありません。";
    case NodeNotCollection:
      return u"ノード[{1}]はコレクションではありません。";
    case PositionOutOfRange:
      return u"インデックスが有効範囲にありません。({1}/{2})";
    case TreeEmpty:
      return u"オブジェクト・ツリーが空です。";
    case NoFormModule:
      return u"「{1}」にフォーム・モジュールがありません。";
    case FileMissing:
      return u"ファイルまたはフォルダが見つかりません";
    case FileNoPermission:
      return u"アクセスする権限がありません";
    case FileIsFolder:
      return u"ファイルではなくフォルダです";
    case FileDiskFull:
      return u"ディスクの空き容量が足りません";
    case FileReadOnly:
      return u"読み取り専用のファイルシステムです";
    case FileNotRegular:
      return u"通常のファイルではありません";
    case FileTooLarge:
      return u"ファイルが大きすぎます";
    case FileNameTooLong:
      return u"ファイル名が長すぎます";
    case FileInvalidName:
      return u"ファイル名に使えない文字が含まれています";
    case FileNotFolder:
      return u"パスの途中にフォルダではないファイルがあります";
    case FileLinkLoop:
      return u"シンボリックリンクが多すぎます";
    case FileInUse:
      return u"ファイルが他のプログラムで使用中です";
    case FileTooManyOpen:
      return u"開いているファイルが多すぎます";
    case FileExists:
      return u"ファイルが既に存在します";
    case FileInputOutput:
      return u"入出力エラーが発生しました";
    case FileChangedWhileRead:
      return u"読み込み中にファイルが変更されました";
    case FileNamed:
      return u": {1}";
    case SystemWords:
      return u"{1}";
    case TempFileLeftover:
      return u"\r\n一時ファイルを削除できませんでした: {1}";
    case Source1:
      return u"ソース１";
    case Source2:
      return u"ソース２";
    case SearchSource:
      return u"ソース";
    case ReportHoldsNoObject:
      return u"{1}のレポート[{2}]にオブジェクトがありません。";
    case NoStatus:
      return u"";
    case Progress:
      return u"{1}/{2}:{3}";
  }
  return u"";
}

}  // namespace tarnwick
