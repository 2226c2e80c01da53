// The Execute button's dispatch to the run of the current page.
#include "gui/main_window.h"
#include "gui/report_tree_view.h"

namespace tarnwick {

void frmMain::RunCurrentPage() {
  CollectSettings();
  switch (CurrentPage()) {
    case 1:
      ExecDiff(settings_, *ops_);
      break;
    case 2:
      ExecObjDiff(settings_, side1_, *tvSrc1, side2_, *tvSrc2, *ops_);
      break;
    default:
      ExecSearch(settings_, *ops_);
      break;
  }
}

}  // namespace tarnwick
