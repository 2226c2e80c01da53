#include "review/review_compare.h"

#include "review/html_text.h"
#include "review/inline_diff.h"
#include "review/object_headings.h"
#include "text/decimal.h"

namespace tarnwick {
namespace {

// The changes gather in memory up to about this many characters before they
// go to the page's spool.
constexpr std::size_t kSpillAt = 64 * 1024;

// A run of unchanged lines shorter than this is shown, not folded.
constexpr std::size_t kShortestFold = 3;

bool IsChange(const LineRecord& record) {
  return record.kind != LineKind::kCommon;
}

// A common record whose two lines differ only as the options allow, or a line
// the options ignored: shown, never folded, but no change.
bool IsSoft(const LineRecord& record) {
  return record.kind == LineKind::kCommon &&
         (record.idx1 == 0 || record.idx2 == 0 || record.line1 != record.line2);
}

std::u16string Number(std::size_t n) {
  return DecimalText(static_cast<std::int64_t>(n));
}

void AppendCount(std::u16string& out, std::u16string_view label, long long n) {
  out += label;
  out += u" <b>";
  out += GroupedNumber(n);
  out += u"</b>";
}

}  // namespace

void AppendListingLine(std::u16string& out, std::u16string_view tag, std::u16string_view cls,
                       std::u16string_view anchor, std::u16string_view text,
                       std::span<const TextSpan> marked) {
  out += u'<';
  out += tag;
  if (!cls.empty()) out.append(u" class=\"").append(cls).append(u"\"");
  if (!anchor.empty()) out.append(u" id=c").append(anchor);
  out += u'>';
  AppendHtmlMarked(out, text, marked, u"em");
  out.append(u"</").append(tag).append(u">");
}

void AppendFold(std::u16string& out, FoldStore& folds, std::span<const std::u16string_view> lines) {
  std::size_t first = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t index = folds.Add(lines[i]);
    if (i == 0) first = index;
  }
  // The style's caption reads "変更のない N 行" (search: "該当しない N 行").
  const std::u16string n = Number(lines.size());
  out += u"<details class=f style=--n:" + n + u" data-a=" + Number(first) + u"><summary>" + n +
         u"</summary></details>";
}

void ReviewComparePage::Title(std::u16string_view text, int side) {
  (side == 1 ? titles1_ : titles2_).emplace_back(text);
}

void ReviewComparePage::OutlineEqual(std::u16string_view outline) {
  outline_ += u"<details class=\"u\"><summary>";
  outline_ += words_.outlineSection;
  outline_ += words_.outlineSame;
  outline_ += u"</summary><div class=\"v q\">";
  AppendHtml(outline_, outline);
  outline_ += u"</div></details>\n";
}

void ReviewComparePage::OutlineChanged(std::span<const LineRecord> lines) {
  std::u16string saved;
  saved.swap(main_);
  main_ += u"<h2 class=o>";
  main_ += words_.outlineSection;
  main_ += u"</h2>\n<div class=\"h\">";
  AppendListing(lines, false, true);
  main_ += u"</div>\n";
  outline_ += main_;
  main_.swap(saved);
}

void ReviewComparePage::StreamTo(TextSink& page) {
  spooled_ = page.Spool();
}

void ReviewComparePage::Spill() {
  if (!spooled_ || main_.size() < kSpillAt) return;
  // A heading still waiting for its mark stays, with what follows it.
  const std::size_t keep = unmarkedHeading_ == kNone ? main_.size() : unmarkedHeading_;
  if (keep == 0) return;
  spooled_->Write(std::u16string_view(main_).substr(0, keep));
  main_.erase(0, keep);
  if (unmarkedHeading_ != kNone) unmarkedHeading_ = 0;
}

void ReviewComparePage::OpenUnmarkedHeading(std::u16string_view tag) {
  unmarkedHeading_ = main_.size();
  main_ += u'<';
  main_ += tag;
}

void ReviewComparePage::MarkHeadingChanged() {
  if (unmarkedHeading_ == kNone) return;
  main_.insert(unmarkedHeading_ + 3, u" class=chg");  // after "<h3"
  unmarkedHeading_ = kNone;
}

void ReviewComparePage::CloseEqualGroup() {
  if (!equalGroupOpen_) return;
  main_ += u"</details>\n";
  equalGroupOpen_ = false;
}

