// The summary page of a folder comparison or a search as data, and the
// interface a page style renders it through. It sits with the search because
// it holds the tallies of both the comparison and the search. The run
// rewrites the page as reports get done (app/summary_page.h), so that it
// shows how far it got:
//
//   PageWriter page(summary.pagePath, renderer.Encoding());
//   renderer.Render(summary, page);
//   page.Commit();
#pragma once

#include <string>
#include <vector>

#include "diff/change_counts.h"
#include "diff/compare_options.h"
#include "diff/file_status.h"
#include "search/search_table.h"
#include "text/text_sink.h"

namespace tarnwick {

enum class SummaryKind { kComparison, kSearch };

// One report of the run.
struct SummaryRow {
  std::u16string name;  // upper-cased
  FileStatus status = FileStatus::Unprocessed;
  std::u16string page;                  // the result page's path; empty when it has none
  ChangeCounts counts;                  // comparisons, once done
  SearchCounts hits;                    // searches, once done
  std::vector<ReportFailure> failures;  // ReadError: why, in side order
};

struct RunSummary {
  SummaryKind kind = SummaryKind::kComparison;
  std::u16string pagePath;  // where the summary page itself goes
  std::u16string stamp;     // the run's start stamp
  std::u16string folder1;
  std::u16string folder2;    // empty for a search
  std::u16string patterns1;  // the file name patterns of folder 1 (a search's folder)
  std::u16string patterns2;  // of folder 2; empty for a search
  std::u16string cancelled;  // when a cancel stopped the run: its words and time; else empty
  CompareOptions options;    // comparisons
  std::vector<SummaryRow> rows;
};

class SummaryRenderer {
 public:
  virtual ~SummaryRenderer() = default;

  // The encoding the page's text is written in.
  virtual PageEncoding Encoding() const = 0;
  // Writes the whole page into `page`.
  virtual void Render(const RunSummary& summary, TextSink& page) const = 0;
};

}  // namespace tarnwick
