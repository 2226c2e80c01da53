#include "text/utf8.h"

#include "text/windows_1252.h"

namespace tarnwick {

namespace {

// Writes the UTF-8 bytes of `c` at `out`; returns where they end.
char* PutUtf8(char* out, char32_t c) {
  if (c < 0x80) {
    *out++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *out++ = static_cast<char>(0xC0 | (c >> 6));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *out++ = static_cast<char>(0xE0 | (c >> 12));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *out++ = static_cast<char>(0xF0 | (c >> 18));
    *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 | (c >> 10));
    out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
  }
}

// Calls put(c) for each character of `text`, unpaired surrogates as U+FFFD.
template <typename Put>
void ForEachCharacter(std::u16string_view text, Put put) {
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    put(c);
  }
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachCharacter(text, [&out](char32_t c) {
    char bytes[4];
    out.append(bytes, PutUtf8(bytes, c));
  });
  return out;
}

void AppendUtf8(std::u16string_view text, RawBuffer<char>& bytes) {
  const std::size_t start = bytes.size();
  bytes.Resize(start + 3 * text.size());  // a unit never takes more than three bytes
  char* out = bytes.data() + start;
  ForEachCharacter(text, [&out](char32_t c) { out = PutUtf8(out, c); });
  bytes.Resize(static_cast<std::size_t>(out - bytes.data()));
}

std::u16string FromUtf8(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    int extra = 0;
    char32_t c = 0;
    char32_t min = 0;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1, c = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, c = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, c = b & 0x07, min = 0x10000;
    } else {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < extra; ++k, ++j) {
      if (j >= bytes.size() || (static_cast<unsigned char>(bytes[j]) & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      c = (c << 6) | (static_cast<unsigned char>(bytes[j]) & 0x3F);
    }
    if (!ok || c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out += u'\uFFFD';
      i = j;  // resynchronise at the first byte not taken
      continue;
    }
    AppendUtf16(out, c);
    i = j;
  }
  return out;
}

std::size_t Utf8SequenceLength(const unsigned char* s, std::size_t left) {
  const unsigned char b = s[0];
  const auto trail = [&](std::size_t i, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return i < left && s[i] >= low && s[i] <= high;
  };
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return trail(1) ? 2 : 0;
  if (b >= 0xE0 && b <= 0xEF) {
    const unsigned char low = b == 0xE0 ? 0xA0 : 0x80, high = b == 0xED ? 0x9F : 0xBF;
    return trail(1, low, high) && trail(2) ? 3 : 0;
  }
  if (b >= 0xF0 && b <= 0xF4) {
    const unsigned char low = b == 0xF0 ? 0x90 : 0x80, high = b == 0xF4 ? 0x8F : 0xBF;
    return trail(1, low, high) && trail(2) && trail(3) ? 4 : 0;
  }
  return 0;
}

bool IsWellFormedUtf8(std::string_view bytes) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  for (std::size_t i = 0; i < bytes.size();) {
    if (s[i] < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(s + i, bytes.size() - i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

void DecodeUtf8OrWindows1252(std::string_view bytes, RawBuffer<char16_t>& text) {
  text.Clear();
  text.Resize(bytes.size());  // never more units than bytes
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  char16_t* out = text.data();
  for (std::size_t i = 0; i < bytes.size();) {
    const unsigned char b = s[i];
    if (b < 0x80) {
      *out++ = b;
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(s + i, bytes.size() - i);
    if (length == 0) {
      *out++ = Windows1252Char(b);
      ++i;
      continue;
    }
    char32_t c = b & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) c = c << 6 | (s[i + k] & 0x3F);
    if (c < 0x10000) {
      *out++ = static_cast<char16_t>(c);
    } else {
      *out++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      *out++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
    i += length;
  }
  text.Resize(static_cast<std::size_t>(out - text.data()));
}

}  // namespace tarnwick
