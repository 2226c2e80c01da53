#include "classic/html_table.h"

#include "text/html_entity.h"

namespace tarnwick {

using namespace std::string_view_literals;  // the markup as views: no length counting per cell

namespace {

constexpr std::u16string_view kRowOpen = u"<tr>";
constexpr std::u16string_view kRowClose = u"</tr>\r\n";
constexpr std::u16string_view kRowCloseAndOpen = u"</tr>\r\n<tr>";

}  // namespace

void HTMLTblCls::StartRow() {
  sRowHead_ = sRowTail_.empty() ? kRowOpen : kRowCloseAndOpen;
  sRowTail_ = kRowClose;
}

void HTMLTblCls::EndRow() {
  Put(sRowTail_);
  sRowTail_ = {};
  FlushFull();
}

void HTMLTblCls::AddCell(std::u16string_view pi_cLine, std::u16string_view pi_cProp) {
  AddLinkCell(pi_cLine, pi_cProp, {});
}

void HTMLTblCls::AddLinkCell(std::u16string_view pi_cLine, std::u16string_view pi_cProp,
                             std::u16string_view pi_cLink) {
  Put(sRowHead_);
  Put(u"<td"sv);
  if (!pi_cProp.empty()) {
    Put(u" "sv);
    Put(pi_cProp);
  }
  Put(u">"sv);
  if (!pi_cLink.empty()) {
    Put(u"<a href=\""sv);
    Put(pi_cLink);
    Put(u"\">"sv);
  }
  AppendEscaped(pi_cLine);
  Put(pi_cLink.empty() ? u"</td>"sv : u"</a></td>"sv);
  sRowHead_ = {};
  FlushFull();
}

std::u16string HTMLTblCls::sStr() {
  EndRow();
  return std::u16string(aBuf_.View());
}

void HTMLTblCls::Finish() {
  EndRow();
  if (sink_ != nullptr && !aBuf_.empty()) Flush();
}

void HTMLTblCls::Flush() {
  sink_->Write(aBuf_.View());
  aBuf_.Clear();
}

void HTMLTblCls::AppendRun(std::u16string_view run) {
  if (sink_ != nullptr) {
    while (aBuf_.size() + run.size() > kTableChunk) {
      const std::size_t room = aBuf_.size() < kTableChunk ? kTableChunk - aBuf_.size() : 0;
      Put(run.substr(0, room));
      run.remove_prefix(room);
      Flush();
    }
  }
  Put(run);
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
          Put(u"&nbsp;&nbsp;"sv);
          ++extraColumns;
        } else {
          Put(u"&nbsp;"sv);
        }
        break;
      case u' ':
        Put(u"&nbsp;"sv);
        break;
      default:
        Put(HtmlEntity(ch));
        break;
    }
  }
  AppendRun(text.substr(runStart));
}

}  // namespace tarnwick
