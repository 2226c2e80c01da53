// The line reader shared by the parser, the line difference and the search.
// A position is 1-based; -1 means nothing is left. Lines are cut at LF and one
// trailing CR or SUB (U+001A) is dropped. The empty text is one empty line.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarnwick {

// Returns the line starting at `position` and advances it past the LF, or to -1.
std::u16string_view ReadLine(std::u16string_view text, std::int64_t& position);

}  // namespace tarnwick
