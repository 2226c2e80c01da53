// The page files every run writes. A page is three lines ended by CR LF
// (opening line, table body, closing line) in code page 932.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr std::u16string_view kComparisonPageHead = u"<HTML><TABLE>";
inline constexpr std::u16string_view kSummaryPageHead =
    u"<HTML><TABLE border=\"1\" bordercolor=\"black\">";
inline constexpr std::u16string_view kPageTail = u"</TABLE></HTML>";

// The bytes of a page: head, body and tail, each followed by CR LF.
std::string PageBytes(std::u16string_view head, std::u16string_view body);
// Creates or truncates `path` and writes the page. Throws tarnwick::Error.
void WritePage(std::u16string_view path, std::u16string_view head, std::u16string_view body);

}  // namespace tarnwick
