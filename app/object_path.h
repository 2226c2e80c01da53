// An object named by its path, as the tree view of the object comparison
// shows it: the node texts below the report's root joined by "/", for
// example ﾌｫｰﾑ/ORDERS/ブロック/ORDERS/項目/CUSTOMER_ID. In a name "\/" stands
// for a "/" and "\\" for a "\". A leading "/" may be written; it marks the
// text as a path even where it would read as a node key (ROOT-1-1).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/list_tree_view.h"

namespace tarnwick {

// True for a tree-view node key: "ROOT", then "-" and a position from 1 on,
// any number of times.
bool IsNodeKey(std::u16string_view text);

// The names a path spells; nothing for a text that spells none: empty, an
// empty name ("a//b", a trailing "/"), or a "\" before anything but "/" and
// "\" or at the end.
std::optional<std::vector<std::u16string>> ObjectPathNames(std::u16string_view path);

// The key of the node that the names lead to from the view's root, each
// name matched against the texts of the children ignoring letter case (as
// the tree's keys are); nothing when a name has no such child.
std::optional<std::u16string> NodeKeyOfPath(const ListTreeView& view,
                                            const std::vector<std::u16string>& names);

}  // namespace tarnwick
