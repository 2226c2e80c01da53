#include "classic/classic_page.h"

namespace tarnwick {

namespace {

constexpr std::u16string_view kCrLf = u"\r\n";

}  // namespace

void WritePageHead(TextSink& page, std::u16string_view head) {
  page.Write(head);
  page.Write(kCrLf);
}

void WritePageTail(TextSink& page) {
  page.Write(kCrLf);
  page.Write(kPageTail);
  page.Write(kCrLf);
}

std::u16string ClassicPageText(std::u16string_view head, std::u16string_view body) {
  StringSink page;
  WritePageHead(page, head);
  page.Write(body);
  WritePageTail(page);
  return page.Text();
}

}  // namespace tarnwick
