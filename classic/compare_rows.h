// The classic rendering of a comparison: the rows of the six-column table
// (side-1 mark, side-2 mark, side-1 line, side-2 line, name, value), side 1
// in yellow and side 2 in cyan, exactly as every classic page has them.
#pragma once

#include "classic/html_table.h"
#include "diff/compare_events.h"
#include "messages/page_words.h"

namespace tarnwick {

class ClassicCompareRows final : public CompareEvents {
 public:
  explicit ClassicCompareRows(HTMLTblCls& table, const PageWords& words = JapanesePageWords())
      : table_(table), words_(words) {}

  void Title(std::u16string_view text, int side) override;
  void OutlineEqual(std::u16string_view outline) override;
  void OutlineChanged(std::span<const LineRecord> lines) override;
  void Headings(PathStacks& stacks) override;
  void EqualProperty(const PathStacks& stacks, std::u16string_view name,
                     std::u16string_view value) override;
  void ChangedProperty(const PathStacks& stacks, const PropertyChange& change) override;

 private:
  HTMLTblCls& table_;
  const PageWords& words_;
};

}  // namespace tarnwick
