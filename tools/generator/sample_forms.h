// The demo's sample reports: a few hand-written forms of a small sales
// system in two releases. Release 2 carries the edits a team makes between
// releases (changed triggers and clauses, an added and a removed item, a new
// menu entry), drops one form and adds another.
#pragma once

#include <string>
#include <vector>

namespace tarnwick {

struct SampleReport {
  std::u16string fileName;  // for example u"ORDER_ENTRY.txt"
  std::u16string text;      // CR LF line ends
};

// `release` is 1 or 2.
std::vector<SampleReport> SampleReports(int release);

}  // namespace tarnwick
