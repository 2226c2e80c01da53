#include "textview/markdown_view.h"

#include <algorithm>

#include "text/decimal.h"
#include "text/html_entity.h"
#include "textview/changed_objects.h"

namespace tarnwick {
namespace {

// Room kept at the end for the note on what was left out.
constexpr std::size_t kNoteRoom = 400;

std::size_t LongestRun(std::u16string_view text, char16_t c) {
  std::size_t longest = 0, run = 0;
  for (const char16_t x : text) {
    run = x == c ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return longest;
}

// `text` as a code span whatever backticks it holds; an empty value as a word.
std::u16string CodeSpan(std::u16string_view value) {
  if (value.empty()) return u"（空）";
  const std::u16string text = PrintableText(value);
  const std::u16string fence(LongestRun(text, u'`') + 1, u'`');
  const bool pad = text.front() == u'`' || text.back() == u'`';
  return fence + (pad ? u" " : u"") + text + (pad ? u" " : u"") + fence;
}

std::u16string HtmlText(std::u16string_view text) {
  std::u16string out;
  for (const char16_t c : PrintableText(text)) {
    const std::u16string_view entity = HtmlEntity(c);
    if (entity.empty()) {
      out += c;
    } else {
      out += entity;
    }
  }
  return out;
}

// A table cell: a "|" would end it, even inside a code span.
std::u16string Cell(std::u16string_view text) {
  std::u16string out;
  for (const char16_t c : text) {
    if (c == u'|') out += u'\\';
    out += c;
  }
  return out;
}

std::u16string Number(std::int64_t n) {
  return DecimalText(n);
}

std::u16string CountsText(const ChangeCounts& counts, std::u16string_view bold) {
  const auto n = [&](std::int64_t v) {
    return std::u16string(bold) + Number(v) + std::u16string(bold);
  };
  return u"オブジェクト: 追加 " + n(counts.objectsAdded) + u"・削除 " + n(counts.objectsRemoved) +
         u"・変更 " + n(counts.objectsChanged) +
         (counts.objectsMoved > 0 ? u"・移動 " + n(counts.objectsMoved) : u"") + u"　行: 追加 " +
         n(counts.linesAdded) + u"・削除 " + n(counts.linesRemoved);
}

}  // namespace

// Gathers one pair into its report: a block of Markdown per changed object.
class MarkdownPair final : public ComparisonRenderer, private ChangeListener {
 public:
  explicit MarkdownPair(MarkdownReport& report) : report_(report), objects_(*this) {}

  PageEncoding Encoding() const override { return PageEncoding::kUtf8; }
  CompareEvents& Start(TextSink&) override { return objects_; }
  void Finish(const ComparisonVerdict& verdict) override {
    Keep();
    entry_.name = verdict.heading;
    entry_.counts = verdict.result.counts;
    if (verdict.result.differs && entry_.status == FileStatus::Same) {
      entry_.status = FileStatus::Different;
    }
    report_.pairs_.push_back(std::move(entry_));
  }

 private:
  void Begin(std::span<const std::u16string> titles1,
             std::span<const std::u16string> titles2) override {
    const auto absent = [](std::span<const std::u16string> titles) {
      return std::all_of(titles.begin(), titles.end(),
                         [](const std::u16string& t) { return t.empty(); });
    };
    entry_.status = absent(titles1)   ? FileStatus::OnlyIn2
                    : absent(titles2) ? FileStatus::OnlyIn1
                                      : FileStatus::Different;
  }
  void Outline(std::span<const LineRecord> lines) override {
    Keep();
    block_ = u"**" + std::u16string(kOutlineSectionName) + u"**\n\n";
    Listing(lines, true);
  }
  void Object(const ChangedObject& object) override {
    // An object one side lacks is named, not listed: a comment has no room
    // for whole objects, and the page shows them.
    oneSided_ = object.state != ObjectState::kChanged;
    if (object.inOneSided) return;
    Keep();
    const std::u16string path =
        object.path.empty() ? u"（比較したオブジェクト）" : CodeSpan(object.path);
    switch (object.state) {
      case ObjectState::kChanged:
        block_ = u"**" + path + u"**" + MoveText(object) + u"\n\n";
        break;
      case ObjectState::kAdded:
        block_ = u"**＋ " + path + (object.inOneSided ? u"" : u"（追加）") + u"**\n\n";
        break;
      case ObjectState::kRemoved:
        block_ = u"**－ " + path + (object.inOneSided ? u"" : u"（削除）") + u"**\n\n";
        break;
    }
  }
  void Property(const PropertyChange& change) override {
    if (oneSided_) return;
    const std::u16string name = CodeSpan(change.name);
    const std::u16string_view lead = change.value1 == nullptr   ? u"＋ "
                                     : change.value2 == nullptr ? u"－ "
                                                                : u"";
    if (change.multiLine) {
      if (inList_) block_ += u"\n";
      inList_ = false;
      block_ += std::u16string(lead) + name + u":\n\n";
      Listing(change.lines);
      return;
    }
    inList_ = true;
    block_ += u"- " + std::u16string(lead) + name + u": ";
    if (change.value1 != nullptr && change.value2 != nullptr) {
      block_ += CodeSpan(*change.value1) + u" → " + CodeSpan(*change.value2);
    } else {
      block_ += CodeSpan(change.value1 != nullptr ? *change.value1 : *change.value2);
    }
    block_ += u"\n";
  }

