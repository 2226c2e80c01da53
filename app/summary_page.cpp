#include "app/summary_page.h"

#include "app/page_styles.h"
#include "pages/page_file.h"

namespace tarnwick {

void WriteRunSummary(const Settings& settings, std::u16string_view pagePath,
                     std::u16string_view stamp, std::u16string_view folder1,
                     std::u16string_view folder2, const std::vector<FileEntry>& files) {
  RunSummary summary;
  summary.kind = folder2.empty() ? SummaryKind::kSearch : SummaryKind::kComparison;
  summary.pagePath = pagePath;
  summary.stamp = stamp;
  summary.folder1 = folder1;
  summary.folder2 = folder2;
  summary.options = CompareOptionsOf(settings);
  summary.rows.reserve(files.size());
  for (const FileEntry& entry : files) {
    summary.rows.push_back({entry.name, entry.status, entry.resultPath, entry.counts, entry.hits});
  }
  const std::unique_ptr<SummaryRenderer> renderer = SummaryRendererFor(settings);
  PageWriter page(std::u16string(pagePath), renderer->Encoding());
  renderer->Render(summary, page);
  page.Commit();
}

}  // namespace tarnwick
