#include "report/tree_walk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/object_tree.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

struct Level {
  const Collection* children = nullptr;
  std::size_t next = 0;
  std::string path;
};

// a { b { c } d } e, with a property beside b.
CollectionPtr SampleTree() {
  CollectionPtr b = NewCollection();
  b->Add(CollectionNode(u"c", NewCollection()));
  CollectionPtr a = NewCollection();
  a->Add(TextNode(u"p", u"1"));
  a->Add(CollectionNode(u"b", b));
  a->Add(CollectionNode(u"d", NewCollection()));
  CollectionPtr root = NewCollection();
  root->Add(CollectionNode(u"a", a));
  root->Add(CollectionNode(u"e", NewCollection()));
  return root;
}

TEST(TreeWalk, StepsParentsBeforeChildrenAndClosesInnermostFirst) {
  const CollectionPtr tree = SampleTree();
  std::string log;
  TreeWalk<Level> walk;
  walk.Open() = {tree.get(), 0, ""};
  walk.Run(
      [&](Level& level) {
        if (level.next == level.children->Count()) return false;
        const clsItem& child = level.children->At(++level.next);
        if (!child.IsCollection()) return true;
        Level inner{&child.Children(), 0, level.path + "/" + ToUtf8(child.Key)};
        log += "open " + inner.path + " ";
        walk.Open() = std::move(inner);
        log += std::to_string(walk.Depth()) + "; ";
        return true;
      },
      [&](Level& level) {
        log += "close " + level.path + " " + std::to_string(walk.Depth()) + "; ";
      });
  EXPECT_EQ(log,
            "open /a 2; open /a/b 3; open /a/b/c 4; close /a/b/c 3; close /a/b 2; "
            "open /a/d 3; close /a/d 2; close /a 1; open /e 2; close /e 1; close  0; ");
  EXPECT_EQ(walk.Depth(), 0u);
}

TEST(TreeWalk, ReopensClosedLevelsInsteadOfGrowing) {
  TreeWalk<Level> walk;
  const auto openThree = [&] {
    std::vector<const Level*> levels;
    for (int k = 0; k < 3; ++k) levels.push_back(&walk.Open());
    return levels;
  };
  const auto closeAll = [&] { walk.Run([](Level&) { return false; }); };
  openThree();
  walk.Open().path = "fourth";
  closeAll();
  const std::vector<const Level*> first = openThree();
  closeAll();
  EXPECT_EQ(openThree(), first);
  // A closed level keeps its fields: the caller assigns them all.
  EXPECT_EQ(walk.Open().path, "fourth");
  EXPECT_EQ(walk.Depth(), 4u);
}

}  // namespace
}  // namespace tarnwick
