#include "diff/tree_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "base/error.h"
#include "diff/change_counts.h"
#include "tests/classic_tables.h"
#include "tests/table_text.h"

namespace tarnwick {
namespace {

using testing::Obj;
using testing::Prop;
using testing::Rows;

// Compares and returns the rendered rows; the flags go to the caller.
struct Comparison {
  std::string rows;
  bool diffFound = false;
  std::int32_t depthAfter = -1;
};

Comparison Compare(const clsItem& node1, const clsItem& node2, bool diffOnly) {
  Comparison result;
  PathStacks stacks;
  HTMLTblCls table;
  result.diffFound = testing::ClassicCompareNodes(node1, node2, stacks, table, diffOnly);
  result.depthAfter = stacks.depth;
  result.rows = Rows(table);
  return result;
}

TEST(RuleLine, IsCrLfAndEightyEqualSigns) {
  EXPECT_EQ(RuleLine(), u"\r\n" + std::u16string(80, u'='));
}

TEST(WriteHeaders, TitlesNameTheEnclosingKeysNearestFirst) {
  PathStacks stacks;
  stacks.depth = 3;
  stacks.Resize();
  stacks.pathKeys = {u"", u"F", u"ブロック", u"B1"};
  stacks.headPending = {false, true, true, true};
  stacks.mark2[3] = u"*";
  HTMLTblCls table;
  WriteHeaders(stacks, table);
  EXPECT_EQ(Rows(table), R"(
|||||[2]====|
|||||[2 ]F|
|||||[2]====|
|||||[2 ]ブロック ( F ) |
|||||[2]====|
||*|||[2 C]B1 ( ブロック>F ) |
)");
  EXPECT_EQ(stacks.headPending, (std::vector<bool>{false, false, false, false}));

  HTMLTblCls again;
  WriteHeaders(stacks, again);
  EXPECT_EQ(again.sStr(), u"") << "each header is written once";
}

TEST(WriteHeaders, WritesOnlyPendingLevelsWithTheirMarkAndColour) {
  PathStacks stacks;
  stacks.depth = 2;
  stacks.Resize();
  stacks.pathKeys = {u"", u"F", u"トリガー"};
  stacks.headPending = {false, false, true};
  stacks.mark1[2] = u"*";
  HTMLTblCls table;
  WriteHeaders(stacks, table);
  const std::u16string rule = u"\r\n" + std::u16string(80, u'=');
  EXPECT_EQ(table.sStr(),
            u"<tr><td></td><td></td><td></td><td></td><td colspan=\"2\">" + rule +
                u"</td></tr>\r\n"
                u"<tr><td>*</td><td></td><td></td><td></td>"
                u"<td colspan=\"2\" "
                u"bgcolor=\"yellow\">トリガー&nbsp;(&nbsp;F&nbsp;)&nbsp;</td></tr>\r\n");
}

TEST(WriteHeaders, LevelOneTitleIsItsKeyWithABlankAfterTheColspan) {
  PathStacks stacks;
  stacks.depth = 1;
  stacks.Resize();
  stacks.pathKeys[1] = u"F";
  stacks.headPending[1] = true;
  HTMLTblCls table;
  WriteHeaders(stacks, table);
  const std::u16string html = table.sStr();
  EXPECT_NE(
      html.find(u"<tr><td></td><td></td><td></td><td></td><td colspan=\"2\" >F</td></tr>\r\n"),
      std::u16string::npos)
      << ToUtf8(html);
}

TEST(WriteHeaders, StacksShorterThanTheDepthAreAnError) {
  PathStacks stacks;
  stacks.depth = 2;  // the stacks still hold level 0 only
  HTMLTblCls table;
  EXPECT_THROW(WriteHeaders(stacks, table), Error);
}

TEST(MergeKey, KeepsFirstAppearanceOrderAndTheLastPositionPerSide) {
  MergeKey list;
  list.Merge(u"b", MergeKey::kSide1, 1);
  list.Merge(u"a", MergeKey::kSide1, 2);
  list.Merge(u"B", MergeKey::kSide1, 3);  // case-sensitive: a key of its own
  list.Merge(u"a", MergeKey::kSide1, 4);  // a later duplicate overwrites
  list.Merge(u"c", MergeKey::kSide2, 1);
  list.Merge(u"a", MergeKey::kSide2, 2);

  ASSERT_EQ(list.Count(), 4u);
  const std::vector<std::tuple<std::u16string_view, std::size_t, std::size_t>> expected = {
      {u"b", 1, 0}, {u"a", 4, 2}, {u"B", 3, 0}, {u"c", 0, 1}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(list[i].key, std::get<0>(expected[i])) << i;
    EXPECT_EQ(list[i].position1, std::get<1>(expected[i])) << i;
    EXPECT_EQ(list[i].position2, std::get<2>(expected[i])) << i;
  }

  list.Clear();
  EXPECT_TRUE(list.Empty());
  list.Merge(u"a", MergeKey::kSide2, 7);
  EXPECT_EQ(list[0].position1, 0u);
  EXPECT_EQ(list[0].position2, 7u);
}

TEST(MergeKey, MergingInOrderGivesWhatMergingGives) {
  // Two collections' keys: distinct on each side, shared in part, in the
  // same order, shuffled, or with keys inserted and dropped.
  std::mt19937 random(11);
  std::vector<std::u16string> pool;
  for (int i = 0; i < 60; ++i) pool.push_back(u"K" + std::u16string(1, char16_t(u'A' + i)));
  for (int round = 0; round < 500; ++round) {
    std::vector<std::u16string> side1(pool.begin(), pool.begin() + random() % 60);
    std::vector<std::u16string> side2 = side1;
    switch (round % 4) {
      case 0:
        break;
      case 1:
        std::shuffle(side2.begin(), side2.end(), random);
        break;
      default:
        for (int k = 0; k < 3 && !side2.empty(); ++k)
          side2.erase(side2.begin() + random() % side2.size());
        for (int k = 0; k < 3; ++k)
          side2.insert(side2.begin() + random() % (side2.size() + 1), pool[50 + k]);
    }
    MergeKey plain, inOrder;
    for (MergeKey* list : {&plain, &inOrder}) list->Merge(u"stale", MergeKey::kSide2, 1);
    plain.Clear();
    inOrder.Clear();
    for (std::size_t i = 0; i < side1.size(); ++i) {
      plain.Merge(side1[i], MergeKey::kSide1, i + 1);
      inOrder.MergeInOrder(side1[i], MergeKey::kSide1, i + 1);
    }
    for (std::size_t i = 0; i < side2.size(); ++i) {
      plain.Merge(side2[i], MergeKey::kSide2, i + 1);
      inOrder.MergeInOrder(side2[i], MergeKey::kSide2, i + 1);
    }
    ASSERT_EQ(inOrder.Count(), plain.Count()) << round;
    for (std::size_t i = 0; i < plain.Count(); ++i) {
      ASSERT_EQ(inOrder[i].key, plain[i].key) << round;
      ASSERT_EQ(inOrder[i].position1, plain[i].position1) << round;
      ASSERT_EQ(inOrder[i].position2, plain[i].position2) << round;
    }
  }
}

TEST(MergeKey, ManyKeysStayInOrderAndMatchExactly) {
  std::vector<std::u16string> keys;
  for (int i = 0; i < 1000; ++i)
    keys.push_back(u"K" + std::u16string(1, char16_t(u'a' + i % 26)) +
                   std::u16string(i / 26, u'x'));
  keys.push_back(u"Ka");  // already present as keys[0]
  keys.push_back(u"KA");  // differs in case only
  MergeKey list;
  for (std::size_t i = 0; i < keys.size(); ++i) list.Merge(keys[i], MergeKey::kSide1, i + 1);
  for (std::size_t i = keys.size(); i-- > 0;)
    list.Merge(keys[i], MergeKey::kSide2, keys.size() - i);

  ASSERT_EQ(list.Count(), 1001u);
  EXPECT_EQ(list[0].key, u"Ka");
  EXPECT_EQ(list[0].position1, 1001u);
  EXPECT_EQ(list[0].position2, 1002u);
  EXPECT_EQ(list[999].key, keys[999]);
  EXPECT_EQ(list[999].position1, 1000u);
  EXPECT_EQ(list[999].position2, 3u);
  EXPECT_EQ(list[1000].key, u"KA");
  EXPECT_EQ(list[1000].position2, 1u);

  // Used again for fewer keys (still past a linear scan): nothing of the
  // earlier keys is found.
  list.Clear();
  for (std::size_t i = 0; i < 40; ++i) list.Merge(keys[i + 500], MergeKey::kSide2, i + 1);
  list.Merge(keys[0], MergeKey::kSide1, 9);
  list.Merge(keys[539], MergeKey::kSide1, 8);
  ASSERT_EQ(list.Count(), 41u);
  EXPECT_EQ(list[39].position1, 8u);
  EXPECT_EQ(list[39].position2, 40u);
  EXPECT_EQ(list[40].key, u"Ka");
  EXPECT_EQ(list[40].position2, 0u);
}

clsItem SampleForm() {
  return Obj(
      u"ﾌｫｰﾑ",
      {Obj(u"F", {Prop(u"タイトル", u"受注"),
                  Obj(u"ブロック", {Obj(u"B1", {Prop(u"WHERE句", u"A = 1\r\nAND B = 2")})})})});
}

TEST(CompareNodes, IdenticalNodesWriteNothingWhenOnlyDifferencesAreWanted) {
  const Comparison result = Compare(SampleForm(), SampleForm(), true);
  EXPECT_EQ(result.rows, "\n");
  EXPECT_FALSE(result.diffFound);
  EXPECT_EQ(result.depthAfter, 0);
}

TEST(CompareNodes, IdenticalNodesAreListedInFullWithEveryHeader) {
  const Comparison result = Compare(SampleForm(), SampleForm(), false);
  EXPECT_EQ(result.rows, R"(
|||||[2]====|
|||||[2 ]F|
|||1|1|タイトル|受注|
|||||[2]====|
|||||[2 ]ブロック ( F ) |
|||||[2]====|
|||||[2 ]B1 ( ブロック>F ) |
|||1|1|WHERE句|A = 1|
|||2|2||AND B = 2|
)");
  EXPECT_FALSE(result.diffFound);
  EXPECT_EQ(result.depthAfter, 0);
}

TEST(CompareNodes, ChangedAndOneSidedSingleLinePropertiesAreComparedExactly) {
  const clsItem node1 = Obj(u"ﾌｫｰﾑ", {Obj(u"F", {Prop(u"幅", u"10"), Prop(u"ヒント", u"abc"),
                                                 Prop(u"ラベル", u"OK"), Prop(u"高さ", u"5")})});
  const clsItem node2 =
      Obj(u"ﾌｫｰﾑ", {Obj(u"F", {Prop(u"幅", u"20"), Prop(u"ヒント", u"abc "), Prop(u"ラベル", u"ok"),
                               Prop(u"高さ", u"5"), Prop(u"色", u"赤")})});
  const Comparison result = Compare(node1, node2, true);
  EXPECT_EQ(result.rows, R"(
|||||[2]====|
|||||[2 ]F|
|*||||幅|[Y]10|
||*||||[C]20|
|*||||ヒント|[Y]abc|
||*||||[C]abc |
|*||||ラベル|[Y]OK|
||*||||[C]ok|
||*|||[C]色|[C]赤|
)");
  EXPECT_TRUE(result.diffFound);

  const Comparison reversed = Compare(node2, node1, true);
  EXPECT_NE(reversed.rows.find("|*||||[Y]色|[Y]赤|\n"), std::string::npos) << reversed.rows;
}

TEST(CompareNodes, ChangedTriggerTextIsListedLineByLine) {
  const auto form = [](std::u16string body) {
    return Obj(u"ﾌｫｰﾑ",
               {Obj(u"F", {Obj(u"トリガー", {Obj(u"WHEN-NEW-FORM-INSTANCE",
                                                 {Prop(u"トリガー・テキスト", body)})})})});
  };
  const Comparison result = Compare(form(u"\r\nBEGIN\r\n  GO_BLOCK('B1');\r\nEND;"),
                                    form(u"\r\nBEGIN\r\n  GO_BLOCK('B2');\r\nEND;"), true);
  EXPECT_EQ(result.rows, R"(
|||||[2]====|
|||||[2 ]F|
|||||[2]====|
|||||[2 ]トリガー ( F ) |
|||||[2]====|
|||||[2 ]WHEN-NEW-FORM-INSTANCE ( トリガー>F ) |
|||1|1|トリガー・テキスト||
|||2|2||BEGIN|
|*||[Y]3|[Y]||[Y]  GO_BLOCK('B1');|
||*|[C]|[C]3||[C]  GO_BLOCK('B2');|
|||4|4||END;|
)");
  EXPECT_TRUE(result.diffFound);
}

TEST(CompareNodes, AMultiLineValueOnOneSideIsListedWholeAsThatSidesLines) {
  const clsItem node1 = Obj(u"", {Obj(u"P", {Prop(u"一行", u"X")})});
  const clsItem node2 = Obj(
      u"",
      {Obj(u"P", {Prop(u"テキスト", u"PROCEDURE P IS\r\nBEGIN\r\n  NULL;\r\nEND;"),
                  Prop(u"トリガー・テキスト", u"\r\nBEGIN\r\nEND;"), Prop(u"一行", u"X\r\nY")})});
  // The empty first line of a trigger text is not paired with the absent side.
  EXPECT_EQ(Compare(node1, node2, true).rows, R"(
|||||[2]====|
|||||[2 ]P|
|||1|1|一行|X|
||*|[C]|[C]2||[C]Y|
||*|[C]|[C]1|[C]テキスト|[C]PROCEDURE P IS|
||*|[C]|[C]2||[C]BEGIN|
||*|[C]|[C]3||[C]  NULL;|
||*|[C]|[C]4||[C]END;|
||*|[C]|[C]1|[C]トリガー・テキスト|[C]|
||*|[C]|[C]2||[C]BEGIN|
||*|[C]|[C]3||[C]END;|
)");
  EXPECT_EQ(Compare(node2, node1, true).rows, R"(
|||||[2]====|
|||||[2 ]P|
|*||[Y]1|[Y]|[Y]テキスト|[Y]PROCEDURE P IS|
|*||[Y]2|[Y]||[Y]BEGIN|
|*||[Y]3|[Y]||[Y]  NULL;|
|*||[Y]4|[Y]||[Y]END;|
|*||[Y]1|[Y]|[Y]トリガー・テキスト|[Y]|
|*||[Y]2|[Y]||[Y]BEGIN|
|*||[Y]3|[Y]||[Y]END;|
|||1|1|一行|X|
|*||[Y]2|[Y]||[Y]Y|
)");
}

TEST(CompareNodes, AnObjectOnOneSideIsListedWithAllItsContents) {
  const clsItem node1 =
      Obj(u"ﾌｫｰﾑ",
          {Obj(u"F",
               {Obj(u"ブロック",
                    {Obj(u"B1", {Prop(u"WHERE句", u"X = 1"),
                                 Obj(u"項目", {Obj(u"I1", {Prop(u"型", u"テキスト項目")})})})})})});
  const clsItem node2 = Obj(u"ﾌｫｰﾑ", {Obj(u"F", {Obj(u"ブロック", {})})});
  const Comparison result = Compare(node1, node2, true);
  EXPECT_EQ(result.rows, R"(
|||||[2]====|
|||||[2 ]F|
|||||[2]====|
|||||[2 ]ブロック ( F ) |
|||||[2]====|
|*||||[2 Y]B1 ( ブロック>F ) |
|*||||[Y]WHERE句|[Y]X = 1|
|||||[2]====|
|*||||[2 Y]項目 ( B1>ブロック>F ) |
|||||[2]====|
|*||||[2 Y]I1 ( 項目>B1>ブロック>F ) |
|*||||[Y]型|[Y]テキスト項目|
)");
  EXPECT_TRUE(result.diffFound);

  EXPECT_EQ(Compare(node2, node1, false).rows, R"(
|||||[2]====|
|||||[2 ]F|
|||||[2]====|
|||||[2 ]ブロック ( F ) |
|||||[2]====|
||*|||[2 C]B1 ( ブロック>F ) |
||*|||[C]WHERE句|[C]X = 1|
|||||[2]====|
||*|||[2 C]項目 ( B1>ブロック>F ) |
|||||[2]====|
||*|||[2 C]I1 ( 項目>B1>ブロック>F ) |
||*|||[C]型|[C]テキスト項目|
)");
}

TEST(CompareNodes, DeepDifferencesWriteEachEnclosingHeaderOnceOutermostFirst) {
  const auto form = [](std::u16string where, std::u16string order, std::u16string title) {
    return Obj(u"ﾌｫｰﾑ",
               {Obj(u"F", {Prop(u"コメント", u"同じ"),
                           Obj(u"ブロック",
                               {Obj(u"B0", {Prop(u"行数", u"1")}),
                                Obj(u"B1", {Prop(u"WHERE句", where), Prop(u"ORDER BY句", order)}),
                                Obj(u"B2", {Prop(u"タイトル", title)})})})});
  };
  const Comparison result = Compare(form(u"A", u"B", u"T"), form(u"A2", u"B2", u"T2"), true);
  EXPECT_EQ(result.rows, R"(
|||||[2]====|
|||||[2 ]F|
|||||[2]====|
|||||[2 ]ブロック ( F ) |
|||||[2]====|
|||||[2 ]B1 ( ブロック>F ) |
|*||||WHERE句|[Y]A|
||*||||[C]A2|
|*||||ORDER BY句|[Y]B|
||*||||[C]B2|
|||||[2]====|
|||||[2 ]B2 ( ブロック>F ) |
|*||||タイトル|[Y]T|
||*||||[C]T2|
)");
  EXPECT_TRUE(result.diffFound);
}

TEST(CompareNodes, ChildrenMatchByKeyAndRowsFollowSideOnesOrder) {
  const clsItem node1 = Obj(u"", {Obj(u"F", {Prop(u"a", u"1"), Prop(u"b", u"2"), Prop(u"c", u"3"),
                                             Obj(u"X", {Prop(u"p", u"1")}), Obj(u"Y", {})})});
  const clsItem node2 = Obj(u"", {Obj(u"F", {Obj(u"Y", {}), Prop(u"d", u"4"), Prop(u"c", u"3"),
                                             Obj(u"X", {Prop(u"p", u"1")}), Prop(u"b", u"2"),
                                             Prop(u"a", u"1"), Prop(u"e", u"5")})});
  EXPECT_EQ(Compare(node1, node2, false).rows, R"(
|||||[2]====|
|||||[2 ]F|
|||1|1|a|1|
|||1|1|b|2|
|||1|1|c|3|
||*|||[C]d|[C]4|
||*|||[C]e|[C]5|
|||||[2]====|
|||||[2 ]X ( F ) |
|||1|1|p|1|
|||||[2]====|
|||||[2 ]Y ( F ) |
)");

  const clsItem shuffled =
      Obj(u"", {Obj(u"F", {Obj(u"Y", {}), Prop(u"c", u"3"), Obj(u"X", {Prop(u"p", u"1")}),
                           Prop(u"b", u"2"), Prop(u"a", u"1")})});
  const Comparison same = Compare(node1, shuffled, true);
  EXPECT_EQ(same.rows, "\n");
  EXPECT_FALSE(same.diffFound);
}

// Records the moves, each with the path of the object that moved.
class MoveRecorder final : public CompareEvents {
 public:
  void Title(std::u16string_view, int) override {}
  void OutlineEqual(std::u16string_view) override {}
  void OutlineChanged(std::span<const LineRecord>) override {}
  void Headings(PathStacks&) override {}
  void EqualProperty(const PathStacks&, std::u16string_view, std::u16string_view) override {}
  void ChangedProperty(const PathStacks& stacks, const PropertyChange& change) override {
    changed.push_back(stacks.pathKeys[static_cast<std::size_t>(stacks.depth)] + u"." +
                      std::u16string(change.name));
  }
  void ObjectMoved(PathStacks& stacks, std::size_t from, std::size_t to) override {
    std::u16string path;
    for (std::int32_t level = 1; level <= stacks.depth; ++level) {
      path += (level > 1 ? u"/" : u"") + stacks.pathKeys[static_cast<std::size_t>(level)];
    }
    moves.push_back(path + u" " + std::u16string(1, u'0' + static_cast<char16_t>(from)) + u"→" +
                    std::u16string(1, u'0' + static_cast<char16_t>(to)));
  }
  std::vector<std::u16string> moves, changed;
};

std::vector<std::u16string> MovesOf(const clsItem& node1, const clsItem& node2,
                                    bool diffOnly = true) {
  PathStacks stacks;
  MoveRecorder recorder;
  CompareNodes(node1, node2, stacks, recorder, diffOnly, {});
  return recorder.moves;
}

TEST(CompareNodes, TheFewestObjectsExplainingTheNewOrderAreMoved) {
  const auto form = [](std::initializer_list<const char16_t*> keys) {
    std::vector<clsItem> children;
    children.push_back(Prop(u"p", u"1"));
    for (const char16_t* key : keys) children.push_back(Obj(key, {Prop(u"q", u"1")}));
    clsItem form = Obj(u"F", {});
    for (clsItem& child : children) form.Children().Add(std::move(child));
    return Obj(u"", {std::move(form)});
  };
  // The same order, properties moved or objects added in between: no move.
  EXPECT_TRUE(MovesOf(form({u"A", u"B", u"C"}), form({u"A", u"X", u"B", u"C"})).empty());
  // One object taken from the front to the end is the one move, not three.
  EXPECT_EQ(MovesOf(form({u"A", u"B", u"C", u"D"}), form({u"B", u"C", u"D", u"A"})),
            (std::vector<std::u16string>{u"F/A 1→4"}));
  // Ranks count the sibling objects of each side, one-sided ones too.
  EXPECT_EQ(MovesOf(form({u"A", u"B", u"C"}), form({u"N", u"C", u"A", u"B"})),
            (std::vector<std::u16string>{u"F/C 3→2"}));
  // Reported whether or not everything is listed, and inside too.
  const clsItem nested1 = Obj(u"", {Obj(u"F", {Obj(u"B", {Obj(u"I", {}), Obj(u"J", {})})})});
  const clsItem nested2 = Obj(u"", {Obj(u"F", {Obj(u"B", {Obj(u"J", {}), Obj(u"I", {})})})});
  EXPECT_EQ(MovesOf(nested1, nested2, false), (std::vector<std::u16string>{u"F/B/I 1→2"}));
  // A move is no difference.
  PathStacks stacks;
  MoveRecorder recorder;
  EXPECT_FALSE(CompareNodes(nested1, nested2, stacks, recorder, true, {}));
}

TEST(ChangeCounter, CountsMovesAndAMovedObjectsOwnChangesOnce) {
  const clsItem node1 =
      Obj(u"", {Obj(u"F", {Obj(u"A", {Prop(u"q", u"1")}), Obj(u"B", {Prop(u"q", u"1")})})});
  const clsItem node2 =
      Obj(u"", {Obj(u"F", {Obj(u"B", {Prop(u"q", u"2")}), Obj(u"A", {Prop(u"q", u"2")})})});
  PathStacks stacks;
  MoveRecorder recorder;
  ChangeCounter counter(recorder);
  CompareNodes(node1, node2, stacks, counter, true, {});
  EXPECT_EQ(counter.Counts().objectsMoved, 1);
  EXPECT_EQ(counter.Counts().objectsChanged, 2);
  EXPECT_EQ(recorder.changed, (std::vector<std::u16string>{u"A.q", u"B.q"}));
}

TEST(CompareNodes, KeysDifferingInCaseOrKindAreSeparateEntries) {
  const clsItem node1 = Obj(u"", {Obj(u"F", {Prop(u"Name", u"x"), Obj(u"P", {Prop(u"v", u"1")})})});
  const clsItem node2 = Obj(u"", {Obj(u"F", {Prop(u"NAME", u"x"), Prop(u"P", u"1")})});
  EXPECT_EQ(Compare(node1, node2, true).rows, R"(
|||||[2]====|
|||||[2 ]F|
|*||||[Y]Name|[Y]x|
||*|||[C]NAME|[C]x|
||*|||[C]P|[C]1|
|||||[2]====|
|*||||[2 Y]P ( F ) |
|*||||[Y]v|[Y]1|
)");
}

TEST(CompareNodes, EmptyKeysAreIgnoredAndNodesHoldingNothingAreObjects) {
  const clsItem node1 = Obj(u"", {Obj(u"F", {clsItem{}, clsItem{u"N", {}}, clsItem{u"M", {}}})});
  const clsItem node2 = Obj(u"", {Obj(u"F", {Prop(u"", u"y"), clsItem{u"N", {}}})});
  const Comparison result = Compare(node1, node2, true);
  EXPECT_EQ(result.rows, R"(
|||||[2]====|
|||||[2 ]F|
|||||[2]====|
|*||||[2 Y]M ( F ) |
)");
  EXPECT_TRUE(result.diffFound);

  // A node holding a text has no children to compare.
  const Comparison texts = Compare(Prop(u"a", u"1"), Prop(u"a", u"2"), false);
  EXPECT_EQ(texts.rows, "\n");
  EXPECT_FALSE(texts.diffFound);
}

TEST(CompareNodes, CallerLevelsFrameTheTitlesAndDepthIsRestored) {
  PathStacks stacks;
  stacks.depth = 1;
  stacks.Resize();
  stacks.pathKeys[1] = u"ROOT";
  stacks.headPending[1] = true;
  HTMLTblCls table;
  const bool diffFound =
      testing::ClassicCompareNodes(Obj(u"", {Obj(u"A", {Prop(u"p", u"1")})}),
                                   Obj(u"", {Obj(u"A", {Prop(u"p", u"2")})}), stacks, table, true);
  EXPECT_TRUE(diffFound);
  EXPECT_EQ(Rows(table), R"(
|||||[2]====|
|||||[2 ]ROOT|
|||||[2]====|
|||||[2 ]A ( ROOT ) |
|*||||p|[Y]1|
||*||||[C]2|
)");
  EXPECT_EQ(stacks.depth, 1);
  EXPECT_GE(stacks.pathKeys.size(), 3u);
  EXPECT_EQ(stacks.pathKeys[2], u"A");
}

clsItem Chain(int levels, std::u16string_view leafValue) {
  clsItem node = Prop(u"v", leafValue);
  for (int i = 0; i < levels; ++i) node = Obj(u"L", {node});
  return node;
}

TEST(CompareNodes, VeryDeepTreesDoNotExhaustTheStack) {
  const clsItem deep = Chain(200000, u"1");
  const Comparison same = Compare(deep, deep, true);
  EXPECT_EQ(same.rows, "\n");
  EXPECT_EQ(same.depthAfter, 0);

  // A difference at the bottom of a chain as deep as the parser allows.
  const Comparison changed = Compare(Chain(1000, u"1"), Chain(1000, u"2"), true);
  EXPECT_TRUE(changed.diffFound);
  std::size_t rows = 0;
  for (std::size_t at = changed.rows.find('\n', 1); at != std::string::npos;
       at = changed.rows.find('\n', at + 1)) {
    ++rows;
  }
  EXPECT_EQ(rows, 2u * 999u + 2u);  // header pairs for levels 1..999, then the two value rows
  EXPECT_NE(changed.rows.find("|*||||v|[Y]1|\n||*||||[C]2|\n"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick
