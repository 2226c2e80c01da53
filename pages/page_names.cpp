#include "pages/page_names.h"

#include <cstdint>

#include "files/file_io.h"
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

namespace {

// The longest file name, in the units of its native spelling.
constexpr std::size_t kNameLimit = 255;

bool Fits(std::u16string_view name, std::u16string_view suffix, std::u16string_view extension) {
  std::u16string whole(name);
  whole.append(suffix).append(u".").append(extension);
  return NativePath(whole).native().size() <= kNameLimit;
}

// FNV-1a over the UTF-16 units: the same on every platform and every run.
std::u16string HashTag(std::u16string_view name) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::uint32_t hash = 2166136261u;
  for (const char16_t unit : name) {
    hash = (hash ^ unit) * 16777619u;
  }
  std::u16string tag = u"~";
  for (int shift = 28; shift >= 0; shift -= 4) tag += kHex[(hash >> shift) & 0xF];
  return tag;
}

// `name` + `suffix`, the name cut before a hash tag when the file name
// (with its extension) would not fit.
std::u16string FittedName(std::u16string_view name, std::u16string_view suffix,
                          std::u16string_view extension) {
  if (Fits(name, suffix, extension)) return std::u16string(name) + std::u16string(suffix);
  const std::u16string tag = HashTag(name) + std::u16string(suffix);
  std::size_t cut = name.size();
  while (cut > 0 && !Fits(name.substr(0, cut), tag, extension)) {
    --cut;
    // Never between the two halves of a surrogate pair.
    if (cut > 0 && name[cut] >= 0xDC00 && name[cut] <= 0xDFFF) --cut;
  }
  return std::u16string(name.substr(0, cut)) + tag;
}

}  // namespace

std::u16string PageNames::Allocate(std::u16string_view path) {
  return AllocateFrom(path, false);
}

std::u16string PageNames::AllocateShortened(std::u16string_view path) {
  return AllocateFrom(path, true);
}

std::u16string PageNames::AllocateFrom(std::u16string_view path, bool shorten) {
  std::u16string folder, name, extension;
  SplitPath(path, folder, name, extension);
  if (!shorten || Fits(name, u"", extension)) {
    if (used_.insert(UpperCase(path)).second) return std::u16string(path);
  } else {
    std::u16string candidate = JoinPath(folder, FittedName(name, u"", extension), extension);
    if (used_.insert(UpperCase(candidate)).second) return candidate;
  }
  for (int n = 2;; ++n) {
    // Appended, not added to a literal: GCC 12 at -O3 warns falsely on that.
    std::u16string suffix = u"_";
    suffix += DecimalText(n);
    std::u16string candidate =
        JoinPath(folder, shorten ? FittedName(name, suffix, extension) : name + suffix, extension);
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
