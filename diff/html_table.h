// HTMLTblCls builds the body of every result table. Rows open lazily: StartRow
// only prepares the row's opening, which the row's first cell writes, so a row
// without cells leaves no trace. Cell text is escaped here (tabs expanded to
// two-column stops, then & space " < >); attributes and links are written as
// given. Appending is amortised constant time, so a table costs linear time.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

class HTMLTblCls {
 public:
  void StartRow();
  void EndRow();
  void AddCell(std::u16string_view pi_cLine, std::u16string_view pi_cProp);
  void AddLinkCell(std::u16string_view pi_cLine, std::u16string_view pi_cProp,
                   std::u16string_view pi_cLink);
  // Closes the open row (EndRow), then returns everything written.
  std::u16string sStr();

 private:
  void AppendEscaped(std::u16string_view text);

  std::u16string aBuf_;
  std::u16string sRowHead_ = u"<tr>";
  std::u16string sRowTail_;
};

}  // namespace tarnwick
