// Line difference and HTML table throughput on generated PL/SQL-like texts.
// Set TARNWICK_DIFF_TEXTS=DIR to also write the compared texts as DIR/a.txt
// and DIR/b.txt (UTF-8, LF), for timing another diff on the same input.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "classic/html_table.h"
#include "diff/str_diff.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

struct TextPair {
  std::u16string text1;
  std::u16string text2;
};

class PlsqlLines {
 public:
  // repeated: share of lines that are one of "END IF;", "NULL;", "END;", "".
  PlsqlLines(std::uint64_t seed, double repeated) : rng_(seed), repeated_(repeated) {}

  std::u16string Next() {
    if (Chance(repeated_)) {
      static constexpr const char16_t* kRepeated[] = {u"END IF;", u"NULL;", u"END;", u""};
      return Indent() + kRepeated[Pick(4)];
    }
    const std::u16string n = Number();
    switch (Pick(8)) {
      case 0:
        return Indent() + u"IF v_count_" + n + u" > " + Number() + u" THEN";
      case 1:
        return Indent() + u"v_total := v_total + " + n + u";";
      case 2:
        return Indent() + u"SELECT name INTO v_name FROM item_" + n + u" WHERE id = :blk.id;";
      case 3:
        return Indent() + u"-- 在庫数を確認する " + n;
      case 4:
        return Indent() + u"message('保存しました " + n + u"');";
      case 5:
        return Indent() + u"go_item('blk_" + n + u".field');";
      case 6:
        return Indent() + u"v_flag := nvl(:blk.col_" + n + u", 'N');";
      default:
        return Indent() + u"raise form_trigger_failure; -- " + n;
    }
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

 private:
  std::u16string Indent() { return std::u16string(2 * Pick(4), u' '); }
  std::u16string Number() {
    const std::string digits = std::to_string(Pick(100000));
    return std::u16string(digits.begin(), digits.end());
  }

  std::mt19937_64 rng_;
  double repeated_;
};

std::u16string Utf16(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

std::u16string Join(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (const std::u16string& line : lines) {
    text += line;
    text += u"\r\n";
  }
  return text;
}

// Two versions of `count` lines; 1% of the lines are changed, inserted or
// deleted at random places.
TextPair MakePair(int count, double repeated) {
  PlsqlLines gen(count * 7919 + static_cast<int>(repeated * 100), repeated);
  std::vector<std::u16string> lines;
  lines.reserve(count);
  for (int k = 0; k < count; ++k) lines.push_back(gen.Next());
  TextPair pair;
  pair.text1 = Join(lines);
  for (int edits = count / 100; edits > 0; --edits) {
    const std::size_t at = gen.Pick(static_cast<int>(lines.size()));
    switch (gen.Pick(3)) {
      case 0:
        lines[at] = gen.Next();
        break;
      case 1:
        lines.insert(lines.begin() + at, gen.Next());
        break;
      default:
        lines.erase(lines.begin() + at);
        break;
    }
  }
  pair.text2 = Join(lines);
  return pair;
}

void WriteForOtherTools(const TextPair& pair, const char* name) {
  const char* dir = std::getenv("TARNWICK_DIFF_TEXTS");
  if (dir == nullptr) return;
  std::ofstream(std::string(dir) + "/" + name + "_a.txt", std::ios::binary) << ToUtf8(pair.text1);
  std::ofstream(std::string(dir) + "/" + name + "_b.txt", std::ios::binary) << ToUtf8(pair.text2);
}

void RunDiffOn(benchmark::State& state, const TextPair& pair) {
  std::int64_t records = 0;
  for (auto _ : state) {
    StrDiff2 diff;
    diff.SetText1(pair.text1);
    diff.SetText2(pair.text2);
    diff.BuildDiff();
    diff.Rewind();
    records = 0;
    for (LineRecord r; diff.NextDiffLine(r);) {
      benchmark::DoNotOptimize(r);
      ++records;
    }
  }
  state.counters["records"] = static_cast<double>(records);
  state.SetItemsProcessed(state.iterations() * 2 * state.range(0));  // lines of both texts
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(2 * (pair.text1.size() + pair.text2.size())));
}

void RunDiff(benchmark::State& state, double repeated, const char* name) {
  const TextPair pair = MakePair(static_cast<int>(state.range(0)), repeated);
  WriteForOtherTools(pair, name);
  RunDiffOn(state, pair);
}

void BM_StrDiffScatteredEdits(benchmark::State& state) {
  RunDiff(state, 0.05, "plain");
}
BENCHMARK(BM_StrDiffScatteredEdits)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_StrDiffHeavyRepetition(benchmark::State& state) {
  RunDiff(state, 1.0 / 3, "repeated");
}
BENCHMARK(BM_StrDiffHeavyRepetition)->Arg(100000)->Unit(benchmark::kMillisecond);

// Every second line changed, as when a long trigger is reworked throughout:
// no run is longer than one line, so the whole text is one block that takes
// a search per line.
TextPair MakeDensePair(int count) {
  PlsqlLines gen(count * 31 + 1, 0.2);
  std::vector<std::u16string> lines1, lines2;
  lines1.reserve(count);
  lines2.reserve(count);
  for (int k = 1; k <= count; ++k) {
    lines1.push_back(gen.Next());
    lines2.push_back(k % 2 == 0 ? lines1.back() + u" -- 変更" : lines1.back());
  }
  return {Join(lines1), Join(lines2)};
}

// Runs of distinct lines that shorten from the first to the last, each after
// a changed line: every search finds a shorter run than the one before, the
// worst case for searching each time afresh. About `count` lines.
TextPair MakeShrinkingRunsPair(int count) {
  int runs = 1;
  while ((runs + 1) * (runs + 2) / 2 <= count) ++runs;
  std::vector<std::u16string> lines1, lines2;
  for (int m = runs; m >= 1; --m) {
    const std::u16string run = u"run " + Utf16(std::to_string(m)) + u" line ";
    lines1.push_back(u"old " + Utf16(std::to_string(m)));
    lines2.push_back(u"new " + Utf16(std::to_string(m)));
    for (int t = 0; t < m; ++t) {
      lines1.push_back(run + Utf16(std::to_string(t)));
      lines2.push_back(lines1.back());
    }
  }
  return {Join(lines1), Join(lines2)};
}

void BM_StrDiffDenseChanges(benchmark::State& state) {
  RunDiffOn(state, MakeDensePair(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_StrDiffDenseChanges)
    ->Arg(20000)
    ->Arg(40000)
    ->Arg(80000)
    ->Arg(160000)
    ->Unit(benchmark::kMillisecond);

void BM_StrDiffShrinkingRuns(benchmark::State& state) {
  RunDiffOn(state, MakeShrinkingRunsPair(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_StrDiffShrinkingRuns)
    ->Arg(20000)
    ->Arg(40000)
    ->Arg(80000)
    ->Arg(160000)
    ->Unit(benchmark::kMillisecond);

// Many small comparisons, as for the trigger texts of a form: 20 lines, one
// of them changed. Items are comparisons.
void BM_StrDiffSmallTexts(benchmark::State& state) {
  const TextPair pair = MakePair(20, 0.2);
  PlsqlLines gen(7, 0.2);
  std::u16string text2 = pair.text1;
  text2.insert(text2.find(u"\r\n") + 2, gen.Next() + u"\r\n");
  for (auto _ : state) {
    StrDiff2 diff;
    diff.SetText1(pair.text1);
    diff.SetText2(text2);
    diff.BuildDiff();
    diff.Rewind();
    for (LineRecord r; diff.NextDiffLine(r);) {
      benchmark::DoNotOptimize(r);
    }
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StrDiffSmallTexts);

// Rows of six cells as the comparison pages have them, with text to escape.
void BM_HtmlTableCells(benchmark::State& state) {
  const std::int64_t cells = state.range(0);
  std::int64_t bytes = 0;
  for (auto _ : state) {
    HTMLTblCls table;
    for (std::int64_t k = 0; k < cells; ++k) {
      if (k % 6 == 0) table.StartRow();
      if (k % 6 == 5) {
        table.AddCell(u"IF :blk.a <> \"x\" THEN\r\n\tv := 1; & 終了", u"bgcolor=\"yellow\"");
      } else {
        table.AddCell(u"プロパティ名", u"");
      }
    }
    const std::u16string body = table.sStr();
    bytes = static_cast<std::int64_t>(body.size() * 2);
    benchmark::DoNotOptimize(body.data());
  }
  state.SetItemsProcessed(state.iterations() * cells);
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_HtmlTableCells)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(3000000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnwick
