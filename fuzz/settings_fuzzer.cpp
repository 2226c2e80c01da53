// The settings file written and read back. From the input, a record: flags,
// mode and tab page from its first two bytes, the texts from the rest
// (decoded from code page 932) cut at NUL characters. The writer refuses a
// text with a line break, with tarnwick::Error; when no text holds a "#" that
// the reader takes for a comment, reading the written text gives the record
// back. The input read as a settings file gives a record that survives the
// same way.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "app/settings.h"
#include "base/error.h"
#include "fuzz/fuzz_support.h"
#include "text/cp932.h"

namespace tarnwick::fuzz {
namespace {

bool HasLineBreak(std::u16string_view value) {
  return value.find_first_of(u"\r\n") != std::u16string_view::npos;
}

// A "#" at the start or after a blank or a tab starts a comment; a value
// starts after "=", so only the second and third cases can cut it.
bool HasComment(std::u16string_view value) {
  return value.find(u" #") != std::u16string_view::npos ||
         value.find(u"\t#") != std::u16string_view::npos;
}

void RequireReadBack(const Settings& settings, const char* property) {
  Settings read;
  ApplyIniText(IniText(settings), read);
  Require(read == settings, property);
}

void CheckMadeRecord(std::string_view bytes) {
  if (bytes.size() < 2) return;
  const unsigned bits = static_cast<unsigned char>(bytes[0]) | static_cast<unsigned char>(bytes[1])
                                                                   << 8;
  Settings s;
  const std::array<bool Settings::*, 9> flags = {&Settings::OUTPUT_AUTOOPEN,
                                                 &Settings::DIFF_ONLY,
                                                 &Settings::FOUND_ONLY,
                                                 &Settings::NO_CASE,
                                                 &Settings::COND_AND,
                                                 &Settings::SEARCH_STRING1_COND,
                                                 &Settings::SEARCH_STRING2_COND,
                                                 &Settings::SEARCH_STRING3_COND,
                                                 &Settings::DIFF_OBJ_ONLY};
  for (std::size_t k = 0; k < flags.size(); ++k) s.*flags[k] = (bits >> k & 1) != 0;
  s.MODE = (bits >> 9 & 1) != 0 ? CompareMode::File : CompareMode::Folder;
  s.TAB_PAGE = 1 + static_cast<int>(bits >> 10 & 3) % 3;

  const std::array<std::u16string Settings::*, 11> texts = {
      &Settings::OUTPUT_PATH,    &Settings::OUTPUT_FILE,   &Settings::SRC_PATH1,
      &Settings::SRC_FILE1,      &Settings::SRC_PATH2,     &Settings::SRC_FILE2,
      &Settings::SRC_PATH,       &Settings::SRC_FILE,      &Settings::SEARCH_STRING1,
      &Settings::SEARCH_STRING2, &Settings::SEARCH_STRING3};
  const std::u16string rest = DecodeCp932(bytes.substr(2));
  std::u16string_view left = rest;
  bool lineBreak = false, comment = false;
  for (std::u16string Settings::*text : texts) {
    const std::size_t cut = std::min(left.find(u'\0'), left.size());
    s.*text = left.substr(0, cut);
    lineBreak = lineBreak || HasLineBreak(s.*text);
    comment = comment || HasComment(s.*text);
    left.remove_prefix(std::min(cut + 1, left.size()));
  }
  if (lineBreak) {
    try {
      IniText(s);
      Require(false, "a value with a line break is refused");
    } catch (const Error&) {
    }
  } else if (!comment) {
    RequireReadBack(s, "a written record reads back unchanged");
  }
}

}  // namespace
}  // namespace tarnwick::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  using namespace tarnwick::fuzz;
  CheckMadeRecord(Bytes(data, size));
  Settings read;
  ApplyIniText(DecodeCp932(Bytes(data, size)), read);
  RequireReadBack(read, "what was read is written and read back unchanged");
  return 0;
}
