#include <gtest/gtest.h>

#include <array>

#include "app/list_tree_view.h"
#include "app/object_path.h"
#include "app/runs.h"
#include "base/error.h"
#include "classic_tables.h"
#include "diff/object_diff.h"
#include "diff/tree_compare.h"
#include "fake_window.h"
#include "files/paths.h"
#include "runs_fixture.h"
#include "sample_reports.h"

namespace tarnwick {
namespace {

using testing::FakeWindow;
using testing::ScratchFolder;
using testing::ShownMessage;

// Module F: ten properties, then the block section at position 11 with the
// blocks A and B; B holds an item section.
constexpr std::u16string_view kForm =
    u"* 名前 F\r\n"
    u"  p01 1\r\n  p02 2\r\n  p03 3\r\n  p04 4\r\n  p05 5\r\n"
    u"  p06 6\r\n  p07 7\r\n  p08 8\r\n  p09 9\r\n  p10 10\r\n"
    u"  ブロック\r\n"
    u"  * 名前 A\r\n"
    u"    問合せ可能 はい\r\n"
    u"  * 名前 B\r\n"
    u"    問合せ可能 いいえ\r\n"
    u"    項目\r\n"
    u"    * 名前 I1\r\n"
    u"      型 テキスト\r\n";

std::vector<ListTreeView::Node> Nodes(
    std::initializer_list<std::array<std::u16string_view, 3>> rows) {
  std::vector<ListTreeView::Node> nodes;
  for (const auto& row : rows)
    nodes.push_back({std::u16string(row[0]), std::u16string(row[1]), std::u16string(row[2])});
  return nodes;
}

class ObjDiffRun : public ::testing::Test {
 protected:
  ObjDiffRun() {
    settings = BaseDefaults();
    settings.OUTPUT_PATH = scratch.Folder(u"out");
    settings.OUTPUT_FILE = u"Result";
    form1 = scratch.WriteText(u"rep", u"FORM1.txt", kForm);
  }

  // Drops `path` on side n (1 or 2).
  bool Drop(int n, const std::u16string& path) {
    return DropReportOnTree({FilePathOf(path)}, side[n - 1], view[n - 1], window);
  }

