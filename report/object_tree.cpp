#include "report/object_tree.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "base/error.h"
#include "messages/message_error.h"
#include "text/decimal.h"
#include "text/upper_case.h"

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

// Storage without a size hint starts small: hand-built trees are small.
constexpr std::size_t kFirstBlock = 256;
constexpr std::size_t kLargestBlock = 1 << 20;
constexpr std::size_t kMappedBlock = 4 << 20;

// Pieces are carved from blocks that grow to this size; larger ones, the node
// arrays of big sections, come from the heap.
constexpr std::size_t kPieceAlign = 16;
constexpr std::size_t kFirstPieceBlock = 16 << 10;
constexpr std::size_t kPieceBlock = 4 << 20;
constexpr std::size_t kLargestPiece = 64 << 10;

static_assert(kLargestPiece + kPieceAlign <= kPieceBlock);

constexpr std::size_t PieceUnits(std::size_t bytes) {
  return (std::max<std::size_t>(bytes, 1) + kPieceAlign - 1) / kPieceAlign;
}

// The allocator of a collection that shares a tree's storage: it keeps the
// storage alive, since the collection's own memory is given back after the
// collection (and perhaps the last other owner of the storage) is gone.
template <typename T>
class KeepingAllocator {
 public:
  using value_type = T;

  explicit KeepingAllocator(std::shared_ptr<TreeStrings> storage) : storage_(std::move(storage)) {}
  template <typename U>
  KeepingAllocator(const KeepingAllocator<U>& other) : storage_(other.storage()) {}

  T* allocate(std::size_t count) { return static_cast<T*>(storage_->Allocate(count * sizeof(T))); }
  void deallocate(T* piece, std::size_t count) noexcept {
    storage_->Deallocate(piece, count * sizeof(T));
  }
  const std::shared_ptr<TreeStrings>& storage() const { return storage_; }
  friend bool operator==(const KeepingAllocator& a, const KeepingAllocator& b) {
    return a.storage_ == b.storage_;
  }

 private:
  std::shared_ptr<TreeStrings> storage_;
};

}  // namespace

TreeStrings::TreeStrings(std::size_t expectedUnits)
    : nextBlock_(std::max(expectedUnits, kFirstBlock)) {}

std::u16string_view TreeStrings::Store(std::u16string_view text) {
  if (text.empty()) return {};
  if (blocks_.empty() || blocks_.back().size - blocks_.back().used < text.size()) {
    // Left unwritten: a block sized from a hint costs memory only as far as
    // it is used. A small one comes from the heap, where the next tree of a
    // run reuses it; a large one is mapped, in few page faults.
    Block& block = blocks_.emplace_back();
    block.size = std::max(nextBlock_, text.size());
    if (block.size >= kMappedBlock) {
      block.mapped.Reserve(block.size);
      block.data = block.mapped.data();
    } else {
      block.heap.reset(new char16_t[block.size]);
      block.data = block.heap.get();
    }
    nextBlock_ = std::min(std::max(nextBlock_, kFirstBlock) * 2, kLargestBlock);
  }
  Block& block = blocks_.back();
  char16_t* const at = block.data + block.used;
  std::copy(text.begin(), text.end(), at);
  block.used += text.size();
  return {at, text.size()};
}

void TreeStrings::Adopt(RawBuffer<char16_t> buffer) {
  // Full, so that nothing is stored into it; inserted before the block in
  // use, which stays the one to fill.
  Block adopted;
  adopted.size = adopted.used = buffer.size();
  adopted.mapped = std::move(buffer);
  adopted.data = adopted.mapped.data();
  blocks_.insert(blocks_.empty() ? blocks_.end() : blocks_.end() - 1, std::move(adopted));
}

void* TreeStrings::Allocate(std::size_t bytes) {
  if (bytes > kLargestPiece) return ::operator new(bytes);
  const std::size_t units = PieceUnits(bytes);
  if (units < recycled_.size() && recycled_[units] != nullptr) {
    void* const piece = recycled_[units];
    recycled_[units] = *static_cast<void**>(piece);
    return piece;
  }
  const std::size_t size = units * kPieceAlign;
  if (pieceLeft_ < size) {
    // What is left of the old block stays unused: less than one piece.
    do {
      nextPieceBlock_ =
          nextPieceBlock_ == 0 ? kFirstPieceBlock : std::min(nextPieceBlock_ * 2, kPieceBlock);
    } while (nextPieceBlock_ < size);  // ends: no piece outgrows kPieceBlock
    PieceBlock& block = pieceBlocks_.emplace_back();
    if (nextPieceBlock_ >= kMappedBlock) {
      block.mapped.Reserve(nextPieceBlock_);
      pieceNext_ = block.mapped.data();
    } else {
      block.heap.reset(new std::byte[nextPieceBlock_]);
      pieceNext_ = block.heap.get();
    }
    pieceLeft_ = nextPieceBlock_;
  }
  void* const piece = pieceNext_;
  pieceNext_ += size;
  pieceLeft_ -= size;
  return piece;
}

