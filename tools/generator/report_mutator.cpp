// A second version of a report with the edits developers make between two
// releases. The report is read with the report's own line rules (columns,
// names, texts closed by their closing names), so that an edit never turns a
// text line into a closing line or a property into a section: the result is
// as readable as its source.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "report/report_labels.h"
#include "report/report_lines.h"
#include "text/line_reader.h"
#include "tools/generator/report_generator.h"
#include "tools/generator/report_writer.h"

namespace tarnwick {
namespace gen {
namespace {

// 1-based column of the first character that is no marker.
std::size_t ColumnOf(std::u16string_view line) {
  return LineColumn(line);
}

std::u16string_view NameAt(std::u16string_view line, std::size_t column) {
  return SplitPropertyLine(line, column).name;
}

// Index where the value starts, or npos when the line has no value.
std::size_t ValueStart(std::u16string_view line) {
  const std::u16string_view value = SplitPropertyLine(line, LineColumn(line)).value;
  return value.empty() ? std::u16string_view::npos : line.size() - value.size();
}

bool IsSeparator(std::u16string_view line) {
  return IsSeparatorLine(line, LineColumn(line));
}

// True when `line` inside a text governed by `rule` would end that text.
bool Closes(std::u16string_view line, const TextName& rule) {
  const std::size_t column = ColumnOf(line);
  return column != 1 && IsClosingName(rule.closing, NameAt(line, column));
}

enum class Kind { kBlank, kFixed, kHeader, kProperty, kBody };

struct LineInfo {
  Kind kind = Kind::kBlank;
  const TextName* text = nullptr;  // for body lines: the text they belong to
  bool itemHeader = false;         // "名前" directly inside a "項目" section
};

std::vector<LineInfo> Classify(const std::vector<std::u16string>& lines) {
  std::vector<LineInfo> info(lines.size());
  struct Open {
    std::size_t column;
    std::u16string_view name;
  };
  std::vector<Open> open;
  std::size_t i = 0;
  auto nextContent = [&](std::size_t from) {
    while (from < lines.size() && (lines[from].empty() || IsSeparator(lines[from]))) ++from;
    return from;
  };
  while (i < lines.size()) {
    const std::u16string& line = lines[i];
    if (line.empty() || IsSeparator(line)) {
      ++i;
      continue;
    }
    const std::size_t column = ColumnOf(line);
    const std::u16string_view name = NameAt(line, column);
    while (!open.empty() && open.back().column >= column) open.pop_back();
    const std::u16string_view parent = open.empty() ? std::u16string_view() : open.back().name;
    open.push_back({column, name});
    const std::size_t valueAt = ValueStart(line);
    const std::u16string_view value = valueAt == std::u16string_view::npos
                                          ? std::u16string_view()
                                          : std::u16string_view(line).substr(valueAt);
    const TextName* rule = FindTextName(name, JapaneseLabels());
    if (name == u"メニュー項目コード" &&
        value.find(u"メニューのアイコン") != std::u16string_view::npos) {
      // One line holding two properties: left as it is.
      info[i].kind = Kind::kFixed;
      ++i;
      continue;
    }
    if (rule != nullptr) {
      info[i].kind = Kind::kProperty;
      std::size_t j = i + 1;
      while (j < lines.size() && !Closes(lines[j], *rule)) {
        info[j].kind = Kind::kBody;
        info[j].text = rule;
        ++j;
      }
      i = j;
      continue;
    }
    if (name == u"名前") {
      info[i].kind = Kind::kHeader;
      info[i].itemHeader = parent == u"項目";
      ++i;
      continue;
    }
    std::size_t fixedFrom = i + 1, fixedTo = i + 1;
    if (name == u"座標情報") {
      const std::size_t first = nextContent(i + 1);
      fixedTo = first + 1;
      if (first < lines.size()) {
        const std::size_t c0 = ColumnOf(lines[first]);
        while (fixedTo < lines.size()) {
          const std::size_t k = nextContent(fixedTo);
          if (k >= lines.size() || ColumnOf(lines[k]) != c0) break;
          fixedTo = k + 1;
        }
      }
    } else if (name == u"参照情報" && !value.empty() && value.find(u"<Not Referenced>") != 0 &&
               value.find(u"<参照サブオブジェクト>") != 0) {
      for (int n = 0; n < 4; ++n) fixedTo = nextContent(fixedTo) + 1;
    } else if (name == u"連結ライブラリ") {
      const std::size_t first = nextContent(i + 1);
      if (first < lines.size() && ColumnOf(lines[first]) > column) {
        const std::size_t c0 = ColumnOf(lines[first]);
        fixedTo = first;
        while (fixedTo < lines.size() && ColumnOf(lines[fixedTo]) == c0) ++fixedTo;
      }
    }
    info[i].kind = fixedTo > fixedFrom ? Kind::kFixed : Kind::kProperty;
    for (std::size_t k = fixedFrom; k < std::min(fixedTo, lines.size()); ++k)
      info[k].kind = Kind::kFixed;
    i = std::max(i + 1, std::min(fixedTo, lines.size()));
  }
  return info;
}

// The lines of the item whose header is at `header`, up to the next object
// at its level or the end of its section.
std::size_t ItemEnd(const std::vector<std::u16string>& lines, const std::vector<LineInfo>& info,
                    std::size_t header) {
  const std::size_t column = ColumnOf(lines[header]);
  std::size_t end = header + 1;
  for (; end < lines.size(); ++end) {
    const Kind kind = info[end].kind;
    if (kind == Kind::kBody || kind == Kind::kFixed || kind == Kind::kBlank) continue;
    const std::size_t c = ColumnOf(lines[end]);
    if (c < column || (c == column && info[end].kind == Kind::kHeader)) break;
  }
  return end;
}

const std::vector<std::u16string> kNewStatements = {
    u"NULL;",
    u"SYNCHRONIZE;",
    u":SYSTEM.MESSAGE_LEVEL := '25';",
    u"-- 2024/06/10 障害対応 No.2087",
    u"MESSAGE('処理を中断しました。');",
    u"CLEAR_MESSAGE;",
};

const std::vector<std::u16string> kNewMessages = {
    u"入力された値が正しくありません。",
    u"該当データが見つかりません。",
    u"更新できませんでした。管理者に連絡してください。",
};

struct NewItem {
  std::u16string_view name, prompt;
};
const NewItem kNewItems[] = {
    {u"APPROVED_BY", u"承認者"},  {u"APPROVED_AT", u"承認日時"},   {u"CONTACT_NAME", u"担当者名"},
    {u"PRIORITY", u"優先度"},     {u"REGION_CODE", u"地区コード"}, {u"DISCOUNT_AMOUNT", u"値引額"},
    {u"ORDER_TYPE", u"受注区分"}, {u"NOTE", u"社内メモ"},
};

std::u16string LeadingBlanks(std::u16string_view line) {
  std::size_t n = 0;
  while (n < line.size() && line[n] == u' ') ++n;
  return std::u16string(n, u' ');
}

void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
  if (from.empty()) return;
  for (std::size_t at = text.find(from); at != std::u16string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// A changed body line: a number or message changed, or the line commented out.
std::optional<std::u16string> ChangeBodyLine(Rng& rng, const std::u16string& line) {
  const std::size_t digit = line.find_first_of(u"0123456789");
  const std::size_t quote = line.find(u'\'');
  if (digit != std::u16string::npos && rng.Percent(60)) {
    std::size_t end = digit;
    while (end < line.size() && line[end] >= u'0' && line[end] <= u'9') ++end;
    std::u16string changed = line;
    changed.replace(digit, end - digit, Number(static_cast<long long>(rng.Between(1, 99))));
    if (changed != line) return changed;
  }
  if (quote != std::u16string::npos && line.find(u"MESSAGE('") != std::u16string::npos) {
    const std::size_t open = line.find(u"MESSAGE('") + 9;
    const std::size_t close = line.find(u'\'', open);
    if (close != std::u16string::npos) {
      std::u16string changed = line;
      changed.replace(open, close - open, rng.Pick(kNewMessages));
      if (changed != line) return changed;
    }
  }
  const std::u16string indent = LeadingBlanks(line);
  const std::u16string trimmed = line.substr(indent.size());
  if (trimmed.empty()) return u"NULL;";
  if (trimmed.starts_with(u"--")) return indent + trimmed.substr(2);
  // Commenting out a statement keeps the code well formed; a keyword line
  // such as BEGIN or END IF; is left alone.
  static const std::u16string_view kKeywords[] = {
      u"DECLARE", u"BEGIN", u"END",  u"EXCEPTION", u"ELSE",     u"ELSIF",  u"IF ",
      u"FOR ",    u"WHEN ", u"LOOP", u"PROCEDURE", u"FUNCTION", u"PACKAGE"};
  for (std::u16string_view keyword : kKeywords) {
    if (trimmed.starts_with(keyword)) return std::nullopt;
  }
  if (trimmed.back() != u';') return std::nullopt;
  return indent + u"-- " + trimmed;
}

std::optional<std::u16string> ChangeValue(Rng& rng, std::u16string_view value) {
  if (value == u"はい") return u"いいえ";
  if (value == u"いいえ") return u"はい";
  if (!value.empty() &&
      std::all_of(value.begin(), value.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; })) {
    long long n = 0;
    for (char16_t c : value) n = std::min(n * 10 + (c - u'0'), 100000000LL);
    const long long changed = n + rng.Between(1, 20) * (n >= 40 && rng.Percent(50) ? -2 : 2);
    return Number(std::max(changed, 1LL));
  }
  static const std::u16string_view kRewrites[][2] = {
      {u"を入力してください。", u"を指定してください。"},
      {u"番号", u"No."},
      {u"コード", u"CD"},
      {u"名", u"名称"},
      {u"日", u"年月日"},
      {u"金額", u"額"},
      {u"受付", u"受注"}};
  for (const auto& rewrite : kRewrites) {
    const std::size_t at = value.find(rewrite[0]);
    if (at != std::u16string_view::npos) {
      std::u16string changed(value);
      changed.replace(at, rewrite[0].size(), rewrite[1]);
      return changed;
    }
  }
  return std::nullopt;
}

struct Slot {
  bool touched = false;
  bool deleted = false;
  std::optional<std::u16string> replacement;
  std::vector<std::u16string> after;
};

}  // namespace
}  // namespace gen

std::u16string MutateReportText(std::u16string_view text, double editFraction, std::uint64_t seed) {
  using namespace gen;
  std::vector<std::u16string> lines;
  for (std::int64_t position = 1; position != -1;) lines.emplace_back(ReadLine(text, position));
  // Text that ends in a line break has no line after it.
  if (lines.back().empty()) lines.pop_back();
  const std::vector<LineInfo> info = Classify(lines);
  std::vector<Slot> slots(lines.size());
  Rng rng(seed);

  std::size_t content = 0;
  for (const LineInfo& i : info) content += i.kind != Kind::kBlank;
  long long budget = editFraction <= 0 || content == 0
                         ? 0
                         : std::max(1LL, std::llround(static_cast<double>(content) * editFraction));

  // An item added or removed now and then, costing its lines from the budget.
  std::vector<std::size_t> items;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (info[i].itemHeader) items.push_back(i);
  }
  long long structural = budget / 4;
  bool anyStructural = false;
  for (int attempt = 0; structural > 0 && !items.empty() && attempt < 50; ++attempt) {
    const std::size_t header = items[rng.Below(items.size())];
    const std::size_t end = ItemEnd(lines, info, header);
    const long long cost = static_cast<long long>(end - header);
    // The first one may overdraw a small budget: a report differs by an item.
    if (cost > structural && (anyStructural || cost > 120 || budget < 10)) continue;
    bool free = true;
    for (std::size_t k = header; k < end; ++k) free = free && !slots[k].touched;
    if (!free || cost > 200) continue;
    if (rng.Percent(50)) {
      // Keep at least one item in its section: remove only items with a sibling.
      const auto at = std::find(items.begin(), items.end(), header);
      const bool nextSibling = end < lines.size() && info[end].itemHeader;
      const bool previousSibling = at != items.begin() && ItemEnd(lines, info, *(at - 1)) == header;
      if (!nextSibling && !previousSibling) continue;
      for (std::size_t k = header; k < end; ++k) slots[k].touched = slots[k].deleted = true;
    } else {
      const NewItem& added = kNewItems[rng.Below(std::size(kNewItems))];
      const std::size_t valueAt = ValueStart(lines[header]);
      if (valueAt == std::u16string_view::npos) continue;
      const std::u16string oldName = lines[header].substr(valueAt);
      std::u16string oldPrompt;
      for (std::size_t k = header; k < end; ++k) {
        if (NameAt(lines[k], ColumnOf(lines[k])) == u"プロンプト" &&
            ValueStart(lines[k]) != std::u16string::npos) {
          oldPrompt = lines[k].substr(ValueStart(lines[k]));
        }
      }
      for (std::size_t k = header; k < end; ++k) {
        std::u16string copy = lines[k];
        ReplaceAll(copy, oldName, added.name);
        if (!oldPrompt.empty()) ReplaceAll(copy, oldPrompt, added.prompt);
        slots[end - 1].after.push_back(std::move(copy));
      }
      for (std::size_t k = header; k < end; ++k) slots[k].touched = true;
    }
    budget -= cost;
    structural -= cost;
    anyStructural = true;
  }

