#include "diff/html_table.h"

namespace tarnwick {

using namespace std::string_view_literals;  // the markup as views: no length counting per cell

void HTMLTblCls::StartRow() {
  sRowHead_ = sRowTail_;
  sRowHead_ += u"<tr>"sv;
  sRowTail_ = u"</tr>\r\n"sv;
}

void HTMLTblCls::EndRow() {
  aBuf_ += sRowTail_;
  sRowTail_.clear();
  FlushFull();
}

void HTMLTblCls::AddCell(std::u16string_view pi_cLine, std::u16string_view pi_cProp) {
  AddLinkCell(pi_cLine, pi_cProp, {});
}

void HTMLTblCls::AddLinkCell(std::u16string_view pi_cLine, std::u16string_view pi_cProp,
                             std::u16string_view pi_cLink) {
  aBuf_ += sRowHead_;
  aBuf_ += u"<td"sv;
  if (!pi_cProp.empty()) {
    aBuf_ += u' ';
    aBuf_ += pi_cProp;
  }
  aBuf_ += u'>';
  if (!pi_cLink.empty()) {
    aBuf_ += u"<a href=\""sv;
    aBuf_ += pi_cLink;
    aBuf_ += u"\">"sv;
  }
  AppendEscaped(pi_cLine);
  aBuf_ += pi_cLink.empty() ? u"</td>"sv : u"</a></td>"sv;
  sRowHead_.clear();
  FlushFull();
}

std::u16string HTMLTblCls::sStr() {
  EndRow();
  return aBuf_;
}

void HTMLTblCls::Finish() {
  EndRow();
  if (sink_ != nullptr && !aBuf_.empty()) Flush();
}

void HTMLTblCls::Flush() {
  sink_->Write(aBuf_);
  aBuf_.clear();
}

void HTMLTblCls::AppendRun(std::u16string_view run) {
  if (sink_ != nullptr) {
    while (aBuf_.size() + run.size() > kTableChunk) {
      const std::size_t room = aBuf_.size() < kTableChunk ? kTableChunk - aBuf_.size() : 0;
      aBuf_.append(run.substr(0, room));
      run.remove_prefix(room);
      Flush();
    }
  }
  aBuf_.append(run);
}

// One pass does the tab expansion and every replacement: "&" is replaced
// first in the step-by-step definition, and no later entity contains a
// character that a later step replaces, so mapping each character once is the
// same. A tab's column is its position in the expanded text so far, counted
// from the start of the cell, line breaks included. Runs of characters that
// need nothing are appended whole.
void HTMLTblCls::AppendEscaped(std::u16string_view text) {
  const auto special = [](char16_t ch) {
    return ch <= u'>' &&
           (ch == u'\t' || ch == u'&' || ch == u' ' || ch == u'"' || ch == u'<' || ch == u'>');
  };
  std::size_t extraColumns = 0;  // what expanded tabs added before the current character
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t ch = text[i];
    if (!special(ch)) continue;
    AppendRun(text.substr(runStart, i - runStart));
    runStart = i + 1;
    switch (ch) {
      case u'\t':
        if ((i + extraColumns) % 2 == 0) {
          aBuf_ += u"&nbsp;&nbsp;"sv;
          ++extraColumns;
        } else {
          aBuf_ += u"&nbsp;"sv;
        }
        break;
      case u'&':
        aBuf_ += u"&amp;"sv;
        break;
      case u' ':
        aBuf_ += u"&nbsp;"sv;
        break;
      case u'"':
        aBuf_ += u"&quot;"sv;
        break;
      case u'<':
        aBuf_ += u"&lt;"sv;
        break;
      default:
        aBuf_ += u"&gt;"sv;
        break;
    }
  }
  AppendRun(text.substr(runStart));
}

}  // namespace tarnwick
