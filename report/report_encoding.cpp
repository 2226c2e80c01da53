#include "report/report_encoding.h"

#include <algorithm>
#include <string>

#include "report/report_labels.h"
#include "text/cp932.h"
#include "text/utf16.h"
#include "text/utf8.h"
#include "text/windows_1252.h"

namespace tarnwick {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Whether the report's first object header is English. The header's name
// and markers are ASCII in every encoding a report comes in, so each line
// is looked at one byte to a character, and only up to the header.
bool HasEnglishHeader(std::string_view head) {
  std::u16string line;
  std::size_t pos = 0;
  for (int lines = 0; lines < kHeaderSearchLines && pos < head.size(); ++lines) {
    const std::size_t lf = head.find('\n', pos);
    const std::string_view bytes =
        head.substr(pos, lf == std::string_view::npos ? head.npos : lf - pos);
    pos = lf == std::string_view::npos ? head.size() : lf + 1;
    line.resize(bytes.size());
    std::transform(bytes.begin(), bytes.end(), line.begin(),
                   [](char c) { return Windows1252Char(static_cast<unsigned char>(c)); });
    if (const std::optional<ReportLanguage> language = HeaderLanguage(line)) {
      return *language == ReportLanguage::kEnglish;
    }
  }
  return false;
}

bool HasNonAscii(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

}  // namespace

std::optional<ReportTextEncoding> EncodingOfHead(std::string_view head,
                                                 ReportTextEncoding requested) {
  if (requested != ReportTextEncoding::kAutomatic) return requested;
  if (head.starts_with(kUtf8Mark)) return ReportTextEncoding::kUtf8;
  if (const std::optional<Utf16Order> order = Utf16OrderOfMark(head)) {
    return *order == Utf16Order::kBigEndian ? ReportTextEncoding::kUtf16Be
                                            : ReportTextEncoding::kUtf16Le;
  }
  if (HasEnglishHeader(head)) return std::nullopt;
  return ReportTextEncoding::kCp932;
}

ReportTextEncoding EncodingOfBytes(std::string_view bytes, ReportTextEncoding requested) {
  if (const std::optional<ReportTextEncoding> decided = EncodingOfHead(bytes, requested)) {
    return *decided;
  }
  return HasNonAscii(bytes) && IsWellFormedUtf8(bytes) ? ReportTextEncoding::kUtf8
                                                       : ReportTextEncoding::kWindows1252;
}

void DecodeReportBytes(std::string_view bytes, ReportTextEncoding encoding,
                       RawBuffer<char16_t>& text) {
  switch (encoding) {
    case ReportTextEncoding::kUtf8:
      if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
      DecodeUtf8OrWindows1252(bytes, text);
      return;
    case ReportTextEncoding::kWindows1252:
      text.Clear();
      text.Resize(bytes.size());
      std::transform(bytes.begin(), bytes.end(), text.data(),
                     [](char c) { return Windows1252Char(static_cast<unsigned char>(c)); });
      return;
    case ReportTextEncoding::kUtf16Le:
      DecodeUtf16(bytes, Utf16Order::kLittleEndian, text);
      return;
    case ReportTextEncoding::kUtf16Be:
      DecodeUtf16(bytes, Utf16Order::kBigEndian, text);
      return;
    case ReportTextEncoding::kAutomatic:
      DecodeReportBytes(bytes, EncodingOfBytes(bytes, encoding), text);
      return;
    case ReportTextEncoding::kCp932:
      DecodeCp932(bytes, text);
      return;
  }
}

}  // namespace tarnwick
