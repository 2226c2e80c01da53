#include "tools/generator/report_writer.h"

namespace tarnwick::gen {

std::uint64_t Rng::Next() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

namespace {

bool SingleByte(char16_t c) {
  return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F);
}

}  // namespace

std::size_t Cp932Length(std::u16string_view text) {
  std::size_t bytes = 0;
  for (char16_t c : text) bytes += SingleByte(c) ? 1 : 2;
  return bytes;
}

std::u16string Number(long long value) {
  std::u16string digits;
  const bool negative = value < 0;
  unsigned long long rest = negative ? 0ULL - static_cast<unsigned long long>(value)
                                     : static_cast<unsigned long long>(value);
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + rest % 10));
    rest /= 10;
  } while (rest != 0);
  if (negative) digits.insert(digits.begin(), u'-');
  return digits;
}

void ReportWriter::Indent(int depth) {
  text_.append(static_cast<std::size_t>(depth) * 3, u' ');
}

void ReportWriter::EndLine(std::size_t lineStart) {
  bytes_ += Cp932Length(std::u16string_view(text_).substr(lineStart)) + 2;
  text_ += u"\r\n";
}

void ReportWriter::Header(int depth, std::u16string_view value, std::u16string_view name) {
  Property(depth, name, value, u'*');
}

void ReportWriter::Property(int depth, std::u16string_view name, std::u16string_view value,
                            char16_t marker) {
  const std::size_t start = text_.size();
  Indent(depth);
  text_ += marker;
  text_ += u' ';
  text_ += name;
  if (!value.empty()) {
    // Pad by display width (a full-width character takes two columns, as in
    // the report's own bytes), leaving at least one blank before the value.
    const std::size_t width = 2 + Cp932Length(name);
    text_.append(width < kValueColumn ? kValueColumn - width : 1, u' ');
    text_ += value;
  }
  EndLine(start);
}

void ReportWriter::TextProperty(int depth, std::u16string_view name, const Lines& lines,
                                char16_t marker) {
  Property(depth, name, lines.empty() ? std::u16string_view() : lines.front(), marker);
  for (std::size_t i = 1; i < lines.size(); ++i) Raw(lines[i]);
}

void ReportWriter::Raw(std::u16string_view line) {
  const std::size_t start = text_.size();
  text_ += line;
  EndLine(start);
}

void ReportWriter::Separator(int depth) {
  const std::size_t start = text_.size();
  Indent(depth);
  text_ += u"----------";
  EndLine(start);
}

void ReportWriter::Append(const ReportWriter& other) {
  text_ += other.text_;
  bytes_ += other.bytes_;
}

}  // namespace tarnwick::gen
