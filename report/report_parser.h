// The report parser: reads the text of one object list report once,
// from the front, and builds its object tree. Lines are cut at LF (one
// trailing CR or SUB dropped); indentation columns decide which lines belong
// to which object or section; a fixed table of property names gets special
// reading (multi-line texts gathered raw until a closing name, joined blocks,
// lists that are not lists of named objects). The names are the report's
// language's (report/report_labels.h): a Japanese or an English report,
// told apart by its first object header, gives a tree of the same shape.
// A report that does not fit the
// grammar, or nests sections deeper than kMaxSectionDepth, throws
// tarnwick::Error number kGrammarErrorNumber naming the line (1-based) and its
// text; nothing partial reaches the caller.
//
//   CollectionPtr tree = ParseReport(u"* 名前 F\n* ブロック\n  * 名前 B\n");
//   TreeToJson(tree);  // [["ﾌｫｰﾑ",[["F",[["ブロック",[["B",[]]]]]]]]]
//   ParseReport(u" * Name      F\n * Title     Orders\n");
//   // [["Form",[["F",[["Title","Orders"]]]]]]
#pragma once

#include <string_view>

#include "report/object_tree.h"
#include "report/report_labels.h"
#include "text/raw_buffer.h"

namespace tarnwick {

// Far beyond any real report; keeps the parser and every tree walker off the
// bottom of the stack. The tree below the root is at most twice this deep.
inline constexpr int kMaxSectionDepth = 1000;

// The tree of the report `text`: null for an empty text. The tree owns
// copies of what it keeps; the text may go once this returns.
CollectionPtr ParseReport(std::u16string_view text);
// The same, read by the names of `labels` whatever its first header says.
CollectionPtr ParseReport(std::u16string_view text, const ReportLabels& labels);
// The same for a text in a buffer that the tree may take over: when one
// value is most of the text (a huge line), the tree keeps the buffer, left
// empty here, instead of a second copy of that value.
CollectionPtr ParseReport(RawBuffer<char16_t>& text);

}  // namespace tarnwick
