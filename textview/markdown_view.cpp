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
std::u16string CodeSpan(std::u16string_view value, const PageWords& words) {
  if (value.empty()) return std::u16string(words.emptyValue);
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

std::u16string CountsText(const ChangeCounts& counts, std::u16string_view bold,
                          const PageWords& words) {
  const auto n = [&](std::u16string_view word, std::int64_t v) {
    return std::u16string(word) + u" " + std::u16string(bold) + Number(v) + std::u16string(bold);
  };
  return n(words.objectsAdded, counts.objectsAdded) +
         n(words.objectsRemoved, counts.objectsRemoved) +
         n(words.objectsChanged, counts.objectsChanged) +
         (counts.objectsMoved > 0 ? n(words.objectsMoved, counts.objectsMoved) : u"") +
         n(words.linesAdded, counts.linesAdded) + n(words.linesRemoved, counts.linesRemoved);
}

}  // namespace

// Gathers one pair into its report: a block of Markdown per changed object.
class MarkdownPair final : public ComparisonRenderer, private ChangeListener {
 public:
  explicit MarkdownPair(MarkdownReport& report)
      : report_(report), words_(*report.words_), objects_(*this) {}

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
    block_ = u"**" + std::u16string(words_.outlineSection) + u"**\n\n";
    Listing(lines, true);
  }
  void Object(const ChangedObject& object) override {
    // An object one side lacks is named, not listed: a comment has no room
    // for whole objects, and the page shows them.
    oneSided_ = object.state != ObjectState::kChanged;
    if (object.inOneSided) return;
    Keep();
    const std::u16string path =
        object.path.empty() ? std::u16string(words_.comparedNote) : Code(object.path);
    switch (object.state) {
      case ObjectState::kChanged:
        block_ = u"**" + path + u"**" + MoveText(object, words_) + u"\n\n";
        break;
      case ObjectState::kAdded:
        block_ = u"**" + std::u16string(words_.mdAddedMark) + u" " + path +
                 std::u16string(object.inOneSided ? u"" : words_.addedSuffix) + u"**\n\n";
        break;
      case ObjectState::kRemoved:
        block_ = u"**" + std::u16string(words_.mdRemovedMark) + u" " + path +
                 std::u16string(object.inOneSided ? u"" : words_.removedSuffix) + u"**\n\n";
        break;
    }
  }
  void Property(const PropertyChange& change) override {
    if (oneSided_) return;
    const std::u16string name = Code(change.name);
    const std::u16string lead = change.value1 == nullptr ? std::u16string(words_.mdAddedMark) + u" "
                                : change.value2 == nullptr
                                    ? std::u16string(words_.mdRemovedMark) + u" "
                                    : u"";
    if (change.multiLine) {
      if (inList_) block_ += u"\n";
      inList_ = false;
      block_ += lead + name + u":\n\n";
      Listing(change.lines);
      return;
    }
    inList_ = true;
    block_ += u"- " + lead + name + u": ";
    if (change.value1 != nullptr && change.value2 != nullptr) {
      block_ += Code(*change.value1) + u" → " + Code(*change.value2);
    } else {
      block_ += Code(change.value1 != nullptr ? *change.value1 : *change.value2);
    }
    block_ += u"\n";
  }

  void IgnoredProperty(const PropertyChange& change) override {
    if (oneSided_) return;
    inList_ = true;
    block_ += u"- " + Code(change.name) + u": ";
    if (change.multiLine) {
      block_ += words_.multiLineNote;
    } else {
      const std::u16string none(words_.noValue);
      block_ += (change.value1 != nullptr ? Code(*change.value1) : none) + u" → " +
                (change.value2 != nullptr ? Code(*change.value2) : none);
    }
    block_ += u" _" + std::u16string(words_.ignoredNote) + u"_\n";
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

  std::u16string Code(std::u16string_view value) const { return CodeSpan(value, words_); }

  MarkdownReport& report_;
  const PageWords& words_;
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
  const PageWords& words = *words_;
  const auto w = [](std::u16string_view word) { return std::u16string(word); };
  std::u16string text = u"### " + w(words.mdHeading) + u"\n\n";
  text += w(words.mdPairs) + u" **" + Number(pairCount) + u"**" + w(words.mdDiffering) + u" **" +
          Number(differing) + u"**" + w(words.mdSame) + u" **" + Number(pairCount - differing) +
          u"**\n\n";
  if (differing == 0) {
    text += w(words.mdNoDifference) + u"\n";
    out.Write(text.substr(0, limit));
    return;
  }
  text += CountsText(total, u"**", words) + u"\n\n";
  text += w(words.mdTableHead) + u"\n| --- | --- | ---: | ---: | ---: | ---: |\n";
  std::int64_t rowsLeft = differing;
  for (const PairEntry& pair : pairs_) {
    if (pair.status == FileStatus::Same) continue;
    std::u16string row =
        u"| " + Cell(CodeSpan(pair.name, words)) + u" | " + w(StatusText(pair.status, words)) +
        u" | " + Number(pair.counts.objectsAdded) + u" | " + Number(pair.counts.objectsRemoved) +
        u" | " + Number(pair.counts.objectsChanged) + u" | +" + Number(pair.counts.linesAdded) +
        u" −" + Number(pair.counts.linesRemoved) + u" |\n";
    // The table takes at most half the room, the sections the rest.
    if (text.size() + row.size() > limit / 2) break;
    text += row;
    --rowsLeft;
  }
  if (rowsLeft > 0) {
    text += u"| … | " + w(words.mdMorePairsOpen) + Number(rowsLeft) + w(words.mdMorePairsClose) +
            u" | | | | |\n";
  }
  text += u"\n";

  std::int64_t pairsLeftOut = 0;
  std::size_t objectsLeftOut = 0;
  const std::u16string close = u"</details>\n\n";
  for (const PairEntry& pair : pairs_) {
    if (pair.status == FileStatus::Same) continue;
    const std::u16string open = u"<details>\n<summary><code>" + HtmlText(pair.name) +
                                u"</code> — " + CountsText(pair.counts, u"", words) +
                                u"</summary>\n\n";
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
      text += w(words.mdChangesCutOpen) + Number(static_cast<std::int64_t>(cut)) +
              w(words.mdChangesCutClose) + u"\n\n";
      objectsLeftOut += cut;
    }
    text += close;
  }
  if (pairsLeftOut > 0 || objectsLeftOut > 0) {
    text += w(words.mdLimitOpen) + Number(static_cast<std::int64_t>(limit)) +
            w(words.mdLimitChars) +
            (pairsLeftOut > 0 ? Number(pairsLeftOut) + w(words.mdPairsDetails) : u"") +
            Number(static_cast<std::int64_t>(objectsLeftOut)) + w(words.mdChangesLeftOut) + u"\n";
  }
  out.Write(text.substr(0, limit));
}

}  // namespace tarnwick
