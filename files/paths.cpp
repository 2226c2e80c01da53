#include "files/paths.h"

namespace tarnwick {

void SplitPath(std::u16string_view path, std::u16string& folder, std::u16string& name,
               std::u16string& extension, PathFlavour flavour) {
  // The folder ends at the last separator, or at the drive's ":" when no
  // separator follows it.
  std::size_t folderLength = 0;
  const std::size_t cut = flavour == PathFlavour::Windows ? path.find_last_of(u"\\:") : path.rfind(u'/');
  if (cut != std::u16string_view::npos) folderLength = cut + 1;

  const std::u16string_view rest = path.substr(folderLength);
  const std::size_t dot = rest.find(u'.');
  folder.assign(path.substr(0, folderLength));
  if (dot == std::u16string_view::npos) {
    name.assign(rest);
    extension.clear();
  } else {
    name.assign(rest.substr(0, dot));
    extension.assign(rest.substr(dot + 1));
  }
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name, std::u16string_view extension,
                        PathFlavour flavour) {
  std::u16string path;
  if (!folder.empty()) path = WithTrailingSeparator(folder, flavour);
  path += name;
  if (!extension.empty()) {
    path += u'.';
    path += extension;
  }
  return path;
}

std::u16string WithTrailingSeparator(std::u16string_view folder, PathFlavour flavour) {
  std::u16string result(folder);
  const char16_t separator = Separator(flavour);
  if (result.empty() || result.back() != separator) result += separator;
  return result;
}

}  // namespace tarnwick
