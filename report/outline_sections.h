// Where a module keeps its blocks and a block its items, whatever the input:
// the section keys the readers give them, tried in this order. A Japanese
// report's come first, so its outline is found exactly as it always was.
#pragma once

#include <array>
#include <string_view>

namespace tarnwick {

inline constexpr std::array<std::u16string_view, 3> kBlockSectionKeys = {
    u"ブロック",  // a Japanese report
    u"Blocks",    // an English report
    u"Block",     // a Forms XML module: the element's name
};
inline constexpr std::array<std::u16string_view, 3> kItemSectionKeys = {u"項目", u"Items", u"Item"};

}  // namespace tarnwick
