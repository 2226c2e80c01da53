// Whole-file reading and writing for paths held as UTF-16 text. Every failure
// throws tarnwick::Error with the system's description; handles are closed on
// every way out.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarnwick {

std::filesystem::path NativePath(std::u16string_view path);
std::u16string PathText(const std::filesystem::path& path);

std::string ReadFileBytes(std::u16string_view path);
// Creates or truncates the file, then writes the bytes.
void WriteFileBytes(std::u16string_view path, std::string_view bytes);

}  // namespace tarnwick
