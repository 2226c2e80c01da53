// The search's "like" matcher against a plain table-filling reference. The
// input, decoded from code page 932 as search strings and reports are, is
// the pattern up to its first line feed and the text after it. Both must
// agree on validity and on every match, and only an invalid pattern may
// throw, with tarnwick::Error.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "base/error.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/like_reference.h"
#include "search/like_pattern.h"
#include "text/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  using namespace tarnwick::fuzz;
  const std::u16string input = DecodeCp932(Bytes(data, size));
  const std::size_t cut = std::min(input.find(u'\n'), input.size());
  const std::u16string_view pattern = std::u16string_view(input).substr(0, cut);
  const std::u16string_view text =
      std::u16string_view(input).substr(std::min(cut + 1, input.size()));

  const std::optional<bool> expected = ReferenceLike(text, pattern);
  const LikePattern like(pattern);
  Require(like.Valid() == expected.has_value(), "valid exactly when every \"[\" has its \"]\"");
  try {
    const bool matched = like.Matches(text);
    Require(expected.has_value(), "an invalid pattern throws when it is used");
    Require(matched == *expected, "matches as the reference does");
  } catch (const Error&) {
    Require(!expected, "only an invalid pattern throws");
  }
  return 0;
}
