// The search run behind the Execute button of the third page: every report
// of one folder that matches the file patterns is parsed and searched into a
// result page of its own, and the summary page follows the progress.
#include <optional>
#include <string>
#include <vector>

#include "app/file_list.h"
#include "files/file_system.h"
#include "files/paths.h"
#include "app/report_loader.h"
#include "pages/page_file.h"
#include "app/run_guard.h"
#include "app/runs.h"
#include "search/search_table.h"
#include "diff/html_table.h"
#include "text/decimal.h"

namespace tarnwick {
namespace {

constexpr int kSearchPage = 3;

bool AsterisksOnly(std::u16string_view text) {
  return !text.empty() && text.find_first_not_of(u'*') == std::u16string_view::npos;
}

// The warnings that stop the run before anything is read, in their order;
// nothing when the inputs are usable.
std::optional<std::u16string_view> InputWarning(const Settings& settings,
                                                std::u16string_view sourceFolder,
                                                std::u16string_view outputFolder) {
  if (!IsFolder(sourceFolder)) return u"ソースのフォルダが見つかりません";
  if (!IsFolder(outputFolder)) return u"出力先フォルダが見つかりません";
  if (settings.OUTPUT_FILE.empty()) return u"結果出力ファイル名を入力してください";
  const std::u16string* strings[] = {&settings.SEARCH_STRING1, &settings.SEARCH_STRING2,
                                     &settings.SEARCH_STRING3};
  if (strings[0]->empty() && strings[1]->empty() && strings[2]->empty()) {
    return u"検索条件を入力してください";
  }
  for (const std::u16string* text : strings) {
    if (AsterisksOnly(*text)) return u"検索条件に * のみは入力できません";
  }
  return std::nullopt;
}

}  // namespace

RunOutcome ExecSearch(const Settings& settings, WindowOps& window) {
  const std::u16string stamp = StartStamp(kSearchStampTitle);
  window.SetStatusText(u"");
  const std::u16string sourceFolder = WithTrailingSeparator(settings.SRC_PATH);
  const std::u16string outputFolder = WithTrailingSeparator(settings.OUTPUT_PATH);
  if (!ValidateInputs(settings, kSearchPage, window)) return RunOutcome::Rejected;
  if (const auto warning = InputWarning(settings, sourceFolder, outputFolder)) {
    window.ShowMessage(*warning, MessageIcon::Warning);
    return RunOutcome::Rejected;
  }

  const SearchQuery query = MakeSearchQuery(settings);
  std::u16string summaryPath;
  bool refused = false;
  std::u16string stage;
  const RunOutcome outcome = GuardRun(window, stage, [&] {
    std::vector<FileEntry> files;
    CollectFiles(sourceFolder, settings.SRC_FILE, ListSide::First, files);
    SortFiles(files);

    // Every page name is settled before the first write, so that a page that
    // would replace one of the reports stops the run while nothing is written.
    PageNames names;
    summaryPath = names.Allocate(SummaryPagePath(outputFolder, settings.OUTPUT_FILE));
    std::vector<std::u16string> pages{summaryPath};
    std::vector<std::u16string> reports;
    for (FileEntry& entry : files) {
      entry.resultPath = names.Allocate(PagePathIn(outputFolder, entry.name, false));
      pages.push_back(entry.resultPath);
      reports.push_back(sourceFolder + entry.listedName1);
    }
    if (const auto page = PageOverwritingInput(pages, reports)) {
      window.ShowMessage(OverwriteWarning(*page), MessageIcon::Warning);
      refused = true;
      return;
    }

    WaitCursor wait(window);
    WriteSummaryPage(summaryPath, stamp, sourceFolder, u"", files);
    for (std::size_t i = 0; i < files.size(); ++i) {
      FileEntry& entry = files[i];
      window.SetStatusText(DecimalText(static_cast<std::int64_t>(i + 1)) + u"/" +
                           DecimalText(static_cast<std::int64_t>(files.size())) + u":" +
                           entry.name);
      window.Repaint();
      CollectionPtr tree = LoadReport(reports[i], stage, window);

      stage = u"フォーム文章[" + entry.name + u"]の検索中に、";
      HTMLTblCls table;
      bool found = false;
      MakeSearchTable(query, tree.get(), reports[i], table, found);
      tree.reset();

      stage = u"ファイル[" + entry.resultPath + u"]の出力中に、";
      WritePage(entry.resultPath, kComparisonPageHead, table.sStr());
      stage.clear();

      entry.status = found ? FileStatus::Match : FileStatus::NoMatch;
      WriteSummaryPage(summaryPath, stamp, sourceFolder, u"", files);
    }
  });
  if (outcome != RunOutcome::Finished) return outcome;
  if (refused) return RunOutcome::Rejected;

  window.ShowMessage(kFinishedMessage, MessageIcon::Information);
  if (settings.OUTPUT_AUTOOPEN) window.OpenResult(summaryPath);
  return RunOutcome::Finished;
}

}  // namespace tarnwick
