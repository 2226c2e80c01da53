// The page files every run writes, and the names they get. A page is three
// lines ended by CR LF (opening line, table body, closing line) in code page
// 932. Within one run no page overwrites another: a name already used in the
// run (ignoring case) gets "_2", "_3", ... before its extension. A run never
// writes over one of its own input reports.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

inline constexpr std::u16string_view kComparisonPageHead = u"<HTML><TABLE>";
inline constexpr std::u16string_view kSummaryPageHead =
    u"<HTML><TABLE border=\"1\" bordercolor=\"black\">";
inline constexpr std::u16string_view kPageTail = u"</TABLE></HTML>";

// The bytes of a page: head, body and tail, each followed by CR LF.
std::string PageBytes(std::u16string_view head, std::u16string_view body);
// Creates or truncates `path` and writes the page. Throws tarnwick::Error.
void WritePage(std::u16string_view path, std::u16string_view head, std::u16string_view body);

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

 private:
  std::set<std::u16string> used_;  // upper-cased
};

// The first page that is also one of the inputs (the same existing file,
// however spelled), if any.
std::optional<std::u16string> PageOverwritingInput(const std::vector<std::u16string>& pages,
                                                   const std::vector<std::u16string>& inputs);

// The warning of a run that refuses to write over an input report.
std::u16string OverwriteWarning(std::u16string_view page);

}  // namespace tarnwick
