#include "app/review_output.h"

#include "pages/page_file.h"

namespace tarnwick {

CompareOptions CompareOptionsOf(const Settings& settings) {
  return {settings.IGNORE_BLANKS, settings.IGNORE_CASE};
}

void WriteUtf8Page(std::u16string_view path, std::u16string_view text) {
  PageWriter writer(std::u16string(path), PageEncoding::kUtf8);
  writer.Write(text);
  writer.Commit();
}

}  // namespace tarnwick
