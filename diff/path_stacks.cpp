#include "diff/path_stacks.h"

namespace tarnwick {

void PathStacks::Resize() {
  const auto size = static_cast<std::size_t>(depth < 0 ? 0 : depth) + 1;
  pathKeys.resize(size);
  headPending.resize(size);
  mark1.resize(size);
  mark2.resize(size);
}

}  // namespace tarnwick
