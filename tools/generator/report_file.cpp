#include "files/file_io.h"
#include "text/cp932.h"
#include "tools/generator/report_generator.h"

namespace tarnwick {

std::string ReportBytes(std::u16string_view text) {
  // A lone LF gets its CR, so hand-made texts are written as reports are.
  std::u16string crlf;
  crlf.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) crlf += u'\r';
    crlf += text[i];
  }
  return EncodeCp932(crlf);
}

void WriteReportFile(std::u16string_view path, std::u16string_view text) {
  WriteFileBytes(path, ReportBytes(text));
}

}  // namespace tarnwick
