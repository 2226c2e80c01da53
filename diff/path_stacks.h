// The walk state of a comparison or a search: the objects on the path from
// the compared node down to the one now reporting, each with its key, its
// one-sided marks and whether its headings are still due. The walk keeps it;
// every renderer reads it to head its rows, and clears the flags it serves.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Marks a row or an object that one side has and the other has not.
inline constexpr std::u16string_view kStar = u"*";

// Levels run from 1; index 0 exists and is never used. The owner starts with
// depth 0.
struct PathStacks {
  std::int32_t depth = 0;
  std::vector<std::u16string> pathKeys =
      std::vector<std::u16string>(1);                    // key of the object at each level
  std::vector<bool> headPending = std::vector<bool>(1);  // its headings are still unwritten
  std::vector<std::u16string> mark1 =
      std::vector<std::u16string>(1);  // "*" when the object is on side 1 only
  std::vector<std::u16string> mark2 =
      std::vector<std::u16string>(1);  // "*" when the object is on side 2 only

  // Resizes the four stacks to levels 0..depth, keeping what those levels hold.
  void Resize();
};

}  // namespace tarnwick
