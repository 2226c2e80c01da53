#include "diff/change_counts.h"

#include <gtest/gtest.h>

#include "classic/compare_rows.h"
#include "diff/tree_compare.h"
#include "tests/classic_tables.h"
#include "tests/tree_builders.h"

namespace tarnwick {
namespace {

using testing::Obj;
using testing::Prop;

ChangeCounts Count(const clsItem& node1, const clsItem& node2, bool diffOnly) {
  HTMLTblCls table;
  ClassicCompareRows rows(table);
  ChangeCounter counter(rows);
  PathStacks stacks;
  CompareNodes(node1, node2, stacks, counter, diffOnly, {});
  return counter.Counts();
}

TEST(ChangeCounts, CountObjectsOnceAndLinesOfEachSide) {
  const clsItem side1 = Obj(
      u"", {Obj(u"B1",
                {Prop(u"P", u"1"), Prop(u"Q", u"same"), Obj(u"I1", {Prop(u"T", u"a\r\nb\r\nc")})}),
            Obj(u"GONE", {Prop(u"P", u"x"), Obj(u"IN", {Prop(u"Z", u"z")})})});
  const clsItem side2 = Obj(u"", {Obj(u"B1", {Prop(u"P", u"2"), Prop(u"Q", u"same"),
                                              Obj(u"I1", {Prop(u"T", u"a\r\nB\r\nc\r\nd")})}),
                                  Obj(u"NEW", {Prop(u"P", u"y")})});
  for (const bool diffOnly : {true, false}) {
    const ChangeCounts counts = Count(side1, side2, diffOnly);
    EXPECT_EQ(counts.objectsChanged, 2) << "B1 (P) and I1 (T); diffOnly " << diffOnly;
    EXPECT_EQ(counts.objectsRemoved, 1) << "GONE, not its object IN";
    EXPECT_EQ(counts.objectsAdded, 1);
    // P: 1 and 1; T: b out, B and d in; GONE: P and Z; NEW: P.
    EXPECT_EQ(counts.linesRemoved, 1 + 1 + 2);
    EXPECT_EQ(counts.linesAdded, 1 + 2 + 1);
  }
}

TEST(ChangeCounts, IdenticalNodesCountNothing) {
  const clsItem node = Obj(u"", {Obj(u"B", {Prop(u"P", u"1")})});
  EXPECT_EQ(Count(node, node, false), ChangeCounts{});
}

TEST(ChangeCounts, TheClassicRowsAreTheSameWithTheCounterBetween) {
  const clsItem side1 = Obj(u"", {Obj(u"B", {Prop(u"P", u"1\r\n2")})});
  const clsItem side2 = Obj(u"", {Obj(u"B", {Prop(u"P", u"1\r\n3")}), Obj(u"C", {})});
  HTMLTblCls direct, counted;
  PathStacks stacks1, stacks2;
  const bool found1 = testing::ClassicCompareNodes(side1, side2, stacks1, direct, true);
  ClassicCompareRows rows(counted);
  ChangeCounter counter(rows);
  const bool found2 = CompareNodes(side1, side2, stacks2, counter, true, {});
  EXPECT_EQ(direct.sStr(), counted.sStr());
  EXPECT_EQ(found1, found2);
}

}  // namespace
}  // namespace tarnwick
