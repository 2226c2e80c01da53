// Where the pages of a run go and how they are linked. Within one run no page
// overwrites another: a name already used in the run (ignoring case) gets
// "_2", "_3", ... before its extension. A page that is one of the run's input
// reports is found before anything is written.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// folder + the name part of `fileName` (before its first ".") + "." + the
// extension, "html" when `fileName` has none. Any folder in `fileName` is
// dropped. `keepExtension` false always uses "html" (pages named after reports).
std::u16string PagePathIn(std::u16string_view folder, std::u16string_view fileName,
                          bool keepExtension);

// The summary page: folder + fileName (a folder inside fileName kept), with
// ".html" added when the name has no extension.
std::u16string SummaryPagePath(std::u16string_view folder, std::u16string_view fileName);

// Hands out the page names of one run.
class PageNames {
 public:
  // `path`, or the first of path_2, path_3, ... (suffix before the extension)
  // that this run has not used yet, compared ignoring case.
  std::u16string Allocate(std::u16string_view path);
  // The same for a page named after a report, whose name may be longer than
  // a file name can be (255 bytes on POSIX, 255 UTF-16 units on Windows):
  // such a name is cut and given "~" and eight hex digits of a hash of the
  // whole name before any suffix, so that it fits and stays the same from run
  // to run. A name that fits is not touched.
  std::u16string AllocateShortened(std::u16string_view path);

 private:
  std::u16string AllocateFrom(std::u16string_view path, bool shorten);

  std::set<std::u16string> used_;  // upper-cased
};

// The first page that is also one of the inputs (the same existing file,
// however spelled), if any.
std::optional<std::u16string> PageOverwritingInput(const std::vector<std::u16string>& pages,
                                                   const std::vector<std::u16string>& inputs);

}  // namespace tarnwick
