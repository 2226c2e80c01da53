// How one report of a run fared: the statuses of a folder comparison's pairs
// and of a search's reports. The file list, every summary page style and the
// command line's JSON speak of a report in these terms; the texts are the
// summary's own words.
#pragma once

#include <cstdint>
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
};

// The summary cell text of a status, in the pages' words.
std::u16string_view StatusText(FileStatus status, const PageWords& words);
// The same in Japanese.
std::u16string_view StatusText(FileStatus status);
// True for the statuses whose classic summary cell links to the result page.
bool StatusLinksPage(FileStatus status);
// True for the statuses of the reports listed but not compared or searched.
bool IsSetAside(FileStatus status);

}  // namespace tarnwick
