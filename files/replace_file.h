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
#include <vector>

namespace tarnwick {

class FileReplacement {
 public:
  // Creates the temporary file, held so that RemoveStaleReplacements can
  // tell it from one a killed process left behind. Throws.
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
  // Closes and removes the temporary file; gives its path when it could not
  // be removed, else nothing.
  std::u16string Discard();

  std::u16string path_;
  std::filesystem::path native_;     // the final path
  std::filesystem::path temporary_;  // empty once committed or removed
  std::intptr_t handle_ = -1;        // the open temporary file (descriptor or handle)
};

// Removes the temporary files that replacements of `paths` left behind when
// their process ended without removing them (killed, or the power went):
// hidden names of the pattern ".NAME.12345678.tmp" beside each path, that no
// living FileReplacement holds. Nothing else is touched; what cannot be
// removed stays, silently.
void RemoveStaleReplacements(const std::vector<std::u16string>& paths);

}  // namespace tarnwick
