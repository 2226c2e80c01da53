#include "report/tree_json.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

TEST(TreeJson, EscapesOnlyQuotesBackslashesAndControlCharacters) {
  CollectionPtr root = NewCollection();
  root->Add(TextNode(u"a\"b\\c", u"\b\f\n\r\t\x01\x1f/é日"));
  CollectionPtr inner = NewCollection();
  inner->Add(TextNode(u"x", u""));
  root->Add(CollectionNode(u"s", inner));
  root->Add(CollectionNode(u"e", NewCollection()));
  EXPECT_EQ(TreeToJson(root),
            "[[\"a\\\"b\\\\c\",\"\\b\\f\\n\\r\\t\\u0001\\u001f/é日\"],"
            "[\"s\",[[\"x\",\"\"]]],[\"e\",[]]]");
  EXPECT_EQ(TreeToJson(NewCollection()), "[]");
}

TEST(TreeJson, DeepTreesAreWrittenWithoutRecursion) {
  CollectionPtr root = NewCollection();
  Collection* tip = root.get();
  constexpr int kDepth = 100000;
  for (int depth = 0; depth < kDepth; ++depth) {
    CollectionPtr child = NewCollection();
    Collection* next = child.get();
    tip->Add(CollectionNode(u"c", std::move(child)));
    tip = next;
  }
  std::string expected;
  for (int depth = 0; depth < kDepth; ++depth) expected += "[[\"c\",";
  expected += "[]";
  for (int depth = 0; depth < kDepth; ++depth) expected += "]]";
  EXPECT_EQ(TreeToJson(root), expected);
}

}  // namespace
}  // namespace tarnwick
