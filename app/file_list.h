// The file list of the folder comparison and the search: which reports were
// found on which side and what became of each. Names are paired, sorted, shown and turned into page
// names upper-cased; each side keeps the name it was listed under, in its native spelling too,
// which is the one to open.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "diff/change_counts.h"
#include "diff/file_status.h"
#include "files/file_io.h"
#include "search/search_table.h"

namespace tarnwick {

struct FileEntry {
  std::u16string name;  // upper-cased; unique within the list (set aside: as listed)
  FilePath listed1;     // the name as listed in folder 1 (empty when !in1)
  FilePath listed2;     // the name as listed in folder 2 (empty when !in2)
  bool in1 = false;
  bool in2 = false;
  FileStatus status = FileStatus::Unprocessed;
  std::u16string resultPath;
  ChangeCounts counts;                  // a comparison's tally, once the pair is done
  SearchCounts hits;                    // a search's tally, once the report is done
  std::vector<ReportFailure> failures;  // ReadError: why, in side order
};

enum class ListSide { First, Second };

// Adds the plain files of `folder` (ending in a separator) that match the
// ";"-separated patterns: empty parts are skipped, parts are not trimmed. A
// name already in the list (upper-cased, ordinal) is not added again; the
// side's flag of the found or new entry is set. When two names of one folder
// fold to the same upper-case name, the first in ordinal order is kept and
// each other one goes to `setAside`, once, named as listed, with its side's
// flag and listed name and the status SetAside1 or SetAside2 by the side.
void CollectFiles(std::u16string_view folder, std::u16string_view patternList, ListSide side,
                  std::vector<FileEntry>& files, std::vector<FileEntry>& setAside);

// Ascending by ordinal comparison of the upper-cased names.
void SortFiles(std::vector<FileEntry>& files);

}  // namespace tarnwick
