// Windows file I/O: the wide-character API, so that Japanese names work
// whatever the system's code page, and paths as UTF-16.
#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>

#include "base/error.h"
#include "base/stop_request.h"
#include "files/file_error.h"
#include "files/file_io.h"
#include "files/long_path_windows.h"
#include "files/windows_handle.h"
#include "text/utf8.h"

namespace tarnwick {

namespace {

bool IsFolderAt(const std::filesystem::path& path) {
  const DWORD attributes = ::GetFileAttributesW(LongPathForm(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Opening a folder as a file is "access denied" on Windows; say what it is.
[[noreturn]] void ThrowLastError(const std::filesystem::path& native, std::u16string_view path) {
  const DWORD code = ::GetLastError();
  if (code == ERROR_ACCESS_DENIED && IsFolderAt(native)) {
    ThrowFileError(FileFailure::IsFolder, path);
  }
  ThrowFileError(std::error_code(static_cast<int>(code), std::system_category()), path);
}

}  // namespace

FileFailure SystemFileFailure(int code) {
  switch (static_cast<DWORD>(code)) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_DRIVE:
      return FileFailure::Missing;
    case ERROR_ACCESS_DENIED:
      return FileFailure::NoPermission;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileFailure::DiskFull;
    case ERROR_WRITE_PROTECT:
      return FileFailure::ReadOnly;
    case ERROR_FILE_TOO_LARGE:
      return FileFailure::TooLarge;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
      return FileFailure::NameTooLong;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return FileFailure::InvalidName;
    case ERROR_DIRECTORY:
      return FileFailure::NotFolder;
    case ERROR_CANT_RESOLVE_FILENAME:
      return FileFailure::LinkLoop;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileFailure::InUse;
    case ERROR_TOO_MANY_OPEN_FILES:
      return FileFailure::TooManyOpen;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return FileFailure::Exists;
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
      return FileFailure::InputOutput;
    default:
      return FileFailure::Other;
  }
}

std::u16string SystemErrorText(int code) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::u16string text(reinterpret_cast<const char16_t*>(buffer), length);
  ::LocalFree(buffer);
  while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r' || text.back() == u' ')) {
    text.pop_back();
  }
  if (text.empty()) {
    const std::string number = std::to_string(code);
    text = u"Windows error " + std::u16string(number.begin(), number.end());
  }
  return text;
}

std::filesystem::path NativePath(std::u16string_view path) {
  return std::filesystem::path(std::wstring(path.begin(), path.end()));
}

std::u16string PathText(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  return std::u16string(wide.begin(), wide.end());
}

FilePath FilePathOfBytes(std::string_view bytes) {
  return FilePathOf(FromUtf8(bytes));
}

FileReader::FileReader(const FilePath& path, std::size_t limit) : text_(path.text) {
  FileHandle file(::CreateFileW(LongPathForm(path.native).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) ThrowLastError(path.native, text_);
  // Devices (NUL, CON) and pipes are not disk files.
  if (::GetFileType(file.Get()) != FILE_TYPE_DISK) ThrowFileError(FileFailure::NotRegular, text_);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size)) ThrowLastError(path.native, text_);
  if (static_cast<unsigned long long>(size.QuadPart) > limit) {
    ThrowFileError(FileFailure::TooLarge, text_);
  }
  size_ = static_cast<std::size_t>(size.QuadPart);
  handle_ = reinterpret_cast<std::intptr_t>(file.Release());
  opened_ = CurrentStamp();
}

FileReader::Stamp FileReader::CurrentStamp() const {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(reinterpret_cast<HANDLE>(handle_), &info)) {
    ThrowLastError(NativePath(text_), text_);
  }
  const auto join = [](DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
  };
  return {join(info.nFileSizeHigh, info.nFileSizeLow),
          static_cast<std::int64_t>(
              join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime))};
}

FileReader::~FileReader() {
  ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

std::size_t FileReader::Read(char* into, std::size_t room) {
  ThrowIfStopRequested();
  const std::size_t wanted = std::min<std::size_t>({room, size_ - read_, 0x40000000});
  if (wanted == 0) {
    CheckUnchanged();
    return 0;
  }
  DWORD got = 0;
  if (!::ReadFile(reinterpret_cast<HANDLE>(handle_), into, static_cast<DWORD>(wanted), &got,
                  nullptr)) {
    ThrowLastError(NativePath(text_), text_);
  }
  // The end before the size it had when opened: cut short meanwhile.
  if (got == 0) ThrowFileError(FileFailure::ChangedWhileRead, text_);
  read_ += got;
  // Checked with the last piece, so a caller that stops at Size() is covered.
  if (read_ == size_) CheckUnchanged();
  return got;
}

void WriteFileBytes(std::u16string_view path, std::string_view bytes) {
  const std::filesystem::path native = NativePath(path);
  // As on POSIX: overwrite in place, then cut to length.
  FileHandle file(::CreateFileW(LongPathForm(native).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) ThrowLastError(native, path);
  std::size_t written = 0;
  while (written < bytes.size()) {
    const std::size_t left = bytes.size() - written;
    const DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
    DWORD put = 0;
    if (!::WriteFile(file.Get(), bytes.data() + written, chunk, &put, nullptr)) {
      const DWORD error = ::GetLastError();
      // Leave only what was written, as a truncating writer would.
      ::SetEndOfFile(file.Get());
      ::SetLastError(error);
      ThrowLastError(native, path);
    }
    written += put;
  }
  if (!::SetEndOfFile(file.Get())) ThrowLastError(native, path);
  if (!file.Close()) ThrowLastError(native, path);
}

}  // namespace tarnwick
