#include "report/object_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/error.h"
#include "messages/message_error.h"
#include "report/tree_json.h"
#include "text/upper_case.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

std::u16string Numbered(std::u16string_view stem, int n) {
  std::u16string key(stem);
  for (char c : std::to_string(n)) key += static_cast<char16_t>(c);
  return key;
}

TEST(ObjectTree, KeepsInsertionOrderAndNumbersFromOne) {
  Collection c;
  EXPECT_TRUE(c.Add(TextNode(u"b", u"2")));
  EXPECT_TRUE(c.Add(TextNode(u"a", u"1")));
  EXPECT_TRUE(c.Add(clsItem{u"c", {}}));
  ASSERT_EQ(c.Count(), 3u);
  EXPECT_EQ(c.At(1).Key, u"b");
  EXPECT_EQ(c.At(2).Text(), u"1");
  EXPECT_TRUE(c.At(3).IsNothing());
  std::u16string order;
  for (const clsItem& item : c) order += item.Key;
  EXPECT_EQ(order, u"bac");
}

TEST(ObjectTree, KeysMatchIgnoringCaseAndAPresentKeyIsRefused) {
  Collection c;
  EXPECT_TRUE(c.Add(TextNode(u"Name", u"first")));
  EXPECT_FALSE(c.Add(TextNode(u"NAME", u"second")));
  EXPECT_FALSE(c.Add(CollectionNode(u"name", NewCollection())));
  ASSERT_EQ(c.Count(), 1u);
  EXPECT_EQ(c.At(1).Key, u"Name");  // stored as written, not folded
  EXPECT_EQ(c.Find(u"nAmE")->Text(), u"first");

  // Full-width letters fold too; blanks are significant.
  EXPECT_TRUE(c.Add(TextNode(u"ＡＢＣ", u"x")));
  EXPECT_NE(c.Find(u"ａｂｃ"), nullptr);
  EXPECT_EQ(c.Find(u"Name "), nullptr);
  EXPECT_TRUE(c.Add(TextNode(u"Name ", u"blank")));
  EXPECT_EQ(c.Count(), 3u);
}

TEST(ObjectTree, IndexedLookupFoldsCaseLikeTheLinearScan) {
  // Past a few elements lookups go through the hash index, which must fold
  // exactly as key comparison does, kana and ideographs included.
  Collection c;
  for (int i = 0; i < 20; ++i) c.Add(TextNode(Numbered(u"pad", i), u""));
  const std::u16string keys[] = {u"ｱｲｳ", u"ﾌｫｰﾑ", u"トリガー", u"名前", u"ǆ",
                                 u"ß",   u"Ω",    u"ⓐ",        u"ａ"};
  for (const std::u16string& key : keys) ASSERT_TRUE(c.Add(TextNode(key, key)));
  for (const std::u16string& key : keys) {
    EXPECT_EQ(c.Find(UpperCase(key)), c.Find(key)) << ToUtf8(key);
    EXPECT_FALSE(c.Add(TextNode(UpperCase(key), u"again"))) << ToUtf8(key);
  }
  for (char32_t u = 0x3000; u <= 0x9FFF; ++u) {
    ASSERT_EQ(UpperCase(static_cast<char16_t>(u)), static_cast<char16_t>(u))
        << std::hex << static_cast<unsigned>(u);
  }
}

TEST(ObjectTree, LargeCollectionsFindEveryKeyThroughTheIndex) {
  Collection c;
  constexpr int kCount = 5000;
  for (int i = 0; i < kCount; ++i)
    ASSERT_TRUE(c.Add(TextNode(Numbered(u"item", i), Numbered(u"v", i))));
  for (int i = 0; i < kCount; ++i) {
    const clsItem* found = c.Find(Numbered(u"ITEM", i));
    ASSERT_NE(found, nullptr) << i;
    ASSERT_EQ(found->Text(), Numbered(u"v", i));
  }
  EXPECT_EQ(c.Find(u"item5000"), nullptr);
  EXPECT_FALSE(c.Add(TextNode(u"ITEM4999", u"again")));
  EXPECT_EQ(c.Count(), static_cast<std::size_t>(kCount));
  EXPECT_EQ(c.At(kCount).Key, u"item4999");
  c.ShrinkToFit();
  EXPECT_EQ(c.Find(u"item17")->Text(), u"v17");
}

