// The report parser on any bytes, decoded as a report file is (code page
// 932, Windows-1252 or UTF-8, as the bytes say), read by the labels of the
// language the report names and by the other language's too, then the tree
// as JSON (`tarnwick-cli tree`) and as tree-view nodes (a drop on a tree
// view). Only the grammar error may stop the parser, and it leaves no tree;
// the JSON reads back as the tree; node keys are unique and every node comes
// after its parent.
#include <cstdint>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "app/list_tree_view.h"
#include "app/object_side.h"
#include "base/error.h"
#include "fuzz/fuzz_support.h"
#include "report/report_encoding.h"
#include "report/report_labels.h"
#include "report/report_parser.h"
#include "report/tree_json.h"
#include "text/cp932.h"
#include "text/utf8.h"

namespace tarnwick::fuzz {
namespace {

// Walks the tree and the JSON side by side: the shape, the escapes (short
// forms where JSON has them, \u00xx for other controls, nothing else) and the
// text must all agree.
class JsonReader {
 public:
  explicit JsonReader(std::string_view json) : json_(json) {}

  bool Matches(const Collection& tree) { return ReadCollection(tree) && at_ == json_.size(); }

 private:
  bool ReadCollection(const Collection& collection) {
    if (!Take("[")) return false;
    bool first = true;
    for (const clsItem& item : collection) {
      if (!std::exchange(first, false) && !Take(",")) return false;
      if (!Take("[") || !ReadString(item.Key) || !Take(",")) return false;
      const bool value = item.IsText()         ? ReadString(item.Text())
                         : item.IsCollection() ? ReadCollection(item.Children())
                                               : Take("null");
      if (!value || !Take("]")) return false;
    }
    return Take("]");
  }

  bool ReadString(std::u16string_view expected) {
    if (!Take("\"")) return false;
    std::string utf8;
    while (at_ < json_.size() && json_[at_] != '"') {
      const char c = json_[at_++];
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        utf8 += c;
        continue;
      }
      if (at_ == json_.size()) return false;
      const std::string_view shortForms = "\"\"\\\\b\bf\fn\nr\rt\t";
      const char e = json_[at_++];
      if (const std::size_t k = shortForms.find(e); k != std::string_view::npos && k % 2 == 0) {
        utf8 += shortForms[k + 1];
        continue;
      }
      const std::string_view hex = "0123456789abcdef";
      if (e != 'u' || json_.size() - at_ < 4 || json_.substr(at_, 2) != "00") return false;
      const std::size_t high = hex.find(json_[at_ + 2]), low = hex.find(json_[at_ + 3]);
      if (high > 1 || low == std::string_view::npos) return false;
      const char control = static_cast<char>(high * 16 + low);
      if (shortForms.find(control) != std::string_view::npos) return false;
      utf8 += control;
      at_ += 4;
    }
    return Take("\"") && utf8 == ToUtf8(expected);
  }

  bool Take(std::string_view word) {
    if (json_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }

  std::string_view json_;
  std::size_t at_ = 0;
};

void CheckNodes(const CollectionPtr& tree) {
  ListTreeView view;
  std::int32_t count = 0;
  std::vector<std::u16string> pathTexts;
  try {
    AddObjectNodes(tree.get(), view, u"REPORT", count, pathTexts);
  } catch (const Error&) {
    Require(!tree, "only a missing tree stops the tree-view nodes");
    return;
  }
  Require(count == view.NodeCount() && pathTexts.size() == view.Nodes().size(),
          "one path text per node, and the count says how many");
  std::unordered_set<std::u16string> keys;
  for (const ListTreeView::Node& node : view.Nodes()) {
    Require(keys.empty() == node.parentKey.empty(), "the root alone has no parent");
    Require(keys.empty() || keys.contains(node.parentKey), "a node comes after its parent");
    Require(keys.insert(node.key).second, "node keys are unique");
  }
}

}  // namespace
}  // namespace tarnwick::fuzz

namespace tarnwick::fuzz {
namespace {

void CheckParse(std::u16string_view text, const ReportLabels& labels) {
  CollectionPtr tree;
  try {
    tree = ParseReport(text, labels);
  } catch (const Error& error) {
    Require(error.Number() == kGrammarErrorNumber, "the parser fails only with its grammar error");
    Require(!tree, "a failed parse leaves no tree");
    return;
  }
  const std::string json = TreeToJson(tree);
  Require(tree ? JsonReader(json).Matches(*tree) : json == "null",
          "the JSON reads back as the tree");
  CheckNodes(tree);
}

}  // namespace
}  // namespace tarnwick::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  using namespace tarnwick::fuzz;
  RawBuffer<char16_t> text;
  DecodeReportBytes(Bytes(data, size), ReportTextEncoding::kAutomatic, text);
  const ReportLanguage language = DetectReportLanguage(text.View());
  CheckParse(text.View(), LabelsFor(language));
  CheckParse(text.View(),
             LabelsFor(language == ReportLanguage::kEnglish ? ReportLanguage::kJapanese
                                                            : ReportLanguage::kEnglish));
  return 0;
}
