#include "app/summary_page.h"

#include "diff/html_table.h"
#include "pages/page_file.h"
#include "pages/page_names.h"

namespace tarnwick {

std::u16string SummaryTableBody(std::u16string_view stamp, std::u16string_view folder1,
                                std::u16string_view folder2, const std::vector<FileEntry>& files) {
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
                      const std::vector<FileEntry>& files) {
  WritePage(pagePath, kSummaryPageHead, SummaryTableBody(stamp, folder1, folder2, files));
}

}  // namespace tarnwick
