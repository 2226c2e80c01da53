#include "review/object_headings.h"

#include "review/html_text.h"

namespace tarnwick {

std::size_t TakeDueHeading(PathStacks& stacks) {
  const auto depth = static_cast<std::size_t>(stacks.depth < 0 ? 0 : stacks.depth);
  bool pending = false;
  for (std::size_t a = 1; a <= depth && a < stacks.headPending.size(); ++a) {
    pending = pending || stacks.headPending[a];
    stacks.headPending[a] = false;
  }
  return pending && depth < stacks.pathKeys.size() ? depth : 0;
}

std::u16string EnclosingPath(const PathStacks& stacks, std::size_t depth) {
  std::u16string path;
  for (std::size_t a = 1; a < depth; ++a) {
    if (a > 1) path += u'/';
    AppendHtml(path, stacks.pathKeys[a]);
  }
  return path;
}

}  // namespace tarnwick
