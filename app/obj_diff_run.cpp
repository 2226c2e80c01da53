// The object comparison run behind the Execute button of the second page:
// the two selected nodes of the loaded reports into one comparison page.
#include <string>
#include <vector>

#include "app/earlier_pages.h"
#include "app/ignore_file.h"
#include "app/page_styles.h"
#include "app/runs.h"
#include "app/validation.h"
#include "base/error.h"
#include "diff/object_diff.h"
#include "files/file_system.h"
#include "files/paths.h"
#include "files/replace_file.h"
#include "messages/message_catalog.h"
#include "pages/page_file.h"
#include "pages/page_names.h"
#include "text/blanks.h"

namespace tarnwick {

namespace {

constexpr std::u16string_view kRootKey = u"ROOT";

struct Selection {
  int number = 0;  // 1-based; 0 when nothing is selected
  std::u16string key;
};

// The first selected node of the view.
Selection SelectedNode(const TreeView& view) {
  for (int n = 1; n <= view.NodeCount(); ++n) {
    if (view.NodeSelected(n)) return {n, view.NodeKey(n)};
  }
  return {};
}

}  // namespace

RunOutcome ExecObjDiff(const Settings& settings, const ObjSide& side1, const TreeView& view1,
                       const ObjSide& side2, const TreeView& view2, WindowOps& window,
                       RunResult* result) {
  window.SetStatusText(MessageId::NoStatus);
  const std::u16string outFolder = WithTrailingSeparator(settings.OUTPUT_PATH);
  if (!ValidateInputs(settings, 2, window)) return RunOutcome::Rejected;
  auto reject = [&](const Message& message) {
    window.ShowMessage(message, MessageIcon::Warning);
    return RunOutcome::Rejected;
  };
  if (!IsFolder(outFolder)) return reject({MessageId::OutputFolderNotFound, {}, {u"OUTPUT_PATH"}});
  if (settings.OUTPUT_FILE.empty())
    return reject({MessageId::OutputFileRequired, {}, {u"OUTPUT_FILE"}});
  IgnoreRules ignoreRules;
  if (const auto message = LoadIgnoreRules(settings, ignoreRules)) return reject(*message);
  // The reports and the selections are no settings: the window's drops and
  // clicks, the command line's operands.
  if (side1.ObjNodeCount <= 1 || side2.ObjNodeCount <= 1) {
    return reject(MessageId::ReportsNotDropped);
  }
  const Selection node1 = SelectedNode(view1);
  const Selection node2 = SelectedNode(view2);
  if (node1.number == 0 || node2.number == 0 || node1.key == kRootKey || node2.key == kRootKey) {
    return reject(MessageId::ObjectsNotSelected);
  }
  const std::u16string resultPath = PagePathIn(outFolder, settings.OUTPUT_FILE, true);
  if (!CheckRunWritesNoInput({resultPath}, {side1.ObjFile, side2.ObjFile}, result, window)) {
    return RunOutcome::Rejected;
  }
  if (!ConfirmReplacingOtherPages({{resultPath, PageKind::ObjectComparison}}, window)) {
    return RunOutcome::Rejected;
  }
  // What a killed run of this page left behind goes before it is written.
  RemoveStaleReplacements({resultPath});

  std::u16string stage;
  const RunOutcome outcome = GuardRun(window, stage, [&] {
    auto pathText = [](const ObjSide& side, int number) -> const std::u16string& {
      if (number > static_cast<int>(side.ObjPathTexts.size())) {
        throw Error(kGeneralErrorNumber, u"選択されたノードのパスがありません。");
      }
      return side.ObjPathTexts[static_cast<std::size_t>(number - 1)];
    };
    stage = MessageText(MessageId::StageComparing, CatalogFor(settings.UI_LANGUAGE));
    window.SetProgress(0, 0);  // one step of unknown length
    const std::unique_ptr<ComparisonRenderer> renderer = ComparisonRendererFor(settings);
    PageWriter page(resultPath, renderer->Encoding());
    const ComparisonResult compared = MakeObjDiff(
        side1.ObjTree, side2.ObjTree, side1.ObjFile, side2.ObjFile, pathText(side1, node1.number),
        pathText(side2, node2.number), node1.key, node2.key, renderer->Start(page),
        settings.DIFF_OBJ_ONLY, CompareOptionsOf(settings, &ignoreRules));
    if (result != nullptr) {
      result->items.push_back({u"",
                               side1.ObjFile,
                               side2.ObjFile,
                               resultPath,
                               compared.differs ? FileStatus::Different : FileStatus::Same,
                               compared.counts,
                               {},
                               {}});
      result->differs = compared.differs;
    }
    stage = MessageText({MessageId::StageWriting, {resultPath}}, CatalogFor(settings.UI_LANGUAGE));
    renderer->Finish({PageWordsOf(settings).objectsHeading, compared});
    page.Commit();
    stage.clear();
    window.PairFinished({std::u16string(TrimBlanks(pathText(side1, node1.number))),
                         side1.ObjFile,
                         side2.ObjFile,
                         compared.differs ? FileStatus::Different : FileStatus::Same,
                         compared.counts,
                         {},
                         resultPath,
                         {}});
  });
  if (outcome != RunOutcome::Finished) return outcome;
  window.SetWaitCursor(false);
  window.ShowMessage(MessageId::Finished, MessageIcon::Information);
  if (settings.OUTPUT_AUTOOPEN) window.OpenResult(resultPath);
  return RunOutcome::Finished;
}

}  // namespace tarnwick
