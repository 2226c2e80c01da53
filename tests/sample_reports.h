// Small report texts that tests of the runs share: a form module with one
// block, and a report the parser refuses.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::testing {

// A form module named `module` with a title and one block BLK1.
inline std::u16string SmallReport(std::u16string_view module, std::u16string_view title) {
  std::u16string text = u"* 名前 ";
  text.append(module).append(u"\r\n  タイトル ").append(title).append(
      u"\r\n  ブロック\r\n  * 名前 BLK1\r\n    問合せ可能 はい\r\n");
  return text;
}

// An object line without its "名前" line: the parser stops at line 3.
inline constexpr std::u16string_view kUnparsableReport = u"* 名前 B\r\n  ブロック\r\n    * 不明 X\r\n";

}  // namespace tarnwick::testing
