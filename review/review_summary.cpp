#include "review/review_summary.h"

#include <filesystem>

#include "files/file_io.h"
#include "review/html_text.h"
#include "review/review_page.h"

namespace tarnwick {
namespace {

struct ResultLook {
  std::u16string_view mark;
  std::u16string_view cls;
};

ResultLook LookOf(FileStatus status) {
  switch (status) {
    case FileStatus::Unprocessed:
      return {u"\u2026", u""};
    case FileStatus::Same:
      return {u"=", u""};
    case FileStatus::Different:
      return {u"\u00B1", u"chg"};
    case FileStatus::OnlyIn1:
      return {u"\u2212", u"del"};
    case FileStatus::OnlyIn2:
      return {u"+", u"add"};
    case FileStatus::Match:
      return {u"\u25B6", u"chg"};
    case FileStatus::NoMatch:
      return {u"\u00B7", u""};
    case FileStatus::SetAside1:
    case FileStatus::SetAside2:
    case FileStatus::SetAside:
      return {u"!", u"del"};
    case FileStatus::ReadError:
      return {u"\u2715", u"err"};
    case FileStatus::OutsidePattern1:
    case FileStatus::OutsidePattern2:
      return {u"\u2205", u""};
  }
  return {};
}

void Cell(std::u16string& out, long long n) {
  out += u"<td class=\"n\">";
  out += GroupedNumber(n);
  out += u"</td>";
}

}  // namespace

std::u16string RelativeHref(std::u16string_view fromFolder, std::u16string_view target) {
  const std::filesystem::path from = NativePath(fromFolder).lexically_normal();
  const std::filesystem::path to = NativePath(target).lexically_normal();
  const std::filesystem::path relative = to.lexically_relative(from);
  if (!relative.empty() && from.is_absolute() == to.is_absolute() &&
      from.root_name() == to.root_name() && from.has_root_directory() == to.has_root_directory()) {
    return HrefOf(relative.generic_u16string(), u'/');
  }
  std::u16string href = u"file://";
  const std::u16string generic = to.generic_u16string();
  if (!generic.empty() && generic.front() != u'/') href += u'/';
  return href + HrefOf(generic, u'/');
}

std::u16string ReviewSummaryText(const RunSummary& page, const PageWords& words) {
  const bool search = page.kind == SummaryKind::kSearch;
  ReviewDocument document;
  document.navigation = false;
  document.words = &words;
  document.title = search ? words.searchSummary : words.compareSummary;

  std::u16string& header = document.header;
  header.append(u"<h1>").append(document.title).append(u"</h1>\n");
  header += u"<table class=\"t\">";
  const auto folderRow = [&](std::u16string_view label, std::u16string_view folder) {
    header += u"<tr><th>";
    header += label;
    header += u"</th><td class=\"v\">";
    AppendHtml(header, folder);
    header += u"</td></tr>";
  };
  if (search) {
    folderRow(words.folder, page.folder1);
    folderRow(words.patterns, page.patterns1);
  } else {
    folderRow(words.folder1, page.folder1);
    folderRow(words.folder2, page.folder2);
    folderRow(words.patterns1, page.patterns1);
    folderRow(words.patterns2, page.patterns2);
  }
  header += u"</table>\n<p class=\"stamp\">";
  AppendHtml(header, page.stamp);
  header += u"</p>\n";
  if (!page.cancelled.empty()) {
    header += u"<p class=\"stamp\"><strong>";
    AppendHtml(header, page.cancelled);
    header += u"</strong></p>\n";
  }
  if (!search && page.options.Any()) {
    header.append(u"<p class=\"opts\">").append(words.optionsLabel);
    header.append(OptionNames(page.options, words)).append(u"</p>\n");
  }

  long long done = 0, different = 0, same = 0, oneSided = 0, matches = 0, setAside = 0,
            readErrors = 0;
  for (const SummaryRow& row : page.rows) {
    setAside += IsSetAside(row.status);
    readErrors += row.status == FileStatus::ReadError;
    done += row.status != FileStatus::Unprocessed && !IsSetAside(row.status);
    different += row.status == FileStatus::Different;
    same += row.status == FileStatus::Same;
    oneSided += row.status == FileStatus::OnlyIn1 || row.status == FileStatus::OnlyIn2;
    matches += row.status == FileStatus::Match;
  }
  header += u"<p class=\"counts\">";
  const auto count = [&header](std::u16string_view label, long long n) {
    header.append(label).append(u" <b>").append(GroupedNumber(n)).append(u"</b>");
  };
  count(words.filesCount, static_cast<long long>(page.rows.size()));
  header.append(words.doneOpen).append(GroupedNumber(done)).append(words.doneClose);
  if (search) {
    count(words.matchCount, matches);
  } else {
    count(words.differentCount, different);
    count(words.sameCount, same);
    count(words.oneSidedCount, oneSided);
  }
  if (setAside > 0) count(words.setAsideCount, setAside);
  if (readErrors > 0) count(words.readErrorCount, readErrors);
  header += u"</p>\n";

  std::u16string& main = document.main;
  main += u"<table class=\"t\"><thead><tr>";
  const auto head = [&main](std::u16string_view text, std::u16string_view attributes = {}) {
    main.append(u"<th").append(attributes).append(u">").append(text).append(u"</th>");
  };
  if (search) {
    head(words.fileName);
    head(words.result);
    head(words.headMatchingProperties);
    head(words.headMatchingLines);
  } else {
    // Each count under the group it counts, so that "削除" never reads as
    // belonging to the wrong one.
    head(words.fileName, u" rowspan=\"2\"");
    head(words.result, u" rowspan=\"2\"");
    head(words.headObjects, u" colspan=\"3\"");
    head(words.headLines, u" colspan=\"2\"");
    main += u"</tr><tr>";
    head(words.headAdded);
    head(words.headRemoved);
    head(words.headChanged);
    head(words.headAdded);
    head(words.headRemoved);
  }
  main += u"</tr></thead>\n<tbody>\n";
  // The folder the page lands in: on Windows the file system takes "/" in
  // the output file name for a separator, whatever the path text says.
  const std::u16string folder = PathText(NativePath(page.pagePath).parent_path());
  for (const SummaryRow& row : page.rows) {
    const ResultLook look = LookOf(row.status);
    const std::u16string_view resultText = StatusText(row.status, words);
    main += row.status == FileStatus::ReadError ? u"<tr class=\"err\"><td class=\"v\">"
                                                : u"<tr><td class=\"v\">";
    AppendHtml(main, row.name);
    main += u"</td><td><span class=\"m ";
    main += look.cls;
    main += u"\">";
    main += look.mark;
    main += u"</span>";
    // Every finished report has its page, one-sided and identical ones too;
    // one that could not be read has none.
    if (row.status != FileStatus::Unprocessed && row.status != FileStatus::ReadError &&
        !row.page.empty()) {
      main += u"<a href=\"" + RelativeHref(folder, row.page) + u"\">";
      AppendHtml(main, resultText);
      main += u"</a>";
    } else {
      AppendHtml(main, resultText);
    }
    main += u"</td>";
    if (row.status == FileStatus::ReadError) {
      // Why, in the place of the counts.
      main += search ? u"<td class=\"v\" colspan=\"2\">" : u"<td class=\"v\" colspan=\"5\">";
      for (std::size_t i = 0; i < row.failures.size(); ++i) {
        if (i > 0) main += u"<br>";
        AppendHtml(main, row.failures[i].message);
      }
      main += u"</td>";
    } else if (row.status == FileStatus::Unprocessed || IsSetAside(row.status)) {
      main += search ? u"<td></td><td></td>" : u"<td></td><td></td><td></td><td></td><td></td>";
    } else if (search) {
      Cell(main, row.hits.properties);
      Cell(main, row.hits.lines);
    } else {
      Cell(main, row.counts.objectsAdded);
      Cell(main, row.counts.objectsRemoved);
      Cell(main, row.counts.objectsChanged);
      Cell(main, row.counts.linesAdded);
      Cell(main, row.counts.linesRemoved);
    }
    main += u"</tr>\n";
  }
  main += u"</tbody></table>\n";
  return ReviewPageText(document);
}

}  // namespace tarnwick
