#include "text/utf16.h"

#include "text/windows_1252.h"

namespace tarnwick {

std::optional<Utf16Order> Utf16OrderOfMark(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return Utf16Order::kLittleEndian;
  if (bytes.starts_with("\xFE\xFF")) return Utf16Order::kBigEndian;
  return std::nullopt;
}

void DecodeUtf16(std::string_view bytes, Utf16Order order, RawBuffer<char16_t>& text) {
  if (Utf16OrderOfMark(bytes) == order) bytes.remove_prefix(2);
  const std::size_t units = bytes.size() / 2;
  text.Clear();
  text.Resize(units + bytes.size() % 2);
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const int high = order == Utf16Order::kBigEndian ? 0 : 1;
  for (std::size_t i = 0; i < units; ++i) {
    text.data()[i] = static_cast<char16_t>(in[2 * i + high] << 8 | in[2 * i + 1 - high]);
  }
  if (bytes.size() % 2 != 0) text.data()[units] = Windows1252Char(in[bytes.size() - 1]);
}

}  // namespace tarnwick
