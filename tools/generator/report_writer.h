// Building blocks of the report generator: a seeded random source whose
// sequence is the same on every platform, and a line writer that lays out
// report lines (markers, indentation by nesting, names padded to a value
// column) and keeps count of the code page 932 bytes written so far.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::gen {

// splitmix64: fixed arithmetic, so a seed gives the same report everywhere.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed ^ 0x5DEECE66DULL) {}

  std::uint64_t Next();
  // Uniform in [0, n); 0 when n is 0.
  std::size_t Below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(Next() % n); }
  int Between(int low, int high) { return low + static_cast<int>(Below(high - low + 1)); }
  bool Percent(int percent) { return static_cast<int>(Below(100)) < percent; }

  template <typename T>
  const T& Pick(const std::vector<T>& values) {
    return values[Below(values.size())];
  }

 private:
  std::uint64_t state_;
};

// Bytes the text takes in code page 932: ASCII and half-width katakana one,
// everything else two.
std::size_t Cp932Length(std::u16string_view text);

std::u16string Number(long long value);

// Lines of a multi-line property: the first is the value on the property's
// own line, the others follow it raw.
using Lines = std::vector<std::u16string>;

class ReportWriter {
 public:
  // Property names are padded so that values start at this display column.
  static constexpr std::size_t kValueColumn = 40;

  // "* 名前" (or another header name) with the object's name.
  void Header(int depth, std::u16string_view value, std::u16string_view name = u"名前");
  // One property line; `marker` is "-" for defaults, "o", "^" or "=" otherwise.
  void Property(int depth, std::u16string_view name, std::u16string_view value = {},
                char16_t marker = u'-');
  // A property whose further lines follow raw (trigger text, comments, SQL).
  void TextProperty(int depth, std::u16string_view name, const Lines& lines,
                    char16_t marker = u'-');
  void Raw(std::u16string_view line);
  void Separator(int depth);
  void Append(const ReportWriter& other);

  std::size_t Bytes() const { return bytes_; }
  std::u16string Take() { return std::move(text_); }

 private:
  void Indent(int depth);
  void EndLine(std::size_t lineStart);

  std::u16string text_;
  std::size_t bytes_ = 0;
};

}  // namespace tarnwick::gen
