#include "pages/page_names.h"

#include "files/file_system.h"
#include "files/paths.h"
#include "text/decimal.h"
#include "text/upper_case.h"

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

}  // namespace tarnwick