void ReviewComparePage::Headings(PathStacks& stacks) {
  const std::size_t depth = TakeDueHeading(stacks);
  if (depth == 0) return;
  CloseEqualGroup();

  // One heading for the object whose rows follow, under a line naming the
  // enclosing objects whenever they change: siblings share that line.
  const bool removed = stacks.mark1[depth] == kStar;
  const bool added = stacks.mark2[depth] == kStar;
  const bool inOneSided = (removed && depth > 1 && stacks.mark1[depth - 1] == kStar) ||
                          (added && depth > 1 && stacks.mark2[depth - 1] == kStar);
  if (!inOneSided) {
    const std::u16string line = enclosing_.Next(stacks, depth);
    if (!line.empty()) main_ += u"<h2>" + line + u"</h2>\n";
  }
  const std::u16string_view tag = inOneSided ? u"h4" : u"h3";
  unmarkedHeading_ = kNone;
  if (added || removed) {
    main_ += u'<';
    main_ += tag;
    main_ += added ? u" class=add" : u" class=del";
  } else {
    // Marked changed once a change of its own follows: with everything
    // listed, or with only ignored differences, an object may have none.
    OpenUnmarkedHeading(tag);
  }
  if ((added || removed) && !inOneSided) {
    // An object one side lacks is one change, however much it holds.
    main_ += u" id=c" + Number(++changes_);
  } else if (!inOneSided) {
    main_ += u" id=o" + Number(++objects_);
  }
  main_ += u'>';
  AppendHtml(main_, stacks.pathKeys[depth]);
  if (added || removed) main_ += added ? words_.addedSuffix : words_.removedSuffix;
  main_.append(u"</").append(tag).append(u">\n");
  Spill();
}

// Properties of the compared nodes themselves (the object comparison) have no
// object heading of their own: they get one the first time they are needed.
void ReviewComparePage::OpenRootHeading() {
  if (rootHeading_) return;
  rootHeading_ = true;
  OpenUnmarkedHeading(u"h3");
  main_ += u" id=o" + Number(++objects_) + u">";
  main_.append(words_.comparedObjects).append(u"</h3>\n");
}

void ReviewComparePage::EqualProperty(const PathStacks& stacks, std::u16string_view name,
                                      std::u16string_view value) {
  if (stacks.depth == 0) OpenRootHeading();
  if (!equalGroupOpen_) {
    main_.append(u"<details class=\"u\"><summary>")
        .append(words_.unchangedProperties)
        .append(u"</summary>");
    equalGroupOpen_ = true;
  }
  main_ += u"<div class=\"q\"><b>";
  AppendHtml(main_, name);
  main_ += u"</b> <span class=\"v\">";
  AppendHtml(main_, value);
  main_ += u"</span></div>";
  Spill();
}

void ReviewComparePage::AppendChangeAnchor(std::u16string& out) {
  out += u" id=c" + Number(++changes_);
}

void ReviewComparePage::ChangedProperty(const PathStacks& stacks, const PropertyChange& change) {
  AppendProperty(stacks, change, false);
  MarkHeadingChanged();
}

void ReviewComparePage::IgnoredProperty(PathStacks& stacks, const PropertyChange& change) {
  if (change.unlisted) return;
  Headings(stacks);
  ++ignored_;
  AppendProperty(stacks, change, true);
}

void ReviewComparePage::AppendProperty(const PathStacks& stacks, const PropertyChange& change,
                                       bool ignored) {
  CloseEqualGroup();
  const auto depth = static_cast<std::size_t>(stacks.depth < 0 ? 0 : stacks.depth);
  if (depth == 0) OpenRootHeading();
  const bool inOneSided = depth > 0 && depth < stacks.mark1.size() &&
                          (stacks.mark1[depth] == kStar || stacks.mark2[depth] == kStar);
  const bool numbered = !inOneSided && !ignored;
  const auto appendIgnoredMark = [this] {
    main_.append(u"<span class=im>").append(words_.ignoredMark).append(u"</span>");
  };

  if (change.multiLine) {
    // The listing carries the name as its caption.
    if (ignored) {
      main_ += change.value1 == nullptr   ? u"<div class=\"h add i\"><b>"
               : change.value2 == nullptr ? u"<div class=\"h del i\"><b>"
                                          : u"<div class=\"h i\"><b>";
    } else {
      main_ += change.value1 == nullptr   ? u"<div class=\"h add\"><b>"
               : change.value2 == nullptr ? u"<div class=\"h del\"><b>"
                                          : u"<div class=h><b>";
    }
    AppendHtml(main_, change.name);
    if (ignored) appendIgnoredMark();
    main_ += u"</b>";
    AppendListing(change.lines, numbered);
    main_ += u"</div>\n";
    Spill();
    return;
  }
  // "o": a row of an object one side lacks, whose heading names the side.
  main_ += ignored ? u"<div class=\"p i\"" : inOneSided ? u"<div class=\"p o\"" : u"<div class=p";
  if (numbered) AppendChangeAnchor(main_);
  main_ += u"><b>";
  AppendHtml(main_, change.name);
  main_ += u"</b>";
  if (change.value1 != nullptr && change.value2 != nullptr) {
    const InlineDifference inline_ = DiffWithinLine(*change.value1, *change.value2);
    const std::span<const TextSpan> none;
    main_ += u"<del class=\"v\">";
    AppendHtmlMarked(main_, *change.value1, inline_.similar ? inline_.changed1 : none, u"em");
    main_ += u"</del> → <ins class=\"v\">";
    AppendHtmlMarked(main_, *change.value2, inline_.similar ? inline_.changed2 : none, u"em");
    main_ += u"</ins>";
  } else if (change.value1 != nullptr) {
    main_ += u"<del class=\"v\">";
    AppendHtml(main_, *change.value1);
    main_ += u"</del>";
  } else if (change.value2 != nullptr) {
    main_ += u"<ins class=\"v\">";
    AppendHtml(main_, *change.value2);
    main_ += u"</ins>";
  }
  if (ignored) appendIgnoredMark();
  main_ += u"</div>\n";
  Spill();
}

