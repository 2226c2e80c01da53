// The platform-independent half of file I/O.
#include "files/file_io.h"

namespace tarnwick {

FilePath FilePathOf(std::u16string_view text) {
  return {NativePath(text), std::u16string(text)};
}

FilePath FilePathIn(std::u16string_view folder, const FilePath& name) {
  FilePath path{NativePath(folder), std::u16string(folder) + name.text};
  path.native += name.native.native();
  return path;
}

void ReadFileBytes(const FilePath& path, RawBuffer<char>& bytes, std::size_t limit) {
  bytes.Clear();
  FileReader file(path, limit);
  bytes.Resize(file.Size());
  std::size_t filled = 0;
  while (filled < file.Size()) {
    const std::size_t got = file.Read(bytes.data() + filled, file.Size() - filled);
    if (got == 0) break;  // the file shrank meanwhile
    filled += got;
  }
  bytes.Resize(filled);
}

void ReadFileBytes(std::u16string_view path, RawBuffer<char>& bytes) {
  ReadFileBytes(FilePathOf(path), bytes);
}

std::string ReadFileBytes(std::u16string_view path) {
  RawBuffer<char> bytes;
  ReadFileBytes(path, bytes);
  return std::string(bytes.View());
}

}  // namespace tarnwick
