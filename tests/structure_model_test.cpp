#include "app/structure_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/object_tree.h"
#include "base/error.h"

namespace tarnwick {
namespace {

// The shape the parser gives a report: the section "ﾌｫｰﾑ" holding the module
// FORM1, whose properties come before its sections.
CollectionPtr SampleTree() {
  auto trigger = NewCollection();
  trigger->Add(TextNode(u"トリガー・テキスト", u"BEGIN\r\n  NULL;\r\nEND;"));
  auto triggers = NewCollection();
  triggers->Add(CollectionNode(u"WHEN-NEW-FORM-INSTANCE", trigger));
  auto emptyBlock = NewCollection();
  auto blocks = NewCollection();
  blocks->Add(CollectionNode(u"B1", emptyBlock));
  auto module = NewCollection();
  module->Add(TextNode(u"タイトル", u"受注入力"));
  module->Add(TextNode(u"コメント", u""));
  module->Add(CollectionNode(u"トリガー", triggers));
  module->Add(CollectionNode(u"ブロック", blocks));
  auto form = NewCollection();
  form->Add(CollectionNode(u"FORM1", module));
  auto top = NewCollection();
  top->Add(CollectionNode(u"ﾌｫｰﾑ", form));
  return top;
}

std::vector<std::u16string> Lines(const StructureModel& model) {
  std::vector<std::u16string> lines;
  for (const StructureNode& node : model.Nodes()) {
    lines.push_back(node.ParentKey + u" | " + node.Key + u" | " + node.Text);
  }
  return lines;
}

TEST(StructureModel, NodesFollowTheCollectionOrderWithKeysByPosition) {
  StructureModel model;
  const auto tree = SampleTree();
  model.Init(*tree);
  const std::vector<std::u16string> expected = {
      u" | 1-1K | ﾌｫｰﾑ",
      u"1-1K | 1-1K-1K | ﾌｫｰﾑ",
      u"1-1K-1K | 1-1K-1K-1K | FORM1",
      u"1-1K-1K-1K | 1-1K-1K-1P | <プロパティ>",
      u"1-1K-1K-1P | 1-1K-1K-1-1S | タイトル",
      u"1-1K-1K-1P | 1-1K-1K-1-2S | コメント",
      u"1-1K-1K-1K | 1-1K-1K-1K-3K | トリガー",
      u"1-1K-1K-1K-3K | 1-1K-1K-1K-3K-1K | WHEN-NEW-FORM-INSTANCE",
      u"1-1K-1K-1K-3K-1K | 1-1K-1K-1K-3K-1P | <プロパティ>",
      u"1-1K-1K-1K-3K-1P | 1-1K-1K-1K-3K-1-1S | トリガー・テキスト",
      u"1-1K-1K-1K | 1-1K-1K-1K-4K | ブロック",
      // A block without properties gets no "<プロパティ>" node.
      u"1-1K-1K-1K-4K | 1-1K-1K-1K-4K-1K | B1",
  };
  EXPECT_EQ(Lines(model), expected);
}

TEST(StructureModel, PropertiesAtTheTopLevelAndAfterObjects) {
  auto inner = NewCollection();
  inner->Add(TextNode(u"X", u"1"));
  auto top = NewCollection();
  top->Add(CollectionNode(u"OBJ", inner));
  top->Add(TextNode(u"P", u"v"));
  StructureModel model;
  model.Init(*top);
  // The folder comes after the object because the first property does.
  const std::vector<std::u16string> expected = {
      u" | 1-1K | OBJ",
      u"1-1K | 1-1K-1K | OBJ",
      u"1-1K-1K | 1-1K-1P | <プロパティ>",
      u"1-1K-1P | 1-1K-1-1S | X",
      u"1-1K | 1-1P | <プロパティ>",
      u"1-1P | 1-1-2S | P",
  };
  EXPECT_EQ(Lines(model), expected);
  EXPECT_EQ(model.Record(1).NamePath, u"X >OBJ");
  EXPECT_EQ(model.Record(2).NamePath, u"P ");
}

TEST(StructureModel, RecordsHoldValueAndNameWithObjectPath) {
  StructureModel model;
  const auto tree = SampleTree();
  model.Init(*tree);
  ASSERT_EQ(model.Records().size(), 3u);
  EXPECT_EQ(model.FindRecord(u"1-1K-1K-1-1S"), 1);
  EXPECT_EQ(model.Record(1).NamePath, u"タイトル >ﾌｫｰﾑ>FORM1");
  EXPECT_EQ(model.Record(1).Value, u"受注入力");
  EXPECT_EQ(model.Record(3).NamePath,
            u"トリガー・テキスト >ﾌｫｰﾑ>FORM1>トリガー>WHEN-NEW-FORM-INSTANCE");
  EXPECT_EQ(model.Record(3).Value, u"BEGIN\r\n  NULL;\r\nEND;");
  // Object and folder nodes have no record.
  EXPECT_EQ(model.FindRecord(u"1-1K-1K-1K"), 0);
  EXPECT_EQ(model.FindRecord(u"1-1K-1K-1P"), 0);
  EXPECT_THROW(model.Record(4), Error);
  EXPECT_THROW(model.Record(0), Error);
}

TEST(StructureModel, PickListHoldsAPropertyAtMostOnce) {
  StructureModel model;
  const auto tree = SampleTree();
  model.Init(*tree);
  EXPECT_EQ(model.PickRecord(2), u"2\tコメント >ﾌｫｰﾑ>FORM1\t");
  EXPECT_EQ(model.PickRecord(2), std::nullopt);
  EXPECT_TRUE(model.Record(2).Listed);
  model.Unlist(2);
  EXPECT_EQ(model.PickRecord(2), u"2\tコメント >ﾌｫｰﾑ>FORM1\t");

  EXPECT_EQ(model.EntryRecord(u"3\tX\tY"), 3);
  EXPECT_EQ(model.EntryRecord(u"no tab"), 0);
  EXPECT_EQ(model.EntryRecord(u"9\tbeyond the records\t"), 0);
  EXPECT_EQ(model.EntryRecord(u"x1\t\t"), 0);

  // A new tree starts with nothing listed.
  model.Init(*tree);
  EXPECT_FALSE(model.Record(2).Listed);
}

TEST(StructureModel, EmptyTreeAndDeepNestingAreHandled) {
  StructureModel model;
  const auto empty = NewCollection();
  model.Init(*empty);
  ASSERT_EQ(model.Nodes().size(), 1u);
  EXPECT_EQ(model.Nodes()[0].Key, u"1-1K");
  EXPECT_EQ(model.Nodes()[0].Text, u"");

  // Far deeper than any report; the walk must not recurse.
  auto deepest = NewCollection();
  deepest->Add(TextNode(u"P", u"v"));
  CollectionPtr current = deepest;
  for (int level = 0; level < 1500; ++level) {
    auto parent = NewCollection();
    parent->Add(CollectionNode(u"O", current));
    current = parent;
  }
  model.Init(*current);
  EXPECT_EQ(model.Nodes().size(), 1500u + 3u);
  ASSERT_EQ(model.Records().size(), 1u);
  EXPECT_EQ(model.Records()[0].NamePath.size(), 2u + 1500u * 2u);
}

}  // namespace
}  // namespace tarnwick
