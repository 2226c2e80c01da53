// Taking paths apart and putting them together, on the text alone: the file
// system is never consulted. A path splits into folder (ending in its
// separator, or a drive's ":" in the Windows flavour), name (up to the first
// ".") and extension (after that dot, further dots included).
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Windows: "\" separates folders and ":" ends a drive; "/" is ordinary.
// Posix: "/" separates folders; "\" and ":" are ordinary.
enum class PathFlavour { Windows, Posix };

constexpr PathFlavour NativePathFlavour() {
#ifdef _WIN32
  return PathFlavour::Windows;
#else
  return PathFlavour::Posix;
#endif
}

constexpr char16_t Separator(PathFlavour flavour) { return flavour == PathFlavour::Windows ? u'\\' : u'/'; }
constexpr char16_t NativeSeparator() { return Separator(NativePathFlavour()); }

// C:\A\B\FORM1.TXT -> C:\A\B\, FORM1, TXT. X.A.TXT -> "", X, A.TXT.
void SplitPath(std::u16string_view path, std::u16string& folder, std::u16string& name,
               std::u16string& extension, PathFlavour flavour = NativePathFlavour());

// The folder (its separator appended when missing; none when it is empty),
// the name, and "." with the extension when there is one.
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name, std::u16string_view extension,
                        PathFlavour flavour = NativePathFlavour());

// The folder with the flavour's separator appended unless it already ends in
// one; an empty folder becomes the separator alone.
std::u16string WithTrailingSeparator(std::u16string_view folder, PathFlavour flavour = NativePathFlavour());

}  // namespace tarnwick
