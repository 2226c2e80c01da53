#include "diff/compare_options.h"

#include "text/line_reader.h"
#include "text/upper_case.h"

namespace tarnwick {

std::u16string OptionNames(const CompareOptions& options, const PageWords& words) {
  std::u16string names;
  if (options.ignoreBlanks) names += words.ignoreBlanks;
  if (options.ignoreCase) {
    if (!names.empty()) names += words.listSeparator;
    names += words.ignoreCase;
  }
  return names;
}

namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

// Where a line ends in the middle of something that goes on in the next line.
enum class Carry { kNone, kSingleQuote, kDoubleQuote, kBlockComment };

// Appends the key of one line. `carry` says what the previous line left open.
void AppendKeyLine(std::u16string_view line, const CompareOptions& options, Carry& carry,
                   std::u16string& out) {
  const std::size_t start = out.size();
  bool pendingBlank = false;
  bool lineComment = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    char16_t c = line[i];
    if (options.ignoreBlanks && IsBlank(c)) {
      pendingBlank = true;
      continue;
    }
    if (pendingBlank) {
      out += u' ';
      pendingBlank = false;
    }
    if (!options.ignoreCase) {
      out += c;
      continue;
    }
    const char16_t next = i + 1 < line.size() ? line[i + 1] : u'\0';
    switch (carry) {
      case Carry::kSingleQuote:
        if (c == u'\'') carry = Carry::kNone;
        out += c;
        continue;
      case Carry::kDoubleQuote:
        if (c == u'"') carry = Carry::kNone;
        out += c;
        continue;
      case Carry::kBlockComment:
        if (c == u'*' && next == u'/') {
          carry = Carry::kNone;
          out += u"*/";
          ++i;
          continue;
        }
        break;
      case Carry::kNone:
        if (lineComment) break;
        if (c == u'\'') {
          carry = Carry::kSingleQuote;
        } else if (c == u'"') {
          carry = Carry::kDoubleQuote;
        } else if (c == u'-' && next == u'-') {
          lineComment = true;
        } else if (c == u'/' && next == u'*') {
          carry = Carry::kBlockComment;
          out += u"/*";
          ++i;
          continue;
        }
        break;
    }
    out += UpperCase(c);
  }
  // A trailing CR or SUB would be cut again by the line reader; a marker
  // after it keeps the key line whole.
  if (out.size() > start && (out.back() == u'\r' || out.back() == u'\x1A')) out += u'\x01';
}

bool BlankOnly(std::u16string_view line) {
  for (char16_t c : line) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

}  // namespace

void MakeComparisonLines(std::u16string_view value, const CompareOptions& options,
                         ComparisonLines& lines) {
  lines.text.clear();
  lines.origin.clear();
  Carry carry = Carry::kNone;
  std::int64_t position = 1;
  for (std::int32_t number = 1; position != -1; ++number) {
    const std::u16string_view line = ReadLine(value, position);
    if (options.ignoreBlanks && BlankOnly(line)) continue;
    if (!lines.origin.empty()) lines.text += u'\n';
    AppendKeyLine(line, options, carry, lines.text);
    lines.origin.push_back(number);
  }
}

bool ValuesEqual(std::u16string_view value1, std::u16string_view value2,
                 const CompareOptions& options) {
  if (value1 == value2) return true;
  if (!options.Any()) return false;
  ComparisonLines lines1, lines2;
  MakeComparisonLines(value1, options, lines1);
  MakeComparisonLines(value2, options, lines2);
  return lines1.text == lines2.text;
}

}  // namespace tarnwick
