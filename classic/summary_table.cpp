#include "classic/summary_table.h"

#include "files/paths.h"
#include "text/cp932.h"
#include "text/html_entity.h"
#include "text/utf8.h"

namespace tarnwick {

void WriteSummaryTable(const RunSummary& summary, HTMLTblCls& table, const PageWords& words) {
  const std::u16string_view span = u"colspan=\"3\"";
  if (summary.kind == SummaryKind::kComparison) {
    table.StartRow();
    table.AddCell(std::u16string(words.classicFolder1) + summary.folder1, span);
    table.StartRow();
    table.AddCell(std::u16string(words.classicFolder2) + summary.folder2, span);
    if (summary.patterns1 != summary.patterns2) {
      table.StartRow();
      table.AddCell(std::u16string(words.classicPatterns1) + summary.patterns1, span);
      table.StartRow();
      table.AddCell(std::u16string(words.classicPatterns2) + summary.patterns2, span);
    }
  } else {
    table.StartRow();
    table.AddCell(std::u16string(words.classicFolder) + summary.folder1, span);
  }
  table.StartRow();
  table.AddCell(summary.stamp, span);
  if (!summary.cancelled.empty()) {
    table.StartRow();
    table.AddCell(summary.cancelled, span);
  }
  const std::u16string options = summary.kind == SummaryKind::kComparison
                                     ? OptionNames(summary.options, words)
                                     : std::u16string();
  if (!options.empty()) {
    table.StartRow();
    table.AddCell(std::u16string(words.classicOptions) + options, span);
  }
  table.StartRow();
  table.EndRow();
  table.StartRow();
  table.AddCell(words.fileName, u"");
  table.AddCell(words.result, u"");
  for (const SummaryRow& row : summary.rows) {
    table.StartRow();
    table.AddCell(row.name, u"");
    if (StatusLinksPage(row.status) && !row.page.empty()) {
      table.AddLinkCell(StatusText(row.status, words), u"", EscapeLinkTarget(row.page));
    } else {
      table.AddCell(StatusText(row.status, words), u"");
    }
    if (!row.failures.empty()) {
      std::u16string why;
      for (const ReportFailure& failure : row.failures) {
        if (!why.empty()) why += u' ';
        why += failure.message;
      }
      table.AddCell(why, u"");
    }
  }
}

std::u16string EscapeLinkTarget(std::u16string_view path) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string out;
  out.reserve(path.size());
  auto percentEncode = [&out](std::u16string_view character) {
    for (const char byte : ToUtf8(character)) {
      const auto b = static_cast<unsigned char>(byte);
      out += u'%';
      out += kHex[b >> 4];
      out += kHex[b & 0xF];
    }
  };
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char16_t c = path[i];
    if (const std::u16string_view entity = HtmlEntity(c); !entity.empty()) {
      out += entity;
      continue;
    }
    switch (c) {
      case u'%':
      case u'#':
      case u'?':
        percentEncode(path.substr(i, 1));
        break;
      default:
        // A browser drops tabs and line breaks from a link, reads "\\" as
        // "/" and decodes the single bytes 0xA0 and 0xFD-0xFF as U+FFFD.
        if (c < 0x20 || c == 0x7F || (c == u'\\' && NativeSeparator() != u'\\') ||
            (c >= 0xF8F0 && c <= 0xF8F3)) {
          percentEncode(path.substr(i, 1));
        } else if (Cp932Holds(c)) {
          out += c;
        } else {
          // The page would write "?" for it: the link takes the name's UTF-8
          // bytes instead, a surrogate pair as one character.
          const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < path.size() &&
                            path[i + 1] >= 0xDC00 && path[i + 1] <= 0xDFFF;
          percentEncode(path.substr(i, pair ? 2 : 1));
          if (pair) ++i;
        }
    }
  }
  return out;
}

}  // namespace tarnwick
