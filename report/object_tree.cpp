#include "report/object_tree.h"

#include <algorithm>
#include <utility>

#include "base/error.h"
#include "text/upper_case.h"
#include "text/decimal.h"

namespace tarnwick {

namespace {

// Up to this many elements a linear scan beats hashing every key.
constexpr std::size_t kLinearLimit = 8;

// ASCII folds inline; kana, CJK symbols and ideographs have no case. Report
// keys are mostly made of these, so they skip the general mapping.
constexpr char16_t kCaselessFirst = 0x3000;
constexpr char16_t kCaselessLast = 0x9FFF;

std::uint64_t HashIgnoringCase(std::u16string_view key) {
  std::uint64_t h = 0xcbf29ce484222325ull;  // FNV-1a over the upper-cased units
  for (char16_t c : key) {
    if (c < 0x80) {
      if (c >= u'a' && c <= u'z') c -= u'a' - u'A';
    } else if (c < kCaselessFirst || c > kCaselessLast) {
      c = UpperCase(c);
    }
    h ^= c;
    h *= 0x100000001b3ull;
  }
  return h ^ (h >> 29);
}

}  // namespace

const std::u16string& clsItem::Text() const {
  if (const auto* text = std::get_if<std::u16string>(&Item)) return *text;
  throw Error(kGeneralErrorNumber, u"ノード[" + Key + u"]はテキストではありません。");
}

Collection& clsItem::Children() const {
  if (const auto* children = std::get_if<CollectionPtr>(&Item); children && *children) {
    return **children;
  }
  throw Error(kGeneralErrorNumber, u"ノード[" + Key + u"]はコレクションではありません。");
}

const Collection* clsItem::ChildrenOrNull() const {
  const auto* children = std::get_if<CollectionPtr>(&Item);
  return children != nullptr ? children->get() : nullptr;
}

Collection::Collection() = default;

Collection::~Collection() {
  // Detach every descendant collection into a flat list before it dies, so
  // that each destructor below finds no collection children of its own.
  std::vector<CollectionPtr> pending;
  auto detach = [&pending](std::vector<clsItem>& items) {
    for (clsItem& item : items) {
      if (auto* children = std::get_if<CollectionPtr>(&item.Item); children && *children) {
        pending.push_back(std::move(*children));
      }
    }
  };
  detach(items_);
  while (!pending.empty()) {
    CollectionPtr next = std::move(pending.back());
    pending.pop_back();
    if (next.use_count() == 1) detach(next->items_);
  }
}

clsItem& Collection::At(std::size_t position) {
  return const_cast<clsItem&>(std::as_const(*this).At(position));
}

const clsItem& Collection::At(std::size_t position) const {
  if (position < 1 || position > items_.size()) {
    throw Error(kGeneralErrorNumber, u"インデックスが有効範囲にありません。(" + DecimalText(position) +
                                         u"/" + DecimalText(items_.size()) + u")");
  }
  return items_[position - 1];
}

clsItem* Collection::Find(std::u16string_view key) {
  return const_cast<clsItem*>(std::as_const(*this).Find(key));
}

const clsItem* Collection::Find(std::u16string_view key) const {
  if (index_.empty()) {
    for (const clsItem& item : items_) {
      if (EqualsIgnoringCase(item.Key, key)) return &item;
    }
    return nullptr;
  }
  const std::uint32_t entry = index_[Slot(key)];
  return entry == 0 ? nullptr : &items_[entry - 1];
}

bool Collection::Add(clsItem item) {
  if (index_.empty()) {
    if (Find(item.Key) != nullptr) return false;
    items_.push_back(std::move(item));
    if (items_.size() > kLinearLimit) Rehash();
    return true;
  }
  const std::size_t slot = Slot(item.Key);
  if (index_[slot] != 0) return false;
  items_.push_back(std::move(item));
  index_[slot] = static_cast<std::uint32_t>(items_.size());
  if (items_.size() * 2 > index_.size()) Rehash();
  return true;
}

void Collection::Reserve(std::size_t count) {
  items_.reserve(count);
  if (count > kLinearLimit && index_.size() < count * 2) Rehash(count);
}

void Collection::Rehash(std::size_t expected) {
  // A quarter full after growing, and growing again past half full.
  const std::size_t wanted = std::max(items_.size() * 4, expected * 2);
  std::size_t size = 16;
  while (size < wanted) size *= 2;
  index_.assign(size, 0);
  const std::size_t mask = size - 1;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    std::size_t slot = HashIgnoringCase(items_[i].Key) & mask;
    while (index_[slot] != 0) slot = (slot + 1) & mask;
    index_[slot] = static_cast<std::uint32_t>(i + 1);
  }
}

std::size_t Collection::Slot(std::u16string_view key) const {
  const std::size_t mask = index_.size() - 1;
  std::size_t slot = HashIgnoringCase(key) & mask;
  while (index_[slot] != 0 && !EqualsIgnoringCase(items_[index_[slot] - 1].Key, key)) {
    slot = (slot + 1) & mask;
  }
  return slot;
}

CollectionPtr NewCollection() {
  return std::make_shared<Collection>();
}

clsItem TextNode(std::u16string key, std::u16string value) {
  return clsItem{std::move(key), std::move(value)};
}

clsItem CollectionNode(std::u16string key, CollectionPtr children) {
  return clsItem{std::move(key), std::move(children)};
}

CollectionPtr BlankTree() {
  CollectionPtr root = NewCollection();
  root->Add(clsItem{});
  return root;
}

}  // namespace tarnwick
