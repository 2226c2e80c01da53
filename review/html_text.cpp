#include "review/html_text.h"

#include <algorithm>
#include <string_view>

#include "text/html_entity.h"
#include "text/utf8.h"

namespace tarnwick {

void AppendHtml(std::u16string& out, std::u16string_view text) {
  for (char16_t c : text) {
    if (const std::u16string_view entity = HtmlEntity(c); !entity.empty()) {
      out += entity;
    } else if (c < 0x20 && c != u'\t') {
      out += static_cast<char16_t>(0x2400 + c);
    } else if (c == 0x7F) {
      out += u'\u2421';
    } else {
      out += c;
    }
  }
}

std::u16string Html(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  AppendHtml(out, text);
  return out;
}

void AppendHtmlMarked(std::u16string& out, std::u16string_view text,
                      std::span<const TextSpan> spans, std::u16string_view tag) {
  std::size_t at = 0;
  for (const TextSpan& span : spans) {
    const std::size_t begin = std::min(std::max(span.begin, at), text.size());
    const std::size_t end = std::min(std::max(span.end, begin), text.size());
    if (begin == end) continue;
    AppendHtml(out, text.substr(at, begin - at));
    out.append(u"<").append(tag).append(u">");
    AppendHtml(out, text.substr(begin, end - begin));
    out.append(u"</").append(tag).append(u">");
    at = end;
  }
  AppendHtml(out, text.substr(at));
}

std::u16string HrefOf(std::u16string_view relativePath, char16_t separator) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  static constexpr std::string_view kReserved = "%#?\"'<>&\\";
  std::u16string href;
  std::u16string_view rest = relativePath;
  while (!rest.empty()) {
    const std::size_t cut = rest.find(separator);
    for (const char byte : ToUtf8(rest.substr(0, cut))) {
      const auto b = static_cast<unsigned char>(byte);
      if (b > 0x20 && b < 0x7F && kReserved.find(byte) == std::string_view::npos) {
        href += static_cast<char16_t>(b);
      } else {
        href += u'%';
        href += static_cast<char16_t>(kHex[b >> 4]);
        href += static_cast<char16_t>(kHex[b & 15]);
      }
    }
    if (cut == std::u16string_view::npos) break;
    href += u'/';
    rest.remove_prefix(cut + 1);
  }
  // A first segment with ":" would read as a scheme (javascript:...).
  const std::size_t colon = href.find(u':');
  if (colon != std::u16string::npos && colon < href.find(u'/')) href.insert(0, u"./");
  return href;
}

}  // namespace tarnwick