void TreeStrings::Deallocate(void* piece, std::size_t bytes) noexcept {
  if (bytes > kLargestPiece) return ::operator delete(piece);
  if (!recycling_) return;
  const std::size_t units = PieceUnits(bytes);
  if (recycled_.empty()) {
    try {
      recycled_.resize(PieceUnits(kLargestPiece) + 1, nullptr);
    } catch (...) {
      return;  // kept unused until the storage goes
    }
  }
  *static_cast<void**>(piece) = recycled_[units];
  recycled_[units] = piece;
}

bool TreeStrings::Holds(std::u16string_view text) const {
  if (text.empty()) return true;
  const std::less<const char16_t*> before;
  for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block) {
    const char16_t* const begin = block->data;
    if (!before(text.data(), begin) && !before(begin + block->used, text.data() + text.size())) {
      return true;
    }
  }
  return false;
}

const std::u16string_view& clsItem::Text() const {
  if (const auto* text = std::get_if<std::u16string_view>(&Item)) return *text;
  throw MessageError(kGeneralErrorNumber, {{MessageId::NodeNotText, {std::u16string(Key)}}});
}

Collection& clsItem::Children() const {
  if (const auto* children = std::get_if<CollectionPtr>(&Item); children && *children) {
    return **children;
  }
  throw MessageError(kGeneralErrorNumber, {{MessageId::NodeNotCollection, {std::u16string(Key)}}});
}

const Collection* clsItem::ChildrenOrNull() const {
  const auto* children = std::get_if<CollectionPtr>(&Item);
  return children != nullptr ? children->get() : nullptr;
}

Collection::Collection() = default;

Collection::Collection(std::shared_ptr<TreeStrings> strings)
    : strings_(std::move(strings)),
      items_(TreeAllocator<clsItem>(strings_.get())),
      index_(TreeAllocator<std::uint32_t>(strings_.get())) {}

const std::shared_ptr<TreeStrings>& Collection::Strings() {
  if (!strings_) strings_ = std::make_shared<TreeStrings>();
  return strings_;
}

Collection::~Collection() {
  // Detach every descendant collection into a flat list before it dies, so
  // that each destructor below finds no collection children of its own.
  std::vector<CollectionPtr> pending;
  auto detach = [&pending](Items& items) {
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
    throw MessageError(
        kGeneralErrorNumber,
        {{MessageId::PositionOutOfRange, {DecimalText(position), DecimalText(items_.size())}}});
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

bool Collection::Add(const clsItem& item) {
  std::size_t slot = 0;
  if (index_.empty()) {
    if (Find(item.Key) != nullptr) return false;
  } else {
    slot = Slot(item.Key);
    if (index_[slot] != 0) return false;
  }
  clsItem stored = item;
  TreeStrings& strings = *Strings();
  if (!strings.Holds(stored.Key)) stored.Key = strings.Store(stored.Key);
  if (auto* text = std::get_if<std::u16string_view>(&stored.Item); text && !strings.Holds(*text)) {
    *text = strings.Store(*text);
  }
  items_.push_back(std::move(stored));
  if (index_.empty()) {
    if (items_.size() > kLinearLimit) Rehash();
    return true;
  }
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

CollectionPtr NewCollection(std::shared_ptr<TreeStrings> strings) {
  if (!strings) return NewCollection();
  KeepingAllocator<Collection> allocator(strings);
  return std::allocate_shared<Collection>(allocator, std::move(strings));
}

clsItem TextNode(std::u16string_view key, std::u16string_view value) {
  return clsItem{key, value};
}

clsItem CollectionNode(std::u16string_view key, CollectionPtr children) {
  return clsItem{key, std::move(children)};
}

CollectionPtr BlankTree() {
  CollectionPtr root = NewCollection();
  root->Add(clsItem{});
  return root;
}

}  // namespace tarnwick
