// What a comparison finds, in the order it finds it. The form comparison, the
// object comparison and the tree walk below them report here; a renderer
// turns the events into a page (see comparison_renderer.h), and a counter
// tallies them. The walk alone decides what is equal,
// what is listed and when the headings of the enclosing objects are due.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "diff/line_difference.h"
#include "diff/path_stacks.h"

namespace tarnwick {

// The section of the block and item outline.
inline constexpr std::u16string_view kOutlineSectionName = u"ブロック・項目";

// A property whose values differ (or that one side lacks).
struct PropertyChange {
  std::u16string_view name;
  const std::u16string_view* value1 = nullptr;  // null when side 1 lacks the property
  const std::u16string_view* value2 = nullptr;
  // Either value holds a CR: `lines` then holds the line difference, or the
  // one value's lines when the other side lacks it. Empty otherwise.
  bool multiLine = false;
  std::span<const LineRecord> lines;
  // An ignored difference that only differences are listed and the receiver
  // does not list: reported for the tally alone, without headings or lines.
  bool unlisted = false;
  // An ignored difference listed, while only differences are, for the
  // receivers that list ignored ones: its headings are theirs to serve.
  bool onRequest = false;
};

class CompareEvents {
 public:
  virtual ~CompareEvents() = default;

  // A heading naming a report or a chosen node of side 1 or 2.
  virtual void Title(std::u16string_view text, int side) = 0;
  // The block and item outline: equal (reported only when everything is
  // listed), or different with its line difference.
  virtual void OutlineEqual(std::u16string_view outline) = 0;
  virtual void OutlineChanged(std::span<const LineRecord> lines) = 0;
  // The objects on the path whose headings are pending (levels 1..depth
  // with headPending set) are due now; the receiver clears the flags.
  virtual void Headings(PathStacks& stacks) = 0;
  // A property of the object at level stacks.depth (0: the compared node).
  virtual void EqualProperty(const PathStacks& stacks, std::u16string_view name,
                             std::u16string_view value) = 0;
  virtual void ChangedProperty(const PathStacks& stacks, const PropertyChange& change) = 0;
  // The object at level stacks.depth, present on both sides, stands elsewhere
  // among its sibling objects: from the `from`th of side 1 to the `to`th of
  // side 2 (1-based, among the siblings that are objects). Reported as the
  // object is entered, before its properties, for the fewest objects whose
  // moving explains the new order. A move alone is no difference: a style
  // that shows it serves the pending headings itself; the others ignore it.
  virtual void ObjectMoved(PathStacks& stacks, std::size_t from, std::size_t to) {
    (void)stacks, (void)from, (void)to;
  }
  // A difference an ignore rule matched: no difference, and not counted as
  // one. Listed where a change would be when everything is listed; when only
  // differences are, only to a receiver that lists ignored ones, which then
  // serves the pending headings itself (`onRequest`; otherwise it comes
  // unlisted). A receiver that does not tell them apart shows the listed
  // ones as changes.
  virtual void IgnoredProperty(PathStacks& stacks, const PropertyChange& change) {
    if (!change.unlisted && !change.onRequest) ChangedProperty(stacks, change);
  }
  virtual bool ListsIgnored() const { return false; }
};

}  // namespace tarnwick
