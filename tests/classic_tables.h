// The comparison and the search rendered into a classic table held whole, and
// whole classic pages written at once: what the tests read rows and bytes
// from. The runs stream their pages through a renderer instead.
#pragma once

#include <string>
#include <string_view>

#include "classic/classic_page.h"
#include "classic/compare_rows.h"
#include "classic/html_table.h"
#include "classic/search_rows.h"
#include "diff/form_diff.h"
#include "diff/tree_compare.h"
#include "pages/page_file.h"
#include "search/search_table.h"
#include "text/cp932.h"

namespace tarnwick::testing {

// CompareNodes in classic rows; returns whether a difference was written.
inline bool ClassicCompareNodes(const clsItem& node1, const clsItem& node2, PathStacks& stacks,
                                HTMLTblCls& table, bool diffOnly,
                                const CompareOptions& options = {}) {
  ClassicCompareRows rows(table);
  return CompareNodes(node1, node2, stacks, rows, diffOnly, options);
}

// CompareOutline in classic rows: the separator row, then the outline lines.
inline bool ClassicCompareOutline(std::u16string_view outline1, std::u16string_view outline2,
                                  HTMLTblCls& table, bool diffOnly) {
  ClassicCompareRows rows(table);
  return CompareOutline(outline1, outline2, rows, diffOnly);
}

// MakeFormDiff in classic rows, values compared exactly.
inline bool ClassicFormDiff(const Collection& tree1, const Collection& tree2,
                            std::u16string_view path1, std::u16string_view path2, HTMLTblCls& table,
                            bool diffOnly) {
  ClassicCompareRows rows(table);
  return MakeFormDiff(tree1, tree2, path1, path2, rows, diffOnly, {}).differs;
}

// MakeSearch in classic rows; returns whether a property value matched.
inline bool ClassicSearch(const SearchQuery& query, const Collection* tree,
                          std::u16string_view reportPath, HTMLTblCls& table) {
  ClassicSearchRows rows(table);
  return MakeSearch(query, tree, reportPath, rows).found;
}

// The bytes of a classic page: head, body and tail, each followed by CR LF,
// in code page 932.
inline std::string PageBytes(std::u16string_view head, std::u16string_view body) {
  return EncodeCp932(ClassicPageText(head, body));
}

// Writes a whole classic page whose body is at hand. Throws tarnwick::Error.
inline void WritePage(std::u16string_view path, std::u16string_view head,
                      std::u16string_view body) {
  PageWriter page{std::u16string(path)};
  WritePageHead(page, head);
  page.Write(body);
  WritePageTail(page);
  page.Commit();
}

}  // namespace tarnwick::testing
