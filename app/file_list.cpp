#include "app/file_list.h"

#include <algorithm>
#include <unordered_map>

#include "files/file_system.h"
#include "text/upper_case.h"

namespace tarnwick {
namespace {

// A name that folds onto one kept: listed, so that no report found goes
// unmentioned, once however many patterns match it.
void SetAside(FilePath listed, ListSide side, std::vector<FileEntry>& setAside) {
  const bool first = side == ListSide::First;
  for (const FileEntry& entry : setAside) {
    if ((first ? entry.in1 : entry.in2) && entry.name == listed.text) return;
  }
  FileEntry& entry = setAside.emplace_back();
  entry.name = listed.text;
  entry.status = first ? FileStatus::SetAside1 : FileStatus::SetAside2;
  (first ? entry.in1 : entry.in2) = true;
  (first ? entry.listed1 : entry.listed2) = std::move(listed);
}

}  // namespace

void CollectFiles(std::u16string_view folder, std::u16string_view patternList, ListSide side,
                  std::vector<FileEntry>& files, std::vector<FileEntry>& setAside) {
  std::unordered_map<std::u16string, std::size_t> index;
  index.reserve(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) index.emplace(files[i].name, i);

  std::u16string_view rest = patternList;
  while (!rest.empty()) {
    const std::size_t cut = rest.find(u';');
    const std::u16string_view part = rest.substr(0, cut);
    rest = cut == std::u16string_view::npos ? std::u16string_view() : rest.substr(cut + 1);
    if (part.empty()) continue;

    for (FilePath& listed : ListPlainFiles(folder, part)) {
      std::u16string name = UpperCase(listed.text);
      auto [it, added] = index.emplace(name, files.size());
      if (added) {
        files.emplace_back();
        files.back().name = std::move(name);
      }
      FileEntry& entry = files[it->second];
      bool& inThis = side == ListSide::First ? entry.in1 : entry.in2;
      FilePath& listedName = side == ListSide::First ? entry.listed1 : entry.listed2;
      // Listings come in ordinal order and every part folds alike, so the
      // first name kept is the ordinal first of those that fold together.
      if (!inThis) {
        listedName = std::move(listed);
        inThis = true;
      } else if (listedName.text != listed.text) {
        SetAside(std::move(listed), side, setAside);
      }
    }
  }
}

void SortFiles(std::vector<FileEntry>& files) {
  // Names are unique, so any sort gives the one ascending order.
  std::sort(files.begin(), files.end(),
            [](const FileEntry& a, const FileEntry& b) { return a.name < b.name; });
}

}  // namespace tarnwick