  ScratchFolder scratch;
  Settings settings;
  FakeWindow window;
  ObjSide side[2];
  ListTreeView view[2];
  std::u16string form1;
};

TEST_F(ObjDiffRun, ADropShowsSectionsAndObjectsKeyedByPosition) {
  ASSERT_TRUE(Drop(1, form1));
  EXPECT_EQ(view[0].Nodes(), Nodes({{u"", u"ROOT", u"FORM1"},
                                    {u"ROOT", u"ROOT-1", u"ﾌｫｰﾑ"},
                                    {u"ROOT-1", u"ROOT-1-1", u"F"},
                                    {u"ROOT-1-1", u"ROOT-1-1-11", u"ブロック"},
                                    {u"ROOT-1-1-11", u"ROOT-1-1-11-1", u"A"},
                                    {u"ROOT-1-1-11", u"ROOT-1-1-11-2", u"B"},
                                    {u"ROOT-1-1-11-2", u"ROOT-1-1-11-2-2", u"項目"},
                                    {u"ROOT-1-1-11-2-2", u"ROOT-1-1-11-2-2-1", u"I1"}}));
  EXPECT_EQ(side[0].ObjNodeCount, 8);
  EXPECT_EQ(side[0].ObjPathTexts[0], u" FORM1");
  EXPECT_EQ(side[0].ObjPathTexts[5], u" FORM1 ﾌｫｰﾑ F ブロック B");
  EXPECT_EQ(side[0].ObjFile, form1);
  EXPECT_TRUE(window.messages.empty());

  const clsItem& b = ResolveNodeKey(side[0].ObjTree, u"ROOT-1-1-11-2");
  EXPECT_EQ(b.Key, u"B");
  EXPECT_EQ(ResolveNodeKey(side[0].ObjTree, u"ROOT-1").Key, u"ﾌｫｰﾑ");
  EXPECT_EQ(ResolveNodeKey(side[0].ObjTree, u"ROOT-1-1-11-2-2-1").Key, u"I1");
}

TEST_F(ObjDiffRun, OnlyADropOfExactlyOneFileLoads) {
  view[0].AddNode(u"", u"COM", u"hint");
  EXPECT_FALSE(DropReportOnTree({FilePathOf(form1), FilePathOf(form1)}, side[0], view[0], window));
  EXPECT_FALSE(DropReportOnTree({}, side[0], view[0], window));
  EXPECT_EQ(view[0].Nodes().size(), 1u);
  EXPECT_EQ(side[0].ObjFile, u"");

  // A second drop replaces the side completely.
  ASSERT_TRUE(Drop(1, form1));
  const auto small =
      scratch.WriteText(u"rep", u"S.v2.txt", u"* 名前 S\r\n  ブロック\r\n  * 名前 X\r\n");
  ASSERT_TRUE(Drop(1, small));
  EXPECT_EQ(view[0].Nodes(), Nodes({{u"", u"ROOT", u"S"},
                                    {u"ROOT", u"ROOT-1", u"ﾌｫｰﾑ"},
                                    {u"ROOT-1", u"ROOT-1-1", u"S"},
                                    {u"ROOT-1-1", u"ROOT-1-1-1", u"ブロック"},
                                    {u"ROOT-1-1-1", u"ROOT-1-1-1-1", u"X"}}));
  EXPECT_EQ(side[0].ObjPathTexts.size(), 5u);
  EXPECT_EQ(side[0].ObjFile, small);
}

TEST_F(ObjDiffRun, KeysThatDoNotResolveAreErrorsNotCrashes) {
  ASSERT_TRUE(Drop(1, form1));
  for (std::u16string_view key : {u"ROOT-9", u"ROOT-1-1-2-1", u"ROOT-1-x", u"ROOT-1--1", u"ROOT-0",
                                  u"ROOT-1-1-99999999999999"}) {
    EXPECT_THROW(ResolveNodeKey(side[0].ObjTree, key), Error) << ToUtf8(key);
  }
  EXPECT_THROW(ResolveNodeKey(nullptr, u"ROOT-1"), Error);
}

TEST_F(ObjDiffRun, LoadFailuresShowTheirMessageWithoutLineBreak) {
  const auto empty = scratch.WriteText(u"rep", u"EMPTY.txt", u"");
  EXPECT_FALSE(Drop(1, empty));
  // The root is added before the missing tree is found.
  EXPECT_EQ(view[0].Nodes(), Nodes({{u"", u"ROOT", u"EMPTY"}}));
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text.rfind(u"エラーが発生しました。", 0), 0u);
  EXPECT_EQ(window.messages[0].text.find(u"\r\n"), std::u16string::npos);
  EXPECT_EQ(window.messages[0].icon, MessageIcon::Critical);
  EXPECT_EQ(side[0].ObjFile, empty);

  const auto broken = scratch.WriteText(u"rep", u"BAD.txt", testing::kUnparsableReport);
  EXPECT_FALSE(Drop(2, broken));
  EXPECT_EQ(window.messages.at(1).text.rfind(
                u"フォーム文章[" + broken + u"]の解析中に、エラーが発生しました。", 0),
            0u);
  EXPECT_TRUE(view[1].Nodes().empty());
  EXPECT_EQ(side[1].ObjFile, broken);

