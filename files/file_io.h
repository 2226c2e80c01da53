// Whole-file reading and writing, and the paths handed to the file system.
// Paths travel as UTF-16 text. A name the file system holds in a form that is
// not text (on POSIX, bytes that are not UTF-8, as a Shift_JIS name unzipped
// from a Japanese archive) travels as a FilePath: its native spelling opens
// the file, its decoded text goes to headings, messages and page names.
// Every failure throws tarnwick::Error whose description names the path;
// handles are closed on every way out. One source file per platform
// (file_io_posix.cpp, file_io_windows.cpp) implements this header.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "text/raw_buffer.h"

namespace tarnwick {

// Text to the native spelling: UTF-8 bytes on POSIX, UTF-16 on Windows.
std::filesystem::path NativePath(std::u16string_view path);
// The native spelling to text. On POSIX bytes are read as UTF-8, else each
// name between "/" as UTF-8, else as code page 932, else as UTF-8 with U+FFFD
// for what does not decode.
std::u16string PathText(const std::filesystem::path& path);

// A path as the file system spells it, with the text shown for it.
struct FilePath {
  std::filesystem::path native;
  std::u16string text;
};
// A path given as text (typed, from the settings).
FilePath FilePathOf(std::u16string_view text);
// A path the system hands over as bytes (a command-line argument, a dropped
// file's URL decoded): on POSIX the bytes are the native spelling however
// they decode; on Windows they are UTF-8.
FilePath FilePathOfBytes(std::string_view bytes);
// `name` (a FilePath of a name as listed) inside `folder`, which ends in a
// separator: the texts and the native spellings are joined apart.
FilePath FilePathIn(std::u16string_view folder, const FilePath& name);

// A regular file open for reading piece by piece. Anything else (a folder,
// a FIFO, a device) is refused at once, and no more than the size the file
// had when it was opened is read, so that a file swapped for a device or
// growing meanwhile cannot make the read unbounded. A file larger than
// `limit` bytes is refused unread. A file that changes while it is read
// (cut short, grown, or written over: its size or modification time differ
// once the last piece is read) throws FileFailure::ChangedWhileRead rather
// than give bytes of no one version. Closed when destroyed.
class FileReader {
 public:
  // Opens and checks the file. Throws.
  explicit FileReader(const FilePath& path, std::size_t limit = static_cast<std::size_t>(-1));
  ~FileReader();
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;

  // The file's size when it was opened.
  std::size_t Size() const { return size_; }
  // Reads up to `room` bytes into `into`: 0 once Size() bytes are read.
  // Throws, also when the file turns out changed.
  std::size_t Read(char* into, std::size_t room);

 private:
  // What tells one version of the file from another; per platform.
  struct Stamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // in the system's own ticks
    bool operator==(const Stamp&) const = default;
  };
  Stamp CurrentStamp() const;
  // Throws unless the file is as it was when opened.
  void CheckUnchanged();

  std::u16string text_;        // the path, for messages
  std::intptr_t handle_ = -1;  // the descriptor or handle
  std::size_t size_ = 0;
  std::size_t read_ = 0;
  Stamp opened_;
  bool checked_ = false;  // the end is checked once
};

// Reads the whole of a regular file, as FileReader does, into `bytes`,
// dropping what it held but keeping its capacity.
void ReadFileBytes(const FilePath& path, RawBuffer<char>& bytes,
                   std::size_t limit = static_cast<std::size_t>(-1));
void ReadFileBytes(std::u16string_view path, RawBuffer<char>& bytes);
// The same into a string of its own.
std::string ReadFileBytes(std::u16string_view path);
// Creates or truncates the file, then writes the bytes.
void WriteFileBytes(std::u16string_view path, std::string_view bytes);

}  // namespace tarnwick
