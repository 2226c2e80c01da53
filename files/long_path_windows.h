// The long-path form of a Windows path, which every call of the wide file API
// here takes: "\\?\" before a drive path, "\\?\UNC\" in place of the "\\" of
// a network path. With it no 260-character limit applies, and names the API
// would otherwise take apart (CON.txt, nul.txt, COM1.txt, a name ending in a
// dot or a space) reach the file system as they are. The prefix also turns
// the API's own clean-up of the path off, so it is done here: "/" becomes
// "\", repeated separators go, "." and ".." segments are resolved. Trailing
// dots and spaces are kept: they are part of a listed name. A relative path,
// or one already in a device or long form, is passed as it is.
#pragma once

#include <filesystem>
#include <string>

namespace tarnwick {

std::wstring LongPathForm(const std::filesystem::path& path);

}  // namespace tarnwick
