// The Execute button's dispatch to the run of the current page.
#include <memory>

#include "app/list_tree_view.h"
#include "gui/main_window.h"
#include "gui/report_tree_view.h"

namespace tarnwick {
namespace {

// What the object comparison reads of a tree view (keys in order, the
// selection), copied, since the run goes on another thread than the widget.
ListTreeView Snapshot(const ReportTreeView& view) {
  ListTreeView copy;
  std::u16string selected;
  for (int n = 1; n <= view.NodeCount(); ++n) {
    copy.AddNode(u"", view.NodeKey(n), u"");
    if (selected.empty() && view.NodeSelected(n)) selected = view.NodeKey(n);
  }
  if (!selected.empty()) copy.Select(selected);
  return copy;
}

}  // namespace

std::function<void()> frmMain::CurrentPageRun() {
  CollectSettings();
  // The run gets its own copy: closing the window collects the controls again.
  const Settings settings = settings_;
  WindowOps& ops = *ops_;
  // The run's record completes the result list when the run has ended.
  runResult_ = std::make_shared<RunResult>();
  RunResult* result = runResult_.get();
  switch (CurrentPage()) {
    case 1:
      return [settings, &ops, result] { ExecDiff(settings, ops, result); };
    case 2: {
      // The loaded sides stay as they are: drops wait until the run has ended.
      auto views = std::make_shared<const std::pair<ListTreeView, ListTreeView>>(Snapshot(*tvSrc1),
                                                                                 Snapshot(*tvSrc2));
      return [settings, &ops, views, &side1 = side1_, &side2 = side2_, result] {
        ExecObjDiff(settings, side1, views->first, side2, views->second, ops, result);
      };
    }
    default:
      return [settings, &ops, result] { ExecSearch(settings, ops, result); };
  }
}

}  // namespace tarnwick
