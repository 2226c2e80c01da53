// The object tree as one line of JSON, the form `tarnwick-cli tree` prints and
// the tests compare against: `null` for no tree, a collection as an array of
// nodes, a node as [key, value] with a string, an array or null as value.
// Strings are UTF-8; only '"', '\' and characters below U+0020 are escaped.
// The walk is iterative, so the deepest tree the parser accepts is fine.
#pragma once

#include <string>

#include "report/object_tree.h"

namespace tarnwick {

std::string TreeToJson(const CollectionPtr& tree);

}  // namespace tarnwick