void ReviewComparePage::ObjectMoved(PathStacks& stacks, std::size_t from, std::size_t to) {
  Headings(stacks);
  CloseEqualGroup();
  MarkHeadingChanged();
  main_ += u"<div class=p";
  AppendChangeAnchor(main_);
  main_.append(u"><b>").append(words_.order).append(u"</b><mark class=\"v\">");
  main_.append(Number(from)).append(words_.ordinalSuffix).append(u" → ");
  main_.append(Number(to)).append(words_.ordinalSuffix).append(u"</mark></div>\n");
  Spill();
}

void ReviewComparePage::AppendListing(std::span<const LineRecord> lines, bool numbered,
                                      bool marksMoves) {
  const std::size_t n = lines.size();
  const std::vector<bool> moved = marksMoves ? MovedLines(lines) : std::vector<bool>();
  const auto movedAt = [&](const LineRecord* record) {
    return !moved.empty() && moved[static_cast<std::size_t>(record - lines.data())];
  };
  // Which records show: changes, soft lines, and the context around changes.
  visible_.assign(n, 0);
  for (std::size_t i = 0; i < n; ++i) {
    if (IsSoft(lines[i])) visible_[i] = 1;
    if (!IsChange(lines[i])) continue;
    const std::size_t from = i > kContextLines ? i - kContextLines : 0;
    const std::size_t to = std::min(n, i + kContextLines + 1);
    for (std::size_t k = from; k < to; ++k) visible_[k] = 1;
  }

  std::vector<std::u16string_view> folded;
  std::vector<TextSpan> none;
  std::size_t i = 0;
  while (i < n) {
    if (!visible_[i]) {
      std::size_t j = i;
      while (j < n && !visible_[j]) ++j;
      if (j - i >= kShortestFold) {
        folded.clear();
        for (std::size_t k = i; k < j; ++k) folded.push_back(lines[k].line1);
        AppendFold(main_, folds_, folded);
        i = j;
        continue;
      }
      for (std::size_t k = i; k < j; ++k) visible_[k] = 1;
    }
    const LineRecord& record = lines[i];
    if (!IsChange(record)) {
      if (record.idx1 != 0 && record.idx2 != 0 && record.line1 == record.line2) {
        AppendListingLine(main_, u"span", u"", u"", record.line1, none);
      } else {
        if (record.idx1 != 0) AppendListingLine(main_, u"del", u"x", u"", record.line1, none);
        if (record.idx2 != 0) AppendListingLine(main_, u"ins", u"x", u"", record.line2, none);
      }
      ++i;
      continue;
    }
    // One run of changed lines: the lines of side 1, then those of side 2;
    // the k-th of each are paired for the marks within the line.
    std::size_t j = i;
    std::vector<const LineRecord*> removed, added;
    while (j < n && IsChange(lines[j])) {
      (lines[j].kind == LineKind::kOnly1 ? removed : added).push_back(&lines[j]);
      ++j;
    }
    std::vector<InlineDifference> pairs(std::min(removed.size(), added.size()));
    for (std::size_t k = 0; k < pairs.size(); ++k) {
      pairs[k] = DiffWithinLine(removed[k]->line1, added[k]->line2);
    }
    std::u16string anchor = numbered ? Number(++changes_) : std::u16string();
    // A line moved is shown as such, without marks within it.
    for (std::size_t k = 0; k < removed.size(); ++k) {
      const bool move = movedAt(removed[k]);
      const bool marked = !move && k < pairs.size() && pairs[k].similar;
      AppendListingLine(main_, u"del", move ? u"mv" : u"", anchor, removed[k]->line1,
                        marked ? std::span<const TextSpan>(pairs[k].changed1) : none);
      movedLines_ = movedLines_ || move;
      anchor.clear();
    }
    for (std::size_t k = 0; k < added.size(); ++k) {
      const bool move = movedAt(added[k]);
      const bool marked = !move && k < pairs.size() && pairs[k].similar;
      AppendListingLine(main_, u"ins", move ? u"mv" : u"", anchor, added[k]->line2,
                        marked ? std::span<const TextSpan>(pairs[k].changed2) : none);
      movedLines_ = movedLines_ || move;
      anchor.clear();
    }
    i = j;
  }
}

