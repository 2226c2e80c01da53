#include "text/json_string.h"

#include "text/utf8.h"

namespace tarnwick {

void AppendJsonString(std::string& out, std::u16string_view text) {
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

}  // namespace tarnwick
