// The object tree: ordered, keyed collections of clsItem nodes. A node holds a
// text (a property), a collection (a section or an object) or nothing (a blank
// node made by the comparisons for a missing side). Collections keep insertion
// order, number their elements from 1 and match keys ignoring letter case
// (per-code-unit upper-casing); adding under a present key is refused and
// leaves the collection unchanged. Lookup by key is a hash probe, and
// destroying a tree of any depth uses no recursion.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarnwick {

class Collection;
using CollectionPtr = std::shared_ptr<Collection>;

struct clsItem {
  std::u16string Key;
  std::variant<std::monostate, std::u16string, CollectionPtr> Item;

  bool IsNothing() const { return std::holds_alternative<std::monostate>(Item); }
  bool IsText() const { return std::holds_alternative<std::u16string>(Item); }
  bool IsCollection() const { return std::holds_alternative<CollectionPtr>(Item); }
  // Throw tarnwick::Error when the node holds another kind (or a null collection).
  const std::u16string& Text() const;
  Collection& Children() const;
  // The children, or null for a node holding a text or nothing.
  const Collection* ChildrenOrNull() const;
};

class Collection {
 public:
  Collection();
  ~Collection();  // iterative, so that a deep tree cannot overflow the stack
  Collection(const Collection&) = delete;
  Collection& operator=(const Collection&) = delete;

  std::size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  // 1-based; throws tarnwick::Error when out of range.
  clsItem& At(std::size_t position);
  const clsItem& At(std::size_t position) const;
  // Null when no element has that key (ignoring case).
  clsItem* Find(std::u16string_view key);
  const clsItem* Find(std::u16string_view key) const;
  bool Contains(std::u16string_view key) const { return Find(key) != nullptr; }
  // Appends under item.Key; false (and nothing changes) when the key is present.
  bool Add(clsItem item);
  // Capacity hints for a builder that can guess the size, and for giving
  // back spare room once a collection is complete.
  void Reserve(std::size_t count);
  void ShrinkToFit() { items_.shrink_to_fit(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<clsItem> items_;
  // Open-addressed index of element positions (position + 1, 0 = free slot),
  // built once the collection outgrows a short linear scan.
  std::vector<std::uint32_t> index_;
  // Rebuilds the index with room for at least `expected` elements.
  void Rehash(std::size_t expected = 0);
  // The slot holding `key`, or the free slot where it would go.
  std::size_t Slot(std::u16string_view key) const;
};

CollectionPtr NewCollection();
clsItem TextNode(std::u16string key, std::u16string value);
clsItem CollectionNode(std::u16string key, CollectionPtr children);
// A root holding one blank node: the tree of a side without a report.
CollectionPtr BlankTree();

}  // namespace tarnwick
