// Two reports compared as a folder comparison compares a pair: the input cut
// at its first NUL byte (else in the middle), each part parsed as a report,
// an empty part standing for a missing file. Only tarnwick::Error may stop
// the comparison; whether it finds a difference does not depend on "only
// differences", and a report compared with itself differs nowhere.
#include <cstdint>
#include <optional>
#include <string>

#include "base/error.h"
#include "classic/compare_rows.h"
#include "classic/html_table.h"
#include "diff/form_diff.h"
#include "fuzz/fuzz_support.h"
#include "report/report_parser.h"
#include "text/cp932.h"

namespace tarnwick::fuzz {
namespace {

CollectionPtr Parse(std::string_view bytes) {
  if (bytes.empty()) return BlankTree();
  const std::u16string text = DecodeCp932(bytes);
  CollectionPtr tree = ParseReport(text);
  return tree;
}

// Whether the comparison found a difference; nothing when it stopped.
std::optional<bool> Compare(const Collection& tree1, const Collection& tree2, bool diffOnly) {
  HTMLTblCls table;
  ClassicCompareRows rows(table);
  bool diffFound = false;
  try {
    diffFound = MakeFormDiff(tree1, tree2, u"/in/1.txt", u"/in/2.txt", rows, diffOnly, {}).differs;
  } catch (const Error&) {
    return std::nullopt;
  }
  table.sStr();
  return diffFound;
}

}  // namespace
}  // namespace tarnwick::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  using namespace tarnwick::fuzz;
  const auto [bytes1, bytes2] = SplitInTwo(Bytes(data, size), '\0');
  CollectionPtr tree1, tree2;
  try {
    tree1 = Parse(bytes1);
    tree2 = Parse(bytes2);
  } catch (const Error&) {
    return 0;
  }
  if (!tree1 || !tree2) return 0;  // the run stops before comparing

  const std::optional<bool> found = Compare(*tree1, *tree2, false);
  const std::optional<bool> foundOnly = Compare(*tree1, *tree2, true);
  Require(found == foundOnly, "only differences or all, the same differences are found");
  for (const Collection* tree : {tree1.get(), tree2.get()}) {
    const std::optional<bool> self = Compare(*tree, *tree, false);
    Require(self != true, "a report compared with itself differs nowhere");
  }
  return 0;
}
