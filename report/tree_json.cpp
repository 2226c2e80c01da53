#include "report/tree_json.h"

#include <vector>

#include "text/utf8.h"

namespace tarnwick {

namespace {

void AppendString(std::string& out, std::u16string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  // Bytes below 0x80 never occur inside a multi-byte UTF-8 sequence.
  for (const char byte : ToUtf8(text)) {
    const auto c = static_cast<unsigned char>(byte);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 0xF];
        } else {
          out += byte;
        }
    }
  }
  out += '"';
}

}  // namespace

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
    AppendString(out, item.Key);
    out += ',';
    if (const auto* text = std::get_if<std::u16string_view>(&item.Item)) {
      AppendString(out, *text);
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
