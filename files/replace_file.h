// A file written beside its final path and put in its place in one step, so
// that a reader of the path sees the old file or the new one, never a part of
// either. The new content goes into a hidden temporary file in the same
// folder; Commit puts it in place of the path. A path that is a symbolic link
// is replaced itself; the file it points to is untouched. Until Commit, and
// whenever writing or Commit fails, the old file stays as it was and the
// temporary file is removed. Failures throw tarnwick::Error with the system's
// description and the final path. One source file per platform implements
// this header.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tarnwick {

class FileReplacement {
 public:
  // Creates the temporary file. Throws.
  explicit FileReplacement(std::u16string path);
  // Removes the temporary file unless it was committed.
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Appends bytes to the temporary file. Throws.
  void Write(std::string_view bytes);
  // Closes the temporary file and puts it in place of the path. Throws; after
  // a failure the old file is unchanged and the temporary file is gone.
  void Commit();

  const std::u16string& Path() const { return path_; }

 private:
  void Discard();

  std::u16string path_;
  std::filesystem::path native_;     // the final path
  std::filesystem::path temporary_;  // empty once committed or removed
  std::intptr_t handle_ = -1;        // the open temporary file (descriptor or handle)
};

}  // namespace tarnwick
