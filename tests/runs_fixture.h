// A scratch folder per test for the runs' end-to-end tests: files are written
// and read back as raw bytes, paths are handed out as UTF-16 text with the
// platform's separator, and the folder is removed afterwards.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "diff/file_status.h"
#include "files/file_io.h"
#include "files/paths.h"
#include "text/cp932.h"
#include "text/utf8.h"

namespace tarnwick::testing {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::random_device random;
    const std::filesystem::path temp = std::filesystem::temp_directory_path();
    do {
      root_ = temp / ("tarnwick-runs-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(root_));
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder (or a sub-folder, created) with a trailing separator. In
  // `sub`, "/" separates folders on every platform.
  std::u16string Folder(std::u16string_view sub = u"") const {
    std::filesystem::path path = root_;
    if (!sub.empty()) path /= std::filesystem::path(NativePath(sub)).make_preferred();
    std::filesystem::create_directories(path);
    return PathText(path) + NativeSeparator();
  }
  // Writes raw bytes to sub-folder/name and returns the full path.
  std::u16string Write(std::u16string_view sub, std::u16string_view name,
                       std::string_view bytes) const {
    const std::u16string path = Folder(sub) + std::u16string(name);
    std::ofstream(NativePath(path), std::ios::binary) << bytes;
    return path;
  }
  // Writes text as code page 932 with its line ends as given.
  std::u16string WriteText(std::u16string_view sub, std::u16string_view name,
                           std::u16string_view text) const {
    return Write(sub, name, EncodeCp932(text));
  }

  static bool Exists(std::u16string_view path) { return std::filesystem::exists(NativePath(path)); }
  static std::string Read(std::u16string_view path) {
    std::ifstream in(NativePath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // A page read back and decoded, so that expectations can be written as text.
  static std::u16string ReadText(std::u16string_view path) { return DecodeCp932(Read(path)); }
  // The names in a folder, hidden ones included, sorted.
  static std::vector<std::string> Names(std::u16string_view folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(NativePath(folder))) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path root_;
};

}  // namespace tarnwick::testing

namespace tarnwick {

// A failure as a test's message shows it.
inline void PrintTo(const ReportFailure& failure, std::ostream* out) {
  *out << "{side " << failure.side << ", " << ToUtf8(failure.path) << ", line " << failure.line
       << ", " << ToUtf8(failure.message) << "}";
}

}  // namespace tarnwick
