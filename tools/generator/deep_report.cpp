#include "tools/generator/deep_report.h"

#include <algorithm>

namespace tarnwick {
namespace {

// A label padded to the column where values start, as Forms Builder writes.
std::u16string Labelled(std::u16string_view indent, std::u16string_view mark,
                        std::u16string_view label, std::u16string_view value) {
  std::u16string line(indent);
  line += mark;
  line += u' ';
  line += label;
  // Full-width labels take two columns each.
  const std::size_t width = 2 * label.size();
  line.append(width < 38 ? 38 - width : 1, u' ');
  line += value;
  line += u"\r\n";
  return line;
}

// The name of the object at `level` of chain `branch`, `length` characters.
std::u16string Name(std::size_t branch, std::size_t level, std::size_t length) {
  // Appended, not joined with "+": GCC 12 warns falsely of overlaps there.
  std::u16string name = u"B";
  name += static_cast<char16_t>(u'A' + branch % 26);
  name += u'_';
  name += static_cast<char16_t>(u'A' + branch / 26 % 26);
  name += u'L';
  for (std::size_t n = level, digits = 0; digits < 4; ++digits, n /= 10) {
    name.insert(name.begin() + 5, static_cast<char16_t>(u'0' + n % 10));
  }
  name.resize(std::max<std::size_t>(length, name.size()), u'X');
  return name;
}

std::u16string Report(std::size_t depth, std::size_t nameLength, std::size_t branches,
                      int version) {
  std::u16string text = Labelled(u"", u"*", u"名前", u"DEEP_FORM");
  text += Labelled(u"", u"-", u"ブロック", u"");
  for (std::size_t branch = 0; branch < branches; ++branch) {
    for (std::size_t level = 0; level < depth; ++level) {
      // Nesting steps by one column, so that the deepest report stays small.
      const std::u16string indent(level + 1, u' ');
      text += Labelled(indent, u"*", u"名前", Name(branch, level, nameLength));
      text += Labelled(indent, u"o", u"タイトル", version == 1 ? u"old" : u"new");
      if (level + 1 < depth) text += Labelled(indent, u"-", u"ブロック", u"");
    }
  }
  return text;
}

}  // namespace

DeepReportPair GenerateDeepReports(std::size_t depth, std::size_t nameLength,
                                   std::size_t branches) {
  return {Report(depth, nameLength, branches, 1), Report(depth, nameLength, branches, 2)};
}

}  // namespace tarnwick
