// Hand-built object trees for tests: a property, a collection of nodes, an
// object holding nodes, each written the way the tree reads. Nodes hold
// views until a collection copies them: build a tree in one expression.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "report/object_tree.h"
#include "text/utf8.h"

namespace tarnwick::testing {

inline clsItem Prop(std::u16string_view key, std::u16string_view value) {
  return TextNode(key, value);
}

inline CollectionPtr Items(std::initializer_list<clsItem> items) {
  CollectionPtr collection = NewCollection();
  for (const clsItem& item : items) EXPECT_TRUE(collection->Add(item)) << ToUtf8(item.Key);
  return collection;
}

inline clsItem Obj(std::u16string_view key, std::initializer_list<clsItem> children) {
  return CollectionNode(key, Items(children));
}

}  // namespace tarnwick::testing
