// What the text views of a comparison are made of: the comparison events
// reduced to the changed objects, each named by its path, and their changed
// properties. Unchanged properties and objects without a change of their own
// are dropped; the pair's titles are told only once something differs, so a
// pair without differences shows nothing at all.
//
//   ChangedObjects objects(listener);   // listener: a ChangeListener
//   MakeFormDiff(tree1, tree2, path1, path2, objects, ...);
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "diff/compare_events.h"
#include "diff/path_stacks.h"
#include "messages/page_words.h"

namespace tarnwick {

// How an object stands in the comparison.
enum class ObjectState {
  kChanged,  // on both sides, with a changed property of its own
  kAdded,    // on side 2 only
  kRemoved,  // on side 1 only
};

struct ChangedObject {
  std::u16string_view path;  // "A/B/C"; empty for the compared nodes themselves
  ObjectState state = ObjectState::kChanged;
  // Inside an object one side lacks: shown for its content, counted with it.
  bool inOneSided = false;
  // Moved among its sibling objects: from the `movedFrom`th of side 1 to the
  // `movedTo`th of side 2; 0 when it stayed. Its changes, if any, follow.
  std::size_t movedFrom = 0;
  std::size_t movedTo = 0;
};

class ChangeListener {
 public:
  // The two titles (the reports or the nodes compared), before the first
  // change of the pair.
  virtual void Begin(std::span<const std::u16string> titles1,
                     std::span<const std::u16string> titles2) = 0;
  // The block and item outline differs.
  virtual void Outline(std::span<const LineRecord> lines) = 0;
  // An object with changes; its changed properties follow.
  virtual void Object(const ChangedObject& object) = 0;
  virtual void Property(const PropertyChange& change) = 0;
  // A difference an ignore rule matched, shown marked as such.
  virtual void IgnoredProperty(const PropertyChange& change) = 0;

 protected:
  ~ChangeListener() = default;
};

class ChangedObjects final : public CompareEvents {
 public:
  explicit ChangedObjects(ChangeListener& listener) : listener_(listener) {}

  // Whether anything was told to the listener.
  bool Begun() const { return begun_; }

  void Title(std::u16string_view text, int side) override;
  void OutlineEqual(std::u16string_view) override {}
  void OutlineChanged(std::span<const LineRecord> lines) override;
  void Headings(PathStacks& stacks) override;
  void EqualProperty(const PathStacks&, std::u16string_view, std::u16string_view) override {}
  void ChangedProperty(const PathStacks& stacks, const PropertyChange& change) override;
  void ObjectMoved(PathStacks& stacks, std::size_t from, std::size_t to) override;
  // What ignore rules matched is no change, but the views show it marked.
  void IgnoredProperty(PathStacks& stacks, const PropertyChange& change) override;
  bool ListsIgnored() const override { return true; }

 private:
  void BeginOnce();
  // Tells the object whose properties now come, unless told already.
  void TellPending();
  // The compared nodes' own properties have no heading event: their object
  // is pending once they come.
  void PendRootProperties(const PathStacks& stacks);

  ChangeListener& listener_;
  std::vector<std::u16string> titles1_, titles2_;
  bool begun_ = false;
  std::u16string path_;  // of the object now reporting
  ChangedObject pending_;
  bool pendingTold_ = true;
};

// "（移動: 1番目 → 4番目）" for an object moved among its siblings, else empty.
std::u16string MoveText(const ChangedObject& object, const PageWords& words = JapanesePageWords());

// The path of the object at `depth`: its keys from level 1 joined by "/".
std::u16string ObjectPath(const PathStacks& stacks, std::size_t depth);

// A value or a line made safe to print: control characters other than a tab
// become "\u00XX", so that no report can steer a terminal.
std::u16string PrintableText(std::u16string_view text);

// One hunk of a unified listing: records [begin, end) of the line difference,
// and the lines of each side it covers (start 1-based; a side with no line
// in the hunk starts at the line before it).
struct ListingHunk {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::int32_t start1 = 0, count1 = 0;
  std::int32_t start2 = 0, count2 = 0;
};

// Lines of context kept around a change in the text views.
inline constexpr std::size_t kViewContextLines = 3;

// The hunks of a line difference: every changed record with up to `context`
// records before and after it; hunks whose context touches join.
std::vector<ListingHunk> UnifiedHunks(std::span<const LineRecord> lines,
                                      std::size_t context = kViewContextLines);

// "@@ -start1,count1 +start2,count2 @@".
std::u16string HunkHeader(const ListingHunk& hunk);

// How one record of a listing shows: '-' side 1 only, '+' side 2 only, ' '
// equal, '~' a line the comparison options let pass (its side 2 text, or
// side 1's when side 2 has none); and that text.
struct ListingLine {
  char16_t mark = u' ';
  std::u16string_view text;
};
ListingLine ListingLineOf(const LineRecord& record);

// The lines of a listing as ListingLineOf shows them, a line moved within
// it (MovedLines) marked '>' where it left and '<' where it arrived, so that
// a move does not read as a removal and an addition.
std::vector<ListingLine> ListingLinesOf(std::span<const LineRecord> lines, bool marksMoves);

}  // namespace tarnwick
