#include "pages/page_file.h"

#include "files/file_io.h"
#include "text/cp932.h"

namespace tarnwick {

namespace {

constexpr std::u16string_view kCrLf = u"\r\n";

}  // namespace

std::string PageBytes(std::u16string_view head, std::u16string_view body) {
  std::u16string text;
  text.reserve(head.size() + body.size() + kPageTail.size() + 3 * kCrLf.size());
  text.append(head).append(kCrLf).append(body).append(kCrLf).append(kPageTail).append(kCrLf);
  return EncodeCp932(text);
}

void WritePage(std::u16string_view path, std::u16string_view head, std::u16string_view body) {
  WriteFileBytes(path, PageBytes(head, body));
}

}  // namespace tarnwick
