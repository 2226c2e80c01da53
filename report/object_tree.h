// The object tree: ordered, keyed collections of clsItem nodes. A node holds a
// text (a property), a collection (a section or an object) or nothing (a blank
// node made by the comparisons for a missing side). Collections keep insertion
// order, number their elements from 1 and match keys ignoring letter case
// (per-code-unit upper-casing); adding under a present key is refused and
// leaves the collection unchanged. Lookup by key is a hash probe, and
// destroying a tree of any depth uses no recursion.
//
// Keys and texts are views into storage that the collections of a tree own
// together (TreeStrings): a tree is a few large blocks of text, and its
// collections and their node arrays are carved from blocks of that storage,
// rather than a heap allocation per key, value, node array and collection. A
// node read from a tree stays valid while any collection of that tree lives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "text/raw_buffer.h"

namespace tarnwick {

class Collection;
using CollectionPtr = std::shared_ptr<Collection>;

// The text storage of one tree: blocks that only grow, freed together.
class TreeStrings {
 public:
  // `expectedUnits` sizes the first block (for example from the report's size).
  explicit TreeStrings(std::size_t expectedUnits = 0);
  TreeStrings(const TreeStrings&) = delete;
  TreeStrings& operator=(const TreeStrings&) = delete;

  // A copy of `text` that lives as long as this storage.
  std::u16string_view Store(std::u16string_view text);
  // Takes over a buffer whose text the tree then views where it lies.
  void Adopt(RawBuffer<char16_t> buffer);
  // Whether `text` lies in this storage (its own copy; also true for an empty text).
  bool Holds(std::u16string_view text) const;

  // Memory for the tree's collections and node arrays, freed with the
  // storage (a large piece comes from the heap). While the tree is built, a
  // piece given back serves the next request of its size; after
  // FinishBuilding pieces given back are dropped, so that the finished tree
  // may be released on any thread.
  void* Allocate(std::size_t bytes);
  void Deallocate(void* piece, std::size_t bytes) noexcept;
  void FinishBuilding() { recycling_ = false; }

 private:
  // A block from the heap, or for a large one mapped storage (`mapped`).
  struct Block {
    std::unique_ptr<char16_t[]> heap;
    RawBuffer<char16_t> mapped;
    char16_t* data = nullptr;
    std::size_t size = 0;
    std::size_t used = 0;
  };
  std::vector<Block> blocks_;
  std::size_t nextBlock_;

  // From the heap, or for a large one mapped storage (`mapped`).
  struct PieceBlock {
    std::unique_ptr<std::byte[]> heap;
    RawBuffer<std::byte> mapped;
  };
  std::vector<PieceBlock> pieceBlocks_;
  std::byte* pieceNext_ = nullptr;
  std::size_t pieceLeft_ = 0;
  std::size_t nextPieceBlock_ = 0;  // 0: none yet
  // Pieces given back, by size in units of kPieceAlign: each list is
  // threaded through the pieces themselves.
  std::vector<void*> recycled_;
  bool recycling_ = true;
};

// Allocates from a tree's storage, or from the heap without one. The storage
// must outlive what is allocated from it.
template <typename T>
class TreeAllocator {
 public:
  using value_type = T;

  TreeAllocator() = default;
  explicit TreeAllocator(TreeStrings* storage) : storage_(storage) {}
  template <typename U>
  TreeAllocator(const TreeAllocator<U>& other) : storage_(other.storage()) {}

  T* allocate(std::size_t count) {
    if (storage_ == nullptr) return std::allocator<T>().allocate(count);
    return static_cast<T*>(storage_->Allocate(count * sizeof(T)));
  }
  void deallocate(T* piece, std::size_t count) noexcept {
    if (storage_ == nullptr) return std::allocator<T>().deallocate(piece, count);
    storage_->Deallocate(piece, count * sizeof(T));
  }
  TreeStrings* storage() const { return storage_; }
  friend bool operator==(const TreeAllocator& a, const TreeAllocator& b) {
    return a.storage_ == b.storage_;
  }

 private:
  TreeStrings* storage_ = nullptr;
};

struct clsItem {
  std::u16string_view Key;
  std::variant<std::monostate, std::u16string_view, CollectionPtr> Item;

  bool IsNothing() const { return std::holds_alternative<std::monostate>(Item); }
  bool IsText() const { return std::holds_alternative<std::u16string_view>(Item); }
  bool IsCollection() const { return std::holds_alternative<CollectionPtr>(Item); }
  // Throw tarnwick::Error when the node holds another kind (or a null collection).
  const std::u16string_view& Text() const;
  Collection& Children() const;
  // The children, or null for a node holding a text or nothing.
  const Collection* ChildrenOrNull() const;
};

class Collection {
 public:
  // With text storage of its own, made at the first Add.
  Collection();
  // Sharing a tree's storage, as every collection of a parsed tree does.
  explicit Collection(std::shared_ptr<TreeStrings> strings);
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
  // Appends under item.Key, copying the key and text into this collection's
  // storage unless they lie there already; false (and nothing changes) when
  // the key is present.
  bool Add(const clsItem& item);
  // Capacity hints for a builder that can guess the size, and for giving
  // back spare room (beyond an eighth) once a collection is complete.
  void Reserve(std::size_t count);
  void ShrinkToFit() {
    if (items_.capacity() - items_.size() > items_.size() / 8) items_.shrink_to_fit();
  }
  // The storage this collection copies keys and texts into.
  const std::shared_ptr<TreeStrings>& Strings();

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  using Items = std::vector<clsItem, TreeAllocator<clsItem>>;
  // First, so that the storage outlives the arrays allocated from it.
  std::shared_ptr<TreeStrings> strings_;
  Items items_;
  // Open-addressed index of element positions (position + 1, 0 = free slot),
  // built once the collection outgrows a short linear scan.
  std::vector<std::uint32_t, TreeAllocator<std::uint32_t>> index_;
  // Rebuilds the index with room for at least `expected` elements.
  void Rehash(std::size_t expected = 0);
  // The slot holding `key`, or the free slot where it would go.
  std::size_t Slot(std::u16string_view key) const;
};

CollectionPtr NewCollection();
// A collection sharing `strings`, for builders of one tree.
CollectionPtr NewCollection(std::shared_ptr<TreeStrings> strings);
// Nodes to add: they hold views, so add them while what they view lives.
clsItem TextNode(std::u16string_view key, std::u16string_view value);
clsItem CollectionNode(std::u16string_view key, CollectionPtr children);
// A root holding one blank node: the tree of a side without a report.
CollectionPtr BlankTree();

}  // namespace tarnwick
