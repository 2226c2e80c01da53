// Replacing a file on Windows: a temporary file beside it, then MoveFileEx
// with MOVEFILE_REPLACE_EXISTING, which puts it in place of the path (of a
// symbolic link itself) in one step.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <system_error>

#include "files/file_error.h"
#include "files/file_io.h"
#include "files/long_path_windows.h"
#include "files/replace_file.h"

namespace tarnwick {

namespace {

// Keeps "." + name + ".12345678.tmp" within the 255 units a name may have.
constexpr std::size_t kNameUnitsKept = 200;

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

bool IsFolderAt(const std::filesystem::path& path) {
  const DWORD attributes = ::GetFileAttributesW(LongPathForm(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

[[noreturn]] void ThrowCode(DWORD code, const std::filesystem::path& native,
                            std::u16string_view path, std::u16string_view leftover = u"") {
  // Replacing a folder is "access denied" on Windows; say what it is.
  if (code == ERROR_ACCESS_DENIED && IsFolderAt(native)) {
    ThrowFileError(FileFailure::IsFolder, path, leftover);
  }
  ThrowFileError(std::error_code(static_cast<int>(code), std::system_category()), path, leftover);
}

// The name kept in a temporary name, or nothing for another name:
// "." + name + "." + 8 hex digits + ".tmp".
std::wstring_view KeptNameOf(std::wstring_view entry) {
  constexpr std::size_t kTail = 1 + 8 + 4;  // ".12345678.tmp"
  if (entry.size() < 1 + 1 + kTail || entry.front() != L'.' || !entry.ends_with(L".tmp")) {
    return {};
  }
  if (entry[entry.size() - kTail] != L'.') return {};
  for (const wchar_t c : entry.substr(entry.size() - 12, 8)) {
    if (!((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f'))) return {};
  }
  return entry.substr(1, entry.size() - 1 - kTail);
}

// A file just made is not stale; 2 seconds in 100-nanosecond units.
constexpr ULONGLONG kStaleAfter = 2ull * 10'000'000ull;

ULONGLONG Ticks(const FILETIME& time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

void RemoveStaleReplacements(const std::vector<std::u16string>& paths) {
  std::map<std::filesystem::path, std::set<std::wstring>> keptNames;  // by folder
  for (const std::u16string& path : paths) {
    const std::filesystem::path native = NativePath(path);
    std::wstring name = native.filename().native();
    if (name.size() > kNameUnitsKept) name.resize(kNameUnitsKept);
    keptNames[native.parent_path()].insert(std::move(name));
  }
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  for (const auto& [folder, names] : keptNames) {
    WIN32_FIND_DATAW found{};
    const HANDLE listing = ::FindFirstFileW(LongPathForm(folder / L".*.tmp").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) continue;
    do {
      const std::wstring_view kept = KeptNameOf(found.cFileName);
      if (kept.empty() || !names.contains(std::wstring(kept))) continue;
      if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) !=
          0) {
        continue;
      }
      if (Ticks(found.ftLastWriteTime) + kStaleAfter >= Ticks(now)) continue;
      // A living replacement holds its file unshared, so this fails for it.
      ::DeleteFileW(LongPathForm(folder / found.cFileName).c_str());
    } while (::FindNextFileW(listing, &found));
    ::FindClose(listing);
  }
}

FileReplacement::FileReplacement(std::u16string path)
    : path_(std::move(path)), native_(NativePath(path_)) {
  std::wstring name = native_.filename().native();
  if (name.size() > kNameUnitsKept) name.resize(kNameUnitsKept);
  const std::filesystem::path folder = native_.parent_path();
  // Names need not be unpredictable, only free: CREATE_NEW refuses a taken one.
  std::uint64_t seed = static_cast<std::uint64_t>(
      std::chrono::steady_clock::now().time_since_epoch().count() ^ ::GetCurrentProcessId());
  for (int attempt = 0;; ++attempt) {
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    wchar_t suffix[16];
    std::swprintf(suffix, 16, L"%08x", static_cast<unsigned>(seed >> 32));
    const std::filesystem::path candidate = folder / (L"." + name + L"." + suffix + L".tmp");
    const HANDLE file = ::CreateFileW(LongPathForm(candidate).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<std::intptr_t>(file);
      temporary_ = candidate;
      return;
    }
    const DWORD code = ::GetLastError();
    if ((code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) || attempt == 100) {
      ThrowCode(code, native_, path_);
    }
  }
}

FileReplacement::~FileReplacement() {
  Discard();
}

void FileReplacement::Write(std::string_view bytes) {
  if (handle_ == -1) ThrowCode(ERROR_INVALID_HANDLE, native_, path_);
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
    DWORD put = 0;
    if (!::WriteFile(AsHandle(handle_), bytes.data(), chunk, &put, nullptr)) {
      const DWORD code = ::GetLastError();
      const std::u16string leftover = Discard();
      ThrowCode(code, native_, path_, leftover);
    }
    bytes.remove_prefix(put);
  }
}

void FileReplacement::Commit() {
  if (handle_ == -1) ThrowCode(ERROR_INVALID_HANDLE, native_, path_);
  const bool closed = ::CloseHandle(AsHandle(handle_)) != 0;
  handle_ = -1;
  DWORD code = closed ? ERROR_SUCCESS : ::GetLastError();
  if (closed && !::MoveFileExW(LongPathForm(temporary_).c_str(), LongPathForm(native_).c_str(),
                               MOVEFILE_REPLACE_EXISTING)) {
    code = ::GetLastError();
  }
  if (code != ERROR_SUCCESS) {
    const std::u16string leftover = Discard();
    ThrowCode(code, native_, path_, leftover);
  }
  temporary_.clear();
}

std::u16string FileReplacement::Discard() {
  if (handle_ != -1) {
    ::CloseHandle(AsHandle(handle_));
    handle_ = -1;
  }
  std::u16string leftover;
  if (!temporary_.empty()) {
    if (!::DeleteFileW(LongPathForm(temporary_).c_str()) &&
        ::GetLastError() != ERROR_FILE_NOT_FOUND) {
      leftover = PathText(temporary_);
    }
    temporary_.clear();
  }
  return leftover;
}

}  // namespace tarnwick
