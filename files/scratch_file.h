// Room on disk for bytes a run writes now and reads back before it ends: a
// file in the folder of a given path that no listing shows and nothing
// outlives. On POSIX it has no name from the start (O_TMPFILE) or loses its
// hidden temporary name as soon as it is created; on Windows it is hidden
// and deleted when closed. Failures throw tarnwick::Error with the system's
// description and the path it was made for. One source file per platform
// implements this header.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tarnwick {

class ScratchFile {
 public:
  // Creates the file beside `path` (in its folder). Throws.
  explicit ScratchFile(std::u16string path);
  ~ScratchFile();
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  // Appends bytes. Throws.
  void Write(std::string_view bytes);
  // Hands every byte written so far to `take`, in order and in pieces of a
  // bounded size, then empties the file. Throws.
  void Drain(const std::function<void(std::string_view)>& take);

 private:
  std::u16string path_;
  std::intptr_t handle_ = -1;  // descriptor or handle
};

}  // namespace tarnwick