  void IgnoredProperty(const PropertyChange& change) override {
    if (oneSided_) return;
    inList_ = true;
    block_ += u"- " + CodeSpan(change.name) + u": ";
    if (change.multiLine) {
      block_ += u"（複数行）";
    } else {
      block_ += (change.value1 != nullptr ? CodeSpan(*change.value1) : u"（なし）") + u" → " +
                (change.value2 != nullptr ? CodeSpan(*change.value2) : u"（なし）");
    }
    block_ += u" _（無視）_\n";
  }

  void Listing(std::span<const LineRecord> lines, bool marksMoves = false) {
    const std::vector<ListingLine> shownLines = ListingLinesOf(lines, marksMoves);
    std::u16string body;
    for (const ListingHunk& hunk : UnifiedHunks(lines)) {
      body += HunkHeader(hunk) + u"\n";
      for (std::size_t k = hunk.begin; k < hunk.end; ++k) {
        const ListingLine shown = shownLines[k];
        body += shown.mark;
        body += PrintableText(shown.text);
        body += u"\n";
      }
    }
    const std::u16string fence(std::max<std::size_t>(3, LongestRun(body, u'`') + 1), u'`');
    block_ += fence + u"diff\n" + body + fence + u"\n\n";
    inList_ = false;
  }

  // Moves the block made so far into the pair, or counts it when the
  // report holds as much as it can ever show.
  void Keep() {
    if (block_.empty()) return;
    if (inList_) block_ += u"\n";
    inList_ = false;
    if (report_.kept_ + block_.size() <= kMarkdownLimit) {
      report_.kept_ += block_.size();
      entry_.blocks.push_back(std::move(block_));
    } else {
      ++entry_.blocksLeftOut;
    }
    block_.clear();
  }

  MarkdownReport& report_;
  ChangedObjects objects_;
  MarkdownReport::PairEntry entry_;
  std::u16string block_;
  bool inList_ = false;
  bool oneSided_ = false;  // the properties now coming are a one-sided object's
};

std::unique_ptr<ComparisonRenderer> MarkdownReport::Pair() {
  return std::make_unique<MarkdownPair>(*this);
}

void MarkdownReport::Write(TextSink& out, std::size_t limit) const {
  ChangeCounts total;
  std::int64_t differing = 0;
  for (const PairEntry& pair : pairs_) {
    total += pair.counts;
    if (pair.status != FileStatus::Same) ++differing;
  }
  const auto pairCount = static_cast<std::int64_t>(pairs_.size());
  std::u16string text = u"### 比較結果\n\n";
  text += u"比較したペア **" + Number(pairCount) + u"**・差異あり **" + Number(differing) +
          u"**・一致 **" + Number(pairCount - differing) + u"**\n\n";
  if (differing == 0) {
    text += u"差異はありません。\n";
    out.Write(text.substr(0, limit));
    return;
  }
  text += CountsText(total, u"**") + u"\n\n";
  text +=
      u"| レポート | 状態 | 追加 | 削除 | 変更 | 行 |\n| --- | --- | ---: | ---: | ---: | ---: |\n";
  std::int64_t rowsLeft = differing;
  for (const PairEntry& pair : pairs_) {
    if (pair.status == FileStatus::Same) continue;
    std::u16string row =
        u"| " + Cell(CodeSpan(pair.name)) + u" | " + std::u16string(StatusText(pair.status)) +
        u" | " + Number(pair.counts.objectsAdded) + u" | " + Number(pair.counts.objectsRemoved) +
        u" | " + Number(pair.counts.objectsChanged) + u" | +" + Number(pair.counts.linesAdded) +
        u" −" + Number(pair.counts.linesRemoved) + u" |\n";
    // The table takes at most half the room, the sections the rest.
    if (text.size() + row.size() > limit / 2) break;
    text += row;
    --rowsLeft;
  }
  if (rowsLeft > 0) text += u"| … | ほか " + Number(rowsLeft) + u" ペア | | | | |\n";
  text += u"\n";

  std::int64_t pairsLeftOut = 0;
  std::size_t objectsLeftOut = 0;
  const std::u16string close = u"</details>\n\n";
  for (const PairEntry& pair : pairs_) {
    if (pair.status == FileStatus::Same) continue;
    const std::u16string open = u"<details>\n<summary><code>" + HtmlText(pair.name) +
                                u"</code> — " + CountsText(pair.counts, u"") + u"</summary>\n\n";
    const std::size_t shown = pair.blocks.size() + pair.blocksLeftOut;
    if (text.size() + open.size() + close.size() + 2 * kNoteRoom > limit) {
      ++pairsLeftOut;
      objectsLeftOut += shown;
      continue;
    }
    text += open;
    std::size_t cut = pair.blocksLeftOut;
    for (std::size_t k = 0; k < pair.blocks.size(); ++k) {
      if (text.size() + pair.blocks[k].size() + close.size() + 2 * kNoteRoom > limit) {
        cut += pair.blocks.size() - k;
        break;
      }
      text += pair.blocks[k];
    }
    if (cut > 0) {
      text += u"_… ほか " + Number(static_cast<std::int64_t>(cut)) +
              u" 件の変更は上限のため省略しました。_\n\n";
      objectsLeftOut += cut;
    }
    text += close;
  }
  if (pairsLeftOut > 0 || objectsLeftOut > 0) {
    text += u"_出力の上限（" + Number(static_cast<std::int64_t>(limit)) + u" 文字）のため、" +
            (pairsLeftOut > 0 ? Number(pairsLeftOut) + u" ペアの詳細と " : u"") +
            Number(static_cast<std::int64_t>(objectsLeftOut)) + u" 件の変更を省略しました。_\n";
  }
  out.Write(text.substr(0, limit));
}

}  // namespace tarnwick
