// What the comparison and search pages share about object headings.
#pragma once

#include <cstddef>
#include <string>

#include "diff/path_stacks.h"

namespace tarnwick {

// The level whose object heading is due, clearing every pending heading up
// to it; 0 when none is due.
std::size_t TakeDueHeading(PathStacks& stacks);
// The keys of the objects enclosing level `depth`, escaped and joined by "/".
std::u16string EnclosingPath(const PathStacks& stacks, std::size_t depth);

}  // namespace tarnwick
