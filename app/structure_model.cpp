#include "app/structure_model.h"

#include <cstddef>
#include <string>

#include "base/error.h"
#include "report/object_tree.h"
#include "report/tree_walk.h"
#include "text/decimal.h"

namespace tarnwick {
namespace {

// One object being walked: where it sits and how far its entries are done.
struct Frame {
  const Collection* children;
  std::u16string prefix;  // PrNm + "-" + PrNo
  std::u16string nodeKey;
  std::u16string objectPath;
  std::size_t next = 1;
  bool folderAdded = false;
};

}  // namespace

void StructureModel::Init(const Collection& tree) {
  nodes_.clear();
  records_.clear();

  TreeWalk<Frame> walk;
  const std::u16string topText(tree.Empty() ? std::u16string_view() : tree.At(1).Key);
  nodes_.push_back({u"", u"1-1K", topText});
  walk.Open() = {&tree, u"1-1", u"1-1K", u""};

  walk.Run([&](Frame& frame) {
    if (frame.next > frame.children->Count()) return false;
    const std::size_t i = frame.next++;
    const clsItem& entry = frame.children->At(i);
    if (entry.IsText()) {
      const std::u16string folderKey = frame.prefix + u"P";
      if (!frame.folderAdded) {
        nodes_.push_back({frame.nodeKey, folderKey, u"<プロパティ>"});
        frame.folderAdded = true;
      }
      PropRecord record{frame.prefix + u"-" + DecimalText(static_cast<std::int64_t>(i)) + u"S",
                        std::u16string(entry.Key) + u" " + frame.objectPath,
                        std::u16string(entry.Text())};
      nodes_.push_back({folderKey, record.NodeKey, std::u16string(entry.Key)});
      records_.push_back(std::move(record));
    } else if (entry.IsCollection()) {
      std::u16string prefix = frame.nodeKey + u"-" + DecimalText(static_cast<std::int64_t>(i));
      std::u16string key = prefix + u"K";
      nodes_.push_back({frame.nodeKey, key, std::u16string(entry.Key)});
      Frame child{&entry.Children(), std::move(prefix), std::move(key),
                  frame.objectPath + u">" + std::u16string(entry.Key)};
      walk.Open() = std::move(child);  // invalidates `frame`
    }
    return true;
  });
}

int StructureModel::FindRecord(std::u16string_view nodeKey) const {
  // A scan per click costs far less than an index over every property.
  for (std::size_t n = 0; n < records_.size(); ++n) {
    if (records_[n].NodeKey == nodeKey) return static_cast<int>(n) + 1;
  }
  return 0;
}

const PropRecord& StructureModel::Record(int number) const {
  if (number < 1 || static_cast<std::size_t>(number) > records_.size()) {
    throw Error(kGeneralErrorNumber,
                u"プロパティの番号 " + DecimalText(number) + u" は範囲外です。");
  }
  return records_[static_cast<std::size_t>(number) - 1];
}

std::optional<std::u16string> StructureModel::PickRecord(int number) {
  const PropRecord& found = Record(number);
  PropRecord& record = records_[static_cast<std::size_t>(number) - 1];
  if (found.Listed) return std::nullopt;
  record.Listed = true;
  return DecimalText(number) + u"\t" + record.NamePath + u"\t" + record.Value;
}

int StructureModel::EntryRecord(std::u16string_view entry) const {
  const std::size_t tab = entry.find(u'\t');
  if (tab == std::u16string_view::npos || tab == 0 || tab > 9) return 0;
  int number = 0;
  for (std::size_t k = 0; k < tab; ++k) {
    if (entry[k] < u'0' || entry[k] > u'9') return 0;
    number = number * 10 + (entry[k] - u'0');
  }
  return static_cast<std::size_t>(number) <= records_.size() ? number : 0;
}

void StructureModel::Unlist(int number) {
  Record(number);
  records_[static_cast<std::size_t>(number) - 1].Listed = false;
}

}  // namespace tarnwick
