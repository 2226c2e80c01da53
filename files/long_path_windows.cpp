#include "files/long_path_windows.h"

#include <string_view>
#include <vector>

namespace tarnwick {

namespace {

bool IsLetter(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

}  // namespace

std::wstring LongPathForm(const std::filesystem::path& path) {
  const std::wstring& given = path.native();
  std::wstring text = given;
  for (wchar_t& c : text) {
    if (c == L'/') c = L'\\';
  }
  if (text.starts_with(L"\\\\?\\") || text.starts_with(L"\\\\.\\") || text.starts_with(L"\\??\\")) {
    return given;
  }
  std::wstring out;
  std::size_t rest = 0;  // where the segments after the root start
  if (text.size() >= 3 && IsLetter(text[0]) && text[1] == L':' && text[2] == L'\\') {
    out = L"\\\\?\\" + text.substr(0, 2);
    rest = 3;
  } else if (text.starts_with(L"\\\\")) {
    const std::size_t serverEnd = text.find(L'\\', 2);
    if (serverEnd == std::wstring::npos || serverEnd == 2) return given;
    std::size_t shareEnd = text.find(L'\\', serverEnd + 1);
    if (shareEnd == std::wstring::npos) shareEnd = text.size();
    if (shareEnd == serverEnd + 1) return given;
    out = L"\\\\?\\UNC\\" + text.substr(2, shareEnd - 2);
    rest = shareEnd;
  } else {
    return given;
  }
  std::vector<std::wstring_view> segments;
  const std::wstring_view tail = std::wstring_view(text).substr(rest);
  for (std::size_t start = 0; start <= tail.size();) {
    std::size_t end = tail.find(L'\\', start);
    if (end == std::wstring_view::npos) end = tail.size();
    const std::wstring_view segment = tail.substr(start, end - start);
    if (segment == L"..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != L".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  for (const std::wstring_view segment : segments) {
    out += L'\\';
    out += segment;
  }
  // A root, or a folder written with its trailing separator, keeps it.
  if (segments.empty() || text.back() == L'\\') out += L'\\';
  return out;
}

}  // namespace tarnwick
