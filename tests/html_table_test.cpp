#include "classic/html_table.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/utf8.h"

namespace tarnwick {
namespace {

// Compared as UTF-8 so that a failure prints readable markup.
std::string Body(HTMLTblCls& table) {
  return ToUtf8(table.sStr());
}

std::string OneCell(std::u16string_view text) {
  HTMLTblCls table;
  table.StartRow();
  table.AddCell(text, u"");
  return Body(table);
}

TEST(HtmlTable, RowsOpenWithTheirFirstCellAndCloseBeforeTheNextRow) {
  HTMLTblCls table;
  table.StartRow();
  table.AddCell(u"a", u"");
  table.AddCell(u"b", u"");
  table.StartRow();
  table.AddCell(u"c", u"colspan=\"2\"");
  EXPECT_EQ(Body(table),
            "<tr><td>a</td><td>b</td></tr>\r\n"
            "<tr><td colspan=\"2\">c</td></tr>\r\n");
}

TEST(HtmlTable, RowsWithoutCellsLeaveNoTrace) {
  HTMLTblCls table;
  table.StartRow();
  table.AddCell(u"a", u"");
  table.StartRow();
  table.StartRow();
  table.StartRow();
  table.AddCell(u"b", u"");
  EXPECT_EQ(Body(table), "<tr><td>a</td></tr>\r\n<tr><td>b</td></tr>\r\n");
}

TEST(HtmlTable, EndRowClosesAtOnceAndTheNextRowOpensAlone) {
  HTMLTblCls table;
  table.StartRow();
  table.AddCell(u"a", u"");
  table.StartRow();
  table.EndRow();
  table.EndRow();  // nothing left to close
  table.StartRow();
  table.AddCell(u"b", u"");
  EXPECT_EQ(Body(table), "<tr><td>a</td></tr>\r\n<tr><td>b</td></tr>\r\n");
}

TEST(HtmlTable, OddStartsAndEnds) {
  HTMLTblCls fresh;
  EXPECT_EQ(Body(fresh), "");

  // The pending closing is written although no "<tr>" ever was.
  HTMLTblCls row_without_cell;
  row_without_cell.StartRow();
  EXPECT_EQ(Body(row_without_cell), "</tr>\r\n");

  // A cell before any StartRow opens a row that is never closed.
  HTMLTblCls no_start;
  no_start.AddCell(u"a", u"");
  no_start.StartRow();
  no_start.AddCell(u"b", u"");
  EXPECT_EQ(Body(no_start), "<tr><td>a</td><tr><td>b</td></tr>\r\n");

  // Reading sStr closes the row; reading it again adds nothing.
  HTMLTblCls twice;
  twice.StartRow();
  twice.AddCell(u"a", u"");
  EXPECT_EQ(Body(twice), "<tr><td>a</td></tr>\r\n");
  EXPECT_EQ(Body(twice), "<tr><td>a</td></tr>\r\n");
}

TEST(HtmlTable, CellTextIsEscapedButAttributesAndLinksAreNot) {
  EXPECT_EQ(OneCell(u"a<b> & \"c\""),
            "<tr><td>a&lt;b&gt;&nbsp;&amp;&nbsp;&quot;c&quot;</td></tr>\r\n");
  // An entity already in the text is escaped once more: "&" goes first.
  EXPECT_EQ(OneCell(u"&amp;"), "<tr><td>&amp;amp;</td></tr>\r\n");
  // Line breaks and other characters stay as they are.
  EXPECT_EQ(OneCell(u"x\r\ny\u3000z"), "<tr><td>x\r\ny\u3000z</td></tr>\r\n");

  HTMLTblCls table;
  table.StartRow();
  table.AddCell(u"", u"bgcolor=\"yellow\" x=<&>");
  table.AddLinkCell(u"a b", u"", u"f.html#x&<\"");
  EXPECT_EQ(Body(table),
            "<tr><td bgcolor=\"yellow\" x=<&>></td>"
            "<td><a href=\"f.html#x&<\"\">a&nbsp;b</a></td></tr>\r\n");
}

TEST(HtmlTable, LinkCellWithoutLinkIsAPlainCell) {
  HTMLTblCls plain;
  HTMLTblCls link;
  for (HTMLTblCls* table : {&plain, &link}) table->StartRow();
  plain.AddCell(u"a\tb <", u"colspan=\"3\"");
  link.AddLinkCell(u"a\tb <", u"colspan=\"3\"", u"");
  EXPECT_EQ(Body(link), Body(plain));

  HTMLTblCls first;
  first.AddLinkCell(u"a b", u"", u"f.html#x");
  EXPECT_EQ(Body(first), "<tr><td><a href=\"f.html#x\">a&nbsp;b</a></td>");
}

TEST(HtmlTable, TabsStopEveryTwoColumnsFromTheStartOfTheCell) {
  EXPECT_EQ(OneCell(u"\tx"), "<tr><td>&nbsp;&nbsp;x</td></tr>\r\n");
  EXPECT_EQ(OneCell(u"x\ty"), "<tr><td>x&nbsp;y</td></tr>\r\n");
  // The second tab stands at column 2 of the expanded text.
  EXPECT_EQ(OneCell(u"x\t\ty"), "<tr><td>x&nbsp;&nbsp;&nbsp;y</td></tr>\r\n");
  // Columns run on across line breaks: "ab\n" puts the tab at column 3.
  EXPECT_EQ(OneCell(u"ab\n\tx"), "<tr><td>ab\n&nbsp;x</td></tr>\r\n");
  EXPECT_EQ(OneCell(u"ab\r\n\tx"), "<tr><td>ab\r\n&nbsp;&nbsp;x</td></tr>\r\n");
  // A character that becomes an entity still takes one column.
  EXPECT_EQ(OneCell(u"&\tx"), "<tr><td>&amp;&nbsp;x</td></tr>\r\n");
}

// The cell text rules applied literally, one step after the other.
std::u16string ReplaceAll(std::u16string text, std::u16string_view from, std::u16string_view to) {
  for (std::size_t at = text.find(from); at != std::u16string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::u16string EscapedStepByStep(std::u16string text) {
  for (std::size_t tab = text.find(u'\t'); tab != std::u16string::npos; tab = text.find(u'\t')) {
    text.replace(tab, 1, tab % 2 == 0 ? u"  " : u" ");
  }
  text = ReplaceAll(text, u"&", u"&amp;");
  text = ReplaceAll(text, u" ", u"&nbsp;");
  text = ReplaceAll(text, u"\"", u"&quot;");
  text = ReplaceAll(text, u"<", u"&lt;");
  return ReplaceAll(text, u">", u"&gt;");
}

TEST(HtmlTable, CellTextEqualsTheStepByStepRulesOnRandomTexts) {
  const std::u16string alphabet = u"a\t &<>\"\nア0";
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::u16string text;
    const int length = static_cast<int>(random() % 24);
    for (int k = 0; k < length; ++k) text += alphabet[random() % alphabet.size()];
    EXPECT_EQ(OneCell(text), "<tr><td>" + ToUtf8(EscapedStepByStep(text)) + "</td></tr>\r\n")
        << ToUtf8(text);
  }
}

// Keeps every piece a streamed table hands over.
struct Pieces : TextSink {
  void Write(std::u16string_view text) override { pieces.emplace_back(text); }
  std::vector<std::u16string> pieces;
};

TEST(HtmlTable, AStreamedTableHandsOverTheSameTextInBoundedPieces) {
  // Small and huge cells, rows without cells, one cell before any row, and a
  // cell of blanks only, whose escaping is six times its length.
  auto build = [](HTMLTblCls& table) {
    table.AddCell(u"first", u"");
    for (int row = 0; row < 3000; ++row) {
      table.StartRow();
      if (row % 5 == 0) continue;
      table.AddCell(u"a\tb <c>", row % 2 ? u"" : u"colspan=\"2\"");
      if (row % 1000 == 1) table.AddCell(std::u16string(300000, u'x') + u"&y", u"");
      if (row % 1000 == 2) table.AddLinkCell(std::u16string(100000, u' '), u"", u"a.html");
    }
    table.StartRow();
  };
  HTMLTblCls whole;
  build(whole);
  Pieces sink;
  HTMLTblCls streamed(sink);
  build(streamed);
  streamed.Finish();

  std::u16string joined;
  for (const std::u16string& piece : sink.pieces) {
    EXPECT_LE(piece.size(), kTableChunk + 64);
    joined += piece;
  }
  EXPECT_GT(sink.pieces.size(), 10u);
  EXPECT_EQ(joined, whole.sStr());
}

}  // namespace
}  // namespace tarnwick