TEST(ObjectTree, WrongKindsAndPositionsThrow) {
  Collection c;
  c.Add(TextNode(u"p", u"v"));
  c.Add(CollectionNode(u"s", NewCollection()));
  c.Add(clsItem{u"", {}});
  EXPECT_THROW(c.At(0), Error);
  EXPECT_THROW(c.At(4), Error);
  EXPECT_THROW(c.At(1).Children(), Error);
  EXPECT_THROW(c.At(2).Text(), Error);
  EXPECT_THROW(c.At(3).Text(), Error);
  EXPECT_THROW(c.At(3).Children(), Error);
  EXPECT_THROW((clsItem{u"null", CollectionPtr()}.Children()), Error);
  EXPECT_EQ(c.At(2).Children().Count(), 0u);

  // Their words, in Japanese as ever and in English for an English run.
  const auto words = [](const auto& call, MessageCatalog catalog) {
    try {
      call();
    } catch (const Error& e) {
      return DescriptionText(e, catalog);
    }
    return std::u16string(u"no error");
  };
  EXPECT_EQ(words([&] { c.At(4); }, JapaneseCatalog), u"インデックスが有効範囲にありません。(4/3)");
  EXPECT_EQ(words([&] { c.At(4); }, EnglishCatalog), u"The position is out of range. (4/3)");
  EXPECT_EQ(words([&] { c.At(1).Children(); }, JapaneseCatalog),
            u"ノード[p]はコレクションではありません。");
  EXPECT_EQ(words([&] { c.At(2).Text(); }, EnglishCatalog), u"The node [s] is not a text.");
}

TEST(ObjectTree, BlankTreeHoldsOneBlankNode) {
  EXPECT_EQ(TreeToJson(BlankTree()), R"([["",null]])");
  EXPECT_EQ(TreeToJson(nullptr), "null");
}

TEST(ObjectTree, DestroyingAVeryDeepTreeDoesNotRecurse) {
  CollectionPtr root = NewCollection();
  Collection* tip = root.get();
  std::weak_ptr<Collection> middle, deepest;
  constexpr int kDepth = 200000;
  for (int depth = 0; depth < kDepth; ++depth) {
    CollectionPtr child = NewCollection();
    if (depth == kDepth / 2) middle = child;
    if (depth == kDepth - 1) deepest = child;
    Collection* next = child.get();
    tip->Add(TextNode(u"p", u"v"));
    tip->Add(CollectionNode(u"c", std::move(child)));
    tip = next;
  }
  root.reset();  // would overflow the stack if each level recursed
  // And every level went with the root, down to the last.
  EXPECT_TRUE(middle.expired());
  EXPECT_TRUE(deepest.expired());
}

TEST(ObjectTree, SharedSubtreesOutliveTheirParent) {
  CollectionPtr root = NewCollection();
  CollectionPtr kept = NewCollection();
  kept->Add(TextNode(u"k", u"v"));
  CollectionPtr middle = NewCollection();
  middle->Add(CollectionNode(u"kept", kept));
  root->Add(CollectionNode(u"middle", middle));
  middle.reset();
  root.reset();
  ASSERT_EQ(kept->Count(), 1u);
  EXPECT_EQ(kept->At(1).Text(), u"v");
}

