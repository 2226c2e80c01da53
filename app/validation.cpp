#include "app/validation.h"

#include "pages/page_names.h"

namespace tarnwick {

namespace {

struct RequiredBox {
  int page;  // 0: every page
  const std::u16string Settings::*field;
  std::u16string_view message;
};

constexpr RequiredBox kRequiredBoxes[] = {
    {1, &Settings::SRC_PATH1, u"ソース１のフォルダを指定してください"},
    {1, &Settings::SRC_FILE1,
     u"ソース１のオブジェクト・リスト・レポート ファイル名を指定してください"},
    {1, &Settings::SRC_PATH2, u"ソース２のフォルダを指定してください"},
    {1, &Settings::SRC_FILE2,
     u"ソース２のオブジェクト・リスト・レポート ファイル名を指定してください"},
    {3, &Settings::SRC_PATH, u"ソースのフォルダを指定してください"},
    {3, &Settings::SRC_FILE,
     u"ソースのオブジェクト・リスト・レポート ファイル名を指定してください"},
    {0, &Settings::OUTPUT_PATH, u"出力先フォルダを指定してください"},
};

}  // namespace

bool ValidateInputs(const Settings& settings, int page, WindowOps& window) {
  for (const RequiredBox& box : kRequiredBoxes) {
    if (box.page != 0 && box.page != page) continue;
    if ((settings.*box.field).empty()) {  // blanks count as content
      window.ShowMessage(box.message, MessageIcon::Critical);
      return false;
    }
  }
  return true;
}

std::u16string OverwriteWarning(std::u16string_view page) {
  return u"出力ファイル[" + std::u16string(page) +
         u"]は入力のレポートファイルです。上書きできません。";
}

bool CheckNoInputOverwritten(const std::vector<std::u16string>& pages,
                             const std::vector<std::u16string>& inputs, WindowOps& window) {
  const auto page = PageOverwritingInput(pages, inputs);
  if (page) window.ShowMessage(OverwriteWarning(*page), MessageIcon::Warning);
  return !page;
}

}  // namespace tarnwick
