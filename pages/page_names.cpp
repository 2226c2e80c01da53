#include "pages/page_names.h"

#include "files/file_system.h"
#include "files/paths.h"
#include "text/cp932.h"
#include "text/decimal.h"
#include "text/upper_case.h"
#include "text/utf8.h"

namespace tarnwick {

std::u16string PagePathIn(std::u16string_view folder, std::u16string_view fileName,
                          bool keepExtension) {
  std::u16string ignoredFolder, name, extension;
  SplitPath(fileName, ignoredFolder, name, extension);
  if (!keepExtension || extension.empty()) extension = u"html";
  return JoinPath(folder, name, extension);
}

std::u16string SummaryPagePath(std::u16string_view folder, std::u16string_view fileName) {
  std::u16string pageFolder, name, extension;
  SplitPath(std::u16string(folder) + std::u16string(fileName), pageFolder, name, extension);
  if (extension.empty()) extension = u"html";
  return JoinPath(pageFolder, name, extension);
}

std::u16string PageNames::Allocate(std::u16string_view path) {
  if (used_.insert(UpperCase(path)).second) return std::u16string(path);
  std::u16string folder, name, extension;
  SplitPath(path, folder, name, extension);
  for (int n = 2;; ++n) {
    std::u16string candidate = JoinPath(folder, name + u"_" + DecimalText(n), extension);
    if (used_.insert(UpperCase(candidate)).second) return candidate;
  }
}

std::optional<std::u16string> PageOverwritingInput(const std::vector<std::u16string>& pages,
                                                   const std::vector<std::u16string>& inputs) {
  std::set<FileId> inputIds;
  for (const auto& input : inputs) {
    if (auto id = FileIdOf(input)) inputIds.insert(*id);
  }
  for (const auto& page : pages) {
    auto id = FileIdOf(page);
    if (id && inputIds.contains(*id)) return page;
  }
  return std::nullopt;
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
    switch (c) {
      case u'&':
        out += u"&amp;";
        break;
      case u'"':
        out += u"&quot;";
        break;
      case u'<':
        out += u"&lt;";
        break;
      case u'>':
        out += u"&gt;";
        break;
      case u'%':
      case u'#':
      case u'?':
        percentEncode(path.substr(i, 1));
        break;
      default:
        if (Cp932Holds(c)) {
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
