// How one report of a run fared: the statuses of a folder comparison's pairs
// and of a search's reports. The file list, every summary page style and the
// command line's JSON speak of a report in these terms; the texts are the
// summary's own words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "messages/page_words.h"

namespace tarnwick {

enum class FileStatus : std::int32_t {
  Unprocessed = 0,  // "未処理"
  OnlyIn1 = 1,      // "フォルダ１のみ存在"
  OnlyIn2 = 2,      // "フォルダ２のみ存在"
  Different = 3,    // "差異あり", linked to the page
  Same = 4,         // "一致"
  NoMatch = 5,      // "該当しない"
  Match = 6,        // "該当", linked to the page
  // A report whose name differs from one compared or searched only in
  // letter case: names pair without regard to case, so it is listed, not read.
  SetAside1 = 7,  // of folder 1
  SetAside2 = 8,  // of folder 2
  SetAside = 9,   // of a search's folder
  // With ON_ERROR=CONTINUE: a report of the pair (the searched report) could
  // not be read or parsed, or held no object; the run went on without it.
  ReadError = 10,  // "読込エラー"
  // A report of one side whose name the other folder holds too, outside that
  // side's file name patterns: the patterns excluded it, so it is listed, not
  // compared, and never claimed missing.
  OutsidePattern1 = 11,  // in folder 1, outside SRC_FILE1
  OutsidePattern2 = 12,  // in folder 2, outside SRC_FILE2
};

inline constexpr std::size_t kFileStatusCount = 13;

// Why a report could not be used, for the summary, the JSON and the window's
// result list.
struct ReportFailure {
  int side = 0;            // 1 or 2 for a comparison's report; 0 for a search's
  std::u16string path;     // the report's full path
  std::size_t line = 0;    // the 1-based line it fails at; 0 when there is none
  std::u16string message;  // the run's words for it, on one line, in its language

  bool operator==(const ReportFailure&) const = default;
};

// The summary cell text of a status, in the pages' words.
std::u16string_view StatusText(FileStatus status, const PageWords& words);
// The same in Japanese.
std::u16string_view StatusText(FileStatus status);
// True for the statuses whose classic summary cell links to the result page.
bool StatusLinksPage(FileStatus status);
// True for the statuses of the reports listed but not compared or searched
// (names differing only in case, reports outside their side's patterns).
bool IsSetAside(FileStatus status);
// True for the set-aside statuses of a name differing only in letter case.
bool IsCaseCollision(FileStatus status);

}  // namespace tarnwick
