#include "app/earlier_pages.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "files/file_io.h"
#include "files/file_system.h"
#include "messages/page_words.h"
#include "text/cp932.h"
#include "text/utf8.h"

namespace tarnwick {

namespace {

// Enough for the first rows of any page but a summary of very long folders.
constexpr std::size_t kFirstPiece = 4096;
// Where a summary's start stamp has to be found at the latest.
constexpr std::size_t kLongestStart = 64 * 1024;

constexpr std::string_view kClassicPage = "<HTML><TABLE>\r\n";
constexpr std::string_view kClassicSummary = "<HTML><TABLE border=\"1\" bordercolor=\"black\">\r\n";
constexpr std::u16string_view kHeadCells = u"<tr><td></td><td></td><td></td><td></td>";
constexpr std::string_view kReviewStart =
    "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n";
constexpr std::string_view kEnglishReviewStart =
    "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";

// Pages are written in either language's words.
const PageWords* const kLanguages[] = {&JapanesePageWords(), &EnglishPageWords()};

// Words as a classic cell writes them: blanks as &nbsp;.
std::u16string InCell(std::u16string_view words) {
  std::u16string cell;
  for (const char16_t c : words) {
    if (c == u' ') {
      cell += u"&nbsp;";
    } else {
      cell += c;
    }
  }
  return cell;
}
constexpr std::string_view kReviewTitle = "<meta name=\"generator\" content=\"Tarnwick\">\n<title>";

// The kind, or nothing while `start` is too short to tell.
std::optional<PageKind> ClassicSummaryKind(std::string_view start, bool whole) {
  const std::u16string text = DecodeCp932(start);
  for (const PageWords* words : kLanguages) {
    if (text.find(u"<tr><td colspan=\"3\">" + InCell(words->diffStampTitle)) != text.npos) {
      return PageKind::ComparisonSummary;
    }
    if (text.find(u"<tr><td colspan=\"3\">" + InCell(words->searchStampTitle)) != text.npos) {
      return PageKind::SearchSummary;
    }
  }
  // The stamp follows the folder rows; a page without it is none of ours.
  if (whole || text.find(u"<tr><td>") != text.npos) return PageKind::Other;
  return std::nullopt;
}

// Row 1 names report 1 on every page; row 2 is report 2 (a comparison), the
// chosen object (an object comparison) or the search condition.
std::optional<PageKind> ClassicPageKind(std::string_view start, bool whole) {
  const std::u16string text = DecodeCp932(start.substr(kClassicPage.size()));
  if (!text.starts_with(kHeadCells)) return PageKind::Other;
  const std::size_t rowEnd = text.find(u"</tr>\r\n");
  if (rowEnd == text.npos) return whole ? std::optional(PageKind::Other) : std::nullopt;
  const std::u16string_view row2 = std::u16string_view(text).substr(rowEnd + 7);
  if (row2.size() < kHeadCells.size() + 40 && !whole) return std::nullopt;
  if (!row2.starts_with(kHeadCells)) return PageKind::Other;
  const std::u16string_view cell = row2.substr(kHeadCells.size());
  if (cell.starts_with(u"<td colspan=\"2\" bgcolor=\"cyan\">")) return PageKind::Comparison;
  if (cell.starts_with(u"<td colspan=\"2\" bgcolor=\"yellow\">")) return PageKind::ObjectComparison;
  for (const PageWords* words : kLanguages) {
    if (cell.starts_with(u"<td>" + InCell(words->searchAll)) ||
        cell.starts_with(u"<td>" + InCell(words->searchAny))) {
      return PageKind::Search;
    }
  }
  return PageKind::Other;
}

std::optional<PageKind> ReviewPageKind(std::string_view start, bool whole) {
  const std::size_t at = start.find(kReviewTitle);
  if (at == start.npos) {
    return whole || start.size() > kReviewStart.size() + 200 ? std::optional(PageKind::Other)
                                                             : std::nullopt;
  }
  const std::size_t end = start.find("</title>", at);
  if (end == start.npos) return whole ? std::optional(PageKind::Other) : std::nullopt;
  const std::u16string title =
      FromUtf8(start.substr(at + kReviewTitle.size(), end - at - kReviewTitle.size()));
  for (const PageWords* words : kLanguages) {
    if (title == words->compareSummary) return PageKind::ComparisonSummary;
    if (title == words->searchSummary) return PageKind::SearchSummary;
    if (title == std::u16string(words->compareTitle) + std::u16string(words->objectsHeading)) {
      return PageKind::ObjectComparison;
    }
    if (title.starts_with(words->compareTitle)) return PageKind::Comparison;
    if (title.starts_with(words->searchTitle)) return PageKind::Search;
  }
  return PageKind::Other;
}

// `whole`: nothing follows `start`, so an undecided kind is Other.
std::optional<PageKind> KindOf(std::string_view start, bool whole) {
  if (start.starts_with(kClassicSummary)) return ClassicSummaryKind(start, whole);
  if (start.starts_with(kClassicPage)) return ClassicPageKind(start, whole);
  if (start.starts_with(kReviewStart) || start.starts_with(kEnglishReviewStart)) {
    return ReviewPageKind(start, whole);
  }
  const std::size_t known = std::max({kClassicSummary.size(), kReviewStart.size()});
  if (!whole && start.size() < known) return std::nullopt;
  return PageKind::Other;
}

}  // namespace

PageKind KindOfPageStart(std::string_view start) {
  return KindOf(start, true).value_or(PageKind::Other);
}

PageKind KindOfPageAt(std::u16string_view path) {
  if (!IsPlainFile(path)) return PageKind::Other;
  try {
    FileReader reader(FilePathOf(path));
    std::string start;
    while (start.size() < kLongestStart) {
      const std::size_t had = start.size();
      start.resize(had + (had == 0 ? kFirstPiece : had));
      const std::size_t got = reader.Read(start.data() + had, start.size() - had);
      start.resize(had + got);
      const bool whole = got == 0 || start.size() >= reader.Size();
      if (const auto kind = KindOf(start, whole)) return *kind;
      if (whole) break;
    }
  } catch (const std::exception&) {
    // A file that cannot be read is no page to keep: writing it fails or not as before.
  }
  return PageKind::Other;
}

bool ConfirmReplacingOtherPages(const std::vector<PlannedPage>& pages, WindowOps& window) {
  for (const PlannedPage& page : pages) {
    const PageKind there = KindOfPageAt(page.path);
    if (there == PageKind::Other || there == page.kind) continue;
    return window.ConfirmOverwrite({MessageId::ReplacesOtherRunsPage, {page.path}});
  }
  return true;
}

}  // namespace tarnwick
