#include "app/object_path.h"

#include "text/upper_case.h"

namespace tarnwick {

bool IsNodeKey(std::u16string_view text) {
  if (!text.starts_with(u"ROOT")) return false;
  text.remove_prefix(4);
  while (!text.empty()) {
    // "-" and a position without sign or leading zeros.
    if (text.size() < 2 || text[0] != u'-' || text[1] < u'1' || text[1] > u'9') return false;
    std::size_t end = 2;
    while (end < text.size() && text[end] >= u'0' && text[end] <= u'9') ++end;
    text.remove_prefix(end);
  }
  return true;
}

std::optional<std::vector<std::u16string>> ObjectPathNames(std::u16string_view path) {
  if (path.starts_with(u'/')) path.remove_prefix(1);
  if (path.empty()) return std::nullopt;
  std::vector<std::u16string> names(1);
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char16_t c = path[i];
    if (c == u'\\') {
      if (i + 1 == path.size() || (path[i + 1] != u'/' && path[i + 1] != u'\\')) {
        return std::nullopt;
      }
      names.back() += path[++i];
    } else if (c == u'/') {
      if (names.back().empty()) return std::nullopt;
      names.emplace_back();
    } else {
      names.back() += c;
    }
  }
  if (names.back().empty()) return std::nullopt;
  return names;
}

std::optional<std::u16string> NodeKeyOfPath(const ListTreeView& view,
                                            const std::vector<std::u16string>& names) {
  const auto& nodes = view.Nodes();
  if (nodes.empty()) return std::nullopt;
  std::u16string key = nodes.front().key;  // the root
  // Children follow their parent, depth first: each name is looked for
  // after the node found for the one before.
  std::size_t from = 1;
  for (const std::u16string& name : names) {
    const std::u16string wanted = UpperCase(name);
    bool found = false;
    for (std::size_t i = from; i < nodes.size(); ++i) {
      if (nodes[i].parentKey == key && UpperCase(nodes[i].text) == wanted) {
        key = nodes[i].key;
        from = i + 1;
        found = true;
        break;
      }
    }
    if (!found) return std::nullopt;
  }
  return key;
}

}  // namespace tarnwick
