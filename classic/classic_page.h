// The frame of every classic page: three lines ended by CR LF (the opening
// line, the table body, the closing line), written in code page 932.
#pragma once

#include <string>
#include <string_view>

#include "text/text_sink.h"

namespace tarnwick {

inline constexpr std::u16string_view kComparisonPageHead = u"<HTML><TABLE>";
inline constexpr std::u16string_view kSummaryPageHead =
    u"<HTML><TABLE border=\"1\" bordercolor=\"black\">";
inline constexpr std::u16string_view kPageTail = u"</TABLE></HTML>";

// The opening line and its CR LF; the table body follows.
void WritePageHead(TextSink& page, std::u16string_view head);
// The CR LF that ends the table body, then the closing line.
void WritePageTail(TextSink& page);

// The whole text of a page whose body is at hand.
std::u16string ClassicPageText(std::u16string_view head, std::u16string_view body);

}  // namespace tarnwick
