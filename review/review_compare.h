// The review rendering of a comparison: the changes grouped under their
// object's path heading, a single-line value as old → new with the changed
// part marked, a multi-line value as one unified listing with both line
// numbers, changed line pairs marked within the line, and unchanged lines
// folded away beyond two lines of context. Every change gets an anchor and
// a number; a list of the changed objects heads the page.
//
// Unified rather than side by side: it keeps the code in reading order, fits
// narrow windows and paper, and a long line wraps once instead of in two
// half-width columns.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "diff/change_counts.h"
#include "diff/compare_events.h"
#include "diff/compare_options.h"
#include "review/html_text.h"
#include "review/object_headings.h"
#include "review/review_page.h"
#include "text/text_sink.h"

namespace tarnwick {

// Lines of context kept around a change before the rest is folded.
inline constexpr std::size_t kContextLines = 2;

class ReviewComparePage final : public CompareEvents {
 public:
  explicit ReviewComparePage(const CompareOptions& options,
                             const PageWords& words = JapanesePageWords())
      : options_(options), words_(words) {}

  void Title(std::u16string_view text, int side) override;
  void OutlineEqual(std::u16string_view outline) override;
  void OutlineChanged(std::span<const LineRecord> lines) override;
  void Headings(PathStacks& stacks) override;
  void EqualProperty(const PathStacks& stacks, std::u16string_view name,
                     std::u16string_view value) override;
  void ChangedProperty(const PathStacks& stacks, const PropertyChange& change) override;
  // Heads the object and says where it went, as one numbered change.
  void ObjectMoved(PathStacks& stacks, std::size_t from, std::size_t to) override;
  // Shown like a change, greyed and marked, without a number of its own.
  void IgnoredProperty(PathStacks& stacks, const PropertyChange& change) override;
  bool ListsIgnored() const override { return true; }

  // Writes the changes ahead into a spool of `page` as they come, so that
  // they never gather whole in memory; WritePage must then go to `page`.
  void StreamTo(TextSink& page);
  // Writes the whole page. `heading` names the page (the pair's name, or
  // the objects compared); `counts` is the tally of the same events;
  // `differs` is the comparison's verdict.
  void WritePage(std::u16string_view heading, const ChangeCounts& counts, bool differs,
                 TextSink& page);
  // The whole page as text, when nothing was streamed.
  std::u16string Page(std::u16string_view heading, const ChangeCounts& counts, bool differs);

  // How many changes were numbered.
  std::size_t ChangeCount() const { return changes_; }

 private:
  void CloseEqualGroup();
  // Moves what the changes hold so far into the spool, once it is sizeable.
  void Spill();
  void OpenRootHeading();
  // Opens "<h3" (or "<h4") of an object heading whose mark waits for the
  // object's first change; MarkHeadingChanged gives it.
  void OpenUnmarkedHeading(std::u16string_view tag);
  void MarkHeadingChanged();
  // Appends a multi-line listing; numbered changes get anchors; with
  // `marksMoves` lines moved within it are marked as moved.
  void AppendListing(std::span<const LineRecord> lines, bool numbered, bool marksMoves = false);
  void AppendChangeAnchor(std::u16string& out);
  // A changed or ignored property; numbered changes get anchors.
  void AppendProperty(const PathStacks& stacks, const PropertyChange& change, bool ignored);

  CompareOptions options_;
  const PageWords& words_;
  std::vector<std::u16string> titles1_, titles2_;
  std::u16string outline_;
  std::u16string main_;                 // the changes not yet spooled
  std::unique_ptr<TextSpool> spooled_;  // the changes before them, when streaming
  std::size_t changes_ = 0;
  std::size_t objects_ = 0;
  std::size_t ignored_ = 0;
  bool movedLines_ = false;  // a listing marked a line as moved
  FoldStore folds_;
  bool equalGroupOpen_ = false;
  EnclosingLines enclosing_;
  bool rootHeading_ = false;
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t unmarkedHeading_ = kNone;  // where in main_ that heading starts
  std::vector<char> visible_;            // reused by AppendListing
};

// The appearance of one line of a listing; shared with the search pages.
void AppendListingLine(std::u16string& out, std::u16string_view tag, std::u16string_view cls,
                       std::u16string_view anchor, std::u16string_view text,
                       std::span<const TextSpan> marked);

// A fold of unchanged lines that opens in place.
void AppendFold(std::u16string& out, FoldStore& folds, std::span<const std::u16string_view> lines);

}  // namespace tarnwick
