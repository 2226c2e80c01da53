#include "app/summary_page.h"

#include "app/review_output.h"
#include "diff/html_table.h"
#include "files/file_io.h"
#include "files/paths.h"
#include "pages/page_file.h"
#include "pages/page_names.h"
#include "review/html_text.h"
#include "review/review_compare.h"
#include "review/review_summary.h"

namespace tarnwick {

std::u16string SummaryTableBody(std::u16string_view stamp, std::u16string_view folder1,
                                std::u16string_view folder2, const std::vector<FileEntry>& files,
                                std::u16string_view options) {
  HTMLTblCls table;
  const std::u16string_view span = u"colspan=\"3\"";
  if (!folder2.empty()) {
    table.StartRow();
    table.AddCell(u"フォルダ１:" + std::u16string(folder1), span);
    table.StartRow();
    table.AddCell(u"フォルダ２:" + std::u16string(folder2), span);
  } else {
    table.StartRow();
    table.AddCell(u"フォルダ:" + std::u16string(folder1), span);
  }
  table.StartRow();
  table.AddCell(stamp, span);
  if (!options.empty()) {
    table.StartRow();
    table.AddCell(u"比較オプション：" + std::u16string(options), span);
  }
  table.StartRow();
  table.EndRow();
  table.StartRow();
  table.AddCell(u"ファイル名", u"");
  table.AddCell(u"結果", u"");
  for (const FileEntry& entry : files) {
    table.StartRow();
    table.AddCell(entry.name, u"");
    if (StatusLinksPage(entry.status) && !entry.resultPath.empty()) {
      table.AddLinkCell(StatusText(entry.status), u"", EscapeLinkTarget(entry.resultPath));
    } else {
      table.AddCell(StatusText(entry.status), u"");
    }
  }
  return table.sStr();
}

void WriteSummaryPage(std::u16string_view pagePath, std::u16string_view stamp,
                      std::u16string_view folder1, std::u16string_view folder2,
                      const std::vector<FileEntry>& files, std::u16string_view options) {
  WritePage(pagePath, kSummaryPageHead, SummaryTableBody(stamp, folder1, folder2, files, options));
}

std::u16string RelativeHref(std::u16string_view fromFolder, std::u16string_view target) {
  const std::filesystem::path from = NativePath(fromFolder).lexically_normal();
  const std::filesystem::path to = NativePath(target).lexically_normal();
  const std::filesystem::path relative = to.lexically_relative(from);
  if (!relative.empty() && from.is_absolute() == to.is_absolute() &&
      from.root_name() == to.root_name()) {
    return HrefOf(relative.generic_u16string(), u'/');
  }
  std::u16string href = u"file://";
  const std::u16string generic = to.generic_u16string();
  if (!generic.empty() && generic.front() != u'/') href += u'/';
  return href + HrefOf(generic, u'/');
}

namespace {

RowResult ResultOf(FileStatus status) {
  switch (status) {
    case FileStatus::Unprocessed:
      return RowResult::kPending;
    case FileStatus::OnlyIn1:
      return RowResult::kOnly1;
    case FileStatus::OnlyIn2:
      return RowResult::kOnly2;
    case FileStatus::Different:
      return RowResult::kDifferent;
    case FileStatus::Same:
      return RowResult::kSame;
    case FileStatus::NoMatch:
      return RowResult::kNoMatch;
    case FileStatus::Match:
      return RowResult::kMatch;
  }
  return RowResult::kPending;
}

}  // namespace

void WriteRunSummary(const Settings& settings, std::u16string_view pagePath,
                     std::u16string_view stamp, std::u16string_view folder1,
                     std::u16string_view folder2, const std::vector<FileEntry>& files) {
  const CompareOptions options = CompareOptionsOf(settings);
  const bool search = folder2.empty();
  if (settings.PAGE_STYLE == PageStyle::Classic) {
    WriteSummaryPage(pagePath, stamp, folder1, folder2, files,
                     search ? std::u16string() : OptionNames(options));
    return;
  }
  SummaryPage page;
  page.kind = search ? SummaryKind::kSearch : SummaryKind::kComparison;
  page.stamp = stamp;
  page.folder1 = folder1;
  page.folder2 = folder2;
  page.options = options;
  std::u16string folder, name, extension;
  SplitPath(pagePath, folder, name, extension);
  for (const FileEntry& entry : files) {
    SummaryRow row;
    row.name = entry.name;
    row.resultText = StatusText(entry.status);
    row.result = ResultOf(entry.status);
    // Every finished report has its page, one-sided and identical ones too.
    if (entry.status != FileStatus::Unprocessed && !entry.resultPath.empty()) {
      row.href = RelativeHref(folder, entry.resultPath);
    }
    row.counts = entry.counts;
    row.hits = entry.hits;
    page.rows.push_back(std::move(row));
  }
  WriteUtf8Page(pagePath, ReviewSummaryText(page));
}

}  // namespace tarnwick
