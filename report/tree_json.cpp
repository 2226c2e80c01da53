#include "report/tree_json.h"

#include <vector>

#include "text/json_string.h"

namespace tarnwick {

std::string TreeToJson(const CollectionPtr& tree) {
  if (!tree) return "null";
  struct Frame {
    const Collection* collection;
    std::size_t next;
  };
  std::string out = "[";
  std::vector<Frame> stack{{tree.get(), 0}};
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.collection->Count()) {
      stack.pop_back();
      // Closes the array, and the [key, value] pair that held it.
      out += stack.empty() ? "]" : "]]";
      continue;
    }
    const clsItem& item = *(frame.collection->begin() + static_cast<std::ptrdiff_t>(frame.next));
    if (frame.next++ > 0) out += ',';
    out += '[';
    AppendJsonString(out, item.Key);
    out += ',';
    if (const auto* text = std::get_if<std::u16string_view>(&item.Item)) {
      AppendJsonString(out, *text);
      out += ']';
    } else if (const auto* children = std::get_if<CollectionPtr>(&item.Item);
               children && *children) {
      out += '[';
      stack.push_back({children->get(), 0});
    } else {
      out += "null]";
    }
  }
  return out;
}

}  // namespace tarnwick
