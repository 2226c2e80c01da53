// The three runs behind the Execute button. Each takes the settings as the
// window (or the command line) collected them and reaches the window only
// through WindowOps; the outcome tells the command line its exit status.
#pragma once

#include "app/object_side.h"
#include "app/run_guard.h"
#include "app/settings.h"
#include "app/tree_view.h"
#include "app/window_ops.h"

namespace tarnwick {

// Page 1: the file comparison, or every pair of equally named reports of two
// folders with a summary page.
RunOutcome ExecDiff(const Settings& settings, WindowOps& window);
// Page 2: the two selected objects of the loaded reports.
RunOutcome ExecObjDiff(const Settings& settings, const ObjSide& side1, const TreeView& view1,
                       const ObjSide& side2, const TreeView& view2, WindowOps& window);
// Page 3: the reports of one folder searched for up to three strings.
RunOutcome ExecSearch(const Settings& settings, WindowOps& window);

}  // namespace tarnwick
