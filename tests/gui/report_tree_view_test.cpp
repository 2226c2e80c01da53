#include "gui/report_tree_view.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// Keys as the object comparison makes them, in depth-first order.
void FillSample(ReportTreeView& view) {
  view.AddNode(u"", u"ROOT", u"FORM1");
  view.AddNode(u"ROOT", u"ROOT-1", u"ﾌｫｰﾑ");
  view.AddNode(u"ROOT-1", u"ROOT-1-1", u"FORM1");
  view.AddNode(u"ROOT-1-1", u"ROOT-1-1-3", u"トリガー");
  view.AddNode(u"ROOT-1-1", u"ROOT-1-1-4", u"ブロック");  // back up one level
  view.AddNode(u"ROOT-1", u"ROOT-1-2", u"X");             // and two
  view.AddNode(u"ROOT-9", u"ROOT-9-1", u"orphan");        // no such parent: nothing
}

TEST(ReportTreeView, NumbersNodesInOrderOfAdditionUnderTheirParents) {
  for (bool batched : {false, true}) {
    ReportTreeView view;
    if (batched) view.BeginBatch();
    FillSample(view);
    // Numbers and keys work while the batch is still open.
    ASSERT_EQ(view.NodeCount(), 6) << batched;
    EXPECT_EQ(view.NodeKey(5), u"ROOT-1-1-4");
    if (batched) {
      EXPECT_EQ(view.topLevelItemCount(), 0);
      view.EndBatch();
    }
    ASSERT_EQ(view.topLevelItemCount(), 1);
    EXPECT_EQ(view.NodeKey(0), u"");
    EXPECT_EQ(view.NodeKey(7), u"");
    EXPECT_EQ(view.NodeByKey(u"ROOT-1-1-4")->parent(), view.NodeByKey(u"ROOT-1-1"));
    EXPECT_EQ(view.NodeByKey(u"ROOT-1-2")->parent(), view.NodeByKey(u"ROOT-1"));
    EXPECT_EQ(view.NodeByKey(u"ROOT-1-1-4")->text(0), QStringLiteral("ブロック"));
    EXPECT_EQ(view.NodeByKey(u"ROOT-1")->childCount(), 2);
    EXPECT_EQ(view.NodeByKey(u"ROOT-9-1"), nullptr);
  }
}

TEST(ReportTreeView, AtMostOneNodeIsSelected) {
  ReportTreeView view;
  FillSample(view);
  EXPECT_EQ(view.SelectedKey(), u"");
  view.SelectNode(u"ROOT-1-1-3");
  view.SelectNode(u"ROOT-1-2");
  EXPECT_EQ(view.SelectedKey(), u"ROOT-1-2");
  int selected = 0;
  for (int n = 1; n <= view.NodeCount(); ++n) selected += view.NodeSelected(n) ? 1 : 0;
  EXPECT_EQ(selected, 1);
  EXPECT_TRUE(view.NodeSelected(6));

  view.Clear();
  EXPECT_EQ(view.NodeCount(), 0);
  EXPECT_EQ(view.topLevelItemCount(), 0);
  EXPECT_EQ(view.SelectedKey(), u"");
}

TEST(ReportTreeView, ClearingInsideABatchDropsThePendingNodes) {
  ReportTreeView view;
  {
    TreeBatch batch(view);
    FillSample(view);
    view.Clear();
    view.AddNode(u"", u"COM", u"hint");
  }
  ASSERT_EQ(view.topLevelItemCount(), 1);
  EXPECT_EQ(view.topLevelItem(0)->text(0), QStringLiteral("hint"));
  EXPECT_EQ(view.NodeCount(), 1);
}

}  // namespace
}  // namespace tarnwick
