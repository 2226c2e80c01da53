#include "report/tree_json.h"

#include "report/tree_walk.h"
#include "text/json_string.h"

namespace tarnwick {

std::string TreeToJson(const CollectionPtr& tree) {
  if (!tree) return "null";
  struct Level {
    const Collection* collection;
    std::size_t next;
  };
  std::string out = "[";
  TreeWalk<Level> walk;
  walk.Open() = {tree.get(), 0};
  walk.Run(
      [&](Level& level) {
        if (level.next == level.collection->Count()) return false;
        const clsItem& item =
            *(level.collection->begin() + static_cast<std::ptrdiff_t>(level.next));
        if (level.next++ > 0) out += ',';
        out += '[';
        AppendJsonString(out, item.Key);
        out += ',';
        if (const auto* text = std::get_if<std::u16string_view>(&item.Item)) {
          AppendJsonString(out, *text);
          out += ']';
        } else if (const auto* children = std::get_if<CollectionPtr>(&item.Item);
                   children && *children) {
          out += '[';
          walk.Open() = {children->get(), 0};
        } else {
          out += "null]";
        }
        return true;
      },
      // Closes the array, and the [key, value] pair that held it.
      [&](Level&) { out += walk.Depth() == 0 ? "]" : "]]"; });
  return out;
}

}  // namespace tarnwick
