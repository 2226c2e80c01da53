#include "pages/page_file.h"

#include "files/file_system.h"
#include "files/paths.h"
#include "text/cp932.h"
#include "files/file_io.h"
#include "text/upper_case.h"
#include "text/utf8.h"
#include "text/decimal.h"

namespace tarnwick {

namespace {

constexpr std::u16string_view kCrLf = u"\r\n";

}  // namespace

std::string PageBytes(std::u16string_view head, std::u16string_view body) {
  std::u16string text;
  text.reserve(head.size() + body.size() + kPageTail.size() + 3 * kCrLf.size());
  text.append(head).append(kCrLf).append(body).append(kCrLf).append(kPageTail).append(kCrLf);
  return EncodeCp932(text);
}

void WritePage(std::u16string_view path, std::u16string_view head, std::u16string_view body) {
  WriteFileBytes(path, PageBytes(head, body));
}

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
    std::u16string candidate =
        JoinPath(folder, name + u"_" + DecimalText(n), extension);
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

std::u16string OverwriteWarning(std::u16string_view page) {
  return u"出力ファイル[" + std::u16string(page) +
         u"]は入力のレポートファイルです。上書きできません。";
}

}  // namespace tarnwick
