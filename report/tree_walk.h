// The depth-first walk every tree reader uses: an explicit stack of open
// levels instead of recursion, so that a report nesting objects thousands
// deep costs heap, never call stack. A level is the caller's own state for
// one open collection (for the comparison, one open pair of collections).
// Closed levels are kept and handed out again by Open, so a walk allocates
// only as deep as it goes, once.
//
//   struct Level { const Collection* children; std::size_t next = 0; };
//   TreeWalk<Level> walk;
//   walk.Open() = {&tree};
//   walk.Run([&](Level& level) {
//     if (level.next == level.children->Count()) return false;  // closes it
//     const clsItem& child = level.children->At(++level.next);
//     if (child.IsCollection()) walk.Open() = {&child.Children()};  // `level` is dead now
//     return true;
//   });
#pragma once

#include <cstddef>
#include <vector>

namespace tarnwick {

template <typename Level>
class TreeWalk {
 public:
  // A level below the innermost open one (the first opens the top level).
  // It may be a level closed earlier: assign every field. Opening moves the
  // levels, so a reference to an open level is dead after it.
  Level& Open() {
    if (top_ == levels_.size()) levels_.emplace_back();
    return levels_[top_++];
  }

  // How many levels are open.
  std::size_t Depth() const { return top_; }

  // Calls `step` with the innermost open level until no level is open.
  // `step` returns false when its level has nothing left: the walk closes it
  // and calls `closed` with it (Depth() then no longer counts it).
  template <typename Step, typename Closed>
  void Run(Step step, Closed closed) {
    while (top_ > 0) {
      if (!step(levels_[top_ - 1])) {
        --top_;
        closed(levels_[top_]);
      }
    }
  }
  template <typename Step>
  void Run(Step step) {
    Run(step, [](Level&) {});
  }

 private:
  std::vector<Level> levels_;  // [0, top_) are open; the rest are kept for reuse
  std::size_t top_ = 0;
};

}  // namespace tarnwick
