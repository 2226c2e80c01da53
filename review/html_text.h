// Text made safe for the review pages: every character that could open markup
// or end an attribute is written as an entity, so nothing from a report, a
// file name or a setting can inject markup or script. Control characters
// other than tab show as their control pictures (U+2400 block), never raw.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace tarnwick {

// A half-open range [begin, end) of code units within a text.
struct TextSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool operator==(const TextSpan&) const = default;
};

// Appends `text` escaped for element content and attribute values in double
// quotes: & < > " become entities (a single quote needs none there).
void AppendHtml(std::u16string& out, std::u16string_view text);
std::u16string Html(std::u16string_view text);

// Appends `text` escaped, with each span (ascending, not overlapping, within
// the text) wrapped in <tag>...</tag>.
void AppendHtmlMarked(std::u16string& out, std::u16string_view text,
                      std::span<const TextSpan> spans, std::u16string_view tag);

// A relative page path as an href: folders joined by "/", and each character
// that would end or redirect a link (% # ? and blanks, quotes, < > &, controls)
// percent-encoded as UTF-8. Then safe inside a quoted attribute as it is.
std::u16string HrefOf(std::u16string_view relativePath, char16_t separator);

}  // namespace tarnwick
