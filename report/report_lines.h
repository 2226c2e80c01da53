// The line rules of the report grammar: where a line's name starts (its
// column, past the indentation and the markers " = ^ - * o"), which lines
// only separate, how a property line splits into name and value, and which
// multi-line texts end at which closing names. The parser reads reports by
// them, and the report generator writes and edits reports by the same rules.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace tarnwick {

// Reports pad names to a value column with runs of blanks, so blanks are
// skipped four code units at a time.
inline std::size_t SkipBlanks(std::u16string_view s, std::size_t i) {
  constexpr std::uint64_t kFourBlanks = 0x0020002000200020ull;
  while (i + 4 <= s.size()) {
    std::uint64_t four;
    std::memcpy(&four, s.data() + i, sizeof four);
    if (four != kFourBlanks) break;
    i += 4;
  }
  while (i < s.size() && s[i] == u' ') ++i;
  return i;
}

// The markers " ", "=", "^", "-", "*" and "o".
inline bool IsMarker(char16_t c) {
  constexpr std::uint64_t kMarkersLow =
      (1ull << u' ') | (1ull << u'*') | (1ull << u'-') | (1ull << u'=');
  constexpr std::uint64_t kMarkersHigh = (1ull << (u'^' - 64)) | (1ull << (u'o' - 64));
  if (c < 64) return (kMarkersLow >> c) & 1;
  if (c < 128) return (kMarkersHigh >> (c - 64)) & 1;
  return false;
}

// 1-based position of the first character that is no marker or blank.
inline std::size_t LineColumn(std::u16string_view line) {
  std::size_t i = SkipBlanks(line, 0);
  while (i < line.size() && IsMarker(line[i])) ++i;
  return i + 1;
}

// A separator ("----------" between blanks) is made of markers only, so its
// column is past its end.
inline bool IsSeparatorLine(std::u16string_view line, std::size_t column) {
  constexpr std::u16string_view kSeparator = u"----------";
  if (column != line.size() + 1) return false;
  const std::size_t start = SkipBlanks(line, 0);
  if (line.size() - start < kSeparator.size() ||
      line.substr(start, kSeparator.size()) != kSeparator) {
    return false;
  }
  return SkipBlanks(line, start + kSeparator.size()) == line.size();
}

struct PropertyLine {
  std::u16string_view name;   // up to the first blank; "ORDER BY句" keeps its blank
  std::u16string_view value;  // after the blanks that follow the name; may be empty
};

inline PropertyLine SplitPropertyLine(std::u16string_view line, std::size_t column) {
  constexpr std::u16string_view kOrderBy = u"ORDER BY句";
  const std::u16string_view rest = line.substr(std::min(column - 1, line.size()));
  std::u16string_view name;
  if (rest.starts_with(kOrderBy)) {
    name = rest.substr(0, kOrderBy.size());
  } else {
    name = rest.substr(0, rest.find(u' '));
  }
  return {name, rest.substr(SkipBlanks(rest, name.size()))};
}

inline constexpr std::u16string_view kCommentClosing[] = {u"トリガー・スタイル",
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
inline constexpr std::u16string_view kTriggerTextClosing[] = {u"問合せ入力モードで起動"};
inline constexpr std::u16string_view kProgramUnitClosing[] = {u"プログラム単位タイプ",
                                                       u"プログラム・ユニットタイプ"};
inline constexpr std::u16string_view kWhereClosing[] = {u"ORDER BY句"};
inline constexpr std::u16string_view kOrderByClosing[] = {u"オプティマイザ・ヒント"};
inline constexpr std::u16string_view kHintClosing[] = {u"バッファ・レコード", u"挿入可能"};
inline constexpr std::u16string_view kMessageClosing[] = {u"方向", u"警告スタイル"};
inline constexpr std::u16string_view kGroupQueryClosing[] = {u"レコード・グループの取出しサイズ"};
inline constexpr std::u16string_view kPromptClosing[] = {u"プロンプト表示スタイル"};
inline constexpr std::u16string_view kJoinClosing[] = {u"レコード削除時の動作", u"レコード削除？の動作"};
inline constexpr std::u16string_view kInitialValueClosing[] = {u"必須", u"書式マスク",
                                                        u"(項目の)コピー値"};
inline constexpr std::u16string_view kFormulaClosing[] = {u"サマリー・ファンクション"};
inline constexpr std::u16string_view kMenuItemCodeClosing[] = {u"メニューのアイコン"};

struct TextName {
  std::u16string_view name;
  std::span<const std::u16string_view> closing;
};

// The multi-line texts and the names that end them.
inline constexpr TextName kTextNames[] = {
    {u"コメント", kCommentClosing},
    {u"トリガー・テキスト", kTriggerTextClosing},
    {u"プログラム単位のテキスト", kProgramUnitClosing},
    {u"プログラム・ユニットのテキスト", kProgramUnitClosing},
    {u"WHERE句", kWhereClosing},
    {u"ORDER BY句", kOrderByClosing},
    {u"オプティマイザ・ヒント", kHintClosing},
    {u"メッセージ", kMessageClosing},
    {u"レコード・グループ問合せ", kGroupQueryClosing},
    {u"プロンプト", kPromptClosing},
    {u"結合条件", kJoinClosing},
    {u"初期値", kInitialValueClosing},
    {u"式", kFormulaClosing},
    {u"メニュー項目コード", kMenuItemCodeClosing},
};

// The multi-line text of that name, or null for any other name.
inline const TextName* FindTextName(std::u16string_view name) {
  for (const TextName& entry : kTextNames) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

// True when a line of a text (not at column 1) whose name is `name` ends it.
inline bool IsClosingName(std::span<const std::u16string_view> closing, std::u16string_view name) {
  return std::find(closing.begin(), closing.end(), name) != closing.end();
}

}  // namespace tarnwick
