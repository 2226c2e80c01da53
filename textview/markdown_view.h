// The Markdown view of a comparison run, for a pull-request comment
// (GitHub and GitLab flavours): the totals first, a table of the pairs that
// differ with their counts, then for each of them a collapsible <details>
// section listing the changed objects as the text view does (one-line
// values as `old` → `new`, multi-line values as fenced diff blocks). The
// whole stays under kMarkdownLimit characters: what does not fit is left
// out, and the text says how much. The pairs are gathered while the run
// goes and written once it has ended, since the totals come first.
//
//   MarkdownReport report;
//   for each pair:  std::unique_ptr<ComparisonRenderer> pair = report.Pair();
//                   MakeFormDiff(..., pair->Start(unused), ...);
//                   pair->Finish({heading, result});
//   report.Write(out);
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "diff/comparison_renderer.h"
#include "diff/file_status.h"
#include "messages/page_words.h"

namespace tarnwick {

// The size bound of the whole text, in UTF-16 code units (never fewer than
// its characters), below the 65,536 characters a comment may hold.
inline constexpr std::size_t kMarkdownLimit = 60000;

class MarkdownReport {
 public:
  // The text speaks `words`.
  explicit MarkdownReport(const PageWords& words = JapanesePageWords()) : words_(&words) {}

  // The renderer of the next pair; it must finish before the report is written.
  std::unique_ptr<ComparisonRenderer> Pair();
  // Writes the whole text, at most `limit` code units.
  void Write(TextSink& out, std::size_t limit = kMarkdownLimit) const;

  // One pair as gathered.
  struct PairEntry {
    std::u16string name;
    FileStatus status = FileStatus::Same;
    ChangeCounts counts;
    std::vector<std::u16string> blocks;  // one per changed object (and the outline)
    std::size_t blocksLeftOut = 0;       // not kept: beyond the bound anyway
  };

 private:
  friend class MarkdownPair;
  const PageWords* words_;
  std::vector<PairEntry> pairs_;
  std::size_t kept_ = 0;  // code units held in blocks
};

}  // namespace tarnwick
