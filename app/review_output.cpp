#include "app/review_output.h"

#include "files/file_io.h"
#include "text/utf8.h"

namespace tarnwick {

CompareOptions CompareOptionsOf(const Settings& settings) {
  return {settings.IGNORE_BLANKS, settings.IGNORE_CASE};
}

void WriteUtf8Page(std::u16string_view path, std::u16string_view text) {
  WriteFileBytes(path, ToUtf8(text));
}

}  // namespace tarnwick
