#include "tools/generator/trigger_report.h"

#include <vector>

#include "tools/generator/report_writer.h"

namespace tarnwick {
namespace {

using gen::Number;

// Statements of a long trigger, nested up to four IF levels deep; no line
// begins with a name that would close the text.
class TriggerBody {
 public:
  explicit TriggerBody(std::uint64_t seed) : rng_(seed) {}

  std::u16string Next() {
    const std::u16string n = Number(static_cast<long long>(rng_.Below(100000)));
    switch (rng_.Below(12)) {
      case 0:
        if (depth_ < 4)
          return Indented(u"IF :CONTROL.AMOUNT_" + n + u" > " + Small() + u" THEN", +1);
        break;
      case 1:
      case 2:
        if (depth_ > 0) return Indented(u"END IF;", -1);
        break;
      case 3:
        return u"";
      case 4:
        return Indented(u"NULL;", 0);
      case 5:
        return Indented(u"-- 明細" + n + u"の在庫数を確認する", 0);
      case 6:
        return Indented(u"MESSAGE('合計金額を更新しました。" + n + u"');", 0);
      default:
        break;
    }
    return Indented(u"v_total := v_total + :CONTROL.AMOUNT_" + n + u" * " + Small() + u";", 0);
  }

 private:
  std::u16string Small() { return Number(static_cast<long long>(rng_.Between(1, 99))); }

  // The line at the current depth; `step` opens (+1) or closes (-1) a level.
  std::u16string Indented(std::u16string_view statement, int step) {
    if (step < 0) --depth_;
    std::u16string line(static_cast<std::size_t>(2 * depth_), u' ');
    line += statement;
    if (step > 0) ++depth_;
    return line;
  }

  gen::Rng rng_;
  int depth_ = 0;
};

std::u16string Report(const gen::Lines& text) {
  gen::ReportWriter out;
  out.Header(0, u"TRIGGER_FORM");
  out.Property(0, u"サブクラス情報");
  out.Property(0, u"コメント", u"長いトリガーの比較", u'o');
  out.Property(0, u"トリガー");
  out.Header(1, u"WHEN-NEW-FORM-INSTANCE");
  out.Property(1, u"サブクラス情報");
  out.Property(1, u"コメント");
  out.Property(1, u"トリガー・スタイル", u"PL/SQL");
  out.TextProperty(1, u"トリガー・テキスト", text, u'o');
  out.Property(1, u"問合せ入力モードで起動", u"いいえ");
  out.Property(1, u"実行階層", u"オーバーライド");
  return out.Take();
}

}  // namespace

TriggerReportPair GenerateTriggerReports(std::size_t bodyLines, std::size_t changedEvery,
                                         std::uint64_t seed) {
  TriggerBody body(seed);
  // The first element is the empty value on the property's own line.
  gen::Lines text1(1), text2(1);
  text1.reserve(bodyLines + 1);
  text2.reserve(bodyLines + 1);
  for (std::size_t k = 1; k <= bodyLines; ++k) {
    std::u16string line = body.Next();
    if (changedEvery != 0 && k % changedEvery == 0) {
      const std::u16string mark = u"-- 変更 " + Number(static_cast<long long>(k));
      text2.push_back(line.empty() ? mark : line + u" " + mark);
    } else {
      text2.push_back(line);
    }
    text1.push_back(std::move(line));
  }
  return {Report(text1), Report(text2)};
}

}  // namespace tarnwick
