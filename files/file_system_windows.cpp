// Windows: hidden means the hidden or system attribute; a file is its volume
// and file index. Every call takes the long-path form, so that long paths
// and names such as CON.txt are listed and opened as they are.
#include <windows.h>

#include <system_error>

#include "files/file_error.h"
#include "files/file_system.h"
#include "files/long_path_windows.h"
#include "files/windows_handle.h"

namespace tarnwick {

namespace {

// A handle to ask about a file or folder: backup semantics open folders
// too, and no access right is needed to ask.
HANDLE OpenToAsk(const std::filesystem::path& path) {
  return ::CreateFileW(LongPathForm(path).c_str(), 0,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Closes a search from FindFirstFileExW on every way out.
class FolderSearch {
 public:
  explicit FolderSearch(HANDLE handle) : handle_(handle) {}
  FolderSearch(const FolderSearch&) = delete;
  FolderSearch& operator=(const FolderSearch&) = delete;
  ~FolderSearch() {
    if (handle_ != INVALID_HANDLE_VALUE) ::FindClose(handle_);
  }
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

[[noreturn]] void ThrowListingError(DWORD code, std::u16string_view folder) {
  ThrowFileError(std::error_code(static_cast<int>(code), std::system_category()), folder);
}

}  // namespace

bool IsHiddenFile(const std::filesystem::path& path) {
  const DWORD attributes = ::GetFileAttributesW(LongPathForm(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kHidden) != 0;
}

std::optional<FileId> NativeFileId(const std::filesystem::path& path) {
  if (path.empty()) return std::nullopt;
  const FileHandle file(OpenToAsk(path));
  if (!file.Valid()) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file.Get(), &info)) return std::nullopt;
  return FileId{info.dwVolumeSerialNumber,
                (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

NativeKind NativeKindOf(const std::filesystem::path& path) {
  if (path.empty()) return NativeKind::Missing;
  const FileHandle file(OpenToAsk(path));
  if (!file.Valid()) return NativeKind::Missing;
  // Devices (NUL, CON) and pipes are no disk files.
  if (::GetFileType(file.Get()) != FILE_TYPE_DISK) return NativeKind::Other;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file.Get(), &info)) return NativeKind::Other;
  return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? NativeKind::Folder
                                                                 : NativeKind::RegularFile;
}

std::vector<FilePath> ListRegularFiles(std::u16string_view folder,
                                       const std::function<bool(std::u16string_view)>& wanted) {
  const std::filesystem::path native = NativePath(folder);
  std::wstring pattern = LongPathForm(native);
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found{};
  // The attributes come with each name: nothing is asked of a name by its
  // path, which the API might take for a device.
  const FolderSearch search(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                               FindExSearchNameMatch, nullptr,
                                               FIND_FIRST_EX_LARGE_FETCH));
  std::vector<FilePath> names;
  if (search.Get() == INVALID_HANDLE_VALUE) {
    const DWORD code = ::GetLastError();
    if (code == ERROR_FILE_NOT_FOUND) return names;  // a drive's root with nothing in it
    ThrowListingError(code, folder);
  }
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const DWORD attributes = found.dwFileAttributes;
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | kHidden)) != 0) continue;
    std::u16string text(name.begin(), name.end());
    if (!wanted(text)) continue;
    FilePath path{std::filesystem::path(std::wstring(name)), std::move(text)};
    // A link counts by what it leads to; a broken one is skipped.
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
        NativeKindOf(native / path.native) != NativeKind::RegularFile) {
      continue;
    }
    names.push_back(std::move(path));
  } while (::FindNextFileW(search.Get(), &found));
  const DWORD code = ::GetLastError();
  if (code != ERROR_NO_MORE_FILES) ThrowListingError(code, folder);
  return names;
}

}  // namespace tarnwick