  const auto missing = scratch.Folder(u"rep") + u"missing.txt";
  EXPECT_FALSE(Drop(2, missing));
  EXPECT_EQ(window.messages.at(2).text.rfind(
                u"ファイル文章[" + missing + u"]の読み込み中に、エラーが発生しました。", 0),
            0u);
}

TEST_F(ObjDiffRun, WritesTheFourHeaderRowsThenTheComparison) {
  ASSERT_TRUE(Drop(1, form1));
  ASSERT_TRUE(Drop(2, form1));
  view[0].Select(u"ROOT-1-1-11-2");
  view[1].Select(u"ROOT-1-1-11-2");
  settings.DIFF_OBJ_ONLY = true;
  settings.OUTPUT_AUTOOPEN = true;

  EXPECT_EQ(ExecObjDiff(settings, side[0], view[0], side[1], view[1], window),
            RunOutcome::Finished);
  const std::u16string row = u"<tr><td></td><td></td><td></td><td></td><td colspan=\"2\" bgcolor=";
  const std::u16string pathText = u"&nbsp;FORM1&nbsp;ﾌｫｰﾑ&nbsp;F&nbsp;ブロック&nbsp;B";
  // The same object on both sides, only differences wanted: the headers alone.
  EXPECT_EQ(ScratchFolder::ReadText(settings.OUTPUT_PATH + u"Result.html"),
            u"<HTML><TABLE>\r\n" + row + u"\"yellow\">" + form1 + u"</td></tr>\r\n" + row +
                u"\"yellow\">" + pathText + u"</td></tr>\r\n" + row + u"\"cyan\">" + form1 +
                u"</td></tr>\r\n" + row + u"\"cyan\">" + pathText + u"</td></tr>\r\n" +
                u"\r\n</TABLE></HTML>\r\n");
  EXPECT_EQ(window.messages,
            (std::vector<ShownMessage>{{u"終了しました。", MessageIcon::Information}}));
  EXPECT_EQ(window.opened, std::vector<std::u16string>{settings.OUTPUT_PATH + u"Result.html"});
}

TEST_F(ObjDiffRun, ComparesTheChosenNodesWhateverTheirKind) {
  ASSERT_TRUE(Drop(1, form1));
  ASSERT_TRUE(Drop(2, form1));
  view[0].Select(u"ROOT-1-1-11-1");  // block A
  view[1].Select(u"ROOT-1-1-11-2");  // block B
  settings.OUTPUT_FILE = u"sub" + std::u16string(1, NativeSeparator()) + u"Obj.htm";
  EXPECT_EQ(ExecObjDiff(settings, side[0], view[0], side[1], view[1], window),
            RunOutcome::Finished);

  HTMLTblCls expected;
  const std::u16string yellow = u"colspan=\"2\" bgcolor=\"yellow\"";
  const std::u16string cyan = u"colspan=\"2\" bgcolor=\"cyan\"";
  for (const auto& [text, colour] :
       {std::pair{form1, yellow}, std::pair{side[0].ObjPathTexts[4], yellow},
        std::pair{form1, cyan}, std::pair{side[1].ObjPathTexts[5], cyan}}) {
    expected.StartRow();
    for (int i = 0; i < 4; ++i) expected.AddCell(u"", u"");
    expected.AddCell(text, colour);
  }
  PathStacks stacks;
  const bool diffFound = testing::ClassicCompareNodes(
      ResolveNodeKey(side[0].ObjTree, u"ROOT-1-1-11-1"),
      ResolveNodeKey(side[1].ObjTree, u"ROOT-1-1-11-2"), stacks, expected, false);
  EXPECT_TRUE(diffFound);
  EXPECT_EQ(ScratchFolder::ReadText(settings.OUTPUT_PATH + u"Obj.htm"),
            u"<HTML><TABLE>\r\n" + expected.sStr() + u"\r\n</TABLE></HTML>\r\n");
  EXPECT_TRUE(window.opened.empty());
}

TEST_F(ObjDiffRun, ChecksComeInOrderAndStopTheRun) {
  auto run = [&](const Settings& s) {
    FakeWindow fresh;
    EXPECT_EQ(ExecObjDiff(s, side[0], view[0], side[1], view[1], fresh), RunOutcome::Rejected);
    EXPECT_EQ(fresh.messages.size(), 1u);
    return fresh.messages.at(0);
  };
  Settings s = settings;
  s.OUTPUT_PATH.clear();
  EXPECT_EQ(run(s), (ShownMessage{u"出力先フォルダを指定してください", MessageIcon::Critical}));
  s.OUTPUT_PATH = scratch.Folder() + u"none";
  EXPECT_EQ(run(s), (ShownMessage{u"出力先フォルダが見つかりません", MessageIcon::Warning}));
  s.OUTPUT_PATH = settings.OUTPUT_PATH;
  s.OUTPUT_FILE.clear();
  EXPECT_EQ(run(s), (ShownMessage{u"結果出力ファイル名を入力してください", MessageIcon::Warning}));
  s.OUTPUT_FILE = settings.OUTPUT_FILE;
  const ShownMessage notLoaded{u"オブジェクト・リスト・レポートファイルをドロップしてください。",
                               MessageIcon::Warning};
  EXPECT_EQ(run(s), notLoaded);
  ASSERT_TRUE(Drop(1, form1));
  EXPECT_EQ(run(s), notLoaded);
  // A report with only its root node counts as not loaded.
  EXPECT_FALSE(Drop(2, scratch.WriteText(u"rep", u"E.txt", u"")));
  EXPECT_EQ(run(s), notLoaded);
  ASSERT_TRUE(Drop(2, form1));
  const ShownMessage select{u"比較するオブジェクトを選択してください。", MessageIcon::Warning};
  EXPECT_EQ(run(s), select);
  view[0].Select(u"ROOT-1");
  EXPECT_EQ(run(s), select);
  view[1].Select(u"ROOT");
  EXPECT_EQ(run(s), select);
  view[1].Select(u"ROOT-1-1");
  EXPECT_TRUE(std::filesystem::is_empty(NativePath(settings.OUTPUT_PATH)));

  // Never over an input report: the output file named after it in its folder.
  s.OUTPUT_PATH = scratch.Folder(u"rep");
  s.OUTPUT_FILE = u"FORM1.txt";
  EXPECT_EQ(run(s), (ShownMessage{u"出力ファイル[" + form1 +
                                      u"]は入力のレポートファイルです。上書きできません。",
                                  MessageIcon::Warning}));
  EXPECT_EQ(ScratchFolder::ReadText(form1), kForm);

  EXPECT_EQ(ExecObjDiff(settings, side[0], view[0], side[1], view[1], window),
            RunOutcome::Finished);
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

TEST_F(ObjDiffRun, APathLeadsToTheNodeTheTreeViewShowsUnderThoseNames) {
  ASSERT_TRUE(Drop(1, form1));
  using Names = std::vector<std::u16string>;
  EXPECT_EQ(NodeKeyOfPath(view[0], Names{u"ﾌｫｰﾑ", u"F", u"ブロック", u"b", u"項目", u"i1"}),
            u"ROOT-1-1-11-2-2-1");
  EXPECT_EQ(NodeKeyOfPath(view[0], Names{u"ﾌｫｰﾑ"}), u"ROOT-1");
  // Names are looked for among the children only, never deeper or beside.
  EXPECT_FALSE(NodeKeyOfPath(view[0], Names{u"ﾌｫｰﾑ", u"F", u"ブロック", u"I1"}));
  EXPECT_FALSE(NodeKeyOfPath(view[0], Names{u"ﾌｫｰﾑ", u"F", u"ブロック", u"A", u"項目"}));
  EXPECT_FALSE(NodeKeyOfPath(view[0], Names{u"FORM1"}));  // the root is no name of the path
  EXPECT_FALSE(NodeKeyOfPath(ListTreeView(), Names{u"ﾌｫｰﾑ"}));
}

TEST_F(ObjDiffRun, ThePageOfAnotherKindOfRunIsReplacedOnlyWhenTheWindowAgrees) {
  ASSERT_TRUE(Drop(1, form1));
  ASSERT_TRUE(Drop(2, form1));
  view[0].Select(u"ROOT-1-1");
  view[1].Select(u"ROOT-1-1");
  const std::u16string page = settings.OUTPUT_PATH + u"Result.html";
  // What a classic folder comparison's summary begins with.
  const std::string summary = EncodeCp932(
      u"<HTML><TABLE border=\"1\" bordercolor=\"black\">\r\n<tr><td "
      u"colspan=\"3\">フォルダ１:/a/</td></tr>\r\n<tr><td colspan=\"3\">フォルダ２:/b/"
      u"</td></tr>\r\n<tr><td colspan=\"3\">ファイル比較：開始日時：2026/01/02  "
      u"03:04:05</td></tr>\r\n");
  scratch.Write(u"out", u"Result.html", summary);

  EXPECT_EQ(ExecObjDiff(settings, side[0], view[0], side[1], view[1], window),
            RunOutcome::Rejected);
  ASSERT_EQ(window.questions.size(), 1u);
  EXPECT_EQ(window.questions[0], (Message{MessageId::ReplacesOtherRunsPage, {page}}));
  EXPECT_EQ(MessageText(window.questions[0]),
            u"出力ファイル[" + page + u"]は別の種類の実行が出力したページです。上書きしますか？");
  EXPECT_TRUE(window.messages.empty());
  EXPECT_EQ(ScratchFolder::Read(page), summary);

  window.overwriteAnswer = true;
  EXPECT_EQ(ExecObjDiff(settings, side[0], view[0], side[1], view[1], window),
            RunOutcome::Finished);
  EXPECT_EQ(window.questions.size(), 2u);
  EXPECT_EQ(ScratchFolder::Read(page).rfind("<HTML><TABLE>\r\n", 0), 0u);
  // Its own page again: no question.
  EXPECT_EQ(ExecObjDiff(settings, side[0], view[0], side[1], view[1], window),
            RunOutcome::Finished);
  EXPECT_EQ(window.questions.size(), 2u);
}

}  // namespace
}  // namespace tarnwick