  // Then single lines: trigger and program unit bodies most, property values.
  const long long attempts = std::max(budget, 0LL) * 30 + 100;
  for (long long attempt = 0; budget > 0 && attempt < attempts; ++attempt) {
    const std::size_t i = rng.Below(lines.size());
    if (slots[i].touched) continue;
    const LineInfo& li = info[i];
    if (li.kind == Kind::kBody) {
      const std::size_t choice = rng.Below(100);
      if (choice < 45) {
        std::optional<std::u16string> changed = ChangeBodyLine(rng, lines[i]);
        if (!changed || *changed == lines[i] || Closes(*changed, *li.text)) continue;
        slots[i].replacement = std::move(changed);
      } else if (choice < 75) {
        std::u16string inserted = LeadingBlanks(lines[i]) + rng.Pick(kNewStatements);
        if (Closes(inserted, *li.text)) continue;
        slots[i].after.push_back(std::move(inserted));
      } else {
        slots[i].deleted = true;
      }
    } else if (li.kind == Kind::kProperty && rng.Percent(40)) {
      const std::size_t valueAt = ValueStart(lines[i]);
      if (valueAt == std::u16string_view::npos) continue;
      std::optional<std::u16string> value =
          ChangeValue(rng, std::u16string_view(lines[i]).substr(valueAt));
      if (!value) continue;
      slots[i].replacement = lines[i].substr(0, valueAt) + *value;
    } else {
      continue;
    }
    slots[i].touched = true;
    --budget;
  }

  std::u16string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!slots[i].deleted) {
      out += slots[i].replacement ? *slots[i].replacement : lines[i];
      out += u"\r\n";
    }
    for (const std::u16string& line : slots[i].after) {
      out += line;
      out += u"\r\n";
    }
  }
  return out;
}

}  // namespace tarnwick
