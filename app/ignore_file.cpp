#include "app/ignore_file.h"

#include <exception>
#include <string>

#include "app/run_guard.h"
#include "files/file_io.h"
#include "text/decimal.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

constexpr std::u16string_view kKey = u"IGNORE_FILE";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The 1-based number of the first line that is not UTF-8, or 0; lines are
// counted as the rules parser counts them.
std::size_t FirstLineNotUtf8(std::string_view bytes) {
  std::size_t number = 1;
  while (true) {
    const std::size_t end = bytes.find_first_of("\r\n");
    const std::string_view line = bytes.substr(0, end);
    // Decoding replaces what is not UTF-8, so only UTF-8 comes back unchanged.
    if (ToUtf8(FromUtf8(line)) != line) return number;
    if (end == std::string_view::npos) return 0;
    const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
    bytes.remove_prefix(end + (crlf ? 2 : 1));
    ++number;
  }
}

std::u16string Number(std::size_t n) {
  return DecimalText(static_cast<std::int64_t>(n));
}

}  // namespace

std::optional<Message> LoadIgnoreRules(const Settings& settings, IgnoreRules& rules) {
  rules = IgnoreRules();
  const std::u16string& path = settings.IGNORE_FILE;
  if (path.empty()) return std::nullopt;
  RawBuffer<char> buffer;
  try {
    ReadFileBytes(FilePathOf(path), buffer, kMaxIgnoreFileBytes);
  } catch (const std::exception& error) {
    return Message{MessageId::IgnoreFileUnreadable,
                   {path, ErrorDescription(error, CatalogFor(settings.UI_LANGUAGE))},
                   {kKey}};
  }
  std::string_view bytes = buffer.View();
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  if (const std::size_t line = FirstLineNotUtf8(bytes)) {
    return Message{MessageId::IgnoreFileNotUtf8, {path, Number(line)}, {kKey}};
  }
  ParsedIgnoreRules parsed = ParseIgnoreRules(FromUtf8(bytes));
  if (parsed.badLine != 0) {
    return Message{
        MessageId::IgnoreRuleInvalid, {path, Number(parsed.badLine), parsed.badText}, {kKey}};
  }
  rules = std::move(parsed.rules);
  return std::nullopt;
}

}  // namespace tarnwick
