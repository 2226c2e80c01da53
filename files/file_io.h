// Whole-file reading and writing for paths held as UTF-16 text. Every failure
// throws tarnwick::Error with the system's description; handles are closed on
// every way out.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "text/raw_buffer.h"

namespace tarnwick {

std::filesystem::path NativePath(std::u16string_view path);
std::u16string PathText(const std::filesystem::path& path);

// Reads the whole of a regular file into `bytes`, dropping what it held but
// keeping its capacity. Anything else (a folder, a FIFO, a device) is refused
// at once, and no more than the size the file had when it was opened is
// read, so that a file swapped for a device or growing meanwhile cannot make
// the read unbounded.
void ReadFileBytes(std::u16string_view path, RawBuffer<char>& bytes);
// The same into a string of its own.
std::string ReadFileBytes(std::u16string_view path);
// Creates or truncates the file, then writes the bytes.
void WriteFileBytes(std::u16string_view path, std::string_view bytes);

}  // namespace tarnwick
