// A compact, readable rendering of the rows an HTMLTblCls wrote, so that
// expected tables can stand beside their input. One row per line: "|" + cells + "|"; a cell is
// its unescaped text, preceded by "[attributes]" when it has any, with
// colspan="2" shortened to 2, bgcolor="yellow" to Y and bgcolor="cyan" to C;
// the rule line reads "====".
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "classic/table_rows.h"
#include "report/object_tree.h"
#include "text/utf8.h"
#include "tree_builders.h"

namespace tarnwick::testing {

inline void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
  for (std::size_t at = text.find(from); at != std::u16string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// Renders the body returned by HTMLTblCls::sStr() row by row (UTF-8).
inline std::string TableText(std::u16string_view html) {
  std::u16string out;
  std::size_t at = 0;
  const auto fail = [&](const char* what) {
    ADD_FAILURE() << what << " at " << at << " in " << ToUtf8(html);
    return std::string();
  };
  while (at < html.size()) {
    if (html.substr(at, 4) != u"<tr>") return fail("expected <tr>");
    at += 4;
    out += u'|';
    while (html.substr(at, 3) == u"<td") {
      at += 3;
      const std::size_t close = html.find(u'>', at);
      if (close == std::u16string_view::npos) return fail("unclosed <td");
      std::u16string attributes(html.substr(at, close - at));
      const std::size_t end = html.find(u"</td>", close);
      if (end == std::u16string_view::npos) return fail("missing </td>");
      std::u16string text(html.substr(close + 1, end - close - 1));
      at = end + 5;
      if (!attributes.empty()) {
        if (attributes[0] != u' ') return fail("attributes without a blank");
        attributes.erase(0, 1);
        ReplaceAll(attributes, u"colspan=\"2\"", u"2");
        ReplaceAll(attributes, u"bgcolor=\"yellow\"", u"Y");
        ReplaceAll(attributes, u"bgcolor=\"cyan\"", u"C");
        out += u'[' + attributes + u']';
      }
      ReplaceAll(text, RuleLine(), u"====");
      ReplaceAll(text, u"&nbsp;", u" ");
      ReplaceAll(text, u"&quot;", u"\"");
      ReplaceAll(text, u"&lt;", u"<");
      ReplaceAll(text, u"&gt;", u">");
      ReplaceAll(text, u"&amp;", u"&");
      out += text + u'|';
    }
    if (html.substr(at, 7) != u"</tr>\r\n") return fail("expected </tr> CR LF");
    at += 7;
    out += u'\n';
  }
  return ToUtf8(out);
}

// Renders the table and the starting newline of a raw string literal alike.
inline std::string Rows(HTMLTblCls& table) {
  std::string rows = "\n";
  rows += TableText(table.sStr());
  return rows;
}

}  // namespace tarnwick::testing
