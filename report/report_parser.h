// The report parser: reads the text of one Japanese object list report once,
// from the front, and builds its object tree. Lines are cut at LF (one
// trailing CR or SUB dropped); indentation columns decide which lines belong
// to which object or section; a fixed table of property names gets special
// reading (multi-line texts gathered raw until a closing name, joined blocks,
// lists that are not lists of named objects). A report that does not fit the
// grammar, or nests sections deeper than kMaxSectionDepth, throws
// tarnwick::Error number kGrammarErrorNumber naming the line (1-based) and its
// text; nothing partial reaches the caller.
#pragma once

#include <string_view>

#include "report/object_tree.h"
#include "text/raw_buffer.h"

namespace tarnwick {

// Far beyond any real report; keeps the parser and every tree walker off the
// bottom of the stack. The tree below the root is at most twice this deep.
inline constexpr int kMaxSectionDepth = 1000;

class FrmAnalCls {
 public:
  FrmAnalCls() = default;
  FrmAnalCls(const FrmAnalCls&) = delete;
  FrmAnalCls& operator=(const FrmAnalCls&) = delete;

  // Drops any earlier tree. The parser keeps only a view: the text must stay
  // alive until the analysis is done (the tree itself owns copies).
  void SetFormText(std::u16string_view inText);
  std::u16string_view FormText() const { return text_; }
  // Parses the text; does nothing for an empty text. Throws on a grammar error.
  void AnalyzeFormText();
  // The tree, analysing first when needed; null for an empty text.
  CollectionPtr BlockStruct();

 private:
  std::u16string_view text_;
  CollectionPtr tree_;
  bool textPresent_ = false;
  bool analysed_ = false;
};

// The parse entry: when `tree` is empty, parses `text` into it (an empty text
// leaves it empty); when it already holds a tree, does nothing.
void GetBlockStruct(std::u16string_view text, CollectionPtr& tree);
// The same for a text in a buffer that the tree may take over: when one
// value is most of the text (a huge line), the tree keeps the buffer, left
// empty here, instead of a second copy of that value.
void GetBlockStruct(RawBuffer<char16_t>& text, CollectionPtr& tree);

}  // namespace tarnwick
