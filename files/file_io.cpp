// The platform-independent half of file I/O.
#include "files/file_io.h"

#include "files/file_error.h"

namespace tarnwick {

void FileReader::CheckUnchanged() {
  if (checked_) return;
  checked_ = true;
  if (CurrentStamp() != opened_) ThrowFileError(FileFailure::ChangedWhileRead, text_);
}

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
  while (const std::size_t got = file.Read(bytes.data() + filled, file.Size() - filled)) {
    filled += got;
  }
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
