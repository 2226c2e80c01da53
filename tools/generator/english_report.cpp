// English reports from the generator's model: the Japanese report the model
// gives, line by line in English words. A property's name becomes its
// English name (each name the parser reads specially becomes the English
// name it reads), its value is realigned to the value column, and values
// and text lines keep their shape with the generator's Japanese words in
// English and any other text that Windows-1252 cannot hold replaced by
// Western words, some of them accented, so that both encodings matter.
#include "tools/generator/english_report.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "report/report_lines.h"
#include "text/utf8.h"
#include "text/windows_1252.h"

namespace tarnwick {
namespace {

struct Word {
  std::u16string_view japanese;
  std::u16string_view english;
};

// Sorted by the Japanese, for a binary search.
constexpr Word kWords[] = {
    {u"<参照サブオブジェクト>", u"<Referenced Subobject>"},
    {u"DMLデータ・ターゲット・タイプ", u"DML Data Target Type"},
    {u"DMLデータ・ターゲット名", u"DML Data Target Name"},
    {u"LOVの検証", u"Validate from List"},
    {u"ORDER BY句", u"ORDER BY Clause"},
    {u"PL/SQLライブラリの位置", u"PL/SQL Library Location"},
    {u"PL/SQLライブラリ・ソース", u"PL/SQL Library Source"},
    {u"REF項目を含める", u"Include REF Item"},
    {u"WHERE句", u"WHERE Clause"},
    {u"X位置", u"X Position"},
    {u"Y位置", u"Y Position"},
    {u"いいえ", u"No"},
    {u"なし", u"None"},
    {u"はい", u"Yes"},
    {u"アイコン・ファイル名", u"Icon Filename"},
    {u"アイコン使用", u"Iconic"},
    {u"アラート", u"Alerts"},
    {u"ウィンドウ", u"Windows"},
    {u"ウィンドウ・スタイル", u"Window Style"},
    {u"オブジェクト・ライブラリ", u"Object Library"},
    {u"オプティマイザ・ヒント", u"Optimizer Hint"},
    {u"オーバーライド", u"Override"},
    {u"キャンバス", u"Canvases"},
    {u"キャンバス・タイプ", u"Canvas Type"},
    {u"キーボード・アクセラレータ", u"Keyboard Accelerator"},
    {u"キー・モード", u"Key Mode"},
    {u"グラフィックス", u"Graphics"},
    {u"グラフィックス・タイプ", u"Graphics Type"},
    {u"コマンド・タイプ", u"Command Type"},
    {u"コメント", u"Comments"},
    {u"コンソール・ウィンドウ", u"Console Window"},
    {u"コンテンツ", u"Content"},
    {u"サイズ変更許可", u"Resize Allowed"},
    {u"サブクラス・タイプ", u"Subclass Type"},
    {u"サブクラス情報", u"Subclass Information"},
    {u"サマリー・ファンクション", u"Summary Function"},
    {u"スケール", u"Scale"},
    {u"ソース名", u"Source Name"},
    {u"タイトル", u"Title"},
    {u"タブ・ページ", u"Tab Pages"},
    {u"ダイアログ", u"Dialog"},
    {u"チェック・ボックス", u"Check Box"},
    {u"チェック時の値", u"Value when Checked"},
    {u"チェック解除", u"Unchecked"},
    {u"チェック解除時の値", u"Value when Unchecked"},
    {u"テキスト", u"Text"},
    {u"テキスト項目", u"Text Item"},
    {u"ディテール・データ・ブロック", u"Detail Data Block"},
    {u"デフォルト", u"Default"},
    {u"デフォルトの警告ボタン", u"Default Alert Button"},
    {u"デフォルト・ボタン", u"Default Button"},
    {u"データベース・データ・ブロック", u"Database Data Block"},
    {u"データベース項目", u"Database Item"},
    {u"データ型", u"Data Type"},
    {u"トリガー", u"Triggers"},
    {u"トリガー・スタイル", u"Trigger Style"},
    {u"トリガー・テキスト", u"Trigger Text"},
    {u"ドキュメント", u"Document"},
    {u"ナビゲーション形式", u"Navigation Style"},
    {u"バックグラウンド・カラー", u"Background Color"},
    {u"パッケージ仕様部", u"Package Spec"},
    {u"パッケージ本体", u"Package Body"},
    {u"パラメータ", u"Parameters"},
    {u"パラメータのデータ型", u"Parameter Data Type"},
    {u"パラメータの初期値", u"Parameter Initial Value"},
    {u"ヒント", u"Hint"},
    {u"ビジュアル属性", u"Visual Attributes"},
    {u"ビジュアル属性グループ", u"Visual Attribute Group"},
    {u"ビューポートX位置", u"Viewport X Position"},
    {u"ビューポートY位置", u"Viewport Y Position"},
    {u"ビューポート幅", u"Viewport Width"},
    {u"ビューポート高さ", u"Viewport Height"},
    {u"ファイル", u"File"},
    {u"ファンクション", u"Function"},
    {u"フィルタ処理前", u"Filter Before Display"},
    {u"フォアグラウンド・カラー", u"Foreground Color"},
    {u"フォントの太さ", u"Font Weight"},
    {u"フォント・サイズ", u"Font Size"},
    {u"フォント・スタイル", u"Font Style"},
    {u"フォント名", u"Font Name"},
    {u"ブロック", u"Blocks"},
    {u"プッシュ・ボタン", u"Push Button"},
    {u"プログラム・ユニット", u"Program Units"},
    {u"プログラム・ユニットのテキスト", u"Program Unit Text"},
    {u"プログラム・ユニットタイプ", u"Program Unit Type"},
    {u"プログラム単位のテキスト", u"Program Unit Text"},
    {u"プログラム単位タイプ", u"Program Unit Type"},
    {u"プロシージャ", u"Procedure"},
    {u"プロパティ・クラス", u"Property Class"},
    {u"プロパティ・クラス名", u"Property Class Name"},
    {u"プロンプト", u"Prompt"},
    {u"プロンプトの接続端", u"Prompt Attachment Edge"},
    {u"プロンプト揃え", u"Prompt Alignment"},
    {u"プロンプト表示スタイル", u"Prompt Display Style"},
    {u"ヘルプ・ブック・タイトル", u"Help Book Title"},
    {u"ヘルプ・ブック・トピック", u"Help Book Topic"},
    {u"ボタン1", u"Button 1"},
    {u"ボタン1のラベル", u"Button 1 Label"},
    {u"ボタン2のラベル", u"Button 2 Label"},
    {u"ボタン3のラベル", u"Button 3 Label"},
    {u"ポイント", u"Point"},
    {u"ポップアップ・メニュー", u"Popup Menu"},
    {u"ポップリスト", u"Poplist"},
    {u"マウス・ナビゲート", u"Mouse Navigate"},
    {u"マップされていない他のチェック・ボックス値", u"Check Box Mapping of Other Values"},
    {u"マップされていない他の値", u"Mapping of Other Values"},
    {u"メッセージ", u"Message"},
    {u"メニュー", u"Menus"},
    {u"メニューのアイコン", u"Icon in Menu"},
    {u"メニュー・モジュール", u"Menu Module"},
    {u"メニュー・ロール", u"Menu Role"},
    {u"メニュー項目", u"Menu Items"},
    {u"メニュー項目コード", u"Menu Item Code"},
    {u"メニュー項目タイプ", u"Menu Item Type"},
    {u"モーダル", u"Modal"},
    {u"モード", u"Mode"},
    {u"ラジオ・グループ", u"Radio Group"},
    {u"ラジオ・ボタン", u"Radio Buttons"},
    {u"ラジオ・ボタン値", u"Radio Button Value"},
    {u"ラベル", u"Label"},
    {u"リスト内の要素", u"Elements in List"},
    {u"リスト形式", u"List Style"},
    {u"リスト項目", u"List Item"},
    {u"リスト項目値", u"List Item Value"},
    {u"リレーション", u"Relations"},
    {u"レコード・グループ", u"Record Groups"},
    {u"レコード・グループの取出しサイズ", u"Record Group Fetch Size"},
    {u"レコード・グループ・タイプ", u"Record Group Type"},
    {u"レコード・グループ問合せ", u"Record Group Query"},
    {u"レコード・スクロール方向", u"Record Orientation"},
    {u"レコード削除時の動作", u"Delete Record Behavior"},
    {u"ロック・モード", u"Locking Mode"},
    {u"主キャンバス", u"Primary Canvas"},
    {u"主キー", u"Primary Key"},
    {u"主キーの強制", u"Enforce Primary Key"},
    {u"使用可能", u"Enabled"},
    {u"値", u"Value"},
    {u"停止", u"Stop"},
    {u"入力時に上に表示", u"Raise on Entry"},
    {u"分離モード", u"Isolation Mode"},
    {u"列タイトル", u"Column Title"},
    {u"列マッピング・プロパティ", u"Column Mapping Properties"},
    {u"列名", u"Column Name"},
    {u"列指定", u"Column Settings"},
    {u"初期メニュー", u"Initial Menu"},
    {u"初期値", u"Initial Value"},
    {u"別名", u"Alias"},
    {u"削除可能", u"Delete Allowed"},
    {u"前", u"Before"},
    {u"前のナビゲーション・データ・ブロック", u"Previous Navigation Data Block"},
    {u"単一レコード", u"Single Record"},
    {u"参照元オブジェクト", u"Source Object"},
    {u"参照元オブジェクトのタイプ", u"Source Object Type"},
    {u"参照元モジュール", u"Source Module"},
    {u"参照元モジュールのタイプ", u"Source Module Type"},
    {u"参照情報", u"Reference Information"},
    {u"可動メニュー", u"Tear-Off Menu"},
    {u"同じレコード", u"Same Record"},
    {u"名前", u"Name"},
    {u"問合せ", u"Query"},
    {u"問合せの防止", u"Prevent Masterless Operations"},
    {u"問合せデータ・ソースの列", u"Query Data Source Columns"},
    {u"問合せデータ・ソースの引数", u"Query Data Source Arguments"},
    {u"問合せデータ・ソース・タイプ", u"Query Data Source Type"},
    {u"問合せデータ・ソース名", u"Query Data Source Name"},
    {u"問合せ入力モードで起動", u"Fire in Enter-Query Mode"},
    {u"問合せ可能", u"Query Allowed"},
    {u"問合せ配列サイズ", u"Query Array Size"},
    {u"垂直", u"Vertical"},
    {u"型", u"Type"},
    {u"型名", u"Type Name"},
    {u"塗りつぶしパターン", u"Fill Pattern"},
    {u"変更済列のみ更新", u"Update Changed Columns Only"},
    {u"実単位", u"Real Unit"},
    {u"実行階層", u"Execution Hierarchy"},
    {u"対話モード", u"Interaction Mode"},
    {u"幅", u"Width"},
    {u"座標システム", u"Coordinate System"},
    {u"座標情報", u"Coordinate Information"},
    {u"座標系", u"Coordinate System"},
    {u"式", u"Formula"},
    {u"引数名", u"Argument Name"},
    {u"後", u"After"},
    {u"必須", u"Required"},
    {u"情報", u"Note"},
    {u"戻り項目", u"Return Item"},
    {u"挿入可能", u"Insert Allowed"},
    {u"数値", u"Number"},
    {u"文字", u"Char"},
    {u"文字セル幅", u"Character Cell Width"},
    {u"文字セル高", u"Character Cell Height"},
    {u"文字モードの論理属性", u"Character Mode Logical Attribute"},
    {u"日付", u"Date"},
    {u"更新可能", u"Update Allowed"},
    {u"書式マスク", u"Format Mask"},
    {u"最初のレコード", u"First Record"},
    {u"最大取出しレコード数", u"Maximum Records Fetched"},
    {u"最大問合せ時間", u"Maximum Query Time"},
    {u"最大長", u"Maximum Length"},
    {u"最小化許可", u"Minimize Allowed"},
    {u"有効", u"Enabled"},
    {u"検証単位", u"Validation Unit"},
    {u"標準", u"Standard"},
    {u"次のナビゲーション・データ・ブロック", u"Next Navigation Data Block"},
    {u"水平ツールバー・キャンバス", u"Horizontal Toolbar Canvas"},
    {u"注意", u"Caution"},
    {u"現行レコードのビジュアル属性グループ", u"Current Record Visual Attribute Group"},
    {u"移動許可", u"Move Allowed"},
    {u"精度", u"Precision"},
    {u"結合条件", u"Join Condition"},
    {u"自動", u"Automatic"},
    {u"自動スキップ", u"Automatic Skip"},
    {u"自動リフレッシュ", u"Automatic Refresh"},
    {u"自動問合せ", u"Automatic Query"},
    {u"自動表示", u"Automatic Display"},
    {u"自動選択", u"Automatic Select"},
    {u"表", u"Table"},
    {u"表示", u"Visible"},
    {u"表示レコード数", u"Number of Records Displayed"},
    {u"表示幅", u"Display Width"},
    {u"表示項目", u"Display Item"},
    {u"複数行", u"Multi-Line"},
    {u"計算モード", u"Calculation Mode"},
    {u"読取りコミット", u"Read Committed"},
    {u"警告スタイル", u"Alert Style"},
    {u"連結ライブラリ", u"Attached Libraries"},
    {u"遅延", u"Deferred"},
    {u"遅延必須強制", u"Defer Required Enforcement"},
    {u"長さ", u"Length"},
    {u"閉じる許可", u"Close Allowed"},
    {u"開始", u"Start"},
    {u"静的", u"Static"},
    {u"非分離", u"Non-Isolated"},
    {u"項目", u"Items"},
    {u"項目タイプ", u"Item Type"},
    {u"高さ", u"Height"}};

constexpr std::u16string_view kStandIns[] = {
    u"Order",       u"Customer",    u"Amount",          u"Date",
    u"Caf\u00E9",   u"Entr\u00E9e", u"Gr\u00F6\u00DFe", u"Total",
    u"Status",      u"Check",       u"Price",           u"Quantit\u00E9",
    u"Stra\u00DFe", u"Invoice",     u"Supplier",        u"R\u00E9sum\u00E9",
    u"Delivery",    u"Stock",       u"Se\u00F1or"};

constexpr std::size_t kValueColumn = 40;

const std::u16string_view* EnglishWord(std::u16string_view japanese) {
  const Word* end = std::end(kWords);
  const Word* found =
      std::lower_bound(std::begin(kWords), end, japanese,
                       [](const Word& w, std::u16string_view j) { return w.japanese < j; });
  return found != end && found->japanese == japanese ? &found->english : nullptr;
}

bool Western(char16_t c) {
  return Windows1252Byte(c) >= 0;
}

// Each run of characters that Windows-1252 cannot hold becomes one Western
// word, the same word for the same run.
std::u16string StandIn(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (Western(text[i])) {
      out += text[i++];
      continue;
    }
    std::uint32_t hash = 2166136261u;
    for (; i < text.size() && !Western(text[i]); ++i) hash = (hash ^ text[i]) * 16777619u;
    out += kStandIns[hash % std::size(kStandIns)];
  }
  return out;
}

// A value: a known word whole, else word by word, stand-ins for the rest.
std::u16string EnglishValue(std::u16string_view value) {
  if (const std::u16string_view* word = EnglishWord(value)) return std::u16string(*word);
  std::u16string out;
  for (std::size_t i = 0; i < value.size();) {
    if (value[i] == u' ') {
      out += value[i++];
      continue;
    }
    const std::size_t end = std::min(value.find(u' ', i), value.size());
    const std::u16string_view token = value.substr(i, end - i);
    const std::u16string_view* word = EnglishWord(token);
    out += word ? std::u16string(*word) : StandIn(token);
    i = end;
  }
  return out;
}

std::u16string EnglishLine(std::u16string_view line) {
  const std::size_t column = LineColumn(line);
  if (column > line.size()) return std::u16string(line);
  const PropertyLine split = SplitPropertyLine(line, column);
  const std::u16string_view* label = EnglishWord(split.name);
  if (label == nullptr) return StandIn(line);
  std::u16string out(line.substr(0, column - 1));
  out += *label;
  if (split.value.empty()) return out;
  // Values start at the value column; a label too long for it keeps two
  // blanks, one that just fits one blank.
  out.append(out.size() + 1 < kValueColumn ? kValueColumn - 1 - out.size() : 2, u' ');
  return out + EnglishValue(split.value);
}

}  // namespace

