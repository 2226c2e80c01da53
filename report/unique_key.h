// Keys for objects of one section that share a name: the first keeps the
// name, each later one gets one blank more (U+0020) until no key of the
// section equals it, ignoring letter case, as the section's own key matching
// does. Report sections and Forms XML sections key their objects alike.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "report/object_tree.h"

namespace tarnwick {

// Past this many same-named objects in one section the keys alone would
// grow quadratically, so the input is refused.
inline constexpr std::size_t kMaxSameNamedObjects = 1000;

// One per section: remembers the blanks tried last per name, so that the
// n-th object of a name costs one lookup, not n.
class UniqueKeys {
 public:
  // The name, or for a name present already in `section` the name with the
  // fewest blanks added that is free, built in `scratch` (valid until it
  // changes); nothing once a name has more than kMaxSameNamedObjects objects.
  std::optional<std::u16string_view> Make(const Collection& section, std::u16string_view name,
                                          std::u16string& scratch);

 private:
  // Made at the first name taken twice: most sections never need it.
  std::unique_ptr<std::unordered_map<std::u16string, std::size_t>> blanksUsed_;
};

}  // namespace tarnwick
