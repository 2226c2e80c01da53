// The tally of a comparison, taken from its events on the way to a renderer:
// objects added and removed (an object one side lacks counts once, its own
// objects not again), objects changed (present on both sides with a changed
// property of their own), and lines added and removed (the one-sided lines of
// multi-line values; a single-line value counts as one line), and objects
// moved among their siblings. Properties an ignore rule matched count apart,
// once each.
#pragma once

#include <cstdint>

#include "diff/compare_events.h"

namespace tarnwick {

struct ChangeCounts {
  std::int64_t objectsAdded = 0;
  std::int64_t objectsRemoved = 0;
  std::int64_t objectsChanged = 0;
  std::int64_t linesAdded = 0;
  std::int64_t linesRemoved = 0;
  std::int64_t objectsMoved = 0;  // present on both sides, elsewhere among their siblings
  std::int64_t propertiesIgnored = 0;

  ChangeCounts& operator+=(const ChangeCounts& other);
  bool operator==(const ChangeCounts&) const = default;
};

// What the comparison of a pair (or of two chosen objects) found.
struct ComparisonResult {
  bool differs = false;  // some difference was reported
  ChangeCounts counts;
};

// Counts the events and hands each on to `next` unchanged.
class ChangeCounter final : public CompareEvents {
 public:
  explicit ChangeCounter(CompareEvents& next) : next_(next) {}

  const ChangeCounts& Counts() const { return counts_; }

  void Title(std::u16string_view text, int side) override { next_.Title(text, side); }
  void OutlineEqual(std::u16string_view outline) override { next_.OutlineEqual(outline); }
  void OutlineChanged(std::span<const LineRecord> lines) override { next_.OutlineChanged(lines); }
  void Headings(PathStacks& stacks) override;
  void EqualProperty(const PathStacks& stacks, std::u16string_view name,
                     std::u16string_view value) override {
    next_.EqualProperty(stacks, name, value);
  }
  void ChangedProperty(const PathStacks& stacks, const PropertyChange& change) override;
  void ObjectMoved(PathStacks& stacks, std::size_t from, std::size_t to) override;
  void IgnoredProperty(PathStacks& stacks, const PropertyChange& change) override {
    ++counts_.propertiesIgnored;
    next_.IgnoredProperty(stacks, change);
  }
  bool ListsIgnored() const override { return next_.ListsIgnored(); }

 private:
  CompareEvents& next_;
  ChangeCounts counts_;
  bool objectCounted_ = false;  // the object now reporting properties was counted changed
};

}  // namespace tarnwick
