#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "test_platform.h"
#include "text/utf8.h"

namespace tarnwick::testing {

namespace {

std::wstring Wide(std::string_view utf8) {
  const std::u16string text = FromUtf8(utf8);
  return std::wstring(text.begin(), text.end());
}

// Quoted as CommandLineToArgvW reads it back.
std::wstring Quoted(const std::wstring& arg) {
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  quoted += L'"';
  return quoted;
}

HANDLE Inheritable(const std::filesystem::path& path, DWORD access, DWORD creation) {
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
  return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &security,
                       creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

ProcessResult RunBuiltProgram(std::string_view program, const std::vector<std::string>& args,
                              const ProcessOptions& options) {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::filesystem::path binary =
      std::filesystem::path(self).parent_path() / (Wide(program) + L".exe");
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      (L"tarnwick-proc-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
       std::to_wstring(::GetTickCount64()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path out = options.outputFile.empty()
                                        ? folder / L"out"
                                        : std::filesystem::path(Wide(options.outputFile));

  std::wstring line = Quoted(binary.wstring());
  for (const std::string& arg : args) line += L" " + Quoted(Wide(arg));

  HANDLE in = Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
  HANDLE o = Inheritable(out, GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE e = Inheritable(folder / L"err", GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = o;
  startup.hStdError = e;
  PROCESS_INFORMATION process{};
  ProcessResult result;
  const std::wstring working(options.workingFolder.begin(), options.workingFolder.end());
  if (::CreateProcessW(binary.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       working.empty() ? nullptr : working.c_str(), &startup, &process)) {
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (::GetExitCodeProcess(process.hProcess, &code)) result.status = static_cast<int>(code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  ::CloseHandle(in);
  ::CloseHandle(o);
  ::CloseHandle(e);
  if (options.outputFile.empty()) result.out = Slurp(out);
  result.err = Slurp(folder / L"err");
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  return result;
}

void HideFile(std::u16string_view path) {
  const std::wstring wide(path.begin(), path.end());
  ::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace tarnwick::testing