std::u16string EnglishReportText(std::u16string_view japanese) {
  std::u16string out;
  out.reserve(japanese.size() + japanese.size() / 2);
  for (std::size_t pos = 0; pos <= japanese.size();) {
    std::size_t end = japanese.find(u'\n', pos);
    if (end == std::u16string_view::npos) end = japanese.size();
    std::u16string_view line = japanese.substr(pos, end - pos);
    const bool cr = line.ends_with(u'\r');
    if (cr) line.remove_suffix(1);
    out += EnglishLine(line);
    if (cr) out += u'\r';
    if (end == japanese.size()) break;
    out += u'\n';
    pos = end + 1;
  }
  return out;
}

std::string EnglishReportBytes(std::u16string_view text, EnglishEncoding encoding) {
  std::u16string crlf;
  crlf.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) crlf += u'\r';
    crlf += text[i];
  }
  if (encoding != EnglishEncoding::kWindows1252) {
    return (encoding == EnglishEncoding::kUtf8WithMark ? "\xEF\xBB\xBF" : "") + ToUtf8(crlf);
  }
  std::string bytes(crlf.size(), '?');
  std::transform(crlf.begin(), crlf.end(), bytes.begin(), [](char16_t c) {
    const int byte = Windows1252Byte(c);
    return byte < 0 ? '?' : static_cast<char>(byte);
  });
  return bytes;
}

}  // namespace tarnwick
