// Scratch files on Windows: a hidden temporary file that the system deletes
// when its handle closes.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <system_error>

#include "files/file_error.h"
#include "files/file_io.h"
#include "files/scratch_file.h"

namespace tarnwick {

namespace {

constexpr DWORD kDrainChunk = 256 * 1024;

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

[[noreturn]] void ThrowCode(DWORD code, std::u16string_view path) {
  ThrowFileError(std::error_code(static_cast<int>(code), std::system_category()), path);
}

}  // namespace

ScratchFile::ScratchFile(std::u16string path) : path_(std::move(path)) {
  const std::filesystem::path folder = NativePath(path_).parent_path();
  // Names need not be unpredictable, only free: CREATE_NEW refuses a taken one.
  std::uint64_t seed = static_cast<std::uint64_t>(
      std::chrono::steady_clock::now().time_since_epoch().count() ^ ::GetCurrentProcessId());
  for (int attempt = 0;; ++attempt) {
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    wchar_t name[40];
    std::swprintf(name, 40, L".scratch.%08x.tmp", static_cast<unsigned>(seed >> 32));
    const std::filesystem::path candidate = folder / name;
    const HANDLE file = ::CreateFileW(
        candidate.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<std::intptr_t>(file);
      return;
    }
    const DWORD code = ::GetLastError();
    if ((code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) || attempt == 100) {
      ThrowCode(code, path_);
    }
  }
}

ScratchFile::~ScratchFile() {
  if (handle_ != -1) ::CloseHandle(AsHandle(handle_));
}

void ScratchFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
    DWORD put = 0;
    if (!::WriteFile(AsHandle(handle_), bytes.data(), chunk, &put, nullptr)) {
      ThrowCode(::GetLastError(), path_);
    }
    bytes.remove_prefix(put);
  }
}

void ScratchFile::Drain(const std::function<void(std::string_view)>& take) {
  const HANDLE file = AsHandle(handle_);
  LARGE_INTEGER start{};
  if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) ThrowCode(::GetLastError(), path_);
  const std::unique_ptr<char[]> buffer(new char[kDrainChunk]);
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file, buffer.get(), kDrainChunk, &got, nullptr)) {
      ThrowCode(::GetLastError(), path_);
    }
    if (got == 0) break;
    take(std::string_view(buffer.get(), got));
  }
  if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) || !::SetEndOfFile(file)) {
    ThrowCode(::GetLastError(), path_);
  }
}

}  // namespace tarnwick
