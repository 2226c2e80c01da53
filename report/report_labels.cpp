#include "report/report_labels.h"

#include "report/report_lines.h"

namespace tarnwick {

namespace {

// --- Japanese ---

constexpr std::u16string_view kJaCommentClosing[] = {u"トリガー・スタイル",
                                                     u"ヘルプ・ブック・タイトル",
                                                     u"タイトル",
                                                     u"PL/SQLライブラリ・ソース",
                                                     u"ヘルプ・ブック・トピック",
                                                     u"ナビゲーション形式",
                                                     u"パラメータのデータ型",
                                                     u"子オブジェクト・グループ",
                                                     u"プログラム・ユニットのテキスト",
                                                     u"トリガー",
                                                     u"文字モードの論理属性",
                                                     u"プロンプトのフォアグラウンド・カラー",
                                                     u"レコード・グループ・タイプ",
                                                     u"ディテール・データ・ブロック",
                                                     u"ファイル名",
                                                     u"使用可能",
                                                     u"フォアグラウンド・カラー",
                                                     u"有効",
                                                     u"PL/SQLライブラリの位置",
                                                     u"可動メニュー"};
constexpr std::u16string_view kJaTriggerTextClosing[] = {u"問合せ入力モードで起動"};
constexpr std::u16string_view kJaProgramUnitClosing[] = {u"プログラム単位タイプ",
                                                         u"プログラム・ユニットタイプ"};
constexpr std::u16string_view kJaWhereClosing[] = {u"ORDER BY句"};
constexpr std::u16string_view kJaOrderByClosing[] = {u"オプティマイザ・ヒント"};
constexpr std::u16string_view kJaHintClosing[] = {u"バッファ・レコード", u"挿入可能"};
constexpr std::u16string_view kJaMessageClosing[] = {u"方向", u"警告スタイル"};
constexpr std::u16string_view kJaGroupQueryClosing[] = {u"レコード・グループの取出しサイズ"};
constexpr std::u16string_view kJaPromptClosing[] = {u"プロンプト表示スタイル"};
constexpr std::u16string_view kJaJoinClosing[] = {u"レコード削除時の動作", u"レコード削除？の動作"};
constexpr std::u16string_view kJaInitialValueClosing[] = {u"必須", u"書式マスク",
                                                          u"(項目の)コピー値"};
constexpr std::u16string_view kJaFormulaClosing[] = {u"サマリー・ファンクション"};
constexpr std::u16string_view kJaMenuItemCodeClosing[] = {u"メニューのアイコン"};

constexpr TextName kJaTexts[] = {
    {u"コメント", kJaCommentClosing},
    {u"トリガー・テキスト", kJaTriggerTextClosing},
    {u"プログラム単位のテキスト", kJaProgramUnitClosing},
    {u"プログラム・ユニットのテキスト", kJaProgramUnitClosing},
    {u"WHERE句", kJaWhereClosing},
    {u"ORDER BY句", kJaOrderByClosing},
    {u"オプティマイザ・ヒント", kJaHintClosing},
    {u"メッセージ", kJaMessageClosing},
    {u"レコード・グループ問合せ", kJaGroupQueryClosing},
    {u"プロンプト", kJaPromptClosing},
    {u"結合条件", kJaJoinClosing},
    {u"初期値", kJaInitialValueClosing},
    {u"式", kJaFormulaClosing},
    {u"メニュー項目コード", kJaMenuItemCodeClosing},
};

constexpr std::u16string_view kJaUnreferenced[] = {u"<Not Referenced>", u"<参照サブオブジェクト>"};
constexpr std::u16string_view kJaPropertySections[] = {u"座標システム", u"サブクラス情報",
                                                       u"座標系"};
constexpr std::u16string_view kJaListLabel[] = {u"ラベル"};

constexpr ReportLabels kJapanese{
    .language = ReportLanguage::kJapanese,
    .formKey = u"ﾌｫｰﾑ",
    .name = u"名前",
    .sourceName = u"ソース名",
    .texts = kJaTexts,
    .coordinateInfo = u"座標情報",
    .referenceInfo = u"参照情報",
    .unreferenced = kJaUnreferenced,
    .menuItemCode = u"メニュー項目コード",
    .menuIcon = u"メニューのアイコン",
    .libraries = u"連結ライブラリ",
    .librariesKey = u"連結ﾗｲﾌﾞﾗﾘ",
    .propertySections = kJaPropertySections,
    .listElements = u"リスト内の要素",
    .listLabel = kJaListLabel,
    .listValue = u"リスト項目値",
    .listStyle = u"リスト形式",
    .queryColumns = u"問合せデータ・ソースの列",
    .columnName = u"列名",
    .queryArguments = u"問合せデータ・ソースの引数",
    .argumentName = u"引数名",
    .alias = u"別名",
};

// --- English: the same roles, Forms Builder's English property names ---

constexpr std::u16string_view kEnCommentClosing[] = {u"Trigger Style",
                                                     u"Help Book Title",
                                                     u"Title",
                                                     u"PL/SQL Library Source",
                                                     u"Help Book Topic",
                                                     u"Navigation Style",
                                                     u"Parameter Data Type",
                                                     u"Object Group Children",
                                                     u"Child Object Group",
                                                     u"Program Unit Text",
                                                     u"Triggers",
                                                     u"Trigger",
                                                     u"Character Mode Logical Attribute",
                                                     u"Prompt Foreground Color",
                                                     u"Record Group Type",
                                                     u"Detail Data Block",
                                                     u"File Name",
                                                     u"Filename",
                                                     u"Enabled",
                                                     u"Foreground Color",
                                                     u"PL/SQL Library Location",
                                                     u"Tear-Off Menu"};
constexpr std::u16string_view kEnTriggerTextClosing[] = {u"Fire in Enter-Query Mode"};
constexpr std::u16string_view kEnProgramUnitClosing[] = {u"Program Unit Type"};
constexpr std::u16string_view kEnWhereClosing[] = {u"ORDER BY Clause"};
constexpr std::u16string_view kEnOrderByClosing[] = {u"Optimizer Hint"};
constexpr std::u16string_view kEnHintClosing[] = {u"Number of Records Buffered",
                                                  u"Records Buffered", u"Insert Allowed"};
constexpr std::u16string_view kEnMessageClosing[] = {u"Direction", u"Alert Style"};
constexpr std::u16string_view kEnGroupQueryClosing[] = {u"Record Group Fetch Size"};
constexpr std::u16string_view kEnPromptClosing[] = {u"Prompt Display Style"};
constexpr std::u16string_view kEnJoinClosing[] = {u"Delete Record Behavior",
                                                  u"Delete Record Behaviour"};
constexpr std::u16string_view kEnInitialValueClosing[] = {u"Required", u"Format Mask",
                                                          u"Copy Value from Item"};
constexpr std::u16string_view kEnFormulaClosing[] = {u"Summary Function"};
constexpr std::u16string_view kEnMenuItemCodeClosing[] = {u"Icon in Menu"};

constexpr TextName kEnTexts[] = {
    {u"Comments", kEnCommentClosing},
    {u"Trigger Text", kEnTriggerTextClosing},
    {u"Program Unit Text", kEnProgramUnitClosing},
    {u"WHERE Clause", kEnWhereClosing},
    {u"ORDER BY Clause", kEnOrderByClosing},
    {u"Optimizer Hint", kEnHintClosing},
    {u"Message", kEnMessageClosing},
    {u"Record Group Query", kEnGroupQueryClosing},
    {u"Prompt", kEnPromptClosing},
    {u"Join Condition", kEnJoinClosing},
    {u"Initial Value", kEnInitialValueClosing},
    {u"Formula", kEnFormulaClosing},
    {u"Menu Item Code", kEnMenuItemCodeClosing},
};

constexpr std::u16string_view kEnUnreferenced[] = {u"<Not Referenced>", u"<Referenced Subobject>"};
constexpr std::u16string_view kEnPropertySections[] = {u"Coordinate System",
                                                       u"Subclass Information"};
constexpr std::u16string_view kEnListLabel[] = {u"Label", u"List Element"};

constexpr ReportLabels kEnglish{
    .language = ReportLanguage::kEnglish,
    .formKey = u"Form",
    .name = u"Name",
    .sourceName = u"Source Name",
    .texts = kEnTexts,
    .coordinateInfo = u"Coordinate Information",
    .referenceInfo = u"Reference Information",
    .unreferenced = kEnUnreferenced,
    .menuItemCode = u"Menu Item Code",
    .menuIcon = u"Icon in Menu",
    .libraries = u"Attached Libraries",
    .librariesKey = u"Attached Libraries",
    .propertySections = kEnPropertySections,
    .listElements = u"Elements in List",
    .listLabel = kEnListLabel,
    .listValue = u"List Item Value",
    .listStyle = u"List Style",
    .queryColumns = u"Query Data Source Columns",
    .columnName = u"Column Name",
    .queryArguments = u"Query Data Source Arguments",
    .argumentName = u"Argument Name",
    .alias = u"Alias",
};

}  // namespace

const ReportLabels& JapaneseLabels() {
  return kJapanese;
}

const ReportLabels& EnglishLabels() {
  return kEnglish;
}

const ReportLabels& LabelsFor(ReportLanguage language) {
  return language == ReportLanguage::kEnglish ? kEnglish : kJapanese;
}

ReportLanguage DetectReportLanguage(std::u16string_view text) {
  std::size_t pos = 0;
  for (int lines = 0; lines < kHeaderSearchLines && pos < text.size(); ++lines) {
    const std::size_t lf = text.find(u'\n', pos);
    const std::u16string_view line =
        text.substr(pos, lf == std::u16string_view::npos ? text.npos : lf - pos);
    pos = lf == std::u16string_view::npos ? text.size() : lf + 1;
    if (const std::optional<ReportLanguage> language = HeaderLanguage(line)) return *language;
  }
  return ReportLanguage::kJapanese;
}

std::optional<ReportLanguage> HeaderLanguage(std::u16string_view line) {
  if (line.ends_with(u'\n')) line.remove_suffix(1);
  if (line.ends_with(u'\r') || line.ends_with(u'\x1a')) line.remove_suffix(1);
  const std::size_t column = LineColumn(line);
  if (column > line.size()) return std::nullopt;  // empty, a separator, markers only
  const std::u16string_view rest = line.substr(column - 1);
  if (SplitPropertyLine(line, column).name == kJapanese.name) return ReportLanguage::kJapanese;
  if (rest.starts_with(kEnglish.name) &&
      (rest.size() == kEnglish.name.size() || rest[kEnglish.name.size()] == u' ')) {
    return ReportLanguage::kEnglish;
  }
  return std::nullopt;
}

}  // namespace tarnwick
