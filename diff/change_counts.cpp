#include "diff/change_counts.h"

namespace tarnwick {

ChangeCounts& ChangeCounts::operator+=(const ChangeCounts& other) {
  objectsAdded += other.objectsAdded;
  objectsRemoved += other.objectsRemoved;
  objectsChanged += other.objectsChanged;
  linesAdded += other.linesAdded;
  linesRemoved += other.linesRemoved;
  objectsMoved += other.objectsMoved;
  propertiesIgnored += other.propertiesIgnored;
  return *this;
}

void ChangeCounter::Headings(PathStacks& stacks) {
  const auto depth = static_cast<std::size_t>(stacks.depth < 0 ? 0 : stacks.depth);
  if (depth < stacks.headPending.size()) {
    // A one-sided object gets its headings when it is entered, so every one
    // passes here; only the outermost of a one-sided subtree counts.
    for (std::size_t a = 1; a <= depth; ++a) {
      if (!stacks.headPending[a]) continue;
      if (stacks.mark1[a] == kStar && (a == 1 || stacks.mark1[a - 1] != kStar)) {
        ++counts_.objectsRemoved;
      }
      if (stacks.mark2[a] == kStar && (a == 1 || stacks.mark2[a - 1] != kStar)) {
        ++counts_.objectsAdded;
      }
    }
    // The deepest level is the object whose properties follow.
    if (depth > 0 && stacks.headPending[depth]) objectCounted_ = false;
  }
  next_.Headings(stacks);
}

void ChangeCounter::ChangedProperty(const PathStacks& stacks, const PropertyChange& change) {
  const auto depth = static_cast<std::size_t>(stacks.depth < 0 ? 0 : stacks.depth);
  const bool oneSided = depth > 0 && depth < stacks.mark1.size() &&
                        (stacks.mark1[depth] == kStar || stacks.mark2[depth] == kStar);
  if (!oneSided && !objectCounted_) {
    ++counts_.objectsChanged;
    objectCounted_ = true;
  }
  if (change.multiLine) {
    for (const LineRecord& record : change.lines) {
      if (record.kind == LineKind::kOnly1) ++counts_.linesRemoved;
      if (record.kind == LineKind::kOnly2) ++counts_.linesAdded;
    }
  } else {
    if (change.value1 != nullptr) ++counts_.linesRemoved;
    if (change.value2 != nullptr) ++counts_.linesAdded;
  }
  next_.ChangedProperty(stacks, change);
}

void ChangeCounter::ObjectMoved(PathStacks& stacks, std::size_t from, std::size_t to) {
  ++counts_.objectsMoved;
  // The object's changes, if any follow, are its own: a receiver that served
  // its heading here leaves none pending for Headings to tell it by.
  objectCounted_ = false;
  next_.ObjectMoved(stacks, from, to);
}

}  // namespace tarnwick