std::u16string ReviewComparePage::Page(std::u16string_view heading, const ChangeCounts& counts,
                                       bool differs) {
  StringSink page;
  WritePage(heading, counts, differs, page);
  return page.Text();
}

void ReviewComparePage::WritePage(std::u16string_view heading, const ChangeCounts& counts,
                                  bool differs, TextSink& page) {
  CloseEqualGroup();
  ReviewDocument document;
  document.words = &words_;
  document.title = std::u16string(words_.compareTitle) + std::u16string(heading);

  std::u16string& header = document.header;
  header.append(u"<h1>").append(words_.compareHeading).append(u" <span class=\"path\">");
  AppendHtml(header, heading);
  header += u"</span></h1>\n<table class=\"t\">";
  const auto side = [&](std::u16string_view label, std::u16string_view cls,
                        std::u16string_view mark, const std::vector<std::u16string>& titles) {
    header += u"<tr><th><span class=\"m ";
    header += cls;
    header += u"\">";
    header += mark;
    header += u"</span>";
    header += label;
    header += u"</th><td class=\"v\">";
    for (std::size_t k = 0; k < titles.size(); ++k) {
      if (k > 0) header += u"<br>";
      AppendHtml(header, titles[k]);
    }
    header += u"</td></tr>";
  };
  side(words_.source1, u"del", u"\u2212", titles1_);
  side(words_.source2, u"add", u"+", titles2_);
  header += u"</table>\n<p class=\"counts\">";
  AppendCount(header, words_.objectsAdded, counts.objectsAdded);
  AppendCount(header, words_.objectsRemoved, counts.objectsRemoved);
  AppendCount(header, words_.objectsChanged, counts.objectsChanged);
  if (counts.objectsMoved > 0) AppendCount(header, words_.objectsMoved, counts.objectsMoved);
  AppendCount(header, words_.linesAdded, counts.linesAdded);
  AppendCount(header, words_.linesRemoved, counts.linesRemoved);
  AppendCount(header, words_.changes, static_cast<long long>(changes_));
  if (counts.propertiesIgnored > 0) {
    AppendCount(header, words_.ignoredDifferences,
                static_cast<long long>(counts.propertiesIgnored));
  }
  header += u"</p>\n";
  if (options_.Any()) {
    header.append(u"<p class=\"opts\">").append(words_.optionsLabel);
    header.append(OptionNames(options_, words_)).append(u"</p>\n");
  }
  header.append(u"<p class=\"legend\"><del class=\"v\">\u2212 ").append(words_.side1Only);
  header.append(u"</del><ins class=\"v\">+ ").append(words_.side2Only);
  header.append(u"</ins><span><del class=\"v\"><em>").append(words_.changedPart1);
  header.append(u"</em></del><ins class=\"v\"><em>").append(words_.changedPart2);
  header.append(u"</em></ins></span><span><span class=\"m chg\">\u00B1</span>");
  header.append(words_.changedObjects).append(u"</span>");
  if (options_.Any()) {
    header.append(u"<span>~ ").append(words_.optionIgnored).append(u"</span>");
  }
  if (ignored_ > 0) {
    header.append(u"<span><span class=im>").append(words_.ignoredMark).append(u"</span> ");
    header.append(words_.ruleIgnored).append(u"</span>");
  }
  if (movedLines_) header.append(u"<span>\u2195 ").append(words_.movedLine).append(u"</span>");
  header.append(u"<span>\u22EF ").append(words_.unchangedLines).append(u"</span></p>\n");
  // The script lists the changed objects here: the page need not carry
  // every heading twice.
  header.append(u"<details class=\"toc\" id=\"toc\" hidden><summary>")
      .append(words_.changedObjects)
      .append(u"</summary></details>\n");

  document.folds = folds_.Packed();
  document.ignoredMarks = ignored_ > 0;
  document.movedMarks = movedLines_;
  page.Write(ReviewPageHead(document));
  page.Write(outline_);
  if (!differs) {
    page.Write(u"<p class=\"same\">");
    page.Write(counts.objectsMoved > 0 ? words_.onlyOrderDiffers : words_.noDifference);
    page.Write(u"</p>\n");
  }
  if (spooled_) spooled_->Place();
  page.Write(main_);
  page.Write(ReviewPageTail(document));
}

}  // namespace tarnwick