TEST(ObjectTree, StorageReusesPiecesOnlyWhileTheTreeIsBuilt) {
  TreeStrings storage;
  void* const first = storage.Allocate(40);
  void* const other = storage.Allocate(40);
  EXPECT_NE(first, other);
  storage.Deallocate(first, 40);
  EXPECT_EQ(storage.Allocate(33), first);  // same rounded size
  EXPECT_NE(storage.Allocate(40), first);
  // Large pieces come from the heap and go back to it at once.
  void* const large = storage.Allocate(1 << 20);
  std::fill_n(static_cast<char*>(large), 1 << 20, 'x');
  storage.Deallocate(large, 1 << 20);

  // A big tree's pieces run through blocks of every size, mapped ones too.
  std::vector<char*> pieces;
  for (int i = 0; i < 300; ++i) {
    pieces.push_back(static_cast<char*>(storage.Allocate(40000)));
    std::fill_n(pieces.back(), 40000, static_cast<char>(i));
  }
  for (int i = 0; i < 300; ++i) {
    EXPECT_EQ(pieces[i][0], static_cast<char>(i));
    EXPECT_EQ(pieces[i][39999], static_cast<char>(i));
  }

  storage.Deallocate(other, 40);
  storage.FinishBuilding();
  void* const later = storage.Allocate(40);
  storage.Deallocate(later, 40);
  EXPECT_NE(storage.Allocate(40), later);  // nothing taken back any more
}

TEST(ObjectTree, ASubtreeOfASharedStorageTreeOutlivesTheRestOnAnotherThread) {
  auto storage = std::make_shared<TreeStrings>();
  CollectionPtr root = NewCollection(storage);
  CollectionPtr kept;
  for (int i = 0; i < 100; ++i) {
    CollectionPtr child = NewCollection(storage);
    for (int j = 0; j < 20; ++j) child->Add(TextNode(Numbered(u"p", j), Numbered(u"v", i)));
    if (i == 57) kept = child;
    root->Add(CollectionNode(Numbered(u"c", i), std::move(child)));
  }
  storage->FinishBuilding();
  storage.reset();
  // The root goes on one thread while the kept subtree is read on this one.
  std::thread release([tree = std::move(root)]() mutable { tree.reset(); });
  release.join();
  ASSERT_EQ(kept->Count(), 20u);
  EXPECT_EQ(kept->At(20).Key, u"p19");
  EXPECT_EQ(kept->Find(u"P3")->Text(), u"v57");
}

TEST(ObjectTree, AddedKeysAndTextsAreTheCollectionsOwn) {
  CollectionPtr root = NewCollection();
  {
    std::u16string key = u"名前";
    std::u16string value(100000, u'v');  // larger than any first block
    ASSERT_TRUE(root->Add(TextNode(key, value)));
    CollectionPtr child = NewCollection();
    std::u16string inner = u"inner";
    child->Add(TextNode(inner, inner));
    ASSERT_TRUE(root->Add(CollectionNode(std::u16string(u"child"), child)));
    key.assign(2, u'x');
    value.assign(100000, u'x');
    inner.assign(5, u'x');
  }
  EXPECT_EQ(root->At(1).Key, u"名前");
  EXPECT_EQ(root->At(1).Text(), std::u16string(100000, u'v'));
  EXPECT_EQ(root->At(2).Key, u"child");
  EXPECT_EQ(root->At(2).Children().At(1).Text(), u"inner");

  // Collections sharing one storage copy nothing twice and free it together.
  auto strings = std::make_shared<TreeStrings>(64);
  const std::u16string_view stored = strings->Store(u"once");
  EXPECT_TRUE(strings->Holds(stored));
  EXPECT_FALSE(strings->Holds(u"once"));
  CollectionPtr shared = NewCollection(strings);
  shared->Add(TextNode(stored, stored));
  EXPECT_EQ(shared->At(1).Key.data(), stored.data());
  EXPECT_EQ(shared->At(1).Text().data(), stored.data());
  strings.reset();
  EXPECT_EQ(shared->At(1).Text(), u"once");
}

}  // namespace
}  // namespace tarnwick
