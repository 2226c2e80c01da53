#include "app/validation.h"

#include "pages/page_names.h"

namespace tarnwick {

namespace {

struct RequiredBox {
  int page;  // 0: every page
  const std::u16string Settings::*field;
  std::u16string_view key;
  MessageId message;
};

constexpr RequiredBox kRequiredBoxes[] = {
    {1, &Settings::SRC_PATH1, u"SRC_PATH1", MessageId::SourceFolder1Required},
    {1, &Settings::SRC_FILE1, u"SRC_FILE1", MessageId::SourceFile1Required},
    {1, &Settings::SRC_PATH2, u"SRC_PATH2", MessageId::SourceFolder2Required},
    {1, &Settings::SRC_FILE2, u"SRC_FILE2", MessageId::SourceFile2Required},
    {3, &Settings::SRC_PATH, u"SRC_PATH", MessageId::SearchFolderRequired},
    {3, &Settings::SRC_FILE, u"SRC_FILE", MessageId::SearchFileRequired},
    {0, &Settings::OUTPUT_PATH, u"OUTPUT_PATH", MessageId::OutputFolderRequired},
};

}  // namespace

bool ValidateInputs(const Settings& settings, int page, WindowOps& window, bool output) {
  // A NUL would cut a path at the system call: the file opened or written
  // would be another than the one named.
  for (const std::u16string_view key : SettingKeys()) {
    const auto value = SettingValueText(settings, key);
    if (value && value->find(u'\0') != std::u16string::npos) {
      // Named in the text, not as a key: its value is not for a terminal.
      window.ShowMessage({MessageId::SettingHoldsNul, {std::u16string(key)}}, MessageIcon::Warning);
      return false;
    }
  }
  for (const RequiredBox& box : kRequiredBoxes) {
    if (box.page != 0 && box.page != page) continue;
    if (!output && box.field == &Settings::OUTPUT_PATH) continue;
    if ((settings.*box.field).empty()) {  // blanks count as content
      window.ShowMessage({box.message, {}, {box.key}}, MessageIcon::Critical);
      return false;
    }
  }
  return true;
}

Message OverwriteWarning(std::u16string_view page) {
  return {MessageId::OverwritesInput, {std::u16string(page)}, {u"OUTPUT_PATH", u"OUTPUT_FILE"}};
}

bool CheckNoInputOverwritten(const std::vector<std::u16string>& pages,
                             const std::vector<std::u16string>& inputs, WindowOps& window) {
  const auto page = PageOverwritingInput(pages, inputs);
  if (page) window.ShowMessage(OverwriteWarning(*page), MessageIcon::Warning);
  return !page;
}

bool CheckRunWritesNoInput(const std::vector<std::u16string>& pages,
                           const std::vector<std::u16string>& inputs, RunResult* result,
                           WindowOps& window) {
  if (!CheckNoInputOverwritten(pages, inputs, window)) return false;
  if (result == nullptr) return true;
  const auto file = PageOverwritingInput(result->alsoWritten, inputs);
  if (!file) return true;
  // No setting names the file: the message names it alone.
  window.ShowMessage({MessageId::OverwritesInput, {*file}}, MessageIcon::Warning);
  result->alsoWrittenRefused = true;
  return false;
}

}  // namespace tarnwick
